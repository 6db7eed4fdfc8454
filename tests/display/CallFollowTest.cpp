#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"
#include "display/frmDisplay.h"

#include "BoardUnderTest.h"
#include "DisplayTestSupport.h"
#include "core/Lookups.h"
#include "testsupport/StoreOutage.h"
#include "testsupport/TestEnv.h"

#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

using Board = BoardUnderTest;

class CallFollowTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        today = env->clock.todayText();
    }
    qint64 call(Database& db, const QString& label, qint64 counter = 0)
    {
        return addCall(db, counter ? counter : hall.counter1, label, QStringLiteral("Room 1"), today);
    }
    static void recall(Database& db, qint64 callAuto)
    {
        db.exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {callAuto});
    }
    bool postgres() const { return GetParam() == Store::Postgres; }

    Hall hall;
    QString today;
};

TEST_P(CallFollowTest, MirrorsShowEveryCallAndRecallWithoutTakingAndOnlyTheTakerSpeaks)
{
    auto other = env->secondConnection();
    Board mirror1(env->db, *env, CallBoardEngine::Mode::Follow);
    Board mirror2(*other, *env, CallBoardEngine::Mode::Follow);
    Board taker(env->db, *env, CallBoardEngine::Mode::Take);
    Board speaker(*other, *env, CallBoardEngine::Mode::Follow);
    speaker.engine->setAnnounces(true); // the mirror the settings name as the hall's speaker
    for (Board* b : {&mirror1, &mirror2, &taker, &speaker})
        ASSERT_TRUE(b->engine->addFirst());

    const qint64 a1 = call(*other, QStringLiteral("A1"));
    call(*other, QStringLiteral("A2"), hall.counter2);
    EXPECT_TRUE(mirror1.engine->readNew());
    EXPECT_EQ(mirror1.tokens(), (QStringList{"A2", "A1", "", ""}));
    EXPECT_EQ(status1Of(env->db, a1), QStringLiteral("0")) << "a mirror takes nothing";

    EXPECT_TRUE(taker.engine->readNew()) << "the taking board takes both calls in one read";
    EXPECT_EQ(taker.tokens(), (QStringList{"A2", "A1", "", ""}));
    EXPECT_EQ(status1Of(env->db, a1), QStringLiteral("1"));
    EXPECT_TRUE(mirror2.engine->readNew()) << "calls another board took are still followed";
    EXPECT_EQ(mirror2.tokens(), (QStringList{"A2", "A1", "", ""}));

    EXPECT_TRUE(speaker.engine->readNew());

    recall(*other, a1);
    for (Board* b : {&mirror1, &mirror2, &taker, &speaker}) {
        EXPECT_TRUE(b->engine->readNew());
        EXPECT_FALSE(b->engine->readNew()) << "nothing is shown twice";
    }
    EXPECT_EQ(mirror1.shown, (QStringList{"A1", "A2", "A1"}));
    EXPECT_EQ(mirror2.shown, (QStringList{"A1", "A2", "A1"}));
    EXPECT_EQ(taker.shown, (QStringList{"A1", "A2", "A1"}));
    EXPECT_EQ(mirror1.tokens(), (QStringList{"A1", "A2", "A1", ""}));

    // Each call is spoken once per hall: by the taker and the named speaker (in two halls here).
    EXPECT_EQ(taker.sink.labels, (QStringList{"A1", "A2", "A1"}));
    EXPECT_EQ(speaker.sink.labels, (QStringList{"A1", "A2", "A1"}));
    EXPECT_TRUE(mirror1.sink.labels.isEmpty());
    EXPECT_TRUE(mirror2.sink.labels.isEmpty());
}

TEST_P(CallFollowTest, AFollowerOpensWithTheLatestCallsAndFollowsOnlyItsCounters)
{
    for (int i = 1; i <= 5; ++i)
        call(env->db, QStringLiteral("A%1").arg(i));
    call(env->db, QStringLiteral("B100"), hall.counter3);
    env->session.counterFilter = counterFilterFor(QString::number(hall.counter1));
    Board mirror(env->db, *env, CallBoardEngine::Mode::Follow, 3);
    ASSERT_TRUE(mirror.engine->addFirst());
    EXPECT_EQ(mirror.tokens(), (QStringList{"A5", "A4", "A3"}));
    EXPECT_FALSE(mirror.engine->readNew()) << "the opening calls are not shown again";

    call(env->db, QStringLiteral("B101"), hall.counter3);
    call(env->db, QStringLiteral("A6"));
    EXPECT_TRUE(mirror.engine->readNew());
    EXPECT_EQ(mirror.tokens(), (QStringList{"A6", "A5", "A4"}));
    EXPECT_EQ(mirror.shown, QStringList{"A6"});
    EXPECT_TRUE(mirror.sink.labels.isEmpty());
}

