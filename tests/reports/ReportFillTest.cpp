#include "reports/ReportLoader.h"

#include "ReportsSupport.h"
#include "reports/ReportWindow.h"
#include "reports/modExcel.h"
#include "ui/Grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace reportstest;

namespace {

const QDate Day(2024, 3, 4);

// `count` called tickets of one service on Day, each served for (i % 10) minutes, written a hundred
// to a statement.
void manyTickets(Database& db, qint64 service, qint64 counter, const QString& prefix, int count)
{
    Database::Transaction t(db);
    for (int first = 0; first < count; first += 100) {
        QStringList marks;
        QVariantList values;
        for (int i = first; i < qMin(count, first + 100); ++i) {
            marks << QStringLiteral("(?,?,?,?,?,?,?,?,?,?)");
            const QTime from = QTime(8, 0).addSecs(i % 3000 * 10);
            values << service << i + 1 << Day.toString(Qt::ISODate) << QStringLiteral("08:00:00")
                   << QStringLiteral("1") << prefix + QString::number(i + 1) << counter
                   << from.toString(QStringLiteral("HH:mm:ss"))
                   << from.addSecs(60 * (i % 10)).toString(QStringLiteral("HH:mm:ss")) << QStringLiteral("N");
        }
        db.exec(QStringLiteral("insert into tblTicket (servAuto, tickNo, tickDate, tickTime, call, no_abr, "
                               "attended, attTime, finished, ttype) values ") +
                    marks.join(QLatin1Char(',')),
                values);
    }
    t.commit();
}

ReportRequest everything()
{
    return {ReportKind::Department, QStringLiteral("All"), Day, Day, false};
}

} // namespace

class ReportFill : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(Day, QTime(18, 0)));
        manyTickets(env->db, hall.consultation, hall.counter1, QStringLiteral("A"), Tickets);
        manyTickets(env->db, hall.reports, hall.counter3, QStringLiteral("R"), 30);
    }

    ReportWindow* departmentReport()
    {
        auto* w = qobject_cast<ReportWindow*>(env->screens.open(QStringLiteral("deptBased")));
        EXPECT_TRUE(listed(w));
        return w;
    }

    static constexpr int Tickets = 6000;
    Hall hall;
};

TEST_P(ReportFill, RowsComeInBatchesInTheirOrderWithTheirSum)
{
    ReportLoader loader;
    std::vector<int> batches;
    QStringList labels;
    QStringList numbers;
    std::optional<ReportSummary> summary;
    loader.onRows = [&](std::vector<GridRow>&& rows) {
        batches.push_back(int(rows.size()));
        for (const GridRow& row : rows) {
            numbers.append(row.text(1));
            labels.append(row.text(4));
        }
    };
    loader.onFinished = [&](const ReportSummary& s) { summary = s; };
    loader.start(StoreAddress::of(env->db), everything());
    EXPECT_TRUE(loader.busy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return summary.has_value(); }, 20000));
    EXPECT_FALSE(loader.busy());
    EXPECT_TRUE(summary->error.isEmpty()) << summary->error.toStdString();
    ASSERT_EQ(summary->rows, Tickets + 30);
    EXPECT_GT(batches.size(), 1u) << "the first rows come before the last is read";
    EXPECT_LE(batches.front(), 200) << "and the first batch is small";
    ASSERT_EQ(labels.size(), Tickets + 30);
    EXPECT_EQ(labels.first(), QStringLiteral("A1"));
    EXPECT_EQ(labels.at(Tickets - 1), QStringLiteral("A%1").arg(Tickets));
    EXPECT_EQ(labels.last(), QStringLiteral("R30"));
    EXPECT_EQ(numbers.first(), QStringLiteral("1"));
    EXPECT_EQ(numbers.last(), QString::number(Tickets + 30));
    // 0..9 minutes in turn: 4.5 on average over every ten tickets.
    EXPECT_EQ(summary->durationSum, qint64(Tickets / 10 * 45 + 3 * 45));
}

TEST_P(ReportFill, ANewRunDropsEveryRowOfTheOneBefore)
{
    ReportLoader loader;
    QStringList labels;
    int finished = 0;
    std::optional<ReportSummary> summary;
    loader.onRows = [&](std::vector<GridRow>&& rows) {
        for (const GridRow& row : rows)
            labels.append(row.text(4));
    };
    loader.onFinished = [&](const ReportSummary& s) {
        ++finished;
        summary = s;
    };
    loader.start(StoreAddress::of(env->db), everything());
    ReportRequest desk = everything();
    desk.kind = ReportKind::Service;
    desk.filter = QStringLiteral("Reports");
    loader.start(StoreAddress::of(env->db), desk);
    ASSERT_TRUE(QTest::qWaitFor([&] { return summary.has_value(); }, 20000));
    QTest::qWait(50); // nothing of the first run turns up late
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(summary->rows, 30);
    ASSERT_EQ(labels.size(), 30);
    EXPECT_EQ(labels.first(), QStringLiteral("R1"));

    // Cancelled: neither rows nor the end of the run arrive.
    labels.clear();
    loader.start(StoreAddress::of(env->db), everything());
    loader.cancel();
    EXPECT_FALSE(loader.busy());
    QTest::qWait(300);
    EXPECT_TRUE(labels.isEmpty());
    EXPECT_EQ(finished, 1);
}

