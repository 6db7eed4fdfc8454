// A visitor who does not come: after the token's recalls a counter marks it not arrived, it is counted
// apart from cancellations, Next goes on, and the late visitor is called back from the counter's list.
#include "CallingSupport.h"
#include "calling/CallEngine.h"
#include "calling/CounterLists.h"
#include "calling/TokenMoves.h"
#include "calling/frmCall.h"
#include "core/AppContext.h"
#include "reports/ReportFigures.h"
#include "testsupport/CommandRun.h"
#include "testsupport/KindLogins.h"
#include "ui/Grid.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace callingtest;

namespace {

class NotArrivedTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
    }

    // Next as the counter screen runs it.
    static QString next(CallEngine& engine)
    {
        if (!engine.state.lblNo.isEmpty()) {
            engine.setFinish();
            engine.state.lblNo.clear();
        }
        engine.getLast();
        engine.callNext();
        return engine.state.Label1 == QLatin1String("Calling") ? engine.state.lblToken
                                                               : QStringLiteral("Idle");
    }

    TotalsLine allOfDay()
    {
        const QDate day = env->clock.today();
        return listReport(env->db, {ReportKind::Service, QStringLiteral("All"), day, day, true}, nullptr)
            .totals.constLast();
    }

    Hall hall;
};

