#include "CallingSupport.h"
#include "calling/frmCall.h"
#include "calling/frmCallAdmin.h"
#include "calling/frmSelService.h"
#include "core/AppContext.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace callingtest;

namespace {

class CallDeskScreensTest : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        env.session.isAdmin = true;
    }

    frmCallAdmin* openDesk()
    {
        return qobject_cast<frmCallAdmin*>(env.screens.openNew(QStringLiteral("frmCallAdmin")));
    }

    frmSelService* openPicker()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto* w = qobject_cast<frmSelService*>(env.screens.open(QStringLiteral("frmSelService")));
        if (w)
            w->Form_Activate(); // as the first activation does
        return w;
    }

    void setDeskSettings(const QString& selected, const QString& my)
    {
        env.settings().set(QStringLiteral("q"), QStringLiteral("counter"), QStringLiteral("selected"),
                           selected);
        env.settings().set(QStringLiteral("q"), QStringLiteral("counter"), QStringLiteral("my"), my);
    }

    TestEnv env;
    Hall hall;
};

TEST_F(CallDeskScreensTest, DeskOpensOnTheRememberedCountersAndCalls)
{
    setDeskSettings(QStringLiteral("Counter 1"), QStringLiteral("Lab"));
    const qint64 a1 = walkIn(env.db, hall, 1);
    walkIn(env.db, hall, 2);
    const qint64 served = walkIn(env.db, hall, 9);
    env.db.exec(
        QStringLiteral("update tblTicket set call='1', attended=?, attTime='08:45:00' where tickAuto=?"),
        {hall.counter1, served});

    frmCallAdmin* w = openDesk();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lab"));
    // The remembered counter's last token is current and its attended list is filled.
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A9"));
    EXPECT_EQ(w->lblLast->text(), QStringLiteral("Last Served : A9"));
    ASSERT_EQ(w->FG->rows(), 2);
    EXPECT_EQ(w->FG->text(1, 0), QString::number(served));
    EXPECT_EQ(w->cmbCounter->currentText(), QStringLiteral("Counter 1"));
    EXPECT_EQ(w->lblDr->text(), QStringLiteral("Room 1"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_EQ(w->lblTotal->text(), QStringLiteral("Total Pending : 2"));
    EXPECT_FALSE(w->STab->isTabEnabled(3));
    EXPECT_EQ(w->Command3->text(), QStringLiteral("Call This F6"));
    EXPECT_EQ(w->Command7->text(), QStringLiteral("Close"));
    EXPECT_EQ(w->chkboth->text(), QStringLiteral("Show Counter && Display"));
    // Sorted names; My Counter offers an empty entry first.
    ASSERT_EQ(w->cmbCounter->count(), 3);
    EXPECT_EQ(w->cmbCounter->itemText(2), QStringLiteral("Counter 3"));
    ASSERT_EQ(w->cmbMyCounter->count(), 4);
    EXPECT_EQ(w->cmbMyCounter->itemText(0), QString());
    EXPECT_EQ(w->cmbMyCounter->itemText(1), QStringLiteral("Lab"));
    EXPECT_EQ(w->FGR->cols(), 6);
    EXPECT_EQ(w->FGR->text(0, 5), QStringLiteral("Time"));

    QTest::mouseClick(w->Command2, Qt::LeftButton);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Calling"));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    EXPECT_EQ(w->lblNo->text(), QString::number(a1));
    EXPECT_EQ(ticketText(env.db, served, QStringLiteral("finished")), QStringLiteral("09:00:00"));
    EXPECT_FALSE(w->Command2->isEnabled());
    w->Timer1_Timer();
    EXPECT_TRUE(w->Command2->isEnabled());
    const ResultSet row =
        env.db.query(QStringLiteral("select displayName,servAuto from tblCall where tickAuto=?"), {a1});
    EXPECT_EQ(row.text(0, 0), QStringLiteral("Lab"));
    EXPECT_EQ(row.number(0, 1), hall.counter1);

    // "Call This F6" cancels the current token; the Cancelled list calls it again.
    w->Command3_Click();
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("status")), QStringLiteral("Cancelled"));
    w->STab->setCurrentIndex(2);
    EXPECT_EQ(w->STab->tabText(2), QStringLiteral("Cancelled 1"));
    ASSERT_EQ(w->FG1->rows(), 2);
    w->FG1->setRow(1);
    w->FG1_DblClick();
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("status")), QStringLiteral("Finished"));
    EXPECT_EQ(callRows(env.db, a1), 2);
}

