#include "reports/ReportsScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ScreenRegistry.h"
#include "reports/ReportQuery.h"
#include "reports/ReportWindow.h"
#include "reports/modExcel.h"

#include <QDate>

namespace {

const char* ReportUsage = "report dept|service|counter|pending --from D --to D [--filter NAME] [--all]";

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

int reportCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QString fromText = takeOption(args, QStringLiteral("--from"));
    const QString toText = takeOption(args, QStringLiteral("--to"));
    const bool hasFilter = args.contains(QStringLiteral("--filter"));
    const QString filter = takeOption(args, QStringLiteral("--filter"));
    const bool showAll = takeFlag(args, QStringLiteral("--all"));
    const QDate from = QDate::fromString(fromText, QStringLiteral("yyyy-MM-dd"));
    const QDate to = QDate::fromString(toText, QStringLiteral("yyyy-MM-dd"));
    const std::optional<ReportKind> kind = args.size() == 1 ? reportKindFromWord(args.first()) : std::nullopt;
    if (!kind || !from.isValid() || !to.isValid() || (hasFilter && filter.isEmpty())) {
        err << "usage: brivane-ctl " << ReportUsage << Qt::endl;
        return 2;
    }
    // Rows are written as the store delivers them: memory stays flat however long the listing is.
    out << "SN,Dept.,Service,Token,Date,Counter,From,To,Duration,Waiting,Status,Display Name\n";
    qint64 sn = 0;
    forEachReportRow(ctx.db, *kind, hasFilter ? filter : QStringLiteral("All"), from, to, showAll,
                     [&](const ReportRow& row) {
                         out << ++sn;
                         const QString duration = row.durationText();
                         const QString waiting = row.waitingText();
                         for (const QString* f :
                              {&row.department, &row.service, &row.token, &row.date, &row.counter, &row.from,
                               &row.to, &duration, &waiting, &row.status, &row.counterDisplayName})
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
}
