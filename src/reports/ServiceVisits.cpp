#include "reports/ServiceVisits.h"

#include "core/ServiceLegs.h"
#include "reports/ReportTotals.h"

QVector<Visit> visitsOf(const ReportRow& row)
{
    QVector<Visit> visits;
    int waitFrom = row.issuedSecond;
    if (!row.legs.isEmpty()) {
        for (const serviceLegs::Leg& leg : serviceLegs::parse(row.legs)) {
            Visit v;
            v.counter = leg.counter;
            v.waitFrom = waitFrom;
            v.called = ReportTotals::secondOfDay(leg.called).value_or(-1);
            v.ended = ReportTotals::secondOfDay(leg.ended).value_or(-1);
            visits.append(v);
            waitFrom = v.ended;
        }
    }
    if (row.called) {
        Visit v;
        v.counter = row.counterKey;
        v.waitFrom = waitFrom;
        v.called = row.fromSecond;
        v.ended = row.toSecond;
        v.last = true;
        visits.append(v);
    }
    return visits;
}
