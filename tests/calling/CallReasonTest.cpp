#include "CallingSupport.h"
#include "calling/CallDesk.h"
#include "calling/CallEngine.h"
#include "calling/frmCall.h"
#include "reports/ReportQuery.h"
#include "testsupport/CommandRun.h"
#include "testsupport/KindLogins.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace callingtest;

namespace {

const QDate Day(2024, 1, 15);

class CallReasonTest : public CounterEngineTest
{
protected:
    // A Consultation token of that type directed to counter 1, issued at `time`.
    qint64 directedAt(int no, const QString& type, const QString& time, const QString& apptime = QString())
    {
        Ticket t;
        t.service = hall.consultation;
        t.no = no;
        t.label = QStringLiteral("A%1").arg(no);
        t.type = type;
        t.attended = hall.counter1;
        t.status = QStringLiteral("Transferred");
        t.time = time;
        t.apptime = apptime;
        return addTicket(env->db, t);
    }

    // The reason stored with the ticket's latest call row, as "code wait passed".
    QString storedReason(qint64 ticket)
    {
        const ResultSet rs = env->db.query(QStringLiteral("select whyrule, whywait, whypassed from tblCall "
                                                          "where tickAuto=? order by callauto desc limit 1"),
                                           {ticket});
        if (rs.isEmpty())
            return QStringLiteral("no call row");
        return QStringLiteral("%1 %2 %3").arg(rs.text(0, 0), rs.text(0, 1), rs.text(0, 2));
    }

