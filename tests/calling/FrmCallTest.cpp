#include "calling/frmCall.h"
#include "CallingSupport.h"
#include "calling/TokenMoves.h"
#include "core/AppContext.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace callingtest;

namespace {

class FrmCallTest : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        logInCounter(env.session, env.db, hall.counter1);
    }

    frmCall* open()
    {
        // Let closed screens go first, as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return qobject_cast<frmCall*>(env.screens.open(QStringLiteral("frmCall")));
    }

    QString contNameOfCall(qint64 ticket)
    {
        return env.db
            .query(QStringLiteral("select contName from tblCall where tickAuto=? order by callauto desc"),
                   {ticket})
            .text(0, 0);
    }

    TestEnv env;
    Hall hall;
};

TEST_F(FrmCallTest, OpeningShowsTheCounterAndItsLastTokenOfToday)
{
    env.settings().set(QStringLiteral("Q"), QStringLiteral("Counter"), QStringLiteral("Token"), 7);
    const qint64 a1 = walkIn(env.db, hall, 1);
    walkIn(env.db, hall, 2);
    env.db.exec(
        QStringLiteral("update tblTicket set call='1', attended=?, attTime='08:40:00' where tickAuto=?"),
        {hall.counter1, a1});

    frmCall* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Counter 1"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("7"));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(w->lblNo->text(), QString::number(a1));
    EXPECT_EQ(w->lblLast->text(), QStringLiteral("Last Served : A1"));
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 1"));
    ASSERT_EQ(w->FG->rows(), 2);
    EXPECT_EQ(w->FG->text(0, 4), QStringLiteral("Finished"));
    EXPECT_EQ(w->FG->text(1, 0), QString::number(a1));
    EXPECT_EQ(w->FG->text(1, 3), QStringLiteral("08:40:00"));
    EXPECT_EQ(w->cmbService->count(), 3);
    EXPECT_EQ(w->registeredKeys().size(), 5);
    EXPECT_EQ(w->chkboth->text(), QStringLiteral("Show Room && Dr. Name"));
    w->Command4_Click();
    EXPECT_NE(env.screens.existing(QStringLiteral("frmChPass")), nullptr);
}

TEST_F(FrmCallTest, NextAndRecallAreLockedOutUntilTheTimerTicksAndSoAreTheirHotKeys)
{
    const qint64 a1 = walkIn(env.db, hall, 1);
    walkIn(env.db, hall, 2);
    frmCall* w = open();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Calling"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("1"));
    EXPECT_FALSE(w->Command2->isEnabled());
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_TRUE(w->Timer1->isActive());

    // A second F4 within the lock-out calls nobody: A1 is not skipped unseen.
    env.clock.setTime(QTime(9, 0, 1));
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F4));
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F5));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_TRUE(ticketText(env.db, a1, QStringLiteral("finished")).isEmpty());
    EXPECT_EQ(callRows(env.db, a1), 1);
    EXPECT_EQ(env.db.query(QStringLiteral("select count(*) from tblCall")).number(0, 0), 1);

    w->Timer1_Timer();
    EXPECT_TRUE(w->Command2->isEnabled());
    EXPECT_TRUE(w->Command1->isEnabled());
    env.clock.setTime(QTime(9, 5));
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F4));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("finished")), QStringLiteral("09:05:00"));
    w->Timer1_Timer();

    // Recall locks only Recall and hands the call to the displays again.
    env.db.exec(QStringLiteral("update tblCall set status1='1'"));
    w->Command1_Click();
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_TRUE(w->Command2->isEnabled());
    EXPECT_EQ(env.db.query(QStringLiteral("select count(*) from tblCall where status1='0'")).number(0, 0), 1);
}

