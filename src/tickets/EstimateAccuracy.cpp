#include "tickets/EstimateAccuracy.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "tickets/WaitEstimate.h"

#include <QHash>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace waiting {

namespace {

// The error a visitor still calls "on time".
constexpr double withinMinutes = 5;

struct Row
{
    qint64 number = 0;
    std::optional<int> issued;
    std::optional<int> called; // nullopt: never called
    std::optional<qint64> estimate;
};

} // namespace

double medianOf(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Accuracy measureEstimates(Database& db, const QDate& from, const QDate& to)
{
    const ResultSet rs = db.query(
        QStringLiteral("select servAuto, tickDate, tickNo, tickTime, call, attTime, estwait from tblTicket "
                       "where tickDate>=? and tickDate<=? order by servAuto, tickDate, tickNo"),
        {from.toString(QStringLiteral("yyyy-MM-dd")), to.toString(QStringLiteral("yyyy-MM-dd"))});
    QList<double> errors;
    QList<double> fixedErrors;
    int r = 0;
    while (r < rs.size()) {
        // One service's day at a time, in number order.
        QList<Row> day;
        const qint64 service = rs.number(r, 0);
        const QString date = rs.text(r, 1);
        for (; r < rs.size() && rs.number(r, 0) == service && rs.text(r, 1) == date; ++r) {
            Row row;
            row.number = rs.number(r, 2);
            row.issued = secondsOfDay(rs.text(r, 3));
            if (rs.text(r, 4) == QLatin1String("1"))
                row.called = secondsOfDay(rs.text(r, 5));
            if (!rs.isNull(r, 6))
                row.estimate = rs.number(r, 6);
            day.append(row);
        }
        for (qsizetype i = 0; i < day.size(); ++i) {
            const Row& t = day[i];
            if (!t.estimate || !t.called || !t.issued || *t.called < *t.issued)
                continue;
            const double actual = (*t.called - *t.issued) / 60.0;
            errors.append(std::abs(double(*t.estimate) - actual));
            qint64 ahead = 0;
            for (qsizetype j = 0; j < i; ++j) {
                const Row& o = day[j];
                if (o.issued && *o.issued <= *t.issued && (!o.called || *o.called > *t.issued))
                    ++ahead;
            }
            fixedErrors.append(std::abs(double(fixedGuess(ahead)) - actual));
        }
    }
    Accuracy a;
    a.tickets = errors.size();
    if (errors.isEmpty())
        return a;
    const auto share = [](const QList<double>& e) {
        return double(std::count_if(e.begin(), e.end(), [](double x) { return x <= withinMinutes; })) /
               double(e.size());
    };
    a.medianAbsError = medianOf(errors);
    a.shareWithinFive = share(errors);
    a.fixedMedianAbsError = medianOf(fixedErrors);
    a.fixedShareWithinFive = share(fixedErrors);
    return a;
}

namespace {

const char* usage = "report estimates --from D --to D";

int reportEstimatesCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const QDate from =
        QDate::fromString(takeOption(args, QStringLiteral("--from")), QStringLiteral("yyyy-MM-dd"));
    const QDate to =
        QDate::fromString(takeOption(args, QStringLiteral("--to")), QStringLiteral("yyyy-MM-dd"));
    if (!args.isEmpty() || !from.isValid() || !to.isValid()) {
        err << "usage: brivane-ctl " << usage << Qt::endl;
        return 2;
    }
    const Accuracy a = measureEstimates(ctx.db, from, to);
    const auto minutes = [](double m) { return QString::number(m, 'f', 1); };
    const auto percent = [](double share) { return QString::number(share * 100, 'f', 1); };
    out << "rule,tickets,median absolute error (minutes),within 5 minutes (%)\n";
    out << "estimate," << a.tickets << ',' << minutes(a.medianAbsError) << ',' << percent(a.shareWithinFive)
        << '\n';
    out << "people ahead x " << fixedMinutesPerPerson << " minutes," << a.tickets << ','
        << minutes(a.fixedMedianAbsError) << ',' << percent(a.fixedShareWithinFive) << '\n';
    out.flush();
    return 0;
}

} // namespace

void registerEstimateReport(CommandRegistry& commands)
{
    // A command of two words: brivane-ctl looks for "report estimates" before "report".
    commands.add(QStringLiteral("report estimates"), QString::fromLatin1(usage), reportEstimatesCommand);
}

} // namespace waiting
