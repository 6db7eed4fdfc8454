#include "calling/DayPlan.h"

#include <QHash>

#include <algorithm>

int DayPlan::openCounters() const
{
    return int(
        std::count_if(counters.cbegin(), counters.cend(), [](const Counter& c) { return c.isOpen(); }));
}

void DayPlan::capEveryService(int minutes)
{
    for (Service& s : services)
        s.capMinutes = minutes;
}

void DayPlan::staffEachService(int perService)
{
    // Where each of the hall's counters stands among the counters of its service, in key order.
    QVector<Counter> old = counters;
    std::sort(old.begin(), old.end(), [](const Counter& a, const Counter& b) { return a.key < b.key; });
    QHash<qint64, QPair<qint64, int>> place; // counter → (service, place)
    QHash<qint64, int> seen;
    qint64 nextKey = 1;
    for (const Counter& c : old) {
        place.insert(c.key, {c.service, seen[c.service]++});
        nextKey = std::max(nextKey, c.key + 1);
    }
    counters.clear();
    QHash<QPair<qint64, int>, qint64> made; // (service, place) → new counter
    for (const Service& s : services) {
        for (int i = 0; i < perService; ++i) {
            Counter c;
            c.key = nextKey++;
            c.service = s.key;
            c.name = QStringLiteral("%1 %2").arg(s.name).arg(i + 1);
            c.displayName = c.name;
            c.opens = 0;
            c.closes = LastSecond;
            counters.append(c);
            made.insert({s.key, i}, c.key);
        }
    }
    for (Token& t : tokens) {
        if (t.directedTo == 0)
            continue;
        const auto at = place.constFind(t.directedTo);
        // A token for a counter the hall no longer has keeps waiting for it, as it would have.
        if (at == place.cend() || perService <= 0)
            continue;
        t.directedTo = made.value({at->first, at->second % perService}, t.directedTo);
    }
}
