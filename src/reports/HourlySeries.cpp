#include "reports/HourlySeries.h"

std::optional<double> HourlyLine::averageWaiting(int hour) const
{
    if (hour < 0 || hour > 23 || waits[size_t(hour)] == 0)
        return std::nullopt;
    return double(waitSeconds[size_t(hour)]) / double(waits[size_t(hour)]) / 60.0;
}

std::optional<double> HourlyLine::withinShare(int hour) const
{
    if (!target || hour < 0 || hour > 23 || waits[size_t(hour)] == 0)
        return std::nullopt;
    return double(withinTarget[size_t(hour)]) / double(waits[size_t(hour)]);
}

void HourlySeries::seen(int hour)
{
    m_first = m_first < 0 ? hour : qMin(m_first, hour);
    m_last = qMax(m_last, hour);
}

void HourlySeries::add(const QString& service, int issuedSecond, const QVector<Visit>& visits,
                       const std::optional<ServiceTarget>& target)
{
    auto it = m_lines.find(service);
    if (it == m_lines.end()) {
        it = m_lines.insert(service, HourlyLine());
        it->service = service;
        it->target = target;
    }
    HourlyLine& line = *it;
    if (issuedSecond >= 0) {
        const int hour = issuedSecond / 3600;
        ++line.arrivals[size_t(hour)];
        seen(hour);
    }
    for (const Visit& v : visits) {
        const std::optional<int> wait = v.waitSeconds();
        if (!wait)
            continue;
        const int hour = v.waitFrom / 3600;
        ++line.waits[size_t(hour)];
        line.waitSeconds[size_t(hour)] += *wait;
        if (target && target->met(*wait))
            ++line.withinTarget[size_t(hour)];
        seen(hour);
    }
}