TEST_F(FrmCallTest, RefreshFillsTheListsAndTheirCaptions)
{
    frmCall* w = open();
    w->Command6_Click();
    EXPECT_EQ(w->STab->tabText(2), QStringLiteral("Cancelled 0"));
    EXPECT_EQ(w->STab->tabText(4), QStringLiteral("Transfred 0"));
    EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : 0"));

    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1, QStringLiteral("09:05:30"));
    const qint64 a2 = directed(db, hall, 2, QStringLiteral("A"), hall.counter1, QStringLiteral("10:15"));
    directed(db, hall, 3, QStringLiteral("E"), hall.counter2);
    Ticket lab;
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    lab.type = QStringLiteral("R");
    lab.attended = hall.counter1;
    lab.status = QStringLiteral("Transferred");
    addTicket(db, lab);
    const qint64 a5 = walkIn(db, hall, 5);
    const qint64 a6 = walkIn(db, hall, 6);
    db.exec(QStringLiteral("update tblTicket set call='1', attended=? where tickAuto=? or tickAuto=?"),
            {hall.counter1, a5, a6});
    tokenMoves::cancel(db, a6);

    env.clock.setTime(QTime(9, 47, 59));
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F7));
    // Pending and Total Pending: what this counter's Next can take (A2 is not due, A3 is counter 2's
    // and the report is called from the list), waiting minutes without seconds.
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 1"));
    EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : 1"));
    ASSERT_EQ(w->FG4->rows(), 2);
    EXPECT_EQ(w->FG4->text(1, 0), QString::number(a1));
    EXPECT_EQ(w->FG4->text(1, 1), QStringLiteral("1"));
    EXPECT_EQ(w->FG4->text(1, 3), QStringLiteral("09:05:30 "));
    EXPECT_EQ(w->FG4->text(1, 4), QStringLiteral("42"));
    env.clock.setTime(QTime(10, 16));
    w->Command6_Click();
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 2"));
    EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : 2"));

    // Transfered: the waiting tokens directed here, whatever their service.
    EXPECT_EQ(w->lblTransfered->text(), QStringLiteral("Transfred 2"));
    ASSERT_EQ(w->FGR->rows(), 3);
    EXPECT_EQ(w->FGR->text(1, 0), QString::number(a2));
    EXPECT_EQ(w->FGR->text(1, 5), QStringLiteral("10:15"));
    EXPECT_EQ(w->FGR->text(1, 6), QStringLiteral("Appointment"));
    EXPECT_EQ(w->FGR->text(2, 6), QStringLiteral("Report"));
    w->FGR->setRow(1);
    EXPECT_EQ(w->Label3->text(), QStringLiteral("10:15"));

    // Cancelled and Attended split the counter's called tokens.
    EXPECT_EQ(w->STab->tabText(2), QStringLiteral("Cancelled 1"));
    EXPECT_EQ(w->FG1->text(1, 2), QStringLiteral("A6"));
    w->STab->setCurrentIndex(1);
    ASSERT_EQ(w->FG->rows(), 2);
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("A5"));
}

TEST_F(FrmCallTest, DoubleClickCallsTheRowWithItsListsKind)
{
    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    frmCall* w = open();
    w->Command6_Click();

    w->FG4->setRow(0); // the header row does nothing
    w->FG4_DblClick();
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblCall")).number(0, 0), 0);

    w->FG4->setRow(2); // A1, the older ticket
    w->FG4_DblClick();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(w->Label4->text(), QStringLiteral("0"));
    EXPECT_EQ(contNameOfCall(a1), QString());

    // A counter whose display name is "Report" writes the form that names the counter.
    env.session.counterDisplayName = QStringLiteral("Report");
    w->FG4->setRow(1);
    w->FG4_DblClick();
    EXPECT_EQ(contNameOfCall(a2), QStringLiteral("Counter 1"));

    // From the Cancelled list the kind is empty: the standard form, and the token is Finished again.
    tokenMoves::cancel(db, a2);
    w->addCancelled();
    w->FG1->setRow(1);
    w->FG1_DblClick();
    EXPECT_EQ(contNameOfCall(a2), QString());
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("status")), QStringLiteral("Finished"));
}

