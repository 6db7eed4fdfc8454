#include "reports/ReportFigures.h"
#include "reports/ReportChartView.h"
#include "reports/ReportCharts.h"
#include "reports/modExcel.h"
#include "testsupport/CommandRun.h"

#include "ReportsSupport.h"
#include "calling/CallEngine.h"
#include "calling/TokenMoves.h"
#include "core/CommandRegistry.h"
#include "ui/Grid.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextStream>

using namespace reportstest;

namespace {

const QDate Day(2024, 3, 4);

// A hall's morning, made by the counters' own calls, transfer and cancel. Consultation (Room 1 and
// Room 2) and Lab (Room 3):
//   A1 issued 08:00, called at Room 1 08:10, handed to Room 2 08:15, called there 08:20, finished
//      08:30: two visits, waits 10:00 and 5:00, services 5:00 and 10:00;
//   A2 issued 08:05, called at Room 1 08:16, finished 08:20: wait 11:00, service 4:00;
//   A3 issued 09:00, called at Room 2 09:30 and cancelled: wait 30:00, no service;
//   A4 issued 09:10 and B1 (Lab) issued 09:20 still wait.
class ReportFigures_ : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        CallEngine& room1 = counter(hall.counter1);
        CallEngine& room2 = counter(hall.counter2);
        a1 = issue(hall.consultation, "A1", 1, QTime(8, 0));
        const qint64 a2 = issue(hall.consultation, "A2", 2, QTime(8, 5));
        at(QTime(8, 10));
        ASSERT_EQ(room1.callThis(a1, QString(), CallEngine::Take::OnlyWaiting),
                  CallEngine::CallResult::Called);
        at(QTime(8, 15));
        ASSERT_TRUE(room1.transferCurrent(hall.counter2, QStringLiteral("x-ray")));
        at(QTime(8, 16));
        ASSERT_EQ(room1.callThis(a2, QString(), CallEngine::Take::OnlyWaiting),
                  CallEngine::CallResult::Called);
        at(QTime(8, 20));
        ASSERT_TRUE(room1.finishCurrent());
        ASSERT_EQ(room2.callThis(a1, QString(), CallEngine::Take::OnlyWaiting),
                  CallEngine::CallResult::Called);
        at(QTime(8, 30));
        ASSERT_TRUE(room2.finishCurrent());
        const qint64 a3 = issue(hall.consultation, "A3", 3, QTime(9, 0));
        issue(hall.consultation, "A4", 4, QTime(9, 10));
        issue(hall.lab, "B1", 100, QTime(9, 20));
        at(QTime(9, 30));
        ASSERT_EQ(room2.callThis(a3, QString(), CallEngine::Take::OnlyWaiting),
                  CallEngine::CallResult::Called);
        ASSERT_TRUE(tokenMoves::cancel(env->db, a3));
        at(QTime(12, 0));
    }
    void TearDown() override
    {
        engines.clear();
        StoreTest::TearDown();
    }

    void at(const QTime& time) { env->clock.set(QDateTime(Day, time)); }

    qint64 issue(qint64 service, const char* label, int number, const QTime& time)
    {
        return env->db.insert(QStringLiteral("tblTicket"),
                              {{QStringLiteral("servAuto"), service},
                               {QStringLiteral("tickNo"), number},
                               {QStringLiteral("tickDate"), Day.toString(Qt::ISODate)},
                               {QStringLiteral("tickTime"), time.toString(QStringLiteral("HH:mm:ss"))},
                               {QStringLiteral("call"), 0},
                               {QStringLiteral("no_abr"), QString::fromLatin1(label)},
                               {QStringLiteral("attended"), 0},
                               {QStringLiteral("ttype"), QStringLiteral("N")}});
    }

    // The call engine of a counter logged in on a workstation of its own.
    CallEngine& counter(qint64 key)
    {
        auto session = std::make_unique<Session>();
        session->counterId = session->servingCounterId = key;
        session->serviceId = hall.consultation;
        engines.push_back({std::move(session), nullptr});
        engines.back().engine =
            std::make_unique<CallEngine>(env->db, env->settings(), env->clock, *engines.back().session);
        return *engines.back().engine;
    }

    ReportFigures figuresOf(ReportKind kind, bool showAll = false,
                            const QString& filter = QStringLiteral("All"))
    {
        return listReport(env->db, {kind, filter, Day, Day, showAll}, nullptr);
    }

    int runCommand(const QStringList& args, QString& out)
    {
        QString err;
        const int code = ::runCommand(*env, QStringLiteral("report"), args, out, err);
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        return code;
    }

    struct Workstation
    {
        std::unique_ptr<Session> session;
        std::unique_ptr<CallEngine> engine;
    };
    Hall hall;
    std::vector<Workstation> engines;
    qint64 a1 = 0;
};

