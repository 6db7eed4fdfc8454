#include "calling/CallEngine.h"
#include "CallingSupport.h"
#include "calling/TokenMoves.h"

#include <gtest/gtest.h>

using namespace callingtest;

namespace {

class CallEngineTest : public CounterEngineTest
{
protected:
    ResultSet callRowOf(qint64 ticket)
    {
        return env->db.query(QStringLiteral("select * from tblCall where tickAuto=? order by callauto"),
                             {ticket});
    }
};

TEST_P(CallEngineTest, EmergencyThenDueAppointmentThenWalkInsByNumber)
{
    Database& db = env->db;
    env->clock.setTime(QTime(10, 29, 59));
    const qint64 a1 = walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    // A walk-in transferred to another counter is that counter's, not this one's.
    db.exec(QStringLiteral("update tblTicket set attended=?, status='Transferred' where tickAuto=?"),
            {hall.counter2, a1});
    directed(db, hall, 5, QStringLiteral("A"), hall.counter1, QStringLiteral("10:30"));
    directed(db, hall, 4, QStringLiteral("E"), hall.counter1);
    directed(db, hall, 3, QStringLiteral("E"), hall.counter2); // another counter's emergency
    directed(db, hall, 6, QStringLiteral("R"), hall.counter1); // reports are called from the lists only
    directed(db, hall, 7, QStringLiteral("A"), hall.counter1, QStringLiteral("11:00"));
    walkInOn(db, hall, 0, QStringLiteral("2024-01-14"));

    engine->getLast();
    EXPECT_EQ(engine->state.lblLast, QStringLiteral("Last Served : Not Available"));
    EXPECT_EQ(next(), QStringLiteral("A4"));
    EXPECT_EQ(engine->state.walkInCount, 0);
    // The appointment of 10:30 is not due at 10:29:59 ...
    EXPECT_EQ(next(), QStringLiteral("A2"));
    EXPECT_EQ(engine->state.walkInCount, 1);
    // ... and is from 10:30:00 on.
    env->clock.setTime(QTime(10, 30));
    EXPECT_EQ(next(), QStringLiteral("A5"));
    // A1 and A3 (counter 2's), A6 (report), A7 (not yet due) and yesterday's A0 remain.
    EXPECT_EQ(next(), QStringLiteral("Idle"));
    EXPECT_EQ(engine->state.walkInCount, 1);
    // After "Idle" the token called last is current again, so Recall and Cancel act on it.
    EXPECT_EQ(engine->state.lblToken, QStringLiteral("A5"));
    EXPECT_EQ(engine->state.lblLast, QStringLiteral("Last Served : A5"));

    env->clock.setTime(QTime(11, 0));
    EXPECT_EQ(next(), QStringLiteral("A7"));
}

TEST_P(CallEngineTest, LastServedIsTheTokenServedLastAndAnAppointmentIsDueFromItsFirstSecond)
{
    Database& db = env->db;
    env->clock.setTime(QTime(10, 20));
    walkIn(db, hall, 1, QStringLiteral("10:00:00"));
    walkIn(db, hall, 2, QStringLiteral("10:00:10"));
    // The emergency came last, so it has the highest number of the three.
    Ticket e1;
    e1.service = hall.consultation;
    e1.no = 50;
    e1.label = QStringLiteral("E1");
    e1.type = QStringLiteral("E");
    e1.attended = hall.counter1;
    e1.status = QStringLiteral("Transferred");
    addTicket(db, e1);

    EXPECT_EQ(next(), QStringLiteral("E1"));
    env->clock.setTime(QTime(10, 21));
    EXPECT_EQ(next(), QStringLiteral("A1"));
    env->clock.setTime(QTime(10, 22));
    ASSERT_TRUE(engine->transferCurrent(hall.counter2, QString()));
    EXPECT_EQ(next(), QStringLiteral("A2"));
    env->clock.setTime(QTime(10, 23));
    ASSERT_TRUE(engine->finishCurrent());
    // A called row of older data without a call time counts as the earliest.
    Ticket untimed;
    untimed.service = hall.consultation;
    untimed.no = 60;
    untimed.label = QStringLiteral("A60");
    untimed.attended = hall.counter1;
    untimed.call = QStringLiteral("1");
    addTicket(db, untimed);
    // E1, A1 (served and sent on), A2: the last one this counter served is A2.
    engine->getLast();
    EXPECT_EQ(engine->state.lblLast, QStringLiteral("Last Served : A2"));
    EXPECT_EQ(engine->state.lblToken, QStringLiteral("A2"));

    // An appointment for 10:25 behind two older walk-ins.
    walkIn(db, hall, 3, QStringLiteral("10:20:00"));
    walkIn(db, hall, 4, QStringLiteral("10:20:05"));
    directed(db, hall, 9, QStringLiteral("A"), hall.counter1, QStringLiteral("10:25"));
    env->clock.setTime(QTime(10, 24, 59));
    EXPECT_EQ(engine->pendingCount(), 2);
    EXPECT_EQ(next(), QStringLiteral("A3"));
    env->clock.setTime(QTime(10, 25, 0));
    EXPECT_EQ(engine->pendingCount(), 2);
    EXPECT_EQ(next(), QStringLiteral("A9"));
    EXPECT_EQ(engine->state.lblLast, QStringLiteral("Last Served : A3"));
    env->clock.setTime(QTime(10, 25, 20));
    EXPECT_EQ(next(), QStringLiteral("A4"));
    EXPECT_EQ(engine->state.lblLast, QStringLiteral("Last Served : A9"));
}

TEST_P(CallEngineTest, CallMarksTicketAndWritesOneCallRow)
{
    Database& db = env->db;
    env->clock.setTime(QTime(9, 12, 5));
    const qint64 a1 = walkIn(db, hall, 1);
    EXPECT_EQ(next(), QStringLiteral("A1"));
    EXPECT_EQ(engine->state.lblNo, QString::number(a1));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("call")), QStringLiteral("1"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attTime")), QStringLiteral("09:12:05"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    EXPECT_TRUE(ticketText(db, a1, QStringLiteral("finished")).isEmpty());

    const ResultSet rows = callRowOf(a1);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.number(0, 1), hall.counter1); // the counter key, not the service
    EXPECT_EQ(rows.text(0, 2), QStringLiteral("A1"));
    EXPECT_EQ(rows.text(0, 3), QStringLiteral("Room 1"));
    EXPECT_EQ(rows.text(0, 4), QStringLiteral("0"));
    EXPECT_EQ(rows.number(0, 5), a1);
    EXPECT_EQ(rows.text(0, 6), QStringLiteral("2024-01-15"));
    EXPECT_EQ(rows.text(0, 7), QString()); // show-both 0
    EXPECT_EQ(rows.text(0, 8), QStringLiteral("Room 1 (2)"));
    EXPECT_TRUE(rows.isNull(0, 9));
}