TEST_P(CallFollowTest, ACallCommittedLateIsFollowedAfterLaterOnesAlreadyShown)
{
    if (!postgres())
        GTEST_SKIP() << "one writer at a time on SQLite";
    Board mirror(env->db, *env, CallBoardEngine::Mode::Follow);
    ASSERT_TRUE(mirror.engine->addFirst());
    auto slow = env->secondConnection();
    auto quick = env->secondConnection();
    {
        // The slow counter's transaction started first, so its call's stamp is the lower one.
        Database::Transaction t(*slow);
        call(*slow, QStringLiteral("A1"));
        call(*quick, QStringLiteral("A2"));
        EXPECT_TRUE(mirror.engine->readNew());
        EXPECT_EQ(mirror.shown, QStringList{"A2"});
        t.commit();
    }
    EXPECT_TRUE(mirror.engine->readNew());
    EXPECT_FALSE(mirror.engine->readNew());
    EXPECT_EQ(mirror.shown, (QStringList{"A2", "A1"}));
}

TEST_P(CallFollowTest, TheServerWakesTheBoardWithoutASafetyRead)
{
    if (!postgres())
        GTEST_SKIP() << "SQLite boards poll";
    auto counter = env->secondConnection();
    for (auto mode : {CallBoardEngine::Mode::Take, CallBoardEngine::Mode::Follow}) {
        Board board(env->db, *env, mode);
        ASSERT_TRUE(board.engine->addFirst());
        CallWakeup wakeup(env->db, env->clock);
        wakeup.setReader([&] {
            board.engine->readNew();
            return board.engine->lastReadOk();
        });
        wakeup.start();
        EXPECT_EQ(wakeup.way(), CallWakeup::Way::Push);
        EXPECT_EQ(wakeup.timer()->interval(), CallWakeup::SafetyMs);
        EXPECT_TRUE(wakeup.subscribed());
        wakeup.timer()->stop(); // only the notification can wake it now

        const QString label =
            mode == CallBoardEngine::Mode::Take ? QStringLiteral("A1") : QStringLiteral("A2");
        const qint64 key = call(*counter, label);
        ASSERT_TRUE(QTest::qWaitFor([&] { return board.tokens().first() == label; }, 10000));
        EXPECT_GE(wakeup.notifications(), 1u);
        if (mode == CallBoardEngine::Mode::Take) {
            EXPECT_EQ(status1Of(*counter, key), QStringLiteral("1"));
            // A recall wakes it too.
            recall(*counter, key);
            ASSERT_TRUE(QTest::qWaitFor([&] { return board.shown.size() == 2; }, 10000));
        }
        // A taken call (status1 "1") is no news.
        const quint64 reads = wakeup.reads();
        counter->exec(QStringLiteral("update tblCall set status1='1'"));
        QTest::qWait(100);
        EXPECT_EQ(wakeup.reads(), reads);
        wakeup.stop();
    }
}

TEST_P(CallFollowTest, AfterADroppedConnectionTheBoardCatchesUpMissingNoneAndRepeatingNone)
{
    if (!postgres())
        GTEST_SKIP() << "needs a server connection to drop";
    auto counter = env->secondConnection();
    auto admin = env->secondConnection();
    Board mirror(env->db, *env, CallBoardEngine::Mode::Follow);
    ASSERT_TRUE(mirror.engine->addFirst());
    CallWakeup wakeup(env->db, env->clock);
    wakeup.setReader([&] {
        mirror.engine->readNew();
        return mirror.engine->lastReadOk();
    });
    wakeup.start();
    wakeup.timer()->stop();
    const qint64 a1 = call(*counter, QStringLiteral("A1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.shown.size() == 1; }, 10000));

    // The server ends the board's connection; what happens meanwhile sends it no notification. The
    // board sees its connection close and reads at once (no safety read runs here): the data layer
    // opens a new connection and subscribes it again, and the board reads what it missed.
    outage::terminateBackend(env->db, *admin);
    call(*counter, QStringLiteral("A2"));
    call(*counter, QStringLiteral("A3"));
    recall(*counter, a1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.shown.size() >= 4; }, 10000));
    QTest::qWait(100);
    EXPECT_EQ(mirror.shown, (QStringList{"A1", "A2", "A3", "A1"}));
    EXPECT_EQ(mirror.tokens(), (QStringList{"A1", "A3", "A2", "A1"}));
    EXPECT_TRUE(wakeup.subscribed());

    // Woken by the server again on the new connection.
    call(*counter, QStringLiteral("A4"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirror.shown.size() == 5; }, 10000));
    EXPECT_EQ(mirror.shown.last(), QStringLiteral("A4"));
}

