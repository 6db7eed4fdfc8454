#pragma once

#include "reports/ServiceTargets.h"
#include "reports/ServiceVisits.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

// One service's figures per hour of the day (0..23).
struct HourlyLine
{
    QString service;
    std::optional<ServiceTarget> target;
    std::array<qint64, 24> arrivals{}; // tokens issued in that hour
    // Visits whose wait began in that hour: their number, their waits (seconds) and how many were
    // called within the target.
    std::array<qint64, 24> waits{};
    std::array<qint64, 24> waitSeconds{};
    std::array<qint64, 24> withinTarget{};

    // Minutes; nullopt when no wait began in that hour.
    std::optional<double> averageWaiting(int hour) const;
    // 0..1; nullopt without a target or a wait.
    std::optional<double> withinShare(int hour) const;
};

// Arrivals and waits per service and hour of the day, gathered as the tickets go by.
class HourlySeries
{
public:
    void add(const QString& service, int issuedSecond, const QVector<Visit>& visits,
             const std::optional<ServiceTarget>& target);
    // One line per service in name order.
    QVector<HourlyLine> lines() const { return m_lines.values().toVector(); }
    // The first and last hour any token arrived or any wait began; -1 when none did.
    int firstHour() const { return m_first; }
    int lastHour() const { return m_last; }

private:
    void seen(int hour);

    QMap<QString, HourlyLine> m_lines;
    int m_first = -1;
    int m_last = -1;
};