TEST_F(FrmCallTest, APendingTokenCalledElsewhereIsNotTakenAndTheServedTokenIsFinished)
{
    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    const qint64 a3 = walkIn(db, hall, 3);
    frmCall* w = open();
    w->Command2_Click(); // A1 at 09:00
    w->STab->setCurrentIndex(5);
    ASSERT_EQ(w->FG4->rows(), 3); // A3, A2

    // Counter 2 calls A2 while this list still shows it.
    Session other;
    logInCounter(other, db, hall.counter2);
    CallEngine(db, env.settings(), env.clock, other).callNext();
    w->FG4->setRow(2);
    w->FG4_DblClick();
    EXPECT_EQ(env.dialogs.last(),
              QStringLiteral("Token A2 has already been called by another counter. Nothing was changed."));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("attended")).toLongLong(), hall.counter2);
    EXPECT_EQ(callRows(db, a2), 1);
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_TRUE(ticketText(db, a1, QStringLiteral("finished")).isEmpty());
    ASSERT_EQ(w->FG4->rows(), 2); // the list shows what is still waiting

    // Calling A3 from the list moves on from A1, which gets its finish time.
    env.clock.setTime(QTime(9, 12));
    w->FG4->setRow(1);
    w->FG4_DblClick();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A3"));
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("attended")).toLongLong(), hall.counter1);
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:12:00"));
}

TEST_F(FrmCallTest, TransferTabHandsAWaitingTokenToAnotherCounter)
{
    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1);
    const qint64 a2 = walkIn(db, hall, 2);
    const qint64 a3 = walkIn(db, hall, 3);
    frmCall* w = open();
    w->Command2_Click(); // A1 is current
    w->STab->setCurrentIndex(3);
    // The token being served comes first, chosen; then the waiting ones.
    ASSERT_EQ(w->cmbToken->count(), 3);
    EXPECT_EQ(w->cmbToken->currentText(), QStringLiteral("A1"));
    EXPECT_EQ(w->cmbToken->currentIndex(), 0);

    w->cmbService->setCurrentText(QStringLiteral("Counter 2"));
    w->cmbService_Click();
    EXPECT_EQ(w->lblService->text(), QStringLiteral("Service Name  : Consultation"));

    w->cmbToken->setEditText(QStringLiteral("A9")); // typed, not an entry of the list
    w->Command5_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Error no valid token"));
    w->cmbToken->setEditText(QString());
    w->Command5_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Select a token first"));

    // The counter itself, or no counter, as target: nothing, silently.
    env.dialogs.clear();
    w->cmbToken->setCurrentIndex(1);
    for (const char* target : {"Counter 1", "Nowhere"}) {
        w->cmbService->setCurrentText(QString::fromLatin1(target));
        w->Command5_Click();
    }
    EXPECT_TRUE(env.dialogs.texts().isEmpty());

    w->cmbService->setCurrentText(QStringLiteral("Counter 2"));
    w->txtRef->setText(QStringLiteral("Needs Dr. O'Brien"));
    w->Command5_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Updated"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("attended")).toLongLong(), hall.counter2);
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("status")), QStringLiteral("Transferred"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("ref")), QStringLiteral("Needs Dr. O'Brien"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("ttype")), QStringLiteral("N"));
    ASSERT_EQ(w->cmbToken->count(), 2); // A1 (served), A3
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 1"));
    EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : 1")); // A2 left this counter's queue

    // The token being served stays current: Cancel acts on it.
    EXPECT_EQ(w->lblNo->text(), QString::number(a1));
    w->Command3_Click();
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("status")), QStringLiteral("Cancelled"));

    // A3 is called at counter 2 while it is still listed here: the transfer is refused.
    Session other;
    logInCounter(other, db, hall.counter2);
    CallEngine(db, env.settings(), env.clock, other).callThis(a3, QString());
    w->cmbToken->setCurrentIndex(1);
    ASSERT_EQ(w->cmbToken->currentText(), QStringLiteral("A3"));
    w->cmbService->setCurrentText(QStringLiteral("Counter 3"));
    w->Command5_Click();
    EXPECT_EQ(env.dialogs.last(), tokenMoves::notWaitingMessage(QStringLiteral("A3")));
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("attended")).toLongLong(), hall.counter2);
    EXPECT_EQ(w->cmbToken->count(), 1);

    // Next finishes A1; A2 went to counter 2, so nothing is left for this counter.
    env.clock.setTime(QTime(9, 7));
    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:07:00"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_EQ(ticketText(db, a2, QStringLiteral("call")), QStringLiteral("0"));
}

