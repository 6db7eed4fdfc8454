#include "display/CallNotice.h"
#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"

#include "BoardUnderTest.h"
#include "DisplayTestSupport.h"
#include "core/Lookups.h"
#include "testsupport/StoreOutage.h"
#include "testsupport/TestEnv.h"

#include <QSet>
#include <QTest>
#include <QTimer>

namespace {

class CallNoticeTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (GetParam() != Store::Postgres)
            GTEST_SKIP() << "only a server announces calls";
        hall = seedHall(env->db);
        today = env->clock.todayText();
        counter = env->secondConnection();
    }
    qint64 call(const QString& label, qint64 at = 0)
    {
        return addCall(*counter, at ? at : hall.counter1, label, QStringLiteral("Room 1"), today);
    }
    void recall(qint64 callAuto)
    {
        counter->exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {callAuto});
    }

    Hall hall;
    QString today;
    std::unique_ptr<Database> counter;
};

TEST_P(CallNoticeTest, TheNotificationCarriesTheCallSoBoardsShowItWithoutAskingForIt)
{
    auto followerLink = env->secondConnection();
    WokenBoard follower(*followerLink, *env, CallBoardEngine::Mode::Follow);
    WokenBoard taker(env->db, *env, CallBoardEngine::Mode::Take);
    follower.start();
    taker.start();
    const quint64 followerSent = followerLink->statementsSent();
    const quint64 takerSent = env->db.statementsSent();

    // Texts a notification must carry unchanged: quotes, a backslash, Arabic.
    const qint64 a1 =
        addCall(*counter, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room \"1\" \\ east"), today,
                QStringLiteral("Desk 1"), QStringLiteral("غرفة ١"), QStringLiteral("نافذة ١"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return follower.shown.size() == 1 && taker.shown.size() == 1; }, 10000));
    for (WokenBoard* b : {&follower, &taker}) {
        const CallRow& c = b->calls.first();
        EXPECT_EQ(c.callAuto, a1);
        EXPECT_EQ(c.counter, hall.counter1);
        EXPECT_EQ(c.displayName, QStringLiteral("Room \"1\" \\ east"));
        EXPECT_EQ(c.contName, QStringLiteral("Desk 1"));
        EXPECT_EQ(c.displayNameA, QStringLiteral("غرفة ١"));
        EXPECT_EQ(c.countNameA, QStringLiteral("نافذة ١"));
    }
    EXPECT_EQ(follower.wakeup.reads(), 0u) << "shown from the notification, not from a read";
    EXPECT_GT(follower.calls.first().stamp, 0);
    EXPECT_EQ(follower.tokens().first(), QStringLiteral("A1"));
    EXPECT_EQ(followerLink->statementsSent(), followerSent + 1)
        << "a mirror asks once who the counter's session is, and nothing about the call";
    // A taking board reads: one statement takes the call, one finds nothing more waiting, and one
    // asks the ticket's language for the announcer.
    EXPECT_EQ(taker.wakeup.reads(), 1u);
    EXPECT_EQ(env->db.statementsSent(), takerSent + 3);
    EXPECT_EQ(status1Of(*counter, a1), QStringLiteral("1"));
    EXPECT_EQ(taker.sink.labels, QStringList{"A1"});

    // A recall is a new notification; both show it again, and the next safety read finds nothing new.
    recall(a1);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return follower.shown.size() == 2 && taker.shown.size() == 2; }, 10000));
    EXPECT_EQ(status1Of(*counter, a1), QStringLiteral("1"));
    EXPECT_FALSE(follower.engine->readNew());
    EXPECT_FALSE(taker.engine->readNew());
    EXPECT_EQ(follower.shown, (QStringList{"A1", "A1"}));
    EXPECT_EQ(taker.shown, (QStringList{"A1", "A1"}));
}