TEST_F(CallDeskScreensTest, DeskNextFinishesTheTokenTheDeskIsServing)
{
    setDeskSettings(QStringLiteral("Counter 1"), QString());
    const qint64 a1 = walkIn(env.db, hall, 1);
    const qint64 a2 = walkIn(env.db, hall, 2);
    walkIn(env.db, hall, 3);
    frmCallAdmin* w = openDesk();
    env.clock.setTime(QTime(9, 0));
    w->Command2_Click(); // A1
    env.clock.setTime(QTime(9, 10));
    w->Command2_Click(); // A2; A1 ends at 09:10
    // A1 is called back from the Attended list at 09:20; coming back to the window keeps it current.
    env.clock.setTime(QTime(9, 20));
    w->STab->setCurrentIndex(1);
    ASSERT_EQ(w->FG->rows(), 3);
    w->FG->setRow(2);
    w->FG_DblClick();
    EXPECT_EQ(ticketText(env.db, a2, QStringLiteral("finished")), QStringLiteral("09:20:00"));
    w->Form_Activate();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    env.clock.setTime(QTime(9, 30));
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A3"));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("finished")), QStringLiteral("09:30:00"));
    EXPECT_EQ(ticketText(env.db, a2, QStringLiteral("finished")), QStringLiteral("09:20:00"));
}

TEST_F(CallDeskScreensTest, SwitchingCountersFinishesTheOldCountersTokenAndFinishEndsTheServedOne)
{
    setDeskSettings(QStringLiteral("Counter 1"), QString());
    const qint64 a1 = walkIn(env.db, hall, 1);
    Ticket lab;
    lab.service = hall.lab;
    lab.no = 100;
    lab.label = QStringLiteral("B100");
    const qint64 b100 = addTicket(env.db, lab);
    frmCallAdmin* w = openDesk();
    w->Command2_Click(); // A1 at 09:00
    ASSERT_EQ(w->lblToken->text(), QStringLiteral("A1"));

    // Leaving Counter 1 ends its token now, not at some later Next back there.
    env.clock.setTime(QTime(9, 5));
    w->cmbCounter->setCurrentText(QStringLiteral("Counter 3"));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("finished")), QStringLiteral("09:05:00"));
    w->Command2_Click();
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("B100"));

    // Finish: the served token ends, the desk is idle, and its list shows the end time.
    env.clock.setTime(QTime(9, 10));
    EXPECT_EQ(w->cmdFinish->text(), QStringLiteral("Finish   F8"));
    QTest::mouseClick(w->cmdFinish, Qt::LeftButton);
    EXPECT_EQ(ticketText(env.db, b100, QStringLiteral("finished")), QStringLiteral("09:10:00"));
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_TRUE(w->lblNo->text().isEmpty());
    ASSERT_EQ(w->FG->rows(), 2);
    EXPECT_EQ(w->FG->text(1, 4), QStringLiteral("09:10:00"));

    // Back at Counter 1 its last token is current again and keeps the time it ended.
    env.clock.setTime(QTime(9, 20));
    w->cmbCounter->setCurrentText(QStringLiteral("Counter 1"));
    EXPECT_EQ(w->lblToken->text(), QStringLiteral("A1"));
    w->Command2_Click();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));
    EXPECT_EQ(ticketText(env.db, a1, QStringLiteral("finished")), QStringLiteral("09:05:00"));
    EXPECT_EQ(ticketText(env.db, b100, QStringLiteral("finished")), QStringLiteral("09:10:00"));
}