TEST_P(CallEngineTest, CallThisAndTheFormsOfTheCallRow)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);

    // Without the setting, the screen's box decides.
    engine->showBothBox = [] { return true; };
    engine->callThis(a1, QString());
    ResultSet r = callRowOf(a1);
    EXPECT_EQ(r.text(0, 7), QStringLiteral("Counter 1"));
    EXPECT_EQ(r.text(0, 9), QStringLiteral("Counter 1 (2)"));

    // The setting wins over the box; the report form always names the counter.
    env->settings().set(QStringLiteral("queue"), QStringLiteral("show"), QStringLiteral("both"), 0);
    engine->callThis(a2, QStringLiteral("Report"));
    r = callRowOf(a2);
    EXPECT_EQ(r.text(0, 7), QStringLiteral("Counter 1"));
    EXPECT_TRUE(r.isNull(0, 9));
    EXPECT_EQ(r.text(0, 8), QStringLiteral("Room 1 (2)"));

    // A cancelled token is called again; the kind is case-sensitive.
    db.exec(QStringLiteral("update tblTicket set status='Cancelled' where tickAuto=?"), {a1});
    engine->callThis(a1, QStringLiteral("report"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    r = callRowOf(a1);
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r.text(1, 7), QString());
    EXPECT_EQ(engine->state.walkInCount, 0);

    // Another day's ticket is never called.
    const qint64 a9 = walkInOn(db, hall, 9, QStringLiteral("2024-01-14"));
    engine->callThis(a9, QString());
    EXPECT_EQ(engine->state.Label1, QStringLiteral("Idle"));
    EXPECT_EQ(engine->state.lblToken, QStringLiteral("A1"));
    EXPECT_EQ(ticketText(db, a9, QStringLiteral("call")), QStringLiteral("0"));
}

