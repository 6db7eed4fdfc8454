#include "MaintenanceTestSupport.h"
#include "maintenance/ClearTickets.h"
#include "maintenance/Maintenance.h"
#include "maintenance/frmClearData.h"
#include "maintenance/frmcallDelete.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace maintenancetest;

namespace {

const QDate today(2026, 3, 14);

// Waits until the listing's last row is in the grid (the rows come from another thread).
bool listed(frmClearData* w)
{
    return w && QTest::qWaitFor([w] { return !w->filling(); }, 20000);
}

class ClearCalls : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        env->clock.set(QDateTime(today, QTime(10, 0)));
        hall = seedHall(env->db);
        addCall(env->db, hall.consultation, QStringLiteral("A1"), QStringLiteral("2026-02-28"));
        addCall(env->db, hall.consultation, QStringLiteral("A2"), QStringLiteral("2026-03-13"));
        addCall(env->db, hall.consultation, QStringLiteral("A3"), QStringLiteral("2026-03-14"));
        addCall(env->db, hall.consultation, QStringLiteral("A4"), QStringLiteral("2026-03-14"));
        addCall(env->db, hall.consultation, QStringLiteral("A5"), QStringLiteral("2026-03-15"));
    }
    QStringList remaining()
    {
        QStringList labels;
        const ResultSet rs = env->db.query(QStringLiteral("select no_abr from tblCall order by callauto"));
        for (int i = 0; i < rs.size(); ++i)
            labels << rs.text(i, 0);
        return labels;
    }
    Hall hall;
};

class ClearTickets : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        env->clock.set(QDateTime(today, QTime(10, 0)));
        hall = seedHall(env->db);
        const QString d = QStringLiteral("2026-03-14");
        // Five called tokens of General and one waiting one, one Reports Desk token, one of yesterday.
        for (int n = 1; n <= 5; ++n)
            keys << addTicket(env->db, hall.consultation, n, QStringLiteral("A%1").arg(n), d, true,
                              hall.counter1, QStringLiteral("10:0%1:00").arg(n),
                              QStringLiteral("10:1%1:30").arg(n));
        waiting = addTicket(env->db, hall.consultation, 6, QStringLiteral("A6"), d, false);
        reportDesk = addTicket(env->db, hall.reports, 1, QStringLiteral("R1"), d, true, hall.counter1,
                               QStringLiteral("11:00:00"), QStringLiteral("11:05:00"));
        yesterday =
            addTicket(env->db, hall.consultation, 1, QStringLiteral("A1"), QStringLiteral("2026-03-13"), true,
                      hall.counter2, QStringLiteral("09:00:00"), QStringLiteral("09:04:00"));
        addCall(env->db, hall.consultation, QStringLiteral("A3"), d);
    }
    frmClearData* open()
    {
        auto* w = qobject_cast<frmClearData*>(env->screens.open(QStringLiteral("clrTickData")));
        EXPECT_NE(w, nullptr);
        return w;
    }
    QStringList labels(frmClearData* w)
    {
        QStringList out;
        for (int r = 1; r < w->FG->rows(); ++r)
            out << w->FG->text(r, 4);
        return out;
    }
    Hall hall;
    QList<qint64> keys;
    qint64 waiting = 0, reportDesk = 0, yesterday = 0;
};

} // namespace