TEST_F(FrmCallTest, TheServedTokenIsSentOnAndTheCounterIsIdle)
{
    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    frmCall* w = open();
    w->Command2_Click(); // A1 at 09:00
    env.clock.setTime(QTime(9, 4));
    w->STab->setCurrentIndex(3);
    w->cmbService->setCurrentText(QStringLiteral("Counter 3"));
    w->txtRef->setText(QStringLiteral("pharmacy"));
    w->Command5_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Updated"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:04:00"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("attended")).toLongLong(), hall.counter3);
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("call")), QStringLiteral("0"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_TRUE(w->lblNo->text().isEmpty());
    EXPECT_TRUE(w->lblToken->text().isEmpty());
    // The lists show it gone from this counter at once.
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(w->cmbToken->count(), 1);
    EXPECT_EQ(w->cmbToken->itemText(0), QStringLiteral("A2"));

    // Counter 3's Next takes it; this counter's Next takes the next walk-in and finishes nothing.
    Session lab;
    logInCounter(lab, db, hall.counter3);
    CallEngine counter3(db, env.settings(), env.clock, lab);
    counter3.callNext();
    EXPECT_EQ(counter3.state.lblToken, QStringLiteral("A1"));
    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
}

TEST_F(FrmCallTest, LastServedNamesTheTokenThisCounterServedLast)
{
    Database& db = env.db;
    walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    // The emergency came after the walk-ins, so its key is the highest.
    Ticket e1;
    e1.service = hall.consultation;
    e1.no = 50;
    e1.label = QStringLiteral("E1");
    e1.type = QStringLiteral("E");
    e1.attended = hall.counter1;
    e1.status = QStringLiteral("Transferred");
    addTicket(db, e1);

    frmCall* w = open();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("E1"));
    env.clock.setTime(QTime(9, 2));
    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(w->lblLast->text(), QStringLiteral("Last Served : E1"));
    // A1 goes on to counter 3.
    env.clock.setTime(QTime(9, 4));
    w->STab->setCurrentIndex(3);
    w->cmbService->setCurrentText(QStringLiteral("Counter 3"));
    w->Command5_Click();
    env.clock.setTime(QTime(9, 5));
    w->Timer1_Timer();
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A2"));
    env.clock.setTime(QTime(9, 9));
    w->Timer1_Timer();
    w->Command2_Click(); // A2 finished, nobody waits
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_EQ(w->lblLast->text(), QStringLiteral("Last Served : A2"));
}