TEST_P(CallEngineTest, RecallPutsTheCallBackForTheDisplays)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    next();
    db.exec(QStringLiteral("update tblCall set status1='1'"));
    env->clock.setTime(QTime(9, 30));
    engine->updateRc();
    const ResultSet r = callRowOf(a1);
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r.text(0, 4), QStringLiteral("0"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attTime")), QStringLiteral("09:00:00"));

    // A called ticket whose call never reached the boards gets its call row from the recall.
    const qint64 a2 = walkIn(db, hall, 2);
    db.exec(QStringLiteral("update tblTicket set call='1', attended=? where tickAuto=?"),
            {hall.counter1, a2});
    engine->state.lblNo = QString::number(a2);
    engine->state.lblToken = QStringLiteral("A2");
    engine->updateRc();
    const ResultSet r2 = callRowOf(a2);
    ASSERT_EQ(r2.size(), 1);
    EXPECT_EQ(r2.text(0, 2), QStringLiteral("A2"));
    EXPECT_EQ(r2.text(0, 4), QStringLiteral("0"));
    EXPECT_EQ(r2.number(0, 1), hall.counter1);
    engine->updateRc();
    EXPECT_EQ(callRows(db, a2), 1);
}

TEST_P(CallEngineTest, FinishTimeIsKeptWhenNextFindsNothingAgain)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    next();
    env->clock.setTime(QTime(9, 10));
    EXPECT_EQ(next(), QStringLiteral("Idle")); // finishes A1 at 09:10, A1 current again
    env->clock.setTime(QTime(9, 20));
    EXPECT_EQ(next(), QStringLiteral("Idle"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:10:00"));

    // Called again later, its new service ends at the next finish.
    env->clock.setTime(QTime(9, 30));
    engine->callThis(a1, QString());
    env->clock.setTime(QTime(9, 40));
    next();
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:40:00"));
}

TEST_P(CallEngineTest, PendingCountsServiceAndTokensDirectedHereEachOnce)
{
    Database& db = env->db;
    walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    // Transferred here from the same service: one token, counted once.
    directed(db, hall, 3, QStringLiteral("N"), hall.counter1);
    // Directed here from another service.
    Ticket lab;
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    lab.attended = hall.counter1;
    lab.status = QStringLiteral("Transferred");
    addTicket(db, lab);
    // Not counted: another service's walk-in, yesterday's, called ones.
    Ticket other = lab;
    other.no = 101;
    other.attended = 0;
    other.status.clear();
    addTicket(db, other);
    walkInOn(db, hall, 50, QStringLiteral("2024-01-14"));

    engine->getPending();
    EXPECT_EQ(engine->state.lblTotal, QStringLiteral("Total Pending : 4"));
    next();
    EXPECT_EQ(engine->state.lblTotal, QStringLiteral("Total Pending : 3"));
}

TEST_P(CallEngineTest, ACallIsStoredWholeOrNotAtAll)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    const QString reason = QStringLiteral("No space left on device");

    // The call row cannot be written (a full disk, say): the ticket stays waiting, the reason is told.
    refuse(env->db, QStringLiteral("tblCall"), QStringLiteral("insert"), reason);
    try {
        next();
        ADD_FAILURE() << "a call without its call row was reported as made";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains(reason)) << e.description().toStdString();
    }
    EXPECT_NE(engine->state.Label1, QStringLiteral("Calling"));
    EXPECT_EQ(engine->state.walkInCount, 0);
    EXPECT_THROW(engine->callThis(a2, QString(), CallEngine::Take::OnlyWaiting), DbError);
    for (const qint64 key : {a1, a2}) {
        EXPECT_EQ(ticketText(db, key, QStringLiteral("call")), QStringLiteral("0"));
        EXPECT_EQ(ticketText(db, key, QStringLiteral("attended")).toLongLong(), 0);
        EXPECT_TRUE(ticketText(db, key, QStringLiteral("attTime")).isEmpty());
        EXPECT_EQ(callRows(db, key), 0);
    }
    allow(env->db, QStringLiteral("tblCall"));

    // A marking the store refuses is never counted as a call, and writes no call row.
    refuse(env->db, QStringLiteral("tblTicket"), QStringLiteral("update"), reason);
    EXPECT_THROW(next(), DbError);
    EXPECT_EQ(callRows(db, a1), 0);
    EXPECT_EQ(engine->state.walkInCount, 0);
    allow(env->db, QStringLiteral("tblTicket"));

    // With the store well again the same token is called, once, with its call row.
    EXPECT_EQ(next(), QStringLiteral("A1"));
    EXPECT_EQ(callRows(db, a1), 1);
    EXPECT_EQ(engine->state.walkInCount, 1);
}

