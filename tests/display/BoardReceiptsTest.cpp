#include "display/BoardReceipts.h"

#include "BoardUnderTest.h"
#include "DisplayTestSupport.h"
#include "core/CallDelivery.h"
#include "display/frmDisplay.h"
#include "display/voice/AnnouncerLink.h"
#include "display/voice/VoiceProgram.h"
#include "testsupport/KindLogins.h"
#include "testsupport/TestEnv.h"

#include <QSysInfo>
#include <QTest>
#include <QTextStream>

#include <thread>

namespace {

using delivery::ScreenKind;

// "name:shown" or "name:-" per receipt, by name.
QStringList receiptsByName(Database& db, qint64 callAuto)
{
    QStringList out;
    for (const delivery::Receipt& r : delivery::receiptsOf(db, callAuto))
        out << r.screen + (r.shownAt.isEmpty() ? QStringLiteral(":-") : QStringLiteral(":shown"));
    out.sort();
    return out;
}

class BoardReceiptsTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        today = env->clock.todayText();
        if (GetParam() == Store::Postgres) {
            logins = std::make_unique<KindLogins>(*env);
            if (!logins->available())
                GTEST_SKIP() << "the test server's role may not create roles";
        }
    }
    void TearDown() override
    {
        logins.reset();
        StoreTest::TearDown();
    }
    // A board's own connection: on a server, on a board's login.
    std::unique_ptr<Database> boardConnection(const QString& suffix)
    {
        return logins ? logins->open(kinds::Kind::Board, suffix) : env->secondConnection();
    }
    qint64 call(const QString& label, qint64 counter = 0)
    {
        return addCall(env->db, counter ? counter : hall.counter1, label, QStringLiteral("Room 1"), today);
    }

    Hall hall;
    QString today;
    std::unique_ptr<KindLogins> logins;
};

// A taking board, a mirror of counter 1 and the taking board's announcer: each records what it showed
// or spoke, a recall is recorded anew, and a call the announcer did not speak is not recorded for it.
TEST_P(BoardReceiptsTest, BoardMirrorAndAnnouncerRecordWhatTheyShowedAndSpoke)
{
    const qint64 before = call(QStringLiteral("A0"));
    auto takerDb = boardConnection(QStringLiteral("taker"));
    auto mirrorDb = boardConnection(QStringLiteral("mirror"));
    ASSERT_TRUE(takerDb && mirrorDb);

    QString printed, errors;
    QTextStream out(&printed), err(&errors);
    auto voice = std::make_unique<VoiceProgram>(env->dir.path(), env->settings().fileName(), out, err);
    ASSERT_FALSE(voice->start({QStringLiteral("--print")}).has_value()) << errors.toStdString();
    AnnouncerLink link(announcer::socketPath(env->dir.path()));
    link.setSpokenHandler(
        [](const announcer::Spoken& s) { BoardReceipts::spokenOn(s.screen, s.callAuto, s.stamp); });

    BoardUnderTest taker(*takerDb, *env, CallBoardEngine::Mode::Take);
    BoardReceipts takerReceipts(*takerDb, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    taker.engine->setShownCallSink(&link);
    taker.engine->setReceiptSink(&takerReceipts, takerReceipts.screen());
    // The mirror shows counter 1 only.
    const QString everyCounter = env->session.counterFilter;
    env->session.counterFilter = QStringLiteral("and(servAuto=%1)").arg(hall.counter1);
    BoardUnderTest mirror(*mirrorDb, *env, CallBoardEngine::Mode::Follow);
    env->session.counterFilter = everyCounter;
    BoardReceipts mirrorReceipts(*mirrorDb, env->clock, QStringLiteral("Door"), ScreenKind::Mirror,
                                 {hall.counter1});
    mirror.engine->setReceiptSink(&mirrorReceipts, mirrorReceipts.screen());

    // A0 was shown before the mirror came: its first fill records nothing. The taking board takes A0
    // now, at its first fill: it is new to the hall, so it is shown, spoken and recorded.
    takerReceipts.start();
    mirrorReceipts.start();
    ASSERT_TRUE(mirror.engine->addFirst());
    ASSERT_TRUE(taker.engine->addFirst());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return receiptsByName(env->db, before).contains("Hall (voice):shown"); }, 10000))
        << errors.toStdString();
    EXPECT_EQ(receiptsByName(env->db, before), (QStringList{"Door:-", "Hall (voice):shown", "Hall:shown"}));

    const qint64 a1 = call(QStringLiteral("A1"));
    EXPECT_TRUE(taker.engine->readNew());
    EXPECT_TRUE(mirror.engine->readNew());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return receiptsByName(env->db, a1).contains("Hall (voice):shown"); }, 10000));
    EXPECT_EQ(receiptsByName(env->db, a1), (QStringList{"Door:shown", "Hall (voice):shown", "Hall:shown"}));

    // A recall is a showing of its own, shown and spoken again.
    env->db.exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {a1});
    EXPECT_FALSE(receiptsByName(env->db, a1).join(' ').contains(QStringLiteral(":shown")))
        << "nobody has shown the recall yet";
    EXPECT_TRUE(taker.engine->readNew());
    EXPECT_TRUE(mirror.engine->readNew());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return receiptsByName(env->db, a1).contains("Hall (voice):shown"); }, 10000));
    EXPECT_EQ(receiptsByName(env->db, a1), (QStringList{"Door:shown", "Hall (voice):shown", "Hall:shown"}));

    // Counter 3's call is not the mirror's.
    const qint64 b1 = call(QStringLiteral("B100"), hall.counter3);
    EXPECT_TRUE(taker.engine->readNew());
    EXPECT_FALSE(mirror.engine->readNew());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return receiptsByName(env->db, b1).contains("Hall (voice):shown"); }, 10000));
    EXPECT_EQ(receiptsByName(env->db, b1), (QStringList{"Hall (voice):shown", "Hall:shown"}));

    // The announcer goes away: the next call is shown but nobody says it was spoken.
    voice.reset();
    const qint64 a2 = call(QStringLiteral("A2"));
    EXPECT_TRUE(taker.engine->readNew());
    EXPECT_TRUE(mirror.engine->readNew());
    QTest::qWait(300);
    EXPECT_EQ(receiptsByName(env->db, a2), (QStringList{"Door:shown", "Hall (voice):-", "Hall:shown"}));
    EXPECT_EQ(takerReceipts.lost(), 0u);
}

