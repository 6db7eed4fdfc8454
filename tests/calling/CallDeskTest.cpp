#include "calling/CallDesk.h"
#include "CallingSupport.h"

#include <gtest/gtest.h>

using namespace callingtest;

namespace {

class CallDeskTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        desk = std::make_unique<CallDesk>(env->db, env->settings(), env->clock);
    }
    void TearDown() override
    {
        desk.reset();
        StoreTest::TearDown();
    }

    // Next as the desk runs it: finish the current token, restore the last one, pick.
    static QString next(CallDesk& d)
    {
        if (!d.state().lblNo.isEmpty()) {
            d.setFinish();
            d.state().lblNo.clear();
        }
        d.getLast();
        d.callNext();
        return d.state().Label1 == QLatin1String("Calling") ? d.state().lblToken : QStringLiteral("Idle");
    }

    ResultSet callRowOf(qint64 ticket)
    {
        return env->db.query(QStringLiteral("select * from tblCall where tickAuto=? order by callauto"),
                             {ticket});
    }

    Hall hall;
    std::unique_ptr<CallDesk> desk;
};

TEST_P(CallDeskTest, NextTakesTheServicesLowestNumberWhateverItsTypeButNotAnotherCountersToken)
{
    Database& db = env->db;
    walkInOn(db, hall, 1, QStringLiteral("2024-01-14")); // yesterday's: never
    const qint64 a3 = walkIn(db, hall, 3);
    directed(db, hall, 2, QStringLiteral("A"), hall.counter2, QStringLiteral("23:00"));
    directed(db, hall, 4, QStringLiteral("E"), hall.counter1);
    Ticket report;
    report.service = hall.consultation;
    report.no = 5;
    report.label = QStringLiteral("A5");
    report.type = QStringLiteral("R");
    addTicket(db, report);
    Ticket lab;
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    addTicket(db, lab);

    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 1")));
    EXPECT_EQ(desk->counter.key, hall.counter1);
    EXPECT_EQ(desk->counter.displayName, QStringLiteral("Room 1"));

    // An emergency directed here and a report come in plain number order; the appointment A2 is
    // another counter's.
    desk->getPending();
    EXPECT_EQ(desk->state().lblTotal, QStringLiteral("Total Pending : 3"));
    EXPECT_EQ(next(*desk), QStringLiteral("A3"));
    EXPECT_EQ(desk->state().lblTotal, QStringLiteral("Total Pending : 2"));
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("call")), QStringLiteral("1"));
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("attended")).toLongLong(), hall.counter1);
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("status")), QStringLiteral("Finished"));
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("attTime")), QStringLiteral("09:00:00"));
    EXPECT_EQ(next(*desk), QStringLiteral("A4"));
    EXPECT_EQ(next(*desk), QStringLiteral("A5"));

    // Nothing left: Idle, the last called token is current again, the Lab token is not touched.
    EXPECT_EQ(next(*desk), QStringLiteral("Idle"));
    EXPECT_EQ(desk->state().lblToken, QStringLiteral("A5"));
    EXPECT_EQ(desk->state().lblLast, QStringLiteral("Last Served : A5"));
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblTicket where call='0'")).number(0, 0), 3);
}

TEST_P(CallDeskTest, CallRowsCarryTheChosenOrMyCounterNames)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 1")));

    // No My Counter, show-both off: the row of an ordinary counter call.
    desk->chooseMyCounter(QString());
    desk->callNext();
    ResultSet row = callRowOf(a1);
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.number(0, QStringLiteral("servAuto")), hall.counter1);
    EXPECT_EQ(row.text(0, QStringLiteral("no_abr")), QStringLiteral("A1"));
    EXPECT_EQ(row.text(0, QStringLiteral("displayName")), QStringLiteral("Room 1"));
    EXPECT_EQ(row.text(0, QStringLiteral("status1")), QStringLiteral("0"));
    EXPECT_EQ(row.text(0, QStringLiteral("tickDate")), QStringLiteral("2024-01-15"));
    EXPECT_EQ(row.text(0, QStringLiteral("contName")), QString());
    EXPECT_EQ(row.text(0, QStringLiteral("displayNameA")), QStringLiteral("Room 1 (2)"));
    EXPECT_TRUE(row.value(0, QStringLiteral("countNameA")).isNull());

    // My Counter is the Lab counter, show-both on: its names, but the desk's counter key.
    env->settings().set(QStringLiteral("queue"), QStringLiteral("show"), QStringLiteral("both"), 1);
    desk->chooseMyCounter(QStringLiteral("Lab"));
    EXPECT_EQ(desk->my.name, QStringLiteral("Counter 3"));
    desk->callNext();
    row = callRowOf(a2);
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.number(0, QStringLiteral("servAuto")), hall.counter1);
    EXPECT_EQ(row.text(0, QStringLiteral("displayName")), QStringLiteral("Lab"));
    EXPECT_EQ(row.text(0, QStringLiteral("contName")), QStringLiteral("Counter 3"));
    EXPECT_EQ(row.text(0, QStringLiteral("displayNameA")), QStringLiteral("Lab (2)"));
    EXPECT_EQ(row.text(0, QStringLiteral("countNameA")), QStringLiteral("Counter 3 (2)"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("attended")).toLongLong(), hall.counter1);

    // Calling a token again from a list reuses the desk's names; an unknown My Counter clears them.
    desk->chooseMyCounter(QStringLiteral("No such room"));
    EXPECT_FALSE(desk->my.isSet());
    desk->callThis(a1);
    row = callRowOf(a1);
    EXPECT_EQ(row.text(row.size() - 1, QStringLiteral("displayName")), QStringLiteral("Room 1"));
    EXPECT_EQ(row.text(row.size() - 1, QStringLiteral("contName")), QStringLiteral("Counter 1"));
    EXPECT_EQ(desk->state().lblToken, QStringLiteral("A1"));
}