TEST_P(CallNoticeTest, BoardsWokenTogetherTakeEachCallOnceAndPassOtherCountersCalls)
{
    auto link2 = env->secondConnection();
    auto link3 = env->secondConnection();
    WokenBoard taker1(env->db, *env, CallBoardEngine::Mode::Take);
    WokenBoard taker2(*link2, *env, CallBoardEngine::Mode::Take);
    env->session.counterFilter = counterFilterFor(QString::number(hall.counter3));
    WokenBoard elsewhere(*link3, *env, CallBoardEngine::Mode::Follow);
    auto link4 = env->secondConnection();
    WokenBoard elsewhereTaker(*link4, *env, CallBoardEngine::Mode::Take);
    for (WokenBoard* b : {&taker1, &taker2, &elsewhere, &elsewhereTaker})
        b->start();
    const quint64 elsewhereSent = link3->statementsSent() + link4->statementsSent();

    QStringList made;
    for (int i = 1; i <= 12; ++i) {
        made.append(QStringLiteral("A%1").arg(i));
        call(made.last(), i % 2 ? hall.counter1 : hall.counter2);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return taker1.shown.size() + taker2.shown.size() >= 12; }, 10000));
    QTest::qWait(100);
    const QSet<QString> one(taker1.shown.cbegin(), taker1.shown.cend());
    const QSet<QString> two(taker2.shown.cbegin(), taker2.shown.cend());
    EXPECT_EQ(taker1.shown.size() + taker2.shown.size(), 12);
    EXPECT_FALSE(one.intersects(two)) << "no call is taken by both";
    EXPECT_EQ(one + two, QSet<QString>(made.cbegin(), made.cend()));
    EXPECT_EQ(counter->query(QStringLiteral("select count(*) from tblCall where status1='0'")).number(0, 0),
              0);

    // The boards of another counter let them all pass without a read or a statement, and show their own.
    for (WokenBoard* b : {&elsewhere, &elsewhereTaker}) {
        EXPECT_TRUE(b->shown.isEmpty());
        EXPECT_EQ(b->wakeup.reads(), 0u);
    }
    EXPECT_EQ(link3->statementsSent() + link4->statementsSent(), elsewhereSent);
    taker1.wakeup.stop(); // the boards of every counter would take it too
    taker2.wakeup.stop();
    call(QStringLiteral("C1"), hall.counter3);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return elsewhere.shown == QStringList{"C1"} && elsewhereTaker.shown == QStringList{"C1"}; },
        10000));
}

TEST_P(CallNoticeTest, ANotificationWithoutItsCallIsFollowedByARead)
{
    EXPECT_FALSE(callOfNotice(QString())) << "the note after a reconnection";
    EXPECT_FALSE(callOfNotice(QStringLiteral("17"))) << "the key alone, as an older trigger sends it";
    EXPECT_FALSE(callOfNotice(QStringLiteral("[\"17\",\"5\"]")));
    EXPECT_FALSE(callOfNotice(QStringLiteral("[\"x\",\"5\",\"1\",\"1\",\"d\",\"A1\",\"\",\"\",\"\",\"\"]")));

    WokenBoard follower(env->db, *env, CallBoardEngine::Mode::Follow);
    follower.start();
    // Names too long for a notification: the server announces the key only and the board reads.
    const QString longName(6000, QLatin1Char('x'));
    addCall(*counter, hall.counter1, QStringLiteral("A1"), longName, today, QString(), longName);
    ASSERT_TRUE(QTest::qWaitFor([&] { return follower.shown.size() == 1; }, 10000));
    EXPECT_EQ(follower.calls.first().displayName, longName);
    EXPECT_EQ(follower.wakeup.reads(), 1u);

    call(QStringLiteral("A2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return follower.shown.size() == 2; }, 10000));
    EXPECT_EQ(follower.wakeup.reads(), 1u) << "a short call comes with its notification again";
}

TEST_P(CallNoticeTest, AfterADroppedConnectionTheCatchUpAndTheNotificationsShowEachCallOnce)
{
    auto admin = env->secondConnection();
    WokenBoard follower(env->db, *env, CallBoardEngine::Mode::Follow);
    follower.start();
    const qint64 a1 = call(QStringLiteral("A1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return follower.shown.size() == 1; }, 10000));

    // The board sees its connection close and reads at once (the safety read is stopped): a new
    // connection, and what was missed, once.
    outage::terminateBackend(env->db, *admin);
    call(QStringLiteral("A2"));
    recall(a1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return follower.shown.size() >= 3; }, 10000));
    QTest::qWait(100);
    EXPECT_EQ(follower.shown, (QStringList{"A1", "A2", "A1"}));

    // On the new connection calls come with their notifications again.
    const quint64 reads = follower.wakeup.reads();
    const quint64 notices = follower.wakeup.noticesWithoutRead();
    call(QStringLiteral("A3"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return follower.shown.size() >= 4; }, 10000));
    EXPECT_EQ(follower.wakeup.reads(), reads);
    EXPECT_EQ(follower.wakeup.noticesWithoutRead(), notices + 1);
    EXPECT_FALSE(follower.engine->readNew());
    EXPECT_EQ(follower.shown, (QStringList{"A1", "A2", "A1", "A3"}));
}

BRIVANE_STORE_TEST_SUITE(CallNoticeTest);

} // namespace