TEST_P(CallFollowTest, SqliteBoardsKeepTheTenMillisecondPoll)
{
    CallWakeup wakeup(env->db, env->clock);
    int reads = 0;
    wakeup.setReader([&] { return ++reads > 0; });
    wakeup.start();
    EXPECT_EQ(wakeup.way(), postgres() ? CallWakeup::Way::Push : CallWakeup::Way::Poll);
    EXPECT_EQ(wakeup.timer()->interval(), postgres() ? CallWakeup::SafetyMs : CallWakeup::PollMs);
    EXPECT_EQ(wakeup.subscribed(), postgres());
}

TEST_P(CallFollowTest, TheOfflineMarkComesWhenNothingWorkedForAFewSecondsAndGoesWithTheNextRead)
{
    CallWakeup wakeup(env->db, env->clock);
    bool storeAnswers = true;
    wakeup.setReader([&] { return storeAnswers; });
    wakeup.start();
    wakeup.timer()->stop();
    EXPECT_FALSE(wakeup.offline());
    storeAnswers = false;
    env->clock.advanceSecs(2);
    wakeup.readNow();
    EXPECT_FALSE(wakeup.offline()) << "a short gap is not worth a mark";
    env->clock.advanceSecs(2);
    EXPECT_TRUE(wakeup.offline());
    wakeup.readNow();
    EXPECT_TRUE(wakeup.offline());
    storeAnswers = true;
    wakeup.readNow();
    EXPECT_FALSE(wakeup.offline());
}

TEST_P(CallFollowTest, TheCallTriggerIsMadeAgainWhenItWasChanged)
{
    if (postgres()) {
        env->db.exec(QStringLiteral("create or replace function brivane_call_changed() returns trigger "
                                    "language plpgsql as $$ begin return new; end $$"));
    } else {
        env->db.exec(QStringLiteral("drop trigger brivane_call_recall"));
    }
    env->db.open(env->session.connection, env->dir.path());
    const qint64 a1 = call(env->db, QStringLiteral("A1"));
    env->db.exec(QStringLiteral("update tblCall set status1='1'"));
    const auto stampOf = [&] {
        return env->db.query(QStringLiteral("select callstamp from tblCall where callauto=?"), {a1})
            .number(0, 0);
    };
    const qint64 first = stampOf();
    EXPECT_GT(first, 0);
    recall(env->db, a1);
    EXPECT_GT(stampOf(), first) << "a recall is stamped anew";
}

TEST_P(CallFollowTest, TheBoardWindowFollowsOrTakesAsItsSettingsSay)
{
    env->session.themeId = addTheme(env->db);
    auto counter = env->secondConnection();
    for (const bool mirror : {false, true}) {
        env->settings().set(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("mirror"),
                            mirror ? 1 : 0);
        auto* board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
        ASSERT_NE(board, nullptr);
        board->Timer1->stop(); // on PostgreSQL only the server's notification reads now
        EXPECT_EQ(board->engine().mode(),
                  mirror ? CallBoardEngine::Mode::Follow : CallBoardEngine::Mode::Take);
        EXPECT_EQ(board->engine().announces(), !mirror) << "a mirror speaks only when the settings name it";
        EXPECT_EQ(board->Timer1->interval(), postgres() ? CallWakeup::SafetyMs : CallWakeup::PollMs);

        const QString label = mirror ? QStringLiteral("A2") : QStringLiteral("A1");
        const qint64 key = call(*counter, label);
        if (!postgres())
            board->Timer1_Timer();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return board->table().text(1, 1) == label + QLatin1Char(' '); }, 10000));
        EXPECT_EQ(status1Of(*counter, key), mirror ? QStringLiteral("0") : QStringLiteral("1"));
        EXPECT_FALSE(board->lblOffline->isVisible());
        board->close();
        QCoreApplication::processEvents();
    }
}

BRIVANE_STORE_TEST_SUITE(CallFollowTest);

} // namespace
