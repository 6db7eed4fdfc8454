#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"

#include "BoardUnderTest.h"
#include "DisplayTestSupport.h"
#include "core/WorkstationKinds.h"
#include "testsupport/KindLogins.h"
#include "testsupport/TestEnv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

namespace {

// Any login may send a notification on the call channel. Boards, the hall's speaker and the web
// server's follower show a call from a notification only when a session that may write calls sent it.
class ForgedCallTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        if (GetParam() != Store::Postgres)
            GTEST_SKIP() << "only a server announces calls";
        hall = seedHall(env->db);
        today = env->clock.todayText();
        logins = std::make_unique<KindLogins>(*env);
        if (!logins->available())
            GTEST_SKIP() << "the test server's role may not create roles";
        kiosk = logins->open(kinds::Kind::Kiosk);
        board = logins->open(kinds::Kind::Board);
        board2 = logins->open(kinds::Kind::Board, QStringLiteral("2"));
        counter = logins->open(kinds::Kind::Counter);
    }
    void TearDown() override
    {
        if (env && GetParam() == Store::Postgres) {
            kiosk.reset();
            board.reset();
            board2.reset();
            counter.reset();
            logins.reset();
        }
        StoreTest::TearDown();
    }

    // A payload exactly as the trigger builds it.
    QString payload(qint64 callAuto, qint64 stamp, qint64 at, const QString& label) const
    {
        const QJsonArray a{QString::number(callAuto),
                           QString::number(stamp),
                           QString::number(at),
                           QStringLiteral("1"),
                           today,
                           label,
                           QStringLiteral("Room 1"),
                           QString(),
                           QString(),
                           QString()};
        return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
    }
    static void notify(Database& from, const QString& text)
    {
        from.query(QStringLiteral("select pg_notify(?, ?)"), {Database::callChannel(), text});
    }

    Hall hall;
    QString today;
    std::unique_ptr<KindLogins> logins;
    std::unique_ptr<Database> kiosk, board, board2, counter;
};

TEST_P(ForgedCallTest, NoBoardShowsOrSpeaksAMadeUpCallAndAFloodOfThemLeavesItAsItWas)
{
    WokenBoard mirror(*board, *env, CallBoardEngine::Mode::Follow);
    mirror.engine->setAnnounces(true); // the hall's speaker
    WokenBoard taker(*board2, *env, CallBoardEngine::Mode::Take);
    mirror.start();
    taker.start();

    // A genuine call from the counter's login: shown from its notification, spoken once.
    const qint64 a1 = addCall(*counter, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.shown.size() == 1 && taker.shown.size() == 1; }, 10000));
    EXPECT_EQ(mirror.wakeup.reads(), 0u);
    const qint64 stamp = mirror.calls.first().stamp;

    // Made-up calls: copies of the real one's format from the kiosk and from a board login (a new
    // call, and a "recall" of A1 with a new stamp), and payloads that are no call at all.
    const quint64 sentBefore = board->statementsSent();
    notify(*kiosk, payload(a1 + 1, stamp + 1, hall.counter1, QStringLiteral("EVACUATE NOW")));
    notify(*kiosk, payload(a1, stamp + 2, hall.counter1, QStringLiteral("A1")));
    notify(*board2, payload(a1 + 2, stamp + 3, hall.counter2, QStringLiteral("FIRE")));
    for (const QString& garbage : {QStringLiteral("x"), QStringLiteral("[]"), QStringLiteral("[\"1\",\"2\"]"),
                                   QString(7000, QLatin1Char('['))})
        notify(*kiosk, garbage);
    // A flood, each with a stamp above every real one.
    const int flood = 20000;
    kiosk->query(
        QStringLiteral("select pg_notify(?, json_build_array((1000000 + g)::text, (900000000000 + g)::text, "
                       "?::text, '1', ?::text, 'X' || g, 'EVACUATE NOW', '', '', '')::text) "
                       "from generate_series(1, ?) g"),
        {Database::callChannel(), hall.counter1, today, flood});
    const quint64 sent = 3 + 4 + flood + 1; // and the genuine one
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.wakeup.notifications() >= sent; }, 60000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return taker.wakeup.notifications() >= sent; }, 60000));
    QTest::qWait(200);

    EXPECT_EQ(mirror.shown, QStringList{"A1"});
    EXPECT_EQ(mirror.sink.labels, QStringList{"A1"}) << "nothing made up is spoken";
    EXPECT_EQ(taker.shown, QStringList{"A1"});
    EXPECT_EQ(taker.sink.labels, QStringList{"A1"});
    EXPECT_EQ(mirror.tokens(), (QStringList{"A1", "", "", ""}));
    EXPECT_EQ(mirror.engine->refusedNotices(), quint64(3 + 4 + flood));
    // Nothing of the flood is kept, and the mirror asked once about each of the two sessions.
    EXPECT_LE(mirror.engine->seenCount(), 1);
    EXPECT_LE(board->statementsSent() - sentBefore, 2u);
    EXPECT_EQ(mirror.wakeup.reads(), 0u);
    EXPECT_LT(taker.wakeup.reads(), 200u) << "a taking board reads the rows, a burst at a time";

    // The counter's next call is still shown from its notification, without a statement.
    const quint64 sentAfter = board->statementsSent();
    addCall(*counter, hall.counter1, QStringLiteral("A2"), QStringLiteral("Room 1"), today);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.shown.size() == 2 && taker.shown.size() == 2; }, 10000));
    EXPECT_EQ(mirror.shown, (QStringList{"A1", "A2"}));
    EXPECT_EQ(mirror.sink.labels, (QStringList{"A1", "A2"}));
    // The mirror asks nothing; the taking board only asks the ticket's language for its announcer.
    EXPECT_LE(board->statementsSent(), sentAfter + 1);
    EXPECT_EQ(mirror.wakeup.reads(), 0u);

    // A made-up call whose session has ended by the time it is looked at: read, never shown.
    {
        auto gone = logins->open(kinds::Kind::Kiosk, QStringLiteral("2"));
        notify(*gone, payload(a1 + 9, 900000000000 + 2 * flood, hall.counter1, QStringLiteral("GONE")));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.wakeup.notifications() >= sent + 2; }, 10000));
    QTest::qWait(200);
    EXPECT_EQ(mirror.shown, (QStringList{"A1", "A2"}));
    EXPECT_FALSE(mirror.engine->readNew());
    EXPECT_EQ(mirror.shown, (QStringList{"A1", "A2"}));
}

BRIVANE_STORE_TEST_SUITE(ForgedCallTest);

} // namespace