TEST_P(ReportFill, TheWindowAnswersWhileItFillsAndShowReplacesAFillUnderWay)
{
    ReportWindow* w = departmentReport();
    ASSERT_TRUE(w);
    w->dtFrom->setDate(Day);
    w->DTto->setDate(Day);
    ASSERT_TRUE(listed(w));

    // While it fills, the window's timers keep running.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(1);
    w->cmdShow->click();
    EXPECT_TRUE(w->filling());
    EXPECT_EQ(w->lblAvg->text(), QString()) << "no average before the rows are in";
    // Send to Excel waits for the last row rather than export part of the report.
    env->session.activeReport = w;
    env->dialogs.clear();
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_EQ(env->dialogs.texts(), QStringList{modExcel::stillFillingText()});
    EXPECT_TRUE(env->dialogs.suggestedFiles.isEmpty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->FG->rows() > 1; }, 20000));
    const bool stillFilling = w->filling();
    ASSERT_TRUE(listed(w));
    timer.stop();
    EXPECT_EQ(w->FG->rows(), Tickets + 31);
    EXPECT_EQ(w->lblAvg->text(), averageText(double(Tickets / 10 * 45 + 3 * 45) / (Tickets + 30)));
    if (stillFilling) {
        EXPECT_GT(ticks, 1);
    }

    // A second Show while the first still fills: only the second report's rows are listed, numbered
    // from 1, with its own average.
    w->cmdShow->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->FG->rows() > 1; }, 20000));
    w->dtFrom->setDate(Day.addDays(-1));
    w->cmbDept->setEditText(QStringLiteral("Reports Desk"));
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 31);
    EXPECT_EQ(w->FG->text(1, 4), QStringLiteral("R1"));
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("1"));
    EXPECT_EQ(w->FG->text(30, 4), QStringLiteral("R30"));
    EXPECT_EQ(w->lblAvg->text(), QStringLiteral("Average Time : 4.5"));

    // Send to Excel takes the finished report.
    const QString file = env->path(QStringLiteral("desk.xlsx"));
    env->dialogs.clear();
    env->dialogs.setNextFileName(file);
    env->screens.run(QStringLiteral("sendto"));
    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << env->dialogs.last().toStdString();
    EXPECT_TRUE(QFileInfo::exists(file));
}

TEST_P(ReportFill, ClosingTheWindowWhileItFillsStopsTheFill)
{
    ReportWindow* w = departmentReport();
    ASSERT_TRUE(w);
    w->cmdShow->click();
    ASSERT_TRUE(w->filling());
    QElapsedTimer t;
    t.start();
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env->screens.existing(QStringLiteral("deptBased")), nullptr);
    EXPECT_LT(t.elapsed(), 5000);
    QTest::qWait(50); // no row looks for the window that is gone
}

// Before a restore every report gives its connection back; one still filling says that its listing
// was stopped rather than pass part of it for the whole, and lists again from a new connection.
TEST_P(ReportFill, GivingTheConnectionBackStopsAFillAndSaysSo)
{
    ReportWindow* w = departmentReport();
    ASSERT_TRUE(w);
    w->cmdShow->click();
    ASSERT_TRUE(w->filling());
    ReportLoader::releaseAllConnections();
    EXPECT_FALSE(w->filling());
    EXPECT_FALSE(w->property(modExcel::StillFillingProperty).toBool());
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(w->lblNote->text(),
              QStringLiteral("The listing was stopped for a restore. Press Show to list again."));
    QTest::qWait(100); // no row of the stopped run turns up late
    EXPECT_EQ(w->FG->rows(), 1);
    w->cmdShow->click();
    ASSERT_TRUE(listed(w));
    EXPECT_GT(w->FG->rows(), Tickets);
    EXPECT_TRUE(w->lblNote->isHidden());
}

TEST_P(ReportFill, AFailingQueryIsShownAndListsNothing)
{
    ReportWindow* w = departmentReport();
    ASSERT_TRUE(w);
    w->cmdShow->click();
    ASSERT_TRUE(listed(w));
    ASSERT_GT(w->FG->rows(), 1);
    env->dialogs.clear();
    env->db.exec(QStringLiteral("alter table tblDept rename to tblDeptGone"));
    w->cmdShow->click();
    const bool shown = listed(w);
    env->db.exec(QStringLiteral("alter table tblDeptGone rename to tblDept"));
    ASSERT_TRUE(shown);
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(w->lblAvg->text(), QString());
    ASSERT_EQ(env->dialogs.texts().size(), 1);
    EXPECT_TRUE(env->dialogs.last().contains(QStringLiteral("tbldept"), Qt::CaseInsensitive))
        << env->dialogs.last().toStdString();

    // A program connection that is closed has nothing to report from: said so, nothing listed.
    env->dialogs.clear();
    env->db.close();
    w->cmdShow->click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 1);
    EXPECT_EQ(env->dialogs.texts(),
              QStringList{QStringLiteral("Operation is not allowed when the object is closed.")});
}

BRIVANE_STORE_TEST_SUITE(ReportFill);
