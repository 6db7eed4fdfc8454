#include "core/CallDelivery.h"

#include "core/WorkstationKinds.h"
#include "maintenance/Maintenance.h"
#include "testsupport/KindLogins.h"
#include "testsupport/TestEnv.h"

namespace {

using delivery::Receipt;
using delivery::ScreenKind;

// "name:shown" or "name:-" per receipt, in the order given.
QStringList summary(const QVector<Receipt>& receipts)
{
    QStringList out;
    for (const Receipt& r : receipts)
        out << r.screen + (r.shownAt.isEmpty() ? QStringLiteral(":-") : QStringLiteral(":shown"));
    return out;
}

class CallDeliveryTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
    }
    qint64 call(Database& db, qint64 counter, const QString& label)
    {
        return db.insert(QStringLiteral("tblCall"), {{QStringLiteral("servAuto"), counter},
                                                     {QStringLiteral("no_abr"), label},
                                                     {QStringLiteral("displayName"), QStringLiteral("Room")},
                                                     {QStringLiteral("status1"), QStringLiteral("0")},
                                                     {QStringLiteral("tickAuto"), 1},
                                                     {QStringLiteral("tickDate"), env->clock.todayText()}});
    }
    qint64 stampOf(Database& db, qint64 callAuto)
    {
        return db.query(QStringLiteral("select callstamp from tblCall where callauto=?"), {callAuto})
            .number(0, 0);
    }
    static void recall(Database& db, qint64 callAuto)
    {
        db.exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {callAuto});
    }
    void later(int seconds) { env->clock.set(env->clock.now().addSecs(seconds)); }

    Hall hall;
};

TEST_P(CallDeliveryTest, TheScreensOfACallsCounterAreExpectedAndEachShowingIsCountedOnce)
{
    Database& db = env->db;
    ASSERT_TRUE(delivery::present(db));
    // A board switched off long ago, then the hall's screens of today.
    delivery::announceScreen(db, env->clock, QStringLiteral("Yesterday"), ScreenKind::Mirror, {});
    later(11 * 60);
    delivery::announceScreen(db, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    delivery::announceScreen(db, env->clock, QStringLiteral("Door"), ScreenKind::Mirror, {hall.counter1});
    delivery::announceScreen(db, env->clock, QStringLiteral("Lab"), ScreenKind::Mirror, {hall.counter3});
    delivery::announceScreen(db, env->clock, QStringLiteral("Side"), ScreenKind::Board, {hall.counter1});
    delivery::announceScreen(db, env->clock, QStringLiteral("Hall (voice)"), ScreenKind::Announcer, {});
    later(5);

    const qint64 a1 = call(db, hall.counter1, QStringLiteral("A1"));
    const QString now = delivery::stampText(env->clock.now());
    // Nothing shown yet: every screen that shows counter 1 and was seen lately, by name.
    EXPECT_EQ(summary(delivery::receiptsOf(db, a1, now)),
              (QStringList{"Door:-", "Hall:-", "Hall (voice):-", "Side:-"}));

    later(1);
    delivery::recordShown(db, env->clock, QStringLiteral("Door"), a1, stampOf(db, a1));
    later(1);
    // The taking board "Side" took it: the other taking board had no part in this call.
    delivery::recordShown(db, env->clock, QStringLiteral("Side"), a1, stampOf(db, a1));
    delivery::recordShown(db, env->clock, QStringLiteral("Side"), a1, stampOf(db, a1));
    EXPECT_EQ(summary(delivery::receiptsOf(db, a1, now)),
              (QStringList{"Door:shown", "Side:shown", "Hall (voice):-"}));
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from brivane_shown")).number(0, 0), 2)
        << "a showing acknowledged twice is one receipt";
    later(1);
    delivery::recordShown(db, env->clock, QStringLiteral("Hall (voice)"), a1, stampOf(db, a1),
                          ScreenKind::Announcer);
    const QVector<Receipt> all = delivery::receiptsOf(db, a1);
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[2].kind, ScreenKind::Announcer);
    EXPECT_EQ(all[0].kind, ScreenKind::Mirror);

    // A recall is a new showing: nobody has shown it yet.
    later(30);
    recall(db, a1);
    EXPECT_EQ(summary(delivery::receiptsOf(db, a1, delivery::stampText(env->clock.now()))),
              (QStringList{"Door:-", "Hall:-", "Hall (voice):-", "Side:-"}));
    delivery::recordShown(db, env->clock, QStringLiteral("Hall"), a1, stampOf(db, a1));

    // The day's listing keeps both showings with their own receipts.
    const QVector<delivery::Showing> day = delivery::showingsOfDay(db, env->clock.today());
    ASSERT_EQ(day.size(), 2);
    EXPECT_LT(day[0].stamp, day[1].stamp);
    EXPECT_EQ(summary(day[0].receipts), (QStringList{"Door:shown", "Side:shown", "Hall (voice):shown"}));
    EXPECT_EQ(summary(day[1].receipts), (QStringList{"Hall:shown", "Door:-", "Hall (voice):-"}));

    // Counter 3's call is for the lab's screen and the boards of every counter only.
    const qint64 b1 = call(db, hall.counter3, QStringLiteral("B100"));
    EXPECT_EQ(summary(delivery::receiptsOf(db, b1, delivery::stampText(env->clock.now()))),
              (QStringList{"Hall:-", "Hall (voice):-", "Lab:-"}));

    // Ten minutes without a sign of life: no screen is expected any more; one that comes back starts
    // afresh, and is not expected for a call made before it came.
    later(11 * 60);
    const qint64 a2 = call(db, hall.counter1, QStringLiteral("A2"));
    EXPECT_TRUE(delivery::receiptsOf(db, a2, delivery::stampText(env->clock.now())).isEmpty());
    const QString a2At = delivery::stampText(env->clock.now());
    later(5 * 60);
    delivery::announceScreen(db, env->clock, QStringLiteral("Door"), ScreenKind::Mirror, {hall.counter1});
    EXPECT_TRUE(delivery::receiptsOf(db, a2, a2At).isEmpty());
    const qint64 a3 = call(db, hall.counter1, QStringLiteral("A3"));
    EXPECT_EQ(summary(delivery::receiptsOf(db, a3, delivery::stampText(env->clock.now()))),
              (QStringList{"Door:-"}));
}

