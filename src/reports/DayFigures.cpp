#include "reports/DayFigures.h"

#include "core/Database.h"
#include "reports/ReportQuery.h"
#include "reports/ReportTotals.h"
#include "reports/ServiceVisits.h"

#include <QCoreApplication>
#include <QHash>

const QStringList& replayedKinds()
{
    static const QStringList kinds{QStringLiteral("E"), QStringLiteral("A"), QStringLiteral("N")};
    return kinds;
}

QString kindName(const QString& kind)
{
    if (kind == QLatin1String("E"))
        return QCoreApplication::translate("DayFigures", "Emergency");
    if (kind == QLatin1String("A"))
        return QCoreApplication::translate("DayFigures", "Appointment");
    if (kind == QLatin1String("N"))
        return QCoreApplication::translate("DayFigures", "Walk-in");
    return QCoreApplication::translate("DayFigures", "All");
}

QVector<KindFigures> dayFigures(Database& db, const QDate& day)
{
    QHash<qint64, QString> kindOf;
    const ResultSet types = db.query(QStringLiteral("select tickAuto, ttype from tblTicket where tickDate=?"),
                                     {day.toString(QStringLiteral("yyyy-MM-dd"))});
    for (int r = 0; r < types.size(); ++r)
        kindOf.insert(types.number(r, 0), types.text(r, 1).trimmed().toUpper());

    // The report's own counting, with one visit a token: its first, from the issue to the first call.
    ReportTotals totals;
    QHash<QString, int> longest; // seconds
    const ReportListing listing(db, ReportKind::Service, QStringLiteral("All"), day, day, true,
                                ReportListing::Scope::Period);
    listing.forEachTicket(db, [&](const ReportRow& row, bool) {
        const QString kind = kindOf.value(row.tickAuto);
        if (!replayedKinds().contains(kind))
            return;
        const TokenState state = row.status == QLatin1String("Cancelled") ? TokenState::Cancelled
                                 : row.called                             ? TokenState::Served
                                                                          : TokenState::Waiting;
        QVector<Visit> visits = visitsOf(row);
        if (visits.size() > 1)
            visits.resize(1);
        totals.add(kind, state, visits, std::nullopt);
        totals.addToAll(state, visits, std::nullopt);
        if (const std::optional<int> wait = visits.isEmpty() ? std::nullopt : visits.first().waitSeconds()) {
            for (const QString& line : {kind, QStringLiteral("All")}) {
                if (!longest.contains(line) || *wait > longest.value(line))
                    longest.insert(line, *wait);
            }
        }
    });

    QHash<QString, TotalsLine> lines;
    for (const TotalsLine& l : totals.lines())
        lines.insert(l.name, l);
    QVector<KindFigures> figures;
    for (const QString& kind : replayedKinds() + QStringList{QStringLiteral("All")}) {
        const TotalsLine l = lines.value(kind);
        KindFigures f;
        f.kind = kind;
        f.tokens = l.tokens;
        f.called = l.tokens - l.waitingNow;
        f.averageWaiting = l.averageWaiting;
        f.waiting90 = l.waiting90;
        if (longest.contains(kind))
            f.longestWaiting = longest.value(kind) / 60.0;
        figures.append(f);
    }
    return figures;
}