TEST_P(ClearCalls, DeletesOnlyEarlierDaysAndAFutureDateTakesTodayToo)
{
    EXPECT_EQ(maintenance::deleteCallsBefore(env->db, today), 2);
    EXPECT_EQ(remaining(), (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5")}));
    EXPECT_EQ(maintenance::deleteCallsBefore(env->db, today.addDays(1)), 2);
    EXPECT_EQ(remaining(), QStringList{QStringLiteral("A5")});
}

// A long clearing goes in parts, each its own short transaction, so kiosks can write between them;
// every old row still goes, and the newer ones stay.
TEST_P(ClearCalls, ALongClearingRemovesEveryOldRowInParts)
{
    env->db.inTransaction([&] {
        for (int i = 0; i < 4500; ++i)
            env->db.insert(QStringLiteral("tblCall"),
                           {{QStringLiteral("no_abr"), QStringLiteral("Z%1").arg(i)},
                            {QStringLiteral("tickDate"), QStringLiteral("2020-01-01")}});
    });
    EXPECT_EQ(maintenance::deleteCallsBefore(env->db, today), 4502);
    EXPECT_EQ(remaining(), (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5")}));
}

TEST_P(ClearCalls, ScreenStartsAtTodayAsksFirstAndReports)
{
    auto* w = qobject_cast<frmcallDelete*>(env->screens.open(QStringLiteral("ClrCall")));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Delete Call Data"));
    EXPECT_EQ(w->dtFrom->date(), today);
    EXPECT_EQ(w->dtFrom->displayFormat(), QStringLiteral("dd-MM-yyyy"));

    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
    EXPECT_EQ(count(env->db, QStringLiteral("tblCall")), 5);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Do you want to Delete "));

    QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Successfully Deleted "));
    EXPECT_EQ(remaining(), (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5")}));
}

TEST_P(ClearCalls, CommandTakesADateAndRefusesAnythingElse)
{
    QString out;
    EXPECT_EQ(runCommand(*env, QStringLiteral("clear-calls"), {QStringLiteral("--before")}), 2);
    EXPECT_EQ(runCommand(*env, QStringLiteral("clear-calls"),
                         {QStringLiteral("--before"), QStringLiteral("14-03-2026")}),
              2);
    EXPECT_EQ(
        runCommand(*env, QStringLiteral("clear-calls"),
                   {QStringLiteral("--before"), QStringLiteral("2026-03-14'; delete from tblCall; --")}),
        2);
    EXPECT_EQ(count(env->db, QStringLiteral("tblCall")), 5);
    EXPECT_EQ(runCommand(*env, QStringLiteral("clear-calls"),
                         {QStringLiteral("--before"), QStringLiteral("2026-03-14")}, &out),
              0);
    EXPECT_TRUE(out.contains(QStringLiteral("Deleted 2 "))) << out.toStdString();
    EXPECT_EQ(count(env->db, QStringLiteral("tblCall")), 3);
}

TEST_P(ClearTickets, ListsLikeTheDepartmentReportWithItsAverage)
{
    frmClearData* w = open();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Clear Data"));
    EXPECT_EQ(w->cmbDept->currentText(), QStringLiteral("All")); // opens on the day's tickets
    EXPECT_EQ(w->cmbDept->itemText(w->cmbDept->count() - 1), QStringLiteral("All"));

    w->cmbDept->setEditText(QStringLiteral("General"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(labels(w), (QStringList{QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"),
                                      QStringLiteral("A4"), QStringLiteral("A5")}));
    EXPECT_EQ(w->FG->text(1, 0), QString::number(keys[0]));
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("1"));
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("General"));
    EXPECT_EQ(w->FG->text(1, 3), QStringLiteral("Consultation"));
    EXPECT_EQ(w->FG->text(1, 6), QStringLiteral("op1"));
    // 10:01 to 10:11, 10:02 to 10:12, ... : ten minutes each.
    EXPECT_EQ(w->FG->text(1, 9), QStringLiteral("10"));
    EXPECT_EQ(w->lblAvg->text(), QStringLiteral("Average Time : 10"));

    QTest::mouseClick(w->chkAll, Qt::LeftButton);
    ASSERT_TRUE(listed(w));
    EXPECT_TRUE(labels(w).contains(QStringLiteral("A6")));
    EXPECT_EQ(w->lblAvg->text(), QString());

    w->dtFrom->setDate(today.addDays(-1));
    ASSERT_TRUE(listed(w));
    w->cmbDept->setEditText(QStringLiteral("All"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows() - 1, 8);

    // An empty listing has no average, rather than the previous listing's figure.
    QTest::mouseClick(w->chkAll, Qt::LeftButton);
    ASSERT_TRUE(listed(w));
    EXPECT_FALSE(w->lblAvg->text().isEmpty());
    w->cmbDept->setEditText(QStringLiteral("Nowhere"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(w->lblAvg->text(), QString());
}

// Real clicks and keys on the grid, the way a user makes the selection.
void clickRow(Grid* grid, int row, Qt::KeyboardModifiers modifiers = {})
{
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
}

TEST_P(ClearTickets, DeletesExactlyTheHighlightedRowsInEitherDirection)
{
    frmClearData* w = open();
    ASSERT_TRUE(listed(w));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    w->cmbDept->setEditText(QStringLiteral("General"));
    ASSERT_TRUE(listed(w));
    ASSERT_EQ(w->FG->rows() - 1, 5);

    // Reached with Tab the grid has a current row but nothing highlighted: nothing is deleted, and
    // the user is told why instead of being asked.
    w->FG->setFocus();
    QTest::keyClick(w->FG, Qt::Key_Down);
    w->FG->clearSelection();
    env->dialogs.clear();
    w->cmdDelete_Click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(env->dialogs.last(), maintenance::nothingSelectedText());
    EXPECT_EQ(env->dialogs.shown().size(), 1);
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 8);

    // Started at row 5 and extended up to row 3; "No" keeps them, "Yes" deletes those three.
    clickRow(w->FG, 5);
    clickRow(w->FG, 3, Qt::ShiftModifier);
    EXPECT_EQ(w->FG->selectedRowNumbers(), (QList<int>{3, 4, 5}));
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    w->cmdDelete_Click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(env->dialogs.last(),
              QStringLiteral("Are you want to Delete?              \n3 tickets are selected."));
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 8);
    w->cmdDelete_Click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("3 tickets deleted."));
    EXPECT_EQ(labels(w), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    for (int i = 2; i < 5; ++i)
        EXPECT_TRUE(
            env->db.query(QStringLiteral("select * from tblTicket where tickAuto=?"), {keys[i]}).isEmpty());
    // Call events of deleted tickets stay.
    EXPECT_EQ(count(env->db, QStringLiteral("tblCall")), 1);

    // Rows picked one by one with Ctrl: all of them, not only the last one clicked.
    w->cmbDept->setEditText(QStringLiteral("All"));
    ASSERT_TRUE(listed(w));
    ASSERT_EQ(labels(w), (QStringList{QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("R1")}));
    clickRow(w->FG, 1);
    clickRow(w->FG, 3, Qt::ControlModifier);
    w->cmdDelete_Click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("2 tickets deleted."));
    EXPECT_EQ(labels(w), QStringList{QStringLiteral("A2")});
}

TEST_P(ClearTickets, ShowAllLetsWaitingTicketsBeDeleted)
{
    frmClearData* w = open();
    ASSERT_TRUE(listed(w));
    w->chkAll->setChecked(true);
    w->cmbDept->setEditText(QStringLiteral("General"));
    ASSERT_TRUE(listed(w));
    ASSERT_EQ(labels(w).last(), QStringLiteral("A6"));
    const int last = w->FG->rows() - 1;
    w->FG->setRow(last);
    w->cmdDelete_Click();
    ASSERT_TRUE(listed(w));
    EXPECT_TRUE(
        env->db.query(QStringLiteral("select * from tblTicket where tickAuto=?"), {waiting}).isEmpty());
    EXPECT_FALSE(labels(w).contains(QStringLiteral("A6")));
}

TEST_P(ClearTickets, ActivationMakesItTheExportTarget)
{
    frmClearData* w = open();
    ASSERT_NE(w, nullptr);
    env->session.activeReport = nullptr;
    w->show();
    QApplication::setActiveWindow(w);
    EXPECT_EQ(env->session.activeReport.data(), w);
}

BRIVANE_STORE_TEST_SUITE(ClearCalls);
BRIVANE_STORE_TEST_SUITE(ClearTickets);

// Everything before a day: its tickets and their call rows (also a call row dated later, of a ticket
// dated before), after a question with the counts; a No keeps everything.
TEST_P(ClearCalls, EverythingBeforeADayGoesWithItsCallRowsAfterTheCountIsAsked)
{
    const qint64 old1 =
        addTicket(env->db, hall.consultation, 1, QStringLiteral("A1"), QStringLiteral("2026-02-28"), true,
                  hall.counter1, QStringLiteral("09:01:00"));
    addTicket(env->db, hall.consultation, 2, QStringLiteral("A2"), QStringLiteral("2026-03-13"), false);
    addTicket(env->db, hall.consultation, 3, QStringLiteral("A3"), QStringLiteral("2026-03-14"), false);
    // A call row of the old ticket that carries a later date.
    env->db.insert(QStringLiteral("tblCall"), {{QStringLiteral("servAuto"), hall.consultation},
                                               {QStringLiteral("no_abr"), QStringLiteral("A1b")},
                                               {QStringLiteral("status1"), 0},
                                               {QStringLiteral("tickAuto"), old1},
                                               {QStringLiteral("tickDate"), QStringLiteral("2026-03-14")}});
    const maintenance::ClearCount before = maintenance::countBefore(env->db, QDate(2026, 3, 14));
    EXPECT_EQ(before.tickets, 2);
    EXPECT_EQ(before.calls, 3); // A1, A2 by date, A1b by its ticket

    auto* w = qobject_cast<frmClearData*>(env->screens.open(QStringLiteral("clrTickData")));
    ASSERT_TRUE(listed(w));
    w->dtBefore->setDate(QDate(2026, 3, 14));
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    w->cmdDeleteBefore->click();
    EXPECT_EQ(env->dialogs.last(), maintenance::clearBeforeQuestion(before, QDate(2026, 3, 14)));
    EXPECT_TRUE(env->dialogs.last().startsWith(
        QStringLiteral("2 ticket(s) and 3 call row(s) dated before 14-03-2026")));
    EXPECT_EQ(maintenance::countBefore(env->db, QDate(2026, 3, 14)).tickets, 2);

    w->cmdDeleteBefore->click(); // Yes
    EXPECT_EQ(env->dialogs.last(),
              QStringLiteral("Deleted 2 ticket(s) and 3 call row(s) dated before 2026-03-14."));
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 1);
    EXPECT_EQ(remaining(), (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5")}));
    w->cmdDeleteBefore->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("There is nothing dated before 14-03-2026."));

    // The command line does the same for a date it is given, and refuses anything else.
    QString out;
    QString error;
    for (const QString& notADay : {QStringLiteral("15-03-2026"), QStringLiteral("-2026-03-13"),
                                   QStringLiteral("2026-02-30"), QStringLiteral("20260-03-13")})
        EXPECT_EQ(runCommand(*env, QStringLiteral("clear-tickets"), {QStringLiteral("--before"), notADay}), 2)
            << notADay.toStdString();
    EXPECT_EQ(runCommand(*env, QStringLiteral("clear-tickets"), {}), 2);
    // A day after today would take today's queue with it: refused, nothing deleted.
    EXPECT_EQ(runCommand(*env, QStringLiteral("clear-tickets"),
                         {QStringLiteral("--before"), QStringLiteral("2026-03-15")}, &out, &error),
              1);
    EXPECT_EQ(error.trimmed(), maintenance::clearBeforeRefusal(QDate(2026, 3, 15), today));
    EXPECT_TRUE(error.contains(QStringLiteral("Choose 14-03-2026 (today) or an earlier day")))
        << error.toStdString();
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 1);
    // Today itself clears the days up to yesterday, which are gone already.
    EXPECT_EQ(runCommand(*env, QStringLiteral("clear-tickets"),
                         {QStringLiteral("--before"), QStringLiteral("2026-03-14")}, &out),
              0);
    EXPECT_EQ(out, QStringLiteral("Deleted 0 ticket(s) and 0 call row(s) dated before 2026-03-14.\n"));
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 1);
    EXPECT_EQ(remaining(), (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A5")}));

    // The screen offers no day after today, and refuses one after today should its box hold one
    // (here the clock goes back a day under the open screen).
    w->dtBefore->setDate(QDate(2026, 3, 15));
    EXPECT_EQ(w->dtBefore->date(), today);
    env->clock.set(QDateTime(today.addDays(-1), QTime(23, 0)));
    w->cmdDeleteBefore->click();
    EXPECT_EQ(env->dialogs.last(), maintenance::clearBeforeRefusal(today, today.addDays(-1)));
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 1);
    w->close();
}