QStringList totalsTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int c = 0; c < table->columnCount(); ++c)
        texts.append(table->item(row, c)->text());
    return texts;
}

} // namespace

TEST_P(ReportFigures_, TotalsCountEveryTokenAndEachVisitOfATransferredOne)
{
    // The transfer kept Room 1's service of A1, and Room 2's call started a new one.
    const ResultSet a1Row = env->db.query(
        QStringLiteral("select legs, attended, attTime, finished from tblTicket where tickAuto=?"), {a1});
    EXPECT_EQ(a1Row.text(0, 0), QStringLiteral(";%1,08:10:00,08:15:00").arg(hall.counter1));
    EXPECT_EQ(a1Row.number(0, 1), hall.counter2);
    EXPECT_EQ(a1Row.text(0, 2), QStringLiteral("08:20:00"));
    EXPECT_EQ(a1Row.text(0, 3), QStringLiteral("08:30:00"));

    // Per service, whatever "Show All" lists: waits 10:00, 5:00, 11:00, 30:00 (average 14:00, the
    // 90th percentile the longest of four), services 5:00, 10:00, 4:00 (average 6:20).
    for (bool showAll : {false, true}) {
        const ReportFigures f = figuresOf(ReportKind::Department, showAll);
        ASSERT_EQ(f.totals.size(), 3);
        const TotalsLine& c = f.totals[0];
        EXPECT_EQ(c.name, QStringLiteral("Consultation"));
        EXPECT_EQ((QList<qint64>{c.tokens, c.served, c.cancelled, c.waitingNow}),
                  (QList<qint64>{4, 2, 1, 1}));
        ASSERT_TRUE(c.averageWaiting && c.waiting90 && c.averageService);
        EXPECT_DOUBLE_EQ(*c.averageWaiting, 14.0);
        EXPECT_DOUBLE_EQ(*c.waiting90, 30.0);
        EXPECT_NEAR(*c.averageService, 380.0 / 60.0, 1e-9);
        EXPECT_FALSE(c.withinTarget); // no service has a target
        const TotalsLine& lab = f.totals[1];
        EXPECT_EQ((QList<qint64>{lab.tokens, lab.served, lab.cancelled, lab.waitingNow}),
                  (QList<qint64>{1, 0, 0, 1}));
        EXPECT_FALSE(lab.averageWaiting);
        const TotalsLine& all = f.totals[2];
        EXPECT_EQ(all.name, QStringLiteral("All"));
        EXPECT_EQ((QList<qint64>{all.tokens, all.served, all.cancelled, all.waitingNow}),
                  (QList<qint64>{5, 2, 1, 2}));
        EXPECT_EQ(all.averageWaiting, c.averageWaiting);
    }

    // Per counter: each counter counts its own visit of A1. Room 1: waits 10:00 and 11:00, services
    // 5:00 and 4:00; Room 2: waits 5:00 and 30:00, the service 10:00 (the cancelled call served
    // nobody). "All" counts every token issued, attended or not.
    const ReportFigures byCounter = figuresOf(ReportKind::Counter);
    ASSERT_EQ(byCounter.totals.size(), 3);
    const TotalsLine& room1 = byCounter.totals[0];
    EXPECT_EQ(room1.name, QStringLiteral("Room 1"));
    EXPECT_EQ((QList<qint64>{room1.tokens, room1.served, room1.cancelled}), (QList<qint64>{2, 2, 0}));
    EXPECT_DOUBLE_EQ(*room1.averageWaiting, 10.5);
    EXPECT_DOUBLE_EQ(*room1.waiting90, 11.0);
    EXPECT_DOUBLE_EQ(*room1.averageService, 4.5);
    const TotalsLine& room2 = byCounter.totals[1];
    EXPECT_EQ(room2.name, QStringLiteral("Room 2"));
    EXPECT_EQ((QList<qint64>{room2.tokens, room2.served, room2.cancelled}), (QList<qint64>{2, 1, 1}));
    EXPECT_DOUBLE_EQ(*room2.averageWaiting, 17.5);
    EXPECT_DOUBLE_EQ(*room2.waiting90, 30.0);
    EXPECT_DOUBLE_EQ(*room2.averageService, 10.0);
    EXPECT_EQ(byCounter.totals[2].tokens, 5);
    // Filtered to Room 1: A1 counts there though Room 2 has it now.
    const ReportFigures room1Only = figuresOf(ReportKind::Counter, false, QStringLiteral("Counter 1"));
    ASSERT_EQ(room1Only.totals.size(), 2);
    EXPECT_EQ(room1Only.totals[1].tokens, 2);
    EXPECT_DOUBLE_EQ(*room1Only.totals[1].averageWaiting, 10.5);

    // The window shows the same figures under either listing, and the CSV prints them.
    auto* w = qobject_cast<ReportWindow*>(env->screens.open(QStringLiteral("deptBased")));
    ASSERT_TRUE(w);
    w->dtFrom->setDate(Day);
    w->DTto->setDate(Day);
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 4); // A1, A2, A3 called
    const QStringList consultation{"Consultation", "4",        "2",       "1", "1",
                                   "14.0 min",     "30.0 min", "6.3 min", "–", "0"};
    const QStringList all{"All", "5", "2", "1", "2", "14.0 min", "30.0 min", "6.3 min", "–", "0"};
    EXPECT_EQ(totalsTexts(w->tblTotals, 0), consultation);
    EXPECT_EQ(totalsTexts(w->tblTotals, 2), all);
    w->chkAll->click();
    ASSERT_TRUE(listed(w));
    EXPECT_EQ(w->FG->rows(), 6);
    EXPECT_EQ(totalsTexts(w->tblTotals, 0), consultation);
    EXPECT_EQ(totalsTexts(w->tblTotals, 2), all);
    w->close();

    QString out;
    EXPECT_EQ(runCommand({QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("2024-03-04"),
                          QStringLiteral("--to"), QStringLiteral("2024-03-04"), QStringLiteral("--totals")},
                         out),
              0);
    EXPECT_EQ(out, QStringLiteral("Service,Tokens,Served,Cancelled,Waiting now,Avg waiting (min),90% waiting "
                                  "(min),Avg service (min),Within target (%),Not arrived\n"
                                  "Consultation,4,2,1,1,14.0,30.0,6.3,,0\n"
                                  "Lab,1,0,0,1,,,,,0\n"
                                  "All,5,2,1,2,14.0,30.0,6.3,,0\n"));
    out.clear();
    EXPECT_EQ(runCommand({QStringLiteral("counter"), QStringLiteral("--from"), QStringLiteral("2024-03-04"),
                          QStringLiteral("--to"), QStringLiteral("2024-03-04"), QStringLiteral("--totals")},
                         out),
              0);
    EXPECT_EQ(out, QStringLiteral("Counter,Tokens,Served,Cancelled,Waiting now,Avg waiting (min),90% waiting "
                                  "(min),Avg service (min),Within target (%),Not arrived\n"
                                  "Room 1,2,2,0,0,10.5,11.0,4.5,,0\n"
                                  "Room 2,2,1,1,0,17.5,30.0,10.0,,0\n"
                                  "All,5,2,1,2,14.0,30.0,6.3,,0\n"));
}

