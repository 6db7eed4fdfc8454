#include "reports/DayPlanReader.h"

#include "core/Database.h"
#include "reports/DayFigures.h"
#include "reports/ReportQuery.h"
#include "reports/ServiceVisits.h"

#include <QHash>

#include <cmath>

namespace {

struct TicketExtras
{
    QString kind;
    int number = 0;
    QString appTime;
};

void readHall(Database& hall, DayPlan& plan)
{
    const ResultSet depts =
        hall.query(QStringLiteral("select deptAuto, deptName from tblDept order by deptAuto"));
    for (int r = 0; r < depts.size(); ++r)
        plan.departments.append({depts.number(r, 0), depts.text(r, 1)});
    const ResultSet services = hall.query(QStringLiteral(
        "select servAuto, deptAuto, servName, abrno, capwait from tblService order by servAuto"));
    for (int r = 0; r < services.size(); ++r)
        plan.services.append({services.number(r, 0), services.number(r, 1), services.text(r, 2),
                              services.text(r, 3), int(services.number(r, 4))});
    const ResultSet counters = hall.query(
        QStringLiteral("select cntAuto, servAuto, contName, displayName from tblCounter order by cntAuto"));
    for (int r = 0; r < counters.size(); ++r) {
        DayPlan::Counter c;
        c.key = counters.number(r, 0);
        c.service = counters.number(r, 1);
        c.name = counters.text(r, 2);
        c.displayName = counters.text(r, 3);
        plan.counters.append(c);
    }
}

} // namespace

DayReading readDay(Database& hall, const QDate& day)
{
    DayReading reading;
    DayPlan& plan = reading.plan;
    plan.day = day;
    readHall(hall, plan);
    QHash<qint64, int> counterAt;
    for (int i = 0; i < plan.counters.size(); ++i)
        counterAt.insert(plan.counters[i].key, i);

    QHash<qint64, TicketExtras> extras;
    const ResultSet rs =
        hall.query(QStringLiteral("select tickAuto, ttype, tickNo, apptime from tblTicket where tickDate=?"),
                   {day.toString(QStringLiteral("yyyy-MM-dd"))});
    for (int r = 0; r < rs.size(); ++r)
        extras.insert(rs.number(r, 0),
                      {rs.text(r, 1).trimmed().toUpper(), int(rs.number(r, 2)), rs.text(r, 3).left(5)});

    // Seconds served per service, to give a token never served its service's average.
    QHash<qint64, QPair<qint64, qint64>> served; // service → (seconds, tokens)
    qint64 allSeconds = 0;
    const ReportListing listing(hall, ReportKind::Service, QStringLiteral("All"), day, day, true,
                                ReportListing::Scope::Period);
    listing.forEachTicket(hall, [&](const ReportRow& row, bool) {
        const QVector<Visit> visits = visitsOf(row);
        const bool cancelled = row.status == QLatin1String("Cancelled");
        std::optional<int> seconds;
        for (const Visit& v : visits) {
            // Each counter worked from its first call to its last finish.
            if (v.called >= 0 && counterAt.contains(v.counter)) {
                DayPlan::Counter& c = plan.counters[counterAt.value(v.counter)];
                const int end = std::max(v.called, v.ended);
                c.opens = c.opens < 0 ? v.called : std::min(c.opens, v.called);
                c.closes = std::max(c.closes, end);
            }
            // A cancelled token's last call found nobody to serve.
            if (v.last && cancelled)
                continue;
            if (const std::optional<int> s = v.serviceSeconds())
                seconds = seconds.value_or(0) + *s;
        }
        if (seconds) {
            auto& [sum, count] = served[row.serviceKey];
            sum += *seconds;
            ++count;
            allSeconds += *seconds;
            ++reading.timedTokens;
        }
        const TicketExtras extra = extras.value(row.tickAuto);
        if (!replayedKinds().contains(extra.kind)) {
            ++reading.otherKinds;
            return;
        }
        if (row.issuedSecond < 0) {
            ++reading.untimed;
            return;
        }
        DayPlan::Token t;
        t.key = row.tickAuto;
        t.service = row.serviceKey;
        t.kind = extra.kind;
        t.number = extra.number;
        t.label = row.token;
        t.issued = row.issuedSecond;
        t.appTime = extra.appTime;
        // Emergencies and appointments wait for the counter they were given (the one that called
        // them first); a walk-in only while it still waits for the counter it was handed to.
        if (extra.kind != QLatin1String("N"))
            t.directedTo = visits.isEmpty() ? row.counterKey : visits.first().counter;
        else if (!row.called && row.status == QLatin1String("Transferred"))
            t.directedTo = row.counterKey;
        t.serviceSeconds = seconds.value_or(-1);
        plan.tokens.append(t);
    });

    const double dayAverage =
        reading.timedTokens > 0 ? double(allSeconds) / double(reading.timedTokens) : 0.0;
    for (DayPlan::Token& t : plan.tokens) {
        if (t.serviceSeconds >= 0)
            continue;
        const auto s = served.constFind(t.service);
        t.serviceSeconds = int(std::lround(
            s != served.cend() && s->second > 0 ? double(s->first) / double(s->second) : dayAverage));
    }
    return reading;
}