TEST_F(CallDeskScreensTest, ChoosingCountersSavesThemAndAnUnknownNameStopsCalling)
{
    setDeskSettings(QString(), QString());
    walkIn(env.db, hall, 1);
    const qint64 directedHere = directed(env.db, hall, 2, QStringLiteral("N"), hall.counter3);
    env.db.exec(QStringLiteral("update tblTicket set ref='see lab' where tickAuto=?"), {directedHere});

    frmCallAdmin* w = openDesk();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Call"));
    EXPECT_FALSE(w->Command2->isEnabled()); // no counter yet
    w->Command2_Click();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("Idle"));

    w->cmbCounter->setCurrentIndex(w->cmbCounter->findText(QStringLiteral("Counter 3")));
    EXPECT_EQ(env.settings().get(QStringLiteral("q"), QStringLiteral("counter"), QStringLiteral("selected")),
              QStringLiteral("Counter 3"));
    EXPECT_TRUE(w->Command2->isEnabled());
    EXPECT_EQ(w->lblDr->text(), QStringLiteral("Lab"));
    // Its Transfered list shows the note in the Time column.
    EXPECT_EQ(w->STab->tabText(4), QStringLiteral("Transfred 1"));
    ASSERT_EQ(w->FGR->rows(), 2);
    EXPECT_EQ(w->FGR->text(1, 2), QStringLiteral("A2"));
    EXPECT_EQ(w->FGR->text(1, 5), QStringLiteral("see lab"));

    w->cmbMyCounter->setCurrentIndex(w->cmbMyCounter->findText(QStringLiteral("Room 2")));
    EXPECT_EQ(env.settings().get(QStringLiteral("q"), QStringLiteral("counter"), QStringLiteral("my")),
              QStringLiteral("Room 2"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Room 2"));

    w->cmbCounter->setEditText(QStringLiteral("Counter 9"));
    EXPECT_FALSE(w->Command2->isEnabled());
    EXPECT_FALSE(w->Command1->isEnabled());
    EXPECT_FALSE(w->Command3->isEnabled());
    w->Command2_Click();
    w->Timer1_Timer();
    EXPECT_FALSE(w->Command2->isEnabled());
    EXPECT_EQ(env.db.query(QStringLiteral("select count(*) from tblCall")).number(0, 0), 0);

    // Close only hides the desk; another press of Call opens a second one.
    w->Command7_Click();
    EXPECT_FALSE(w->isVisible());
    frmCallAdmin* second = openDesk();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, w);
    EXPECT_EQ(second->cmbCounter->currentText(), QStringLiteral("Counter 9"));
}

TEST_F(CallDeskScreensTest, PickerWithAValidPresetOpensOnlyTheTransferTab)
{
    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("transfer"),
                       QStringLiteral("Counter 3"));
    frmSelService* picker = openPicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    EXPECT_EQ(env.session.counterId, hall.counter3);
    EXPECT_EQ(env.session.servingCounterId, hall.counter3);
    EXPECT_EQ(env.session.serviceId, hall.lab);

    auto* call = qobject_cast<frmCall*>(env.screens.existing(QStringLiteral("frmCall")));
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->windowTitle(), QStringLiteral("Counter 3"));
    for (int tab = 0; tab < 7; ++tab)
        EXPECT_EQ(call->STab->isTabEnabled(tab), tab == 3) << tab;
    EXPECT_EQ(call->STab->currentIndex(), 3);
}

TEST_F(CallDeskScreensTest, PickerWithoutPresetAsksOnceThenWaitsForAChoice)
{
    frmSelService* picker = openPicker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Please enter a valid Counter")});
    picker->Form_Activate(); // coming back after the message asks nothing more
    EXPECT_EQ(env.dialogs.texts().size(), 1);
    EXPECT_EQ(env.screens.existing(QStringLiteral("frmCall")), nullptr);
    ASSERT_EQ(picker->cmbCounter->count(), 3);

    picker->cmbCounter->setCurrentIndex(1);
    EXPECT_EQ(picker->lblService->text(), QStringLiteral("Service Name  : Consultation"));
    picker->cmbCounter->setEditText(QStringLiteral("Nobody"));
    EXPECT_EQ(picker->lblService->text(), QStringLiteral("Service Name  : Not Found"));
    picker->Command1_Click();
    EXPECT_EQ(env.dialogs.texts().size(), 2);

    picker->cmbCounter->setEditText(QStringLiteral("Counter 2"));
    QTest::keyClick(picker->cmbCounter, Qt::Key_Return);
    EXPECT_EQ(env.session.counterId, hall.counter2);
    EXPECT_EQ(env.session.serviceId, hall.consultation);
    EXPECT_NE(env.screens.existing(QStringLiteral("frmCall")), nullptr);
}

} // namespace
