#include "reports/ReportWindow.h"

#include "ReportsSupport.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace reportstest;

namespace {

ReportWindow* openReport(TestEnv& env, const char* name)
{
    auto* w = qobject_cast<ReportWindow*>(env.screens.open(QString::fromLatin1(name)));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QStringList column(const Grid* grid, int col)
{
    QStringList texts;
    for (int r = 1; r < grid->rows(); ++r)
        texts.append(grid->text(r, col));
    return texts;
}

} // namespace

class ReportWindowTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 1, 15), QTime(12, 0)));
        const QString today = QStringLiteral("2024-01-15");
        served(env->db, hall.consultation, QStringLiteral("A1"), today, hall.counter1,
               QStringLiteral("09:00:00"), QStringLiteral("09:05:00"));
        served(env->db, hall.consultation, QStringLiteral("A2"), today, hall.counter2,
               QStringLiteral("09:10:00"), QStringLiteral("09:17:40"));
        served(env->db, hall.lab, QStringLiteral("B100"), today, hall.counter3, QStringLiteral("11:00:00"));
        waiting(env->db, hall.consultation, QStringLiteral("A3"), today);
        waiting(env->db, hall.lab, QStringLiteral("B101"), QStringLiteral("2024-01-14"));
    }
    Hall hall;
};

