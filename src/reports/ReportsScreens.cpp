#include "reports/ReportsScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/CsvText.h"
#include "core/ScreenRegistry.h"
#include "reports/AlertReport.h"
#include "reports/DeliveryReport.h"
#include "reports/ReportColumns.h"
#include "reports/ReportFigures.h"
#include "reports/ReportLoader.h"
#include "reports/ReportQuery.h"
#include "reports/ReportWindow.h"
#include "reports/modExcel.h"

#include <QDate>

namespace {

const char* ReportUsage =
    "report dept|service|counter|pending --from D --to D [--filter NAME] [--all] [--totals] [--xlsx FILE]";

// The totals as CSV: the window's headings (minutes and the share in their own units), a line per
// service or counter, then "All".
void printTotals(const ReportFigures& figures, QTextStream& out)
{
    QStringList headings = totalsHeadings(figures.kind);
    for (int c = 5; c <= 7; ++c)
        headings[c] += QStringLiteral(" (min)");
    headings[8] += QStringLiteral(" (%)");
    QStringList fields;
    for (const QString& h : headings)
        fields.append(csvField(h));
    out << fields.join(QLatin1Char(',')) << '\n';
    for (const TotalsLine& l : figures.totals) {
        const QString share = l.withinTarget ? QString::number(*l.withinTarget * 100.0, 'f', 1) : QString();
        out << csvField(l.name) << ',' << l.tokens << ',' << l.served << ',' << l.cancelled << ','
            << l.waitingNow << ',' << ReportTotals::minutesNumber(l.averageWaiting) << ','
            << ReportTotals::minutesNumber(l.waiting90) << ','
            << ReportTotals::minutesNumber(l.averageService) << ',' << share << ',' << l.notArrived << '\n';
    }
}

int reportCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QString fromText = takeOption(args, QStringLiteral("--from"));
    const QString toText = takeOption(args, QStringLiteral("--to"));
    const bool hasFilter = args.contains(QStringLiteral("--filter"));
    const QString filter = takeOption(args, QStringLiteral("--filter"));
    const bool showAll = takeFlag(args, QStringLiteral("--all"));
    const bool totals = takeFlag(args, QStringLiteral("--totals"));
    const bool hasWorkbook = args.contains(QStringLiteral("--xlsx"));
    const QString workbook = takeOption(args, QStringLiteral("--xlsx"));
    const QDate from = QDate::fromString(fromText, QStringLiteral("yyyy-MM-dd"));
    const QDate to = QDate::fromString(toText, QStringLiteral("yyyy-MM-dd"));
    const std::optional<ReportKind> kind = args.size() == 1 ? reportKindFromWord(args.first()) : std::nullopt;
    if (!kind || !from.isValid() || !to.isValid() || (hasFilter && filter.isEmpty()) ||
        (hasWorkbook && workbook.isEmpty())) {
        err << "usage: brivane-ctl " << ReportUsage << Qt::endl;
        return 2;
    }
    const ReportRequest request{*kind, hasFilter ? filter : QStringLiteral("All"), from, to, showAll};
    if (hasWorkbook) {
        // The workbook the window's Send to Excel writes: the grid, then the figures and charts.
        std::vector<GridRow> rows;
        const ReportFigures figures = listReport(ctx.db, request, [&rows](const ReportRow& row) {
            rows.push_back(reportGridRow(row, qint64(rows.size()) + 1));
        });
        const modExcel::GridModel grid = reportSheetModel(std::move(rows));
        if (!modExcel::exportGrid(ctx.dialogs, grid, reportKindInfo(*kind).caption, workbook, nullptr,
                                  &figures))
            return 1;
        if (totals)
            printTotals(figures, out);
        out.flush();
        return 0;
    }
    if (totals) {
        printTotals(listReport(ctx.db, request, nullptr), out);
        out.flush();
        return 0;
    }
    // Rows are written as the store delivers them: memory stays flat however long the listing is.
    out << "SN,Dept.,Service,Token,Date,Counter,From,To,Duration,Waiting,Status,Display Name,Why Called\n";
    qint64 sn = 0;
    forEachReportRow(ctx.db, *kind, request.filter, from, to, showAll, [&](const ReportRow& row) {
        out << ++sn;
        const QString duration = row.durationText();
        const QString waiting = row.waitingText();
        const QString reason = row.reasonText();
        for (const QString* f :
             {&row.department, &row.service, &row.token, &row.date, &row.counter, &row.from, &row.to,
              &duration, &waiting, &row.status, &row.counterDisplayName, &reason})
            out << ',' << csvField(*f);
        out << '\n';
    });
    out.flush();
    return 0;
}

} // namespace

void registerReports(ScreenRegistry& screens, CommandRegistry& commands)
{
    for (ReportKind kind :
         {ReportKind::Department, ReportKind::Service, ReportKind::Counter, ReportKind::Pending}) {
        screens.add(reportKindInfo(kind).screenName,
                    [kind](AppContext& ctx) -> QWidget* { return new ReportWindow(ctx, kind); });
    }
    screens.addAction(QStringLiteral("sendto"), [](AppContext& ctx) { modExcel::sendToExcel(ctx); });
    commands.add(QStringLiteral("report"), QString::fromLatin1(ReportUsage), reportCommand);
    registerDeliveryReport(commands);
    alertreport::registerAlertReport(commands);
}