TEST_P(ReportFigures_, HourlySeriesAndSharesWithinTargetMatchTheHandCount)
{
    // Consultation carries "80 % within 10 minutes": of the waits that began in the eight o'clock
    // hour, 10:00 and 5:00 keep it and 11:00 misses it; the 30:00 of nine o'clock misses it: 2 of 4.
    env->db.exec(QStringLiteral("update tblService set targetpct=80, targetwait=10 where servAuto=?"),
                 {hall.consultation});
    const ReportFigures f = figuresOf(ReportKind::Department);
    EXPECT_TRUE(f.hasTargets);
    EXPECT_DOUBLE_EQ(*f.totals[0].withinTarget, 0.5);
    EXPECT_FALSE(f.totals[1].withinTarget); // Lab has none
    EXPECT_DOUBLE_EQ(*f.totals[2].withinTarget, 0.5);
    EXPECT_EQ(ReportTotals::shareText(f.totals[0].withinTarget), QStringLiteral("50 %"));

    ASSERT_EQ(f.firstHour, 8);
    ASSERT_EQ(f.lastHour, 9);
    ASSERT_EQ(f.hourly.size(), 2);
    const HourlyLine& c = f.hourly[0];
    EXPECT_EQ(c.service, QStringLiteral("Consultation"));
    EXPECT_EQ(c.arrivals[8], 2);
    EXPECT_EQ(c.arrivals[9], 2);
    EXPECT_NEAR(*c.averageWaiting(8), (600 + 300 + 660) / 3.0 / 60.0, 1e-9);
    EXPECT_DOUBLE_EQ(*c.averageWaiting(9), 30.0);
    EXPECT_DOUBLE_EQ(*c.withinShare(8), 2.0 / 3.0);
    EXPECT_DOUBLE_EQ(*c.withinShare(9), 0.0);
    EXPECT_EQ(f.hourly[1].arrivals[9], 1);
    EXPECT_FALSE(f.hourly[1].averageWaiting(9));

    // The charts carry the same values, one category per hour from 08:00.
    std::unique_ptr<QChart> arrivals(makeChart(f, FigureChart::Arrivals));
    ASSERT_EQ(arrivals->series().size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(arrivals->series()[0]);
    ASSERT_TRUE(bars);
    ASSERT_EQ(bars->count(), 2);
    EXPECT_EQ(bars->barSets()[0]->label(), QStringLiteral("Consultation"));
    EXPECT_EQ(bars->barSets()[0]->at(0), 2);
    EXPECT_EQ(bars->barSets()[0]->at(1), 2);
    EXPECT_EQ(bars->barSets()[1]->at(0), 0);
    EXPECT_EQ(bars->barSets()[1]->at(1), 1);
    std::unique_ptr<QChart> waiting(makeChart(f, FigureChart::Waiting));
    auto* consultationLine = qobject_cast<QLineSeries*>(waiting->series()[0]);
    ASSERT_TRUE(consultationLine);
    ASSERT_EQ(consultationLine->count(), 2);
    EXPECT_EQ(consultationLine->at(0).x(), 0);
    EXPECT_NEAR(consultationLine->at(0).y(), 26.0 / 3.0, 1e-9);
    EXPECT_EQ(consultationLine->at(1), QPointF(1, 30));
    EXPECT_EQ(qobject_cast<QLineSeries*>(waiting->series()[1])->count(), 0); // Lab waited for nothing
    std::unique_ptr<QChart> within(makeChart(f, FigureChart::WithinTarget));
    ASSERT_EQ(within->series().size(), 2); // Consultation's shares and its target; Lab has no target
    auto* shares = qobject_cast<QLineSeries*>(within->series()[0]);
    EXPECT_NEAR(shares->at(0).y(), 200.0 / 3.0, 1e-9);
    EXPECT_EQ(shares->at(1), QPointF(1, 0));
    EXPECT_EQ(qobject_cast<QLineSeries*>(within->series()[1])->at(0).y(), 80);

    // The CSV and the workbook say the same; the workbook gets a third chart, of Consultation alone.
    QString out;
    EXPECT_EQ(runCommand({QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("2024-03-04"),
                          QStringLiteral("--to"), QStringLiteral("2024-03-04"), QStringLiteral("--totals")},
                         out),
              0);
    EXPECT_TRUE(out.contains(QStringLiteral("\nConsultation,4,2,1,1,14.0,30.0,6.3,50.0\n")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\nLab,1,0,0,1,,,,\n")));
    if (!haveUnzip())
        return;
    const QString file = env->path(QStringLiteral("targets.xlsx"));
    out.clear();
    ASSERT_EQ(
        runCommand({QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("2024-03-04"),
                    QStringLiteral("--to"), QStringLiteral("2024-03-04"), QStringLiteral("--xlsx"), file},
                   out),
        0);
    const QString chart = part(file, QStringLiteral("xl/charts/chart3.xml"));
    EXPECT_TRUE(chart.contains(QStringLiteral("<c:f>Totals!$F$7:$F$8</c:f>")))
        << chart.left(600).toStdString();
    EXPECT_FALSE(chart.contains(QStringLiteral("$G$7")));
    EXPECT_TRUE(
        part(file, QStringLiteral("xl/worksheets/sheet2.xml")).contains(QStringLiteral("<v>0.5</v>")));
}

TEST_P(ReportFigures_, WorkbookHoldsTheGridTheTotalsAndChartsOfTheHourlySeries)
{
    if (!haveUnzip())
        GTEST_SKIP() << "unzip is not installed (scripts/packages.txt names it)";
    const QString file = env->path(QStringLiteral("figures.xlsx"));
    QString out;
    ASSERT_EQ(
        runCommand({QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("2024-03-04"),
                    QStringLiteral("--to"), QStringLiteral("2024-03-04"), QStringLiteral("--xlsx"), file},
                   out),
        0);
    const auto check = [&](const QString& workbook, int gridRows) {
        const QString book = part(workbook, QStringLiteral("xl/workbook.xml"));
        EXPECT_TRUE(book.contains(QStringLiteral("name=\"Report-Department Based\" sheetId=\"1\"")))
            << book.toStdString();
        EXPECT_TRUE(book.contains(QStringLiteral("name=\"Totals\" sheetId=\"2\"")));
        EXPECT_EQ(part(workbook, QStringLiteral("xl/worksheets/sheet1.xml")).count(QStringLiteral("<row ")),
                  gridRows);
        // Totals: header, Consultation, Lab, All; then the series' header on row 6 and 08:00 and
        // 09:00 on rows 7 and 8, tokens in B and C, average waits in D and E.
        const QString totals = part(workbook, QStringLiteral("xl/worksheets/sheet2.xml"));
        EXPECT_TRUE(totals.contains(QStringLiteral("<c r=\"B2\" t=\"n\"><v>4</v>")) ||
                    totals.contains(QStringLiteral("<c r=\"B2\"><v>4</v>")))
            << totals.left(1500).toStdString();
        EXPECT_TRUE(totals.contains(QStringLiteral("<c r=\"F2\" s=\"")));
        EXPECT_TRUE(totals.contains(QStringLiteral("<v>14</v>")));
        EXPECT_TRUE(totals.contains(QStringLiteral("<drawing ")));
        const QString arrivals = part(workbook, QStringLiteral("xl/charts/chart1.xml"));
        EXPECT_TRUE(arrivals.contains(QStringLiteral("<c:barChart>")));
        EXPECT_TRUE(arrivals.contains(QStringLiteral("<c:f>Totals!$A$7:$A$8</c:f>")));
        EXPECT_TRUE(arrivals.contains(QStringLiteral("<c:f>Totals!$B$7:$B$8</c:f>")));
        EXPECT_TRUE(arrivals.contains(QStringLiteral("<c:f>Totals!$C$7:$C$8</c:f>")));
        EXPECT_TRUE(arrivals.contains(QStringLiteral("<c:f>Totals!$B$6</c:f>"))); // the series' name
        const QString waits = part(workbook, QStringLiteral("xl/charts/chart2.xml"));
        EXPECT_TRUE(waits.contains(QStringLiteral("<c:lineChart>")));
        EXPECT_TRUE(waits.contains(QStringLiteral("<c:f>Totals!$D$7:$D$8</c:f>")));
        EXPECT_TRUE(waits.contains(QStringLiteral("<c:f>Totals!$E$7:$E$8</c:f>")));
        // No service has a target: no third chart.
        EXPECT_TRUE(part(workbook, QStringLiteral("xl/charts/chart3.xml")).isEmpty());
    };
    check(file, 4); // the header and the three called tokens

    // Send to Excel from the window writes the same figures beside what the grid lists.
    auto* w = qobject_cast<ReportWindow*>(env->screens.open(QStringLiteral("deptBased")));
    ASSERT_TRUE(w);
    w->dtFrom->setDate(Day);
    w->DTto->setDate(Day);
    w->chkAll->click();
    ASSERT_TRUE(listed(w));
    env->session.activeReport = w;
    const QString sent = env->path(QStringLiteral("sent.xlsx"));
    env->dialogs.setNextFileName(sent);
    modExcel::sendToExcel(*env->ctx);
    ASSERT_TRUE(QFileInfo::exists(sent)) << env->dialogs.last().toStdString();
    check(sent, 6);
    w->close();
}

TEST_P(ReportFigures_, TheChartPageShowsTheFiguresAndSavesThemAsPictures)
{
    auto* w = qobject_cast<ReportWindow*>(env->screens.open(QStringLiteral("deptBased")));
    ASSERT_TRUE(w);
    w->resize(1100, 700);
    w->dtFrom->setDate(Day);
    w->DTto->setDate(Day);
    ASSERT_TRUE(listed(w));
    w->tabView->setCurrentWidget(w->chartView);
    QChart* chart = w->chartView->chartView->chart();
    ASSERT_EQ(chart->series().size(), 1);
    EXPECT_EQ(chart->title(), QStringLiteral("Tokens issued per hour"));
    w->chartView->cmbChart->setCurrentIndex(1);
    EXPECT_EQ(w->chartView->chartView->chart()->title(), QStringLiteral("Average waiting per hour"));
    EXPECT_EQ(w->chartView->chartView->chart()->series().size(), 2);
    w->chartView->cmbChart->setCurrentIndex(2); // no target anywhere: the page says so
    EXPECT_FALSE(w->chartView->lblNoChart->isHidden());
    EXPECT_FALSE(w->chartView->cmdSaveChart->isEnabled());
    // With a target, Show draws the share within it and the target beside it.
    env->db.exec(QStringLiteral("update tblService set targetpct=80, targetwait=10 where servAuto=?"),
                 {hall.consultation});
    w->cmdShow->click();
    ASSERT_TRUE(listed(w));
    EXPECT_TRUE(w->chartView->lblNoChart->isHidden());
    EXPECT_EQ(w->chartView->chartView->chart()->series().size(), 2);
    EXPECT_EQ(w->tblTotals->item(0, 8)->text(), QStringLiteral("50 %"));
    const QString grab = qEnvironmentVariable("BRIVANE_CHART_GRAB");
    for (int c = 2; c >= 0; --c) {
        w->chartView->cmbChart->setCurrentIndex(c);
        QCoreApplication::sendPostedEvents();
        if (!grab.isEmpty())
            w->grab().save(grab + QString::number(c) + QStringLiteral(".png"));
    }

    // Saved as PNG (a name without a suffix gets .png) and as SVG.
    env->dialogs.setNextFileName(env->path(QStringLiteral("arrivals")));
    w->chartView->cmdSaveChart->click();
    const QImage png(env->path(QStringLiteral("arrivals.png")));
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(png.size(), QSize(1000, 600));
    int drawn = 0; // the bars, in colour
    for (int y = 0; y < png.height(); y += 4) {
        for (int x = 0; x < png.width(); x += 4) {
            const QColor c = png.pixelColor(x, y);
            drawn += c.saturation() > 100 ? 1 : 0;
        }
    }
    EXPECT_GT(drawn, 1000);
    env->dialogs.setNextFileName(env->path(QStringLiteral("arrivals.svg")));
    w->chartView->cmdSaveChart->click();
    QFile svg(env->path(QStringLiteral("arrivals.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray drawing = svg.readAll();
    EXPECT_TRUE(drawing.contains("<svg"));
    EXPECT_TRUE(drawing.contains("Consultation"));
    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << env->dialogs.last().toStdString();

    // A new listing empties the page until its figures come.
    w->dtFrom->setDate(Day.addDays(1));
    w->DTto->setDate(Day.addDays(1));
    ASSERT_TRUE(listed(w));
    EXPECT_TRUE(w->chartView->chartView->chart()->series().isEmpty());
    EXPECT_FALSE(w->chartView->lblNoChart->isHidden());
    EXPECT_TRUE(w->tblTotals->isHidden());
    w->close();
}

BRIVANE_STORE_TEST_SUITE(ReportFigures_);