TEST_P(ReportWindowTest, DepartmentReportFollowsFilterShowAllAndDates)
{
    ReportWindow* w = openReport(*env, "deptBased");
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Report-Department Based"));
    EXPECT_EQ(w->lblFilter->text(), QStringLiteral("Select Department"));
    EXPECT_EQ(w->findChild<QComboBox*>(QStringLiteral("cmbDept")), w->cmbDept);
    EXPECT_EQ(w->cmbDept->itemText(w->cmbDept->count() - 1), QStringLiteral("All"));
    EXPECT_EQ(w->dtFrom->date(), QDate(2024, 1, 15));
    EXPECT_EQ(w->DTto->date(), QDate(2024, 1, 15));
    EXPECT_EQ(w->dtFrom->displayFormat(), QStringLiteral("dd-MM-yyyy"));
    EXPECT_EQ(w->chkAll->text(), QStringLiteral("Show All"));

    // It opens on "All" with the day's called tokens.
    EXPECT_EQ(w->cmbDept->currentText(), QStringLiteral("All"));
    EXPECT_EQ(w->FG->cols(), 14);
    const QStringList headings{QString(),
                               QStringLiteral("SN"),
                               QStringLiteral("Dept."),
                               QStringLiteral("Service"),
                               QStringLiteral("Token"),
                               QStringLiteral("Date"),
                               QStringLiteral("Counter"),
                               QStringLiteral("From"),
                               QStringLiteral("To"),
                               QStringLiteral("Duration"),
                               QStringLiteral("Waiting"),
                               QStringLiteral("Status"),
                               QStringLiteral("Display Name"),
                               QString()};
    for (int c = 0; c < 14; ++c)
        EXPECT_EQ(w->FG->text(0, c), headings[c]) << c;
    EXPECT_EQ(w->FG->colWidth(0), 1);
    EXPECT_TRUE(w->FG->isColumnHidden(0));
    EXPECT_EQ(w->FG->colWidth(13), 5000);
    EXPECT_TRUE(w->lblNote->isHidden());

    EXPECT_EQ(column(w->FG, 4),
              (QStringList{QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("B100")}));
    EXPECT_EQ(column(w->FG, 1), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(column(w->FG, 6),
              (QStringList{QStringLiteral("op1"), QStringLiteral("op2"), QStringLiteral("op3")}));
    EXPECT_EQ(column(w->FG, 9), (QStringList{QStringLiteral("5"), QStringLiteral("7"), QString()}));
    EXPECT_EQ(column(w->FG, 10),
              (QStringList{QStringLiteral("60"), QStringLiteral("70"), QStringLiteral("180")}));
    EXPECT_EQ(column(w->FG, 11), (QStringList{QStringLiteral("Finished"), QStringLiteral("Finished"),
                                              QStringLiteral("Called")}));
    EXPECT_EQ(column(w->FG, 12),
              (QStringList{QStringLiteral("Room 1"), QStringLiteral("Room 2"), QStringLiteral("Lab")}));
    EXPECT_EQ(w->lblAvg->text(), QStringLiteral("Average Time : 4"));
    // Totals per service, then all, of every token issued whatever the grid lists (A3 still waits):
    // waits 60 and 70 min (Consultation), 180 (Lab); service times of finished tokens only, to the
    // second (5:00 and 7:40). No service has a target.
    ASSERT_EQ(w->tblTotals->rowCount(), 3);
    const auto totals = [w](int r) {
        QStringList texts;
        for (int c = 0; c < w->tblTotals->columnCount(); ++c)
            texts.append(w->tblTotals->item(r, c)->text());
        return texts;
    };
    EXPECT_EQ(w->tblTotals->horizontalHeaderItem(0)->text(), QStringLiteral("Service"));
    const QStringList consultation{"Consultation", "3",        "2",       "0", "1",
                                   "65.0 min",     "70.0 min", "6.3 min", "–", "0"};
    const QStringList lab{"Lab", "1", "1", "0", "0", "180.0 min", "180.0 min", "–", "–", "0"};
    const QStringList all{"All", "4", "3", "0", "1", "103.3 min", "180.0 min", "6.3 min", "–", "0"};
    EXPECT_EQ(totals(0), consultation);
    EXPECT_EQ(totals(1), lab);
    EXPECT_EQ(totals(2), all);

    // Show All adds the waiting token and empties the average; unticking brings it back.
    QTest::mouseClick(w->chkAll, Qt::LeftButton);
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(column(w->FG, 4), (QStringList{QStringLiteral("A1"), QStringLiteral("A2"),
                                             QStringLiteral("B100"), QStringLiteral("A3")}));
    EXPECT_EQ(w->lblAvg->text(), QString());
    // The totals stay what they were: one figure per truth, whatever the grid lists.
    ASSERT_EQ(w->tblTotals->rowCount(), 3);
    EXPECT_EQ(totals(0), consultation);
    EXPECT_EQ(totals(2), all);
    QTest::mouseClick(w->chkAll, Qt::LeftButton);
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 4);
    EXPECT_EQ(w->lblAvg->text(), QStringLiteral("Average Time : 4"));

    // Typing a name filters as it is typed; a name that matches nothing empties the grid and the
    // average, and the window says why.
    w->cmbDept->setEditText(QStringLiteral("Reports Desk"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(w->lblAvg->text(), QString());
    EXPECT_FALSE(w->lblNote->isHidden());
    EXPECT_EQ(w->lblNote->text(), QStringLiteral("No token was called on 15-01-2024. Tick Show All to see "
                                                 "the tokens still waiting too."));
    EXPECT_TRUE(w->tblTotals->isHidden());
    w->cmbDept->setEditText(QStringLiteral("Nowhere"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->lblNote->text(),
              QStringLiteral("No tickets are shown: there is no active department called \"Nowhere\"."));
    w->cmbDept->setEditText(QString());
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->lblNote->text(),
              QStringLiteral("No tickets are shown: choose a department, or All, in the list above."));
    w->cmbDept->setEditText(QStringLiteral("General"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 4);

    // Widening the range to yesterday shows yesterday's waiting token only with Show All.
    w->dtFrom->setDate(QDate(2024, 1, 14));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 4);
    w->chkAll->click();
    ASSERT_TRUE(listed(w));
    EXPECT_TRUE(column(w->FG, 4).contains(QStringLiteral("B101")));

    w->cmdClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env->screens.existing(QStringLiteral("deptBased")), nullptr);
}

TEST_P(ReportWindowTest, PendingReportOpensWithTodaysWaitingTokens)
{
    ReportWindow* w = openReport(*env, "pendRep");
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Pending Reports"));
    EXPECT_EQ(w->lblFilter->text(), QStringLiteral("Select Service"));
    EXPECT_EQ(w->cmbDept->currentText(), QStringLiteral("All"));
    EXPECT_EQ(column(w->FG, 4), QStringList{QStringLiteral("A3")});
    EXPECT_EQ(w->lblAvg->text(), QStringLiteral("Average Time : 0"));
    w->chkAll->click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(column(w->FG, 4), QStringList{QStringLiteral("A3")});
}

TEST_P(ReportWindowTest, ActivationMakesTheExportTarget)
{
    QWidget* counters = openReport(*env, "cntBased");
    QWidget* services = openReport(*env, "servBase");
    ASSERT_TRUE(counters && services);
    EXPECT_EQ(counters->windowTitle(), QStringLiteral("Report-Counter Based"));
    EXPECT_EQ(services->windowTitle(), QStringLiteral("Report Service Based"));
    QApplication::setActiveWindow(services);
    EXPECT_EQ(env->session.activeReport, services);
    QApplication::setActiveWindow(counters);
    EXPECT_EQ(env->session.activeReport, counters);
}

BRIVANE_STORE_TEST_SUITE(ReportWindowTest);