TEST_F(FrmCallTest, AfterEachActionTheScreenAgreesWithTheStore)
{
    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    const qint64 a3 = walkIn(db, hall, 3);
    frmCall* w = open();
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 3"));

    w->Command2_Click(); // Next: A1
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 2"));
    EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : 2"));
    EXPECT_EQ(w->FG4->rows(), 3);
    ASSERT_EQ(w->FG->rows(), 2);
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("A1"));

    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F6)); // Cancel
    EXPECT_EQ(w->STab->tabText(2), QStringLiteral("Cancelled 1"));
    EXPECT_EQ(w->FG->rows(), 1);

    // Finish (F8): A1 ends now, nobody is called, the finish time is listed.
    env.clock.setTime(QTime(9, 3));
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F8));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("finished")), QStringLiteral("09:03:00"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_TRUE(w->lblNo->text().isEmpty());
    EXPECT_EQ(w->FG1->text(1, 4), QStringLiteral("09:03:00"));
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblCall")).number(0, 0), 1);

    // A call from the Pending list (A3, the newest, is row 1).
    w->FG4->setRow(1);
    w->FG4_DblClick();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A3"));
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 1"));
    EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : 1"));
    EXPECT_EQ(w->FG->text(1, 0), QString::number(a3));

    // The Finish button does the same as F8.
    env.clock.setTime(QTime(9, 8));
    w->cmdFinish->click();
    EXPECT_EQ(ticketText(db, a3, QStringLiteral("finished")), QStringLiteral("09:08:00"));
    EXPECT_EQ(w->FG->text(1, 4), QStringLiteral("09:08:00"));
    EXPECT_EQ(w->cmdFinish->text(), QStringLiteral("Finish   F8"));
}

TEST_F(FrmCallTest, ACallThatCannotBeStoredLeavesTheTokenWaitingAndSaysWhy)
{
    Database& db = env.db;
    const qint64 a1 = walkIn(db, hall, 1);
    frmCall* w = open();
    db.exec(QStringLiteral("create trigger full_disk before insert on tblCall begin "
                           "select raise(abort, 'database or disk is full'); end"));
    w->Command2_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("database or disk is full"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_NE(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(ticketText(db, a1, QStringLiteral("call")), QStringLiteral("0"));
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 1"));
}

// Answers like the scripted dialogs, and lets the screen's timers and hot keys run while a message
// is up, as they do behind a real message box.
class DialogsThatLetEventsRun : public ScriptedDialogs
{
public:
    std::function<void()> whileShown;
    int depth = 0;

protected:
    Answer showMessage(const QString& text, Buttons buttons, Icon icon, const QString& title,
                       QWidget* parent) override
    {
        const Answer answer = ScriptedDialogs::showMessage(text, buttons, icon, title, parent);
        if (whileShown && depth < 3) {
            ++depth;
            whileShown();
            --depth;
        }
        return answer;
    }
};

TEST_F(FrmCallTest, StoreFailuresOnTheCounterScreen)
{
    Database& db = env.db;
    walkIn(db, hall, 1);
    walkIn(db, hall, 2);
    // A counter whose service has lost its department shows no service name.
    db.exec(QStringLiteral("update tblService set deptAuto=? where servAuto=?"), {999, hall.lab});

    DialogsThatLetEventsRun dialogs;
    AppContext ctx{db,        env.settings(), env.session, env.clock,   dialogs,        env.launcher,
                   env.sound, env.printers,   env.hotKeys, env.screens, env.dir.path(), {}};
    frmCall w(ctx);
    w.Form_Load();
    w.STab->setCurrentIndex(3);
    ASSERT_EQ(w.cmbToken->count(), 2);
    w.cmbService->setCurrentText(QStringLiteral("Counter 3"));
    w.cmbService_Click();
    EXPECT_EQ(w.lblService->text(), QStringLiteral("Service Name  : Not Found"));

    db.exec(QStringLiteral("drop table tblTicket"));

    // Any failure of the transfer is the same message to the operator.
    w.cmbToken->setCurrentIndex(0);
    w.cmbService->setCurrentText(QStringLiteral("Counter 2"));
    w.Command5_Click();
    EXPECT_EQ(dialogs.last(), QStringLiteral("Error no valid token"));

    // While the failure is on screen, further refreshes and Next presses do not stack more messages.
    dialogs.clear();
    dialogs.whileShown = [&] {
        w.Command6_Click();
        w.Command2_Click();
    };
    w.Command6_Click();
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, Dialogs::Icon::Critical);
}

TEST_F(FrmCallTest, CancelMarksTheCurrentTokenAndShowsNothing)
{
    const qint64 a1 = walkIn(env.db, hall, 1);
    frmCall* w = open();
    w->Command2_Click();
    ASSERT_TRUE(env.hotKeys.press(Qt::Key_F6));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("status")), QStringLiteral("Cancelled"));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("call")), QStringLiteral("1"));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
}