    void setCap(const QVariant& minutes)
    {
        env->db.exec(QStringLiteral("update tblService set capwait=? where servAuto=?"),
                     {minutes, hall.consultation});
    }
};

// A counter's day without a cap: each rule that takes a token says so, with the token's wait and the
// tokens that waited longer and were passed over, and the call row keeps it. A recall keeps the reason
// of the call it repeats; the desk and a lost race say theirs.
TEST_P(CallReasonTest, EachRuleSaysWhyItTookTheTokenAndTheCallRowKeepsIt)
{
    Database& db = env->db;
    CounterState& st = engine->state;
    env->clock.setTime(QTime(10, 0));
    const qint64 a1 = walkIn(db, hall, 1, QStringLiteral("09:00:00"));
    const qint64 a2 = walkIn(db, hall, 2, QStringLiteral("09:30:00"));
    const qint64 a4 = directedAt(4, QStringLiteral("E"), QStringLiteral("09:40:00"));
    // Issued before the walk-ins, so it passed nobody.
    const qint64 a5 = directedAt(5, QStringLiteral("A"), QStringLiteral("08:00:00"), QStringLiteral("09:50"));
    const qint64 a6 = directedAt(6, QStringLiteral("N"), QStringLiteral("09:50:00"));

    EXPECT_EQ(next(), QStringLiteral("A4"));
    // A1, A2 and the due appointment A5 were issued before it.
    EXPECT_EQ(st.why,
              QStringLiteral("A4: emergency for this counter, waited 20 min, ahead of 3 token(s) that "
                             "waited longer"));
    EXPECT_EQ(storedReason(a4), QStringLiteral("E 1200 3"));
    env->clock.setTime(QTime(10, 5, 30));
    EXPECT_EQ(next(), QStringLiteral("A5"));
    EXPECT_EQ(st.why, QStringLiteral("A5: appointment due at this counter, waited 125 min"));
    EXPECT_EQ(storedReason(a5), QStringLiteral("A 7530 0"));
    env->clock.setTime(QTime(10, 10));
    EXPECT_EQ(next(), QStringLiteral("A6"));
    EXPECT_EQ(storedReason(a6), QStringLiteral("T 1200 2"));
    EXPECT_EQ(st.walkInCount, 0);
    env->clock.setTime(QTime(10, 12));
    EXPECT_EQ(next(), QStringLiteral("A1"));
    EXPECT_EQ(st.why, QStringLiteral("A1: oldest walk-in of Consultation, waited 72 min"));
    EXPECT_EQ(storedReason(a1), QStringLiteral("W 4320 0"));
    EXPECT_EQ(st.walkInCount, 1);

    // Chosen from the Pending list ahead of A2, which waited longer.
    const qint64 a3 = walkIn(db, hall, 3, QStringLiteral("09:55:00"));
    env->clock.setTime(QTime(10, 15));
    ASSERT_EQ(engine->callThis(a3, QString(), CallEngine::Take::OnlyWaiting), CallEngine::CallResult::Called);
    EXPECT_EQ(st.why,
              QStringLiteral("A3: picked from the list, waited 20 min, ahead of 1 token(s) that waited "
                             "longer"));
    EXPECT_EQ(storedReason(a3), QStringLiteral("P 1200 1"));
    // The recall shows that the token is called again; its call row still says why it was chosen.
    env->clock.setTime(QTime(10, 16));
    engine->updateRc();
    EXPECT_EQ(st.why, QStringLiteral("A3: called again, waited 21 min"));
    EXPECT_EQ(storedReason(a3), QStringLiteral("P 1200 1"));
    EXPECT_EQ(callRows(db, a3), 1);
    // A1 back from the Attended list is a new call, called again.
    env->clock.setTime(QTime(10, 20));
    ASSERT_EQ(engine->callThis(a1, QStringLiteral("Room 1")), CallEngine::CallResult::Called);
    EXPECT_EQ(storedReason(a1), QStringLiteral("R 4800 0"));
    // A token whose call never reached the boards gets its row from the recall, which says so.
    db.exec(QStringLiteral("delete from tblCall where tickAuto=?"), {a1});
    engine->updateRc();
    EXPECT_EQ(storedReason(a1), QStringLiteral("R 4800 0"));
    // Finished, the counter has no reason to show.
    engine->finishCurrent();
    EXPECT_TRUE(st.why.isEmpty());

    // Another counter takes A2 between the pick and the take: the pick runs again and the reason is
    // the one of the token taken.
    walkIn(db, hall, 7, QStringLiteral("10:20:00"));
    engine->beforeTake = [&](qint64 key) {
        if (key == a2)
            db.exec(QStringLiteral("update tblTicket set call='1', attended=? where tickAuto=?"),
                    {hall.counter2, a2});
    };
    env->clock.setTime(QTime(10, 30));
    EXPECT_EQ(next(), QStringLiteral("A7"));
    EXPECT_EQ(st.why, QStringLiteral("A7: oldest walk-in of Consultation, waited 10 min"));
    EXPECT_EQ(storedReason(a2), QStringLiteral("no call row"));
    engine->beforeTake = nullptr;
    // Nothing left: "Idle" and no reason under the last token.
    EXPECT_EQ(next(), QStringLiteral("Idle"));
    EXPECT_TRUE(st.why.isEmpty());

    // The administrator's desk takes the lowest waiting number of its counter's service.
    const qint64 a8 = walkIn(db, hall, 8, QStringLiteral("10:25:00"));
    CallDesk desk(db, env->settings(), env->clock);
    ASSERT_TRUE(desk.getDetails(QStringLiteral("Counter 2")));
    desk.callNext();
    EXPECT_EQ(desk.state().why, QStringLiteral("A8: lowest waiting number of Consultation, waited 5 min"));
    EXPECT_EQ(storedReason(a8), QStringLiteral("D 300 0"));
}

// With a cap of 20 minutes, a run of emergencies keeps the walk-in waiting only until it has waited
// more than 20 minutes; then it goes before the emergencies issued after it, and says the cap chose
// it. Emergencies issued before it keep their place. Without a cap the old order holds.
TEST_P(CallReasonTest, TheCapLetsAWalkInGoBeforeNewerEmergenciesOnceItHasWaitedTooLong)
{
    Database& db = env->db;
    CounterState& st = engine->state;
    setCap(20);
    env->clock.setTime(QTime(9, 0));
    const qint64 a1 = walkIn(db, hall, 1, QStringLiteral("09:00:00"));
    directedAt(10, QStringLiteral("E"), QStringLiteral("08:59:00"));
    env->clock.setTime(QTime(9, 5));
    directedAt(11, QStringLiteral("E"), QStringLiteral("09:05:00"));
    EXPECT_EQ(next(), QStringLiteral("A10"));
    env->clock.setTime(QTime(9, 10));
    directedAt(12, QStringLiteral("E"), QStringLiteral("09:10:00"));
    EXPECT_EQ(next(), QStringLiteral("A11"));
    env->clock.setTime(QTime(9, 15));
    directedAt(13, QStringLiteral("E"), QStringLiteral("09:15:00"));
    // Exactly 20 minutes is not more than the cap.
    env->clock.setTime(QTime(9, 20));
    directedAt(14, QStringLiteral("E"), QStringLiteral("09:20:00"));
    EXPECT_EQ(next(), QStringLiteral("A12"));
    EXPECT_EQ(st.reason.rule, CallReason::Rule::Emergency);
    // A second later it is: the walk-in goes before the two newer emergencies.
    env->clock.setTime(QTime(9, 20, 1));
    EXPECT_EQ(next(), QStringLiteral("A1"));
    EXPECT_EQ(st.why,
              QStringLiteral("A1: walk-in of Consultation held back past its wait cap, waited 20 min, "
                             "ahead of 2 newer priority token(s)"));
    EXPECT_EQ(storedReason(a1), QStringLiteral("C 1201 2"));
    EXPECT_EQ(st.walkInCount, 1);
    // The cap changes the order, not what is waiting: both emergencies still count.
    EXPECT_EQ(st.lblTotal, QStringLiteral("Total Pending : 2"));

    // A walk-in that has not waited that long stays behind them.
    const qint64 a2 = walkIn(db, hall, 2, QStringLiteral("09:21:00"));
    env->clock.setTime(QTime(9, 30));
    EXPECT_EQ(next(), QStringLiteral("A13"));
    // Once it has, an emergency issued before it still goes first, and a newer one is passed.
    directedAt(15, QStringLiteral("E"), QStringLiteral("09:35:00"));
    env->clock.setTime(QTime(9, 45));
    EXPECT_EQ(next(), QStringLiteral("A14"));
    EXPECT_EQ(next(), QStringLiteral("A2"));
    EXPECT_EQ(storedReason(a2), QStringLiteral("C 1440 1"));
    EXPECT_EQ(next(), QStringLiteral("A15"));
    // With no directed token waiting, an overdue walk-in is simply the oldest walk-in.
    walkIn(db, hall, 3, QStringLiteral("09:22:00"));
    EXPECT_EQ(next(), QStringLiteral("A3"));
    EXPECT_EQ(st.reason.rule, CallReason::Rule::WalkIn);

    // Cap off (empty, then 0): emergencies first whatever the walk-in waited. The change reaches the
    // counter with its next count of what is pending.
    walkIn(db, hall, 4, QStringLiteral("09:00:00"));
    env->clock.setTime(QTime(10, 0));
    directedAt(16, QStringLiteral("E"), QStringLiteral("10:00:00"));
    for (const QVariant& off : {QVariant(), QVariant(0)}) {
        setCap(off);
        engine->getPending();
        EXPECT_EQ(engine->capMinutes(), 0);
    }
    EXPECT_EQ(next(), QStringLiteral("A16"));
    EXPECT_EQ(next(), QStringLiteral("A4"));
    EXPECT_EQ(st.reason.rule, CallReason::Rule::WalkIn);

    // A counter that opens afterwards reads the cap once on its own.
    setCap(5);
    walkIn(db, hall, 5, QStringLiteral("10:00:00"));
    directedAt(17, QStringLiteral("A"), QStringLiteral("10:01:00"), QStringLiteral("10:02"));
    env->clock.setTime(QTime(10, 10));
    CallEngine fresh(db, env->settings(), env->clock, env->session);
    EXPECT_EQ(next(fresh), QStringLiteral("A5"));
    EXPECT_EQ(fresh.state.why, QStringLiteral("A5: walk-in of Consultation held back past its wait cap, "
                                              "waited 10 min, ahead of 1 newer priority token(s)"));
}

// brivane-ctl next --why prints the reason under the token; the reports carry the latest call's reason
// as their last column, on the screen's grid, the command's CSV and the same rows the export reads.
TEST_P(CallReasonTest, TheReasonReachesTheCommandLineAndTheReports)
{
    Database& db = env->db;
    env->clock.setTime(QTime(10, 0));
    const qint64 a1 = walkIn(db, hall, 1, QStringLiteral("09:48:00"));
    walkIn(db, hall, 2, QStringLiteral("09:50:00"));
    directedAt(4, QStringLiteral("E"), QStringLiteral("09:55:00"));
    QString out, err;
    ASSERT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1"), QStringLiteral("--why")},
                         out, err),
              0)
        << qPrintable(err);
    EXPECT_EQ(out, QStringLiteral("A4\nA4: emergency for this counter, waited 5 min, ahead of 2 token(s) "
                                  "that waited longer\n"));
    // Without --why, the token alone as before.
    ASSERT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1")}, out, err), 0);
    EXPECT_EQ(out, QStringLiteral("A1\n"));
    ASSERT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1"), QStringLiteral("--why")},
                         out, err),
              0);
    EXPECT_EQ(out, QStringLiteral("A2\nA2: oldest walk-in of Consultation, waited 10 min\n"));
    EXPECT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1"), QStringLiteral("--why")},
                         out, err),
              0);
    EXPECT_EQ(out, QStringLiteral("Idle\n"));

    // A1 is called again from the list: the report shows its latest call's reason.
    env->clock.setTime(QTime(10, 30));
    engine->callThis(a1, QString());
    walkIn(db, hall, 3, QStringLiteral("10:29:00"));
    const QVector<ReportRow> rows = runReport(db, ReportKind::Service, QStringLiteral("All"), Day, Day, true);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].token, QStringLiteral("A1"));
    EXPECT_EQ(rows[0].reasonText(), QStringLiteral("called again, waited 42 min"));
    EXPECT_EQ(rows[1].reasonText(), QStringLiteral("oldest walk-in of Consultation, waited 10 min"));
    EXPECT_EQ(rows[3].token, QStringLiteral("A3")); // waiting: no call, no reason
    EXPECT_TRUE(rows[3].reasonText().isEmpty());
    // A call row of older data, without a reason, reads as none.
    db.exec(QStringLiteral("update tblCall set whyrule=null, whywait=null, whypassed=null"));
    EXPECT_TRUE(
        runReport(db, ReportKind::Service, QStringLiteral("All"), Day, Day, false)[0].reasonText().isEmpty());
    db.exec(QStringLiteral("update tblCall set whyrule='W', whywait=600, whypassed=0"));

    ASSERT_EQ(runCommand(*env, QStringLiteral("report"),
                         {QStringLiteral("service"), QStringLiteral("--from"), QStringLiteral("2024-01-15"),
                          QStringLiteral("--to"), QStringLiteral("2024-01-15")},
                         out, err),
              0)
        << qPrintable(err);
    const QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(",Status,Display Name,Why Called")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",\"oldest walk-in of Consultation, waited 10 min\"")))
        << qPrintable(lines[1]);
}