TEST_P(CallDeliveryTest, ClearingOldDataTakesTheReceiptsWithTheCalls)
{
    Database& db = env->db;
    delivery::announceScreen(db, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    const qint64 old = call(db, hall.counter1, QStringLiteral("A1"));
    delivery::recordShown(db, env->clock, QStringLiteral("Hall"), old, stampOf(db, old));
    env->clock.set(env->clock.now().addDays(3));
    delivery::announceScreen(db, env->clock, QStringLiteral("Door"), ScreenKind::Mirror, {});
    const qint64 fresh = call(db, hall.counter1, QStringLiteral("A2"));
    delivery::recordShown(db, env->clock, QStringLiteral("Door"), fresh, stampOf(db, fresh));

    maintenance::deleteTicketsBefore(db, env->clock.today());
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from brivane_shown")).number(0, 0), 1);
    const QVector<delivery::Screen> left = delivery::screens(db);
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].name, QStringLiteral("Door"));
    EXPECT_EQ(summary(delivery::receiptsOf(db, fresh)), (QStringList{"Door:shown"}));
}

TEST_P(CallDeliveryTest, EachKindDoesItsPartOnItsOwnLogin)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    Database& board = logins.workstation(kinds::Kind::Board);
    Database& counter = logins.workstation(kinds::Kind::Counter);
    Database& kiosk = logins.workstation(kinds::Kind::Kiosk);

    // The board announces itself and records what it showed, again and again.
    delivery::announceScreen(board, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    delivery::announceScreen(board, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    const qint64 a1 = call(counter, hall.counter1, QStringLiteral("A1"));
    delivery::recordShown(board, env->clock, QStringLiteral("Hall"), a1, stampOf(board, a1));
    delivery::recordShown(board, env->clock, QStringLiteral("Hall"), a1, stampOf(board, a1));
    delivery::recordShown(board, env->clock, QStringLiteral("Hall (voice)"), a1, stampOf(board, a1),
                          ScreenKind::Announcer);

    // The counter reads them and may change nothing; a kiosk has no business with them.
    EXPECT_EQ(summary(delivery::receiptsOf(counter, a1)), (QStringList{"Hall:shown", "Hall (voice):shown"}));
    EXPECT_THROW(delivery::recordShown(counter, env->clock, QStringLiteral("Hall"), a1, 99), DbError);
    EXPECT_THROW(delivery::announceScreen(counter, env->clock, QStringLiteral("Fake"), ScreenKind::Board, {}),
                 DbError);
    EXPECT_THROW(delivery::screens(kiosk), DbError);
    EXPECT_THROW(board.exec(QStringLiteral("delete from brivane_shown")), DbError);

    // The office clears them with the old calls.
    env->clock.set(env->clock.now().addDays(2));
    maintenance::deleteTicketsBefore(env->db, env->clock.today());
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from brivane_shown")).number(0, 0), 0);
}

TEST_P(CallDeliveryTest, AnOlderHallGetsTheTablesAndTheirGrantsAtItsOwnersNextOpen)
{
    Database& db = env->db;
    for (const QString& t : delivery::tables())
        db.exec(QStringLiteral("drop table %1").arg(t));
    ASSERT_FALSE(delivery::present(db));
    // A reader that opens the hall as it is changes nothing and is told by the store.
    {
        auto reader = std::make_unique<Database>();
        reader->open(env->connectionValues(), env->dir.path(), Database::Creation::AsItIs);
        EXPECT_FALSE(delivery::present(*reader));
        EXPECT_THROW(delivery::screens(*reader), DbError);
        EXPECT_EQ(delivery::clearBefore(*reader, env->clock.today()), 0);
    }
    // The owner's next open makes them, and on a server grants them to the kinds.
    auto owner = env->secondConnection();
    EXPECT_TRUE(delivery::present(*owner));
    if (GetParam() == Store::Sqlite)
        return;
    KindLogins logins(*env);
    if (!logins.available())
        return;
    Database& board = logins.workstation(kinds::Kind::Board);
    delivery::announceScreen(board, env->clock, QStringLiteral("Hall"), ScreenKind::Board, {});
    EXPECT_EQ(delivery::screens(logins.workstation(kinds::Kind::Counter)).size(), 1);
}

BRIVANE_STORE_TEST_SUITE(CallDeliveryTest);

TEST(CallDeliveryRules, ExpectedScreensFollowTheirCountersWindowAndTheTakingBoardsShare)
{
    const QDateTime at(QDate(2024, 1, 15), QTime(10, 0));
    const auto screen = [&](const QString& name, ScreenKind kind, QVector<qint64> counters, int firstMinutes,
                            int lastMinutes) {
        return delivery::Screen{name, kind, counters, at.addSecs(60 * firstMinutes),
                                at.addSecs(60 * lastMinutes)};
    };
    const QVector<delivery::Screen> screens{
        screen("Board A", ScreenKind::Board, {}, -60, -1),
        screen("Board B", ScreenKind::Board, {7}, -60, -9),
        screen("Away", ScreenKind::Mirror, {}, -60, -11),       // last seen before the window
        screen("Later", ScreenKind::Mirror, {}, 5, 6),          // came after the call
        screen("Just after", ScreenKind::Web, {}, 0, 0),        // within the clocks' slack
        screen("Other counter", ScreenKind::Mirror, {8}, -5, 0) // shows another counter
    };
    EXPECT_EQ(summary(delivery::receiptsFrom(screens, 7, at, {})),
              (QStringList{"Board A:-", "Board B:-", "Just after:-"}));
    // Once a taking board showed it, the other taking board is not waited for.
    const QVector<QPair<QString, QString>> shown{{"Just after", "2024-01-15 10:00:02"},
                                                 {"Board B", "2024-01-15 10:00:01"}};
    EXPECT_EQ(summary(delivery::receiptsFrom(screens, 7, at, shown)),
              (QStringList{"Board B:shown", "Just after:shown"}));
    // Without a moment, the first receipt stands for it; without either, only what was shown counts.
    EXPECT_EQ(summary(delivery::receiptsFrom(screens, 7, QDateTime(), shown)).size(), 2);
    EXPECT_EQ(delivery::kindOfName(delivery::kindName(ScreenKind::Announcer)), ScreenKind::Announcer);
    EXPECT_EQ(delivery::kindOfName(QStringLiteral("something new")), ScreenKind::Board);
}

} // namespace