TEST_P(CallEngineTest, ATransferredTokenWaitsOnlyInTheTargetCountersQueue)
{
    Database& db = env->db;
    env->clock.setTime(QTime(10, 0));
    const qint64 a1 = walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    Ticket lab;
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    addTicket(db, lab);
    directed(db, hall, 3, QStringLiteral("E"), hall.counter3);
    directed(db, hall, 4, QStringLiteral("A"), hall.counter3, QStringLiteral("09:00"));
    directed(db, hall, 5, QStringLiteral("A"), hall.counter3, QStringLiteral("12:00")); // not due
    directed(db, hall, 6, QStringLiteral("R"), hall.counter3);                          // lists only
    ASSERT_EQ(tokenMoves::transferWaiting(db, a1, hall.counter3, QStringLiteral("to the lab")),
              tokenMoves::TransferResult::Transferred);

    auto counter = [&](qint64 key, Session& session) {
        logInCounter(session, db, key);
        return std::make_unique<CallEngine>(db, env->settings(), env->clock, session);
    };
    Session s2, s3;
    auto counter2 = counter(hall.counter2, s2);
    auto counter3 = counter(hall.counter3, s3);
    // Total Pending is what each counter's Next can take.
    EXPECT_EQ(engine->pendingCount(), 1);
    EXPECT_EQ(counter2->pendingCount(), 1);
    EXPECT_EQ(counter3->pendingCount(), 4);

    // The counter that sent A1 away calls its own walk-in, and then nothing.
    EXPECT_EQ(next(), QStringLiteral("A2"));
    EXPECT_EQ(next(), QStringLiteral("Idle"));
    counter2->callNext();
    EXPECT_EQ(counter2->state.Label1, QStringLiteral("Idle"));
    EXPECT_EQ(counter2->pendingCount(), 0);
    // The target: its emergency, its due appointment, the transferred A1, then its own walk-ins.
    QStringList called;
    for (int press = 0; press < 5; ++press) {
        counter3->callNext();
        called << (counter3->state.Label1 == QLatin1String("Calling") ? counter3->state.lblToken
                                                                      : QStringLiteral("Idle"));
    }
    EXPECT_EQ(called, (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A1"),
                                   QStringLiteral("B100"), QStringLiteral("Idle")}));
    EXPECT_EQ(counter3->pendingCount(), 0);
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("ref")), QStringLiteral("to the lab"));
}

TEST_P(CallEngineTest, TheServedTokenIsTransferredOrFinishedAndTheCounterIsIdle)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    EXPECT_EQ(next(), QStringLiteral("A1")); // at 09:00
    env->clock.setTime(QTime(9, 6));
    ASSERT_TRUE(engine->transferCurrent(hall.counter3, QStringLiteral("pharmacy")));
    EXPECT_TRUE(engine->state.lblNo.isEmpty());
    EXPECT_EQ(engine->state.Label1, QStringLiteral("Idle"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:06:00"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("call")), QStringLiteral("0"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attended")).toLongLong(), hall.counter3);
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("status")), QStringLiteral("Transferred"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("ref")), QStringLiteral("pharmacy"));
    EXPECT_FALSE(engine->transferCurrent(hall.counter3, QString())); // nothing is served now

    Session s3;
    logInCounter(s3, db, hall.counter3);
    CallEngine counter3(db, env->settings(), env->clock, s3);
    counter3.callNext();
    EXPECT_EQ(counter3.state.lblToken, QStringLiteral("A1"));

    // Finish: the served token gets its end time, nobody is called, and it keeps that time.
    EXPECT_EQ(next(), QStringLiteral("A2"));
    env->clock.setTime(QTime(9, 12));
    ASSERT_TRUE(engine->finishCurrent());
    EXPECT_EQ(engine->state.Label1, QStringLiteral("Idle"));
    EXPECT_TRUE(engine->state.lblNo.isEmpty());
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("finished")), QStringLiteral("09:12:00"));
    EXPECT_FALSE(engine->finishCurrent());
    env->clock.setTime(QTime(9, 30));
    EXPECT_EQ(next(), QStringLiteral("Idle"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("finished")), QStringLiteral("09:12:00"));
    EXPECT_EQ(callRows(db, a2), 1);
    // A token another counter now serves is not this counter's to transfer.
    engine->state.lblNo = QString::number(a1);
    EXPECT_FALSE(engine->transferCurrent(hall.counter2, QString()));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attended")).toLongLong(), hall.counter3);
}