TEST_P(CallDeskTest, PendingCountsOnlyTheServiceAndUnknownCountersChangeNothing)
{
    Database& db = env->db;
    walkIn(db, hall, 1);
    directed(db, hall, 2, QStringLiteral("E"), hall.counter2); // another counter's
    Ticket lab; // directed to counter 1 from another service: not the desk's queue
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    lab.attended = hall.counter1;
    lab.status = QStringLiteral("Transferred");
    addTicket(db, lab);

    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 1")));
    desk->getPending();
    EXPECT_EQ(desk->state().lblTotal, QStringLiteral("Total Pending : 1"));

    EXPECT_FALSE(desk->getDetails(QStringLiteral("Counter 9")));
    EXPECT_EQ(desk->counter.key, hall.counter1);
    EXPECT_EQ(desk->counter.service, hall.consultation);
    // A name with a quote is just a name.
    EXPECT_FALSE(desk->getDetails(QStringLiteral("x' or '1'='1")));
    EXPECT_EQ(desk->counter.key, hall.counter1);
}

TEST_P(CallDeskTest, ACounterWithoutCallsLeavesNoHiddenCurrentToken)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 1")));
    EXPECT_EQ(next(*desk), QStringLiteral("A1"));

    // Switching to a counter that called nothing today: Recall and Cancel have nothing to act on.
    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 3")));
    desk->getLast();
    EXPECT_EQ(desk->state().lblLast, QStringLiteral("Last Served : Not Available"));
    EXPECT_TRUE(desk->state().lblToken.isEmpty());
    EXPECT_TRUE(desk->state().lblNo.isEmpty());
    EXPECT_FALSE(desk->cancelCurrent());
    EXPECT_NE(ticketText(db, a1, QStringLiteral("status")), QStringLiteral("Cancelled"));

    // Back at counter 1 the token is current again and is cancelled, staying called.
    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 1")));
    desk->getLast();
    EXPECT_TRUE(desk->cancelCurrent());
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("status")), QStringLiteral("Cancelled"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("call")), QStringLiteral("1"));
}

TEST_P(CallDeskTest, DesksKeepTheirOwnCountersAndNeverShareAToken)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    Ticket lab;
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    addTicket(db, lab);

    auto otherDb = env->secondConnection();
    CallDesk labDesk(*otherDb, env->settings(), env->clock);
    ASSERT_TRUE(labDesk.getDetails(QStringLiteral("Counter 3")));
    ASSERT_TRUE(desk->getDetails(QStringLiteral("Counter 1")));
    EXPECT_EQ(next(labDesk), QStringLiteral("B100"));

    // A second desk on the same service takes A1 between this desk's pick and its take.
    CallDesk rival(*otherDb, env->settings(), env->clock);
    ASSERT_TRUE(rival.getDetails(QStringLiteral("Counter 2")));
    int raced = 0;
    desk->beforeTake = [&](qint64 key) {
        if (raced++ == 0) {
            EXPECT_EQ(key, a1);
            rival.callNext();
        }
    };
    desk->callNext();
    EXPECT_EQ(rival.state().lblToken, QStringLiteral("A1"));
    EXPECT_EQ(desk->state().lblToken, QStringLiteral("A2"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attended")).toLongLong(), hall.counter2);
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("attended")).toLongLong(), hall.counter1);
    EXPECT_EQ(callRows(db, a1), 1);
    EXPECT_EQ(callRows(db, a2), 1);
    EXPECT_EQ(labDesk.counter.key, hall.counter3);
}

BRIVANE_STORE_TEST_SUITE(CallDeskTest);

} // namespace
