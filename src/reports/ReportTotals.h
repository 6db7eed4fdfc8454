#pragma once

#include "reports/ReportQuery.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

// One line of the totals under a report: a service (or counter), or every listed ticket.
struct TotalsLine
{
    QString name;
    qint64 tokens = 0;
    qint64 served = 0; // called at a counter and not cancelled
    qint64 cancelled = 0;
    // In minutes, from the stored times to the second; nullopt when no ticket has the times.
    std::optional<double> averageWaiting; // issue to call
    std::optional<double> waiting90;      // 90th percentile of the same (nearest rank)
    std::optional<double> averageService; // call to finish, finished tickets only
};

// Totals per service (or per counter, for the counter report) of the listed tickets, gathered as the
// rows go by.
class ReportTotals
{
public:
    explicit ReportTotals(bool byCounter = false) : m_byCounter(byCounter) {}

    void add(const ReportRow& row);
    // One line per service or counter in name order, then "All" when there is more than one.
    QVector<TotalsLine> lines() const;

    // The seconds since midnight of "HH:mm:ss" or "HH:mm"; nullopt for anything else.
    static std::optional<int> secondOfDay(const QString& time);
    // "4.5 min"; "–" when there is no figure.
    static QString minutesText(const std::optional<double>& minutes);

private:
    struct Group
    {
        qint64 tokens = 0;
        qint64 served = 0;
        qint64 cancelled = 0;
        std::vector<int> waits; // seconds
        qint64 serviceSeconds = 0;
        qint64 serviceCount = 0;
    };
    static void count(Group& g, const ReportRow& row);
    static TotalsLine line(const QString& name, Group& g);

    bool m_byCounter;
    QMap<QString, Group> m_groups;
    Group m_all;
};