TEST_F(FrmCallTest, HotKeysHeldElsewhereAreReportedAndOnlyCounterLogInsRegister)
{
    env.hotKeys.held = {Qt::Key_F5};
    frmCall* w = open();
    ASSERT_EQ(env.dialogs.shown().size(), 1);
    EXPECT_EQ(env.dialogs.last(),
              QStringLiteral("Can not register all or one of the hotkeys F5 ... Try other keys "
                             "this key is already registered by some other running applications."));
    EXPECT_EQ(env.dialogs.shown().first().icon, Dialogs::Icon::Critical);
    EXPECT_EQ(w->registeredKeys(), (QList<int>{Qt::Key_F4, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8}));

    // The boxes save their settings; registration happens only at opening.
    w->chkShort->click();
    w->chkboth->click();
    EXPECT_EQ(
        env.settings().get(QStringLiteral("Queue"), QStringLiteral("Shortcut"), QStringLiteral("Enable")),
        QStringLiteral("0"));
    EXPECT_EQ(env.settings().get(QStringLiteral("queue"), QStringLiteral("show"), QStringLiteral("both")),
              QStringLiteral("1"));
    w->close(); // a counter's screen ends the program; its keys go with it
    EXPECT_TRUE(env.hotKeys.handlers.isEmpty());

    EXPECT_TRUE(open()->registeredKeys().isEmpty()); // shortcuts now off
    env.screens.closeAll();
    env.settings().set(QStringLiteral("queue"), QStringLiteral("shortcut"), QStringLiteral("enable"), 1);
    env.session.isAdmin = true;
    EXPECT_TRUE(open()->registeredKeys().isEmpty()); // an administrator gets no hot keys
}

TEST_F(FrmCallTest, ExitAndCloseFollowTheKindOfLogIn)
{
    frmCall* w = open();
    env.dialogs.setNextAnswer(Dialogs::Answer::No);
    w->Command7_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Do you want to Close"));
    EXPECT_FALSE(env.programEnded);
    env.dialogs.setNextAnswer(Dialogs::Answer::Yes);
    w->Command7_Click();
    EXPECT_TRUE(env.programEnded);
    EXPECT_TRUE(env.hotKeys.handlers.isEmpty());

    // The close box of a counter's screen ends the program without a question.
    env.programEnded = false;
    env.dialogs.clear();
    open()->close();
    EXPECT_TRUE(env.programEnded);
    EXPECT_TRUE(env.dialogs.texts().isEmpty());

    // An administrator's screen just closes; the main window's Call item shows the one screen.
    env.programEnded = false;
    env.session.isAdmin = true;
    open()->Command7_Click();
    EXPECT_FALSE(env.programEnded);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env.screens.open(QStringLiteral("call")), env.screens.open(QStringLiteral("frmCall")));
}

TEST_F(FrmCallTest, RefreshRunsByItselfEverySixtyFirstTick)
{
    frmCall* w = open();
    walkIn(env.db, hall, 1);
    for (int round = 1; round <= 2; ++round) {
        for (int i = 0; i < 60; ++i)
            w->Timer2_Timer();
        EXPECT_EQ(w->STab->tabText(5),
                  round == 1 ? QStringLiteral("Pending") : QStringLiteral("Pending : 2"));
        walkIn(env.db, hall, round + 1);
        w->Timer2_Timer();
        EXPECT_EQ(w->STab->tabText(5), QStringLiteral("Pending : %1").arg(round + 1));
    }
}

} // namespace