// A counter workstation with the counter kind's rights makes its calls with their reasons.
TEST_P(CallReasonTest, ACounterLoginStoresTheReasonWithItsCall)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "logins of a kind are PostgreSQL's";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    Database& counter = logins.workstation(kinds::Kind::Counter);
    setCap(20);
    env->clock.setTime(QTime(10, 0));
    const qint64 a1 = walkIn(env->db, hall, 1, QStringLiteral("09:00:00"));
    directedAt(4, QStringLiteral("E"), QStringLiteral("09:50:00"));
    CallEngine atCounter(counter, env->settings(), env->clock, env->session);
    EXPECT_EQ(next(atCounter), QStringLiteral("A1"));
    EXPECT_EQ(atCounter.state.reason.rule, CallReason::Rule::Cap);
    EXPECT_EQ(storedReason(a1), QStringLiteral("C 3600 1"));
    EXPECT_EQ(next(atCounter), QStringLiteral("A4"));
    atCounter.updateRc();
    EXPECT_EQ(atCounter.state.why, QStringLiteral("A4: called again, waited 10 min"));
}

BRIVANE_STORE_TEST_SUITE(CallReasonTest);

// The counter screen shows the reason in one line under the token, and nothing when there is none.
TEST(CallReasonScreen, TheCounterScreenShowsWhyUnderTheToken)
{
    TestEnv env;
    const Hall hall = seedHall(env.db);
    logInCounter(env.session, env.db, hall.counter1);
    env.clock.setTime(QTime(10, 0));
    walkIn(env.db, hall, 7, QStringLiteral("09:48:00"));
    auto* w = qobject_cast<frmCall*>(env.screens.open(QStringLiteral("frmCall")));
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->lblWhy->isHidden());
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A7"));
    EXPECT_EQ(w->lblWhy->text(), QStringLiteral("A7: oldest walk-in of Consultation, waited 12 min"));
    EXPECT_FALSE(w->lblWhy->isHidden());
    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_TRUE(w->lblWhy->isHidden());
    w->close();
}

} // namespace