// An idle board adds no statement but its heartbeat, every few minutes; a hall whose owner has not
// made the receipts' tables yet costs the board nothing but its receipts, until they are there.
TEST_P(BoardReceiptsTest, AnIdleBoardKeepsItselfSeenWithOneStatementEveryFewMinutes)
{
    auto db = boardConnection(QStringLiteral("idle"));
    ASSERT_TRUE(db);
    BoardReceipts receipts(*db, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    receipts.start();
    const quint64 started = db->statementsSent();
    for (int minute = 1; minute < delivery::HeartbeatMinutes; ++minute) {
        env->clock.advanceSecs(60);
        receipts.beat();
    }
    EXPECT_EQ(db->statementsSent(), started) << "nothing is written while the board was seen lately";
    env->clock.advanceSecs(60);
    receipts.beat();
    EXPECT_EQ(db->statementsSent(), started + 1);
    EXPECT_EQ(delivery::stampText(delivery::screens(env->db).value(0).lastSeen),
              delivery::stampText(env->clock.now()));

    // The tables go (an older hall): the board shows on and records nothing, then finds them again.
    for (const QString& t : delivery::tables())
        env->db.exec(QStringLiteral("drop table %1").arg(t));
    CallRow shown;
    shown.callAuto = call(QStringLiteral("A1"));
    receipts.callShown(shown);
    receipts.callShown(shown);
    EXPECT_EQ(receipts.lost(), 1u) << "once the tables are missing the board stops trying";
    delivery::ensureTables(env->db);
    if (logins)
        kinds::ensureRoles(env->db);
    env->clock.advanceSecs(60);
    receipts.beat();
    EXPECT_EQ(delivery::screens(env->db).size(), 1)
        << "the heartbeat found the tables and announced the board";
}

// The board window records under the screen name of the settings, as a board or a mirror.
TEST_P(BoardReceiptsTest, TheBoardWindowRecordsUnderItsScreenName)
{
    env->session.themeId = addTheme(env->db);
    env->settings().set(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("screenname"),
                        QStringLiteral("Entrance"));
    env->settings().set(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("mirror"), 1);
    auto* board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
    ASSERT_NE(board, nullptr);
    ASSERT_NE(board->receipts(), nullptr);
    EXPECT_EQ(board->receipts()->screen(), QStringLiteral("Entrance"));
    const qint64 a1 = call(QStringLiteral("A1"));
    board->engine().readNew();
    EXPECT_EQ(receiptsByName(env->db, a1), (QStringList{"Entrance:shown"}));
    const QVector<delivery::Screen> screens = delivery::screens(env->db);
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(screens[0].kind, ScreenKind::Mirror);
    board->close();
    QCoreApplication::processEvents();

    env->settings().set(QStringLiteral("Queue"), QStringLiteral("display"), QStringLiteral("screenname"),
                        QString());
    EXPECT_EQ(BoardReceipts::screenName(env->settings()), QSysInfo::machineHostName());
}

BRIVANE_STORE_TEST_SUITE(BoardReceiptsTest);

// Boards on threads of their own (the benchmark runs several) come and go at the same moments; the
// list that hands the announcer's answers to a board by its name stays whole. Without its lock this
// broke the heap within a few runs of the benchmark.
TEST(BoardReceiptsOnThreads, BoardsComingAndGoingAtOnceLeaveTheNamedBoardFindable)
{
    SystemClock clock;
    Database closed;
    BoardReceipts named(closed, clock, QStringLiteral("Entrance"), ScreenKind::Board, {});
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([t, &clock] {
            Database own;
            for (int i = 0; i < 500; ++i)
                BoardReceipts passing(own, clock, QStringLiteral("Board %1").arg(t), ScreenKind::Board, {});
        });
    for (std::thread& t : threads)
        t.join();
    // Found by its name: its receipt is lost on the closed store, the only trace a test can see.
    BoardReceipts::spokenOn(QStringLiteral("Entrance"), 1, 1);
    EXPECT_EQ(named.lost(), 1u);
    BoardReceipts::spokenOn(QStringLiteral("Board 3"), 1, 1);
    EXPECT_EQ(named.lost(), 1u);
}

} // namespace