TEST_P(CallEngineTest, TwoCountersRacingForOneTokenNeverShareIt)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);

    auto otherDb = env->secondConnection();
    Session otherSession;
    logInCounter(otherSession, *otherDb, hall.counter2);
    CallEngine other(*otherDb, env->settings(), env->clock, otherSession);

    // Counter 2 presses Next between counter 1's pick and its take.
    int raced = 0;
    engine->beforeTake = [&](qint64 key) {
        if (raced++ == 0) {
            EXPECT_EQ(key, a1);
            other.callNext();
        }
    };
    // Only the take that won is reported, and only once it is committed: another workstation
    // already sees its call row.
    QList<qint64> committed;
    engine->afterTake = [&](qint64 key) {
        committed.append(key);
        EXPECT_EQ(otherDb->query(QStringLiteral("select count(*) from tblCall where tickAuto=?"), {key})
                      .number(0, 0),
                  1);
    };
    engine->callNext();
    EXPECT_EQ(committed, QList<qint64>{a2});

    EXPECT_EQ(other.state.lblToken, QStringLiteral("A1"));
    EXPECT_EQ(engine->state.lblToken, QStringLiteral("A2"));
    EXPECT_EQ(engine->state.walkInCount, 1);
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attended")).toLongLong(), hall.counter2);
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("attended")).toLongLong(), hall.counter1);
    EXPECT_EQ(callRows(db, a1), 1);
    EXPECT_EQ(callRows(db, a2), 1);
    EXPECT_EQ(callRowOf(a1).number(0, 1), hall.counter2);
}

TEST_P(CallEngineTest, AWaitingTokenCalledFromAListIsNeverTakenFromAnotherCounter)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    auto otherDb = env->secondConnection();
    Session otherSession;
    logInCounter(otherSession, *otherDb, hall.counter2);
    CallEngine other(*otherDb, env->settings(), env->clock, otherSession);

    // Counter 2 called A1 since counter 1's Pending list was filled.
    EXPECT_EQ(next(), QStringLiteral("A1"));
    other.callNext();
    ASSERT_EQ(other.state.lblToken, QStringLiteral("A2"));
    EXPECT_EQ(engine->callThis(a2, QString(), CallEngine::Take::OnlyWaiting),
              CallEngine::CallResult::CalledByOther);
    // ... or calls it between counter 1's look-up and its take.
    const qint64 a3 = walkIn(db, hall, 3);
    engine->beforeTake = [&](qint64) { other.callNext(); };
    EXPECT_EQ(engine->callThis(a3, QString(), CallEngine::Take::OnlyWaiting),
              CallEngine::CallResult::CalledByOther);
    engine->beforeTake = nullptr;
    for (const qint64 key : {a2, a3}) {
        EXPECT_EQ(ticketText(db, key, QStringLiteral("attended")).toLongLong(), hall.counter2);
        EXPECT_EQ(callRows(db, key), 1);
    }
    EXPECT_EQ(engine->state.lblToken, QStringLiteral("A1")); // nothing changed here

    // A re-call from the Attended or Cancelled list takes the token whatever its state.
    EXPECT_EQ(engine->callThis(a1, QString()), CallEngine::CallResult::Called);
    EXPECT_EQ(callRows(db, a1), 2);
}

TEST_P(CallEngineTest, ListCallsFinishTheTokenBeingServed)
{
    Database& db = env->db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    next(); // A1 at 09:00
    env->clock.setTime(QTime(9, 10));
    ASSERT_EQ(engine->callThis(a2, QString(), CallEngine::Take::OnlyWaiting), CallEngine::CallResult::Called);
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:10:00"));
    // Calling the current token again does not end it.
    env->clock.setTime(QTime(9, 15));
    engine->callThis(a2, QString());
    EXPECT_TRUE(ticketText(db, a2, QStringLiteral("finished")).isEmpty());
    // A1 back from the Attended list: A2 ends, and A1's new service ends at the next Next.
    env->clock.setTime(QTime(9, 20));
    engine->callThis(a1, QString());
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("finished")), QStringLiteral("09:20:00"));
    env->clock.setTime(QTime(9, 30));
    EXPECT_EQ(next(), QStringLiteral("Idle"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:30:00"));
}

BRIVANE_STORE_TEST_SUITE(CallEngineTest);

} // namespace