// The whole road on the counter's own login where the store has kinds: the counter's grants cover what
// it writes (the recall count, the status).
TEST_P(NotArrivedTest, RefusedBeforeTheRecallsThenCountedApartAndTakenBack)
{
    std::unique_ptr<KindLogins> logins;
    Database* db = &env->db;
    if (GetParam() == Store::Postgres) {
        logins = std::make_unique<KindLogins>(*env);
        if (logins->available())
            db = &logins->workstation(kinds::Kind::Counter);
    }
    const qint64 a1 = walkIn(env->db, hall, 1);
    walkIn(env->db, hall, 2);
    const qint64 a3 = walkIn(env->db, hall, 3);
    Session counter;
    logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(*db, env->settings(), env->clock, counter);

    ASSERT_EQ(next(engine), QStringLiteral("A1"));
    EXPECT_EQ(engine.recallsBeforeNotArrived(), 2);
    EXPECT_EQ(engine.markNotArrived(), CallEngine::NotArrivedResult::TooFewRecalls);
    engine.updateRc();
    EXPECT_EQ(engine.recallsOfCurrent(), 1);
    EXPECT_EQ(engine.markNotArrived(), CallEngine::NotArrivedResult::TooFewRecalls);
    EXPECT_EQ(ticketText(env->db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    engine.updateRc();
    EXPECT_EQ(engine.recallsOfCurrent(), 2);
    // Each recall shows the call again, and the boards take it anew.
    EXPECT_EQ(env->db.query(QStringLiteral("select status1, recalls from tblCall where tickAuto=?"), {a1})
                  .text(0, 0),
              QStringLiteral("0"));

    ASSERT_EQ(engine.markNotArrived(), CallEngine::NotArrivedResult::Marked);
    EXPECT_EQ(ticketText(env->db, a1, QStringLiteral("status")), QStringLiteral("NotArrived"));
    EXPECT_EQ(ticketText(env->db, a1, QStringLiteral("finished")), QString()); // nobody was served
    EXPECT_EQ(engine.state.lblNo, QString());
    EXPECT_EQ(engine.state.Label1, QStringLiteral("Idle"));
    EXPECT_EQ(engine.markNotArrived(), CallEngine::NotArrivedResult::NoToken);

    // Next goes on, and the absent visitor never becomes current again by itself.
    EXPECT_EQ(next(engine), QStringLiteral("A2"));
    EXPECT_EQ(next(engine), QStringLiteral("A3"));
    EXPECT_EQ(next(engine), QStringLiteral("Idle"));
    EXPECT_EQ(engine.state.lblToken, QStringLiteral("A3"));
    EXPECT_EQ(ticketText(env->db, a1, QStringLiteral("finished")), QString());

    // Its own list, not the attended or cancelled one; the cancelled one keeps its own.
    const QString today = env->clock.todayText();
    tokenMoves::cancel(env->db, a3);
    const QVector<QStringList> absent = counterLists::notArrived(env->db, today, hall.counter1);
    ASSERT_EQ(absent.size(), 1);
    EXPECT_EQ(absent[0].value(2), QStringLiteral("A1"));
    for (const QStringList& row : counterLists::attended(env->db, today, hall.counter1))
        EXPECT_NE(row.value(2), QStringLiteral("A1"));
    ASSERT_EQ(counterLists::cancelled(env->db, today, hall.counter1).size(), 1);

    // The reports count it apart from the cancellation, and not as served.
    TotalsLine all = allOfDay();
    EXPECT_EQ(all.tokens, 3);
    EXPECT_EQ(all.notArrived, 1);
    EXPECT_EQ(all.cancelled, 1);
    EXPECT_EQ(all.served, 1);

    // The late visitor comes after all: called back from the list, a new call whose recalls start again.
    ASSERT_EQ(engine.callThis(a1, QString(), CallEngine::Take::Again), CallEngine::CallResult::Called);
    EXPECT_EQ(engine.state.lblToken, QStringLiteral("A1"));
    EXPECT_EQ(ticketText(env->db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    EXPECT_EQ(callRows(env->db, a1), 2);
    EXPECT_EQ(engine.recallsOfCurrent(), 0);
    EXPECT_TRUE(counterLists::notArrived(env->db, today, hall.counter1).isEmpty());
    all = allOfDay();
    EXPECT_EQ(all.notArrived, 0);
    EXPECT_EQ(all.served, 2);

    // Another counter cannot mark a token it does not serve, whatever its recalls.
    Session other;
    logInCounter(other, env->db, hall.counter2);
    CallEngine second(*db, env->settings(), env->clock, other);
    second.state.lblNo = QString::number(a1);
    env->settings().set(QStringLiteral("queue"), QStringLiteral("notarrived"), QStringLiteral("recalls"), 0);
    EXPECT_EQ(second.markNotArrived(), CallEngine::NotArrivedResult::NotServedHere);
    EXPECT_EQ(ticketText(env->db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
}

// brivane-ctl notarrived: refused with the recalls told, marked after them, listed, and taken back.
TEST_P(NotArrivedTest, TheCommandMarksListsAndTakesBack)
{
    walkIn(env->db, hall, 1);
    walkIn(env->db, hall, 2);
    QString out;
    QString err;
    ASSERT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1")}, out, err), 0);
    EXPECT_EQ(runCommand(*env, QStringLiteral("notarrived"), {QStringLiteral("Counter 1")}, out, err), 1);
    EXPECT_EQ(err.trimmed(),
              QStringLiteral(
                  "A1 has been recalled 0 of the 2 times needed before it can be marked as not arrived"));
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(runCommand(*env, QStringLiteral("recall"), {QStringLiteral("Counter 1")}, out, err), 0);
    ASSERT_EQ(runCommand(*env, QStringLiteral("notarrived"), {QStringLiteral("Counter 1")}, out, err), 0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("A1"));
    // The marked token is not the counter's to recall or finish any more.
    EXPECT_EQ(runCommand(*env, QStringLiteral("next"), {QStringLiteral("Counter 1")}, out, err), 0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("A2"));
    env->clock.advanceSecs(60);
    ASSERT_EQ(runCommand(*env, QStringLiteral("notarrived"),
                         {QStringLiteral("Counter 1"), QStringLiteral("--list")}, out, err),
              0);
    EXPECT_TRUE(out.startsWith(QStringLiteral("A1,"))) << out.toStdString();
    EXPECT_EQ(out.count(QLatin1Char('\n')), 1);
    EXPECT_EQ(runCommand(*env, QStringLiteral("notarrived"),
                         {QStringLiteral("Counter 1"), QStringLiteral("--back"), QStringLiteral("A2")}, out,
                         err),
              1);
    ASSERT_EQ(runCommand(*env, QStringLiteral("notarrived"),
                         {QStringLiteral("Counter 1"), QStringLiteral("--back"), QStringLiteral("A1")}, out,
                         err),
              0);
    EXPECT_EQ(out.trimmed(), QStringLiteral("A1"));
    // A2 was served and finished when A1 came back.
    EXPECT_NE(env->db.query(QStringLiteral("select finished from tblTicket where no_abr='A2'")).text(0, 0),
              QString());
    EXPECT_EQ(runCommand(*env, QStringLiteral("notarrived"),
                         {QStringLiteral("Counter 1"), QStringLiteral("--list")}, out, err),
              0);
    EXPECT_EQ(out, QString());
    EXPECT_EQ(runCommand(*env, QStringLiteral("notarrived"), {}, out, err), 2);
}

// The counter screen: the button waits for the recalls (its tooltip says why), marks, and the tab lists
// the token, from which a double-click calls it back.
TEST(NotArrivedScreen, TheButtonWaitsForTheRecallsAndTheListTakesTheVisitorBack)
{
    TestEnv env;
    const Hall hall = seedHall(env.db);
    logInCounter(env.session, env.db, hall.counter1);
    const qint64 a1 = walkIn(env.db, hall, 1);
    walkIn(env.db, hall, 2);
    auto* w = qobject_cast<frmCall*>(env.screens.open(QStringLiteral("frmCall")));
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->cmdNotArrived->isEnabled());
    EXPECT_EQ(w->cmdNotArrived->toolTip(), QStringLiteral("No token is being served"));

    w->Command2_Click();
    ASSERT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_FALSE(w->cmdNotArrived->isEnabled());
    EXPECT_EQ(w->cmdNotArrived->toolTip(), QStringLiteral("Recall the token first: 0 of 2 recalls done"));
    w->cmdNotArrived_Click(); // disabled: nothing happens
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    for (int i = 0; i < 2; ++i) {
        w->Timer1_Timer(); // the lock-out ends
        w->Command1_Click();
    }
    EXPECT_TRUE(w->cmdNotArrived->isEnabled()) << w->cmdNotArrived->toolTip().toStdString();
    // A picture of the screen to look at, when BRIVANE_SHOTS names a folder.
    const QString shots = qEnvironmentVariable("BRIVANE_SHOTS");
    if (!shots.isEmpty())
        w->grab().save(shots + QStringLiteral("/counter-not-arrived.png"));
    w->cmdNotArrived_Click();
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("status")), QStringLiteral("NotArrived"));
    EXPECT_EQ(w->lblToken->text(), QString());
    EXPECT_FALSE(w->cmdNotArrived->isEnabled());
    const int tab = w->STab->indexOf(w->FGN);
    EXPECT_EQ(w->STab->tabText(tab), QStringLiteral("Not arrived 1"));
    EXPECT_EQ(w->STab->tabText(w->STab->count() - 1), QStringLiteral("Settings"));
    if (!shots.isEmpty()) {
        w->STab->setCurrentIndex(tab);
        w->grab().save(shots + QStringLiteral("/counter-not-arrived-list.png"));
        w->STab->setCurrentIndex(0);
    }

    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    w->STab->setCurrentIndex(tab);
    ASSERT_EQ(w->FGN->rows(), 2);
    EXPECT_EQ(w->FGN->text(1, 2), QStringLiteral("A1"));
    w->FGN->setRow(1);
    w->FGN_DblClick();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    EXPECT_EQ(w->STab->tabText(tab), QStringLiteral("Not arrived 0"));
    w->close();
}

} // namespace

BRIVANE_STORE_TEST_SUITE(NotArrivedTest);
