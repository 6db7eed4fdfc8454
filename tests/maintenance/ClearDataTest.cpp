#include "MaintenanceTestSupport.h"
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
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Clear Data"));
    EXPECT_EQ(w->cmbDept->currentText(), QString());
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(w->cmbDept->itemText(w->cmbDept->count() - 1), QStringLiteral("All"));

    w->cmbDept->setEditText(QStringLiteral("General"));
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
    EXPECT_TRUE(labels(w).contains(QStringLiteral("A6")));
    EXPECT_EQ(w->lblAvg->text(), QString());

    w->dtFrom->setDate(today.addDays(-1));
    w->cmbDept->setEditText(QStringLiteral("All"));
    EXPECT_EQ(w->FG->rows() - 1, 8);
}

TEST_P(ClearTickets, DeletesTheRowsSelectedDownwardsAndNoneSelectedUpwards)
{
    frmClearData* w = open();
    ASSERT_NE(w, nullptr);
    w->cmbDept->setEditText(QStringLiteral("General"));
    ASSERT_EQ(w->FG->rows() - 1, 5);

    // Started at row 5 and extended up to row 3: nothing.
    w->FG->setRow(5);
    w->FG->setRowSel(3);
    w->cmdDelete_Click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Are you want to Delete?              "));
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 8);

    // A "No" deletes nothing either.
    w->FG->setRow(3);
    w->FG->setRowSel(5);
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    w->cmdDelete_Click();
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 8);

    w->FG->setRow(3);
    w->FG->setRowSel(5);
    w->cmdDelete_Click();
    EXPECT_EQ(labels(w), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    for (int i = 2; i < 5; ++i)
        EXPECT_TRUE(
            env->db.query(QStringLiteral("select * from tblTicket where tickAuto=?"), {keys[i]}).isEmpty());
    EXPECT_EQ(count(env->db, QStringLiteral("tblTicket")), 5);
    // Call events of deleted tickets stay.
    EXPECT_EQ(count(env->db, QStringLiteral("tblCall")), 1);
}

TEST_P(ClearTickets, ShowAllLetsWaitingTicketsBeDeleted)
{
    frmClearData* w = open();
    ASSERT_NE(w, nullptr);
    w->chkAll->setChecked(true);
    w->cmbDept->setEditText(QStringLiteral("General"));
    ASSERT_EQ(labels(w).last(), QStringLiteral("A6"));
    const int last = w->FG->rows() - 1;
    w->FG->setRow(last);
    w->cmdDelete_Click();
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

TEST(ClearTicketsLogic, SelectionWalkAverageAndMinutes)
{
    EXPECT_EQ(maintenance::rowsToDelete(3, 5), (QList<int>{5, 4, 3}));
    EXPECT_EQ(maintenance::rowsToDelete(4, 4), QList<int>{4});
    EXPECT_TRUE(maintenance::rowsToDelete(5, 3).isEmpty());

    EXPECT_EQ(maintenance::averageText({QStringLiteral("5"), QStringLiteral("7"), QString()}),
              QStringLiteral("4"));
    EXPECT_EQ(maintenance::averageText({QStringLiteral("10"), QStringLiteral("5")}), QStringLiteral("7.5"));
    EXPECT_EQ(maintenance::averageText({QStringLiteral("10"), QString(), QString()}),
              QStringLiteral("3.33333333333333"));
    EXPECT_EQ(maintenance::averageText({}), QString());

    // Minute boundaries count, as the reports count them.
    EXPECT_EQ(maintenance::minutesBetween(QStringLiteral("10:00:59"), QStringLiteral("10:01:00")),
              QStringLiteral("1"));
    EXPECT_EQ(maintenance::minutesBetween(QStringLiteral("09:58:00"), QStringLiteral("11:02:10")),
              QStringLiteral("64"));
    EXPECT_EQ(maintenance::minutesBetween(QStringLiteral("10:00:00"), QString()), QString());
    EXPECT_EQ(maintenance::minutesBetween(QString(), QStringLiteral("10:00:00")), QString());
}
