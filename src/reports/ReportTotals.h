#pragma once

#include "reports/ServiceTargets.h"
#include "reports/ServiceVisits.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <optional>
#include <vector>

// What became of a token, as the totals count it.
enum class TokenState { Served, Cancelled, Waiting, NotArrived };

// One line of the totals under a report: a service (or counter), or "All".
struct TotalsLine
{
    QString name;
    qint64 tokens = 0; // issued in the period
    qint64 served = 0; // called at a counter and not cancelled (nor found absent)
    qint64 cancelled = 0;
    qint64 waitingNow = 0; // not called yet
    // In minutes, from the stored times to the second, one figure per visit (a token handed on
    // between counters waited and was served once per counter); nullopt when no visit has the times.
    std::optional<double> averageWaiting; // to the call
    std::optional<double> waiting90;      // 90th percentile of the same (nearest rank)
    std::optional<double> averageService; // call to finish, not counting the last visit of a cancelled or
                                          // not-arrived token
    // The share of the visits, of services with a target, that were called within it; nullopt when
    // none had a target.
    std::optional<double> withinTarget;
    qint64 notArrived = 0; // called, recalled, and the visitor did not come
};

// Totals per service (or per counter, for the counter report) and of all the tokens counted.
class ReportTotals
{
public:
    // Counts a token in the line `name`, with its state and its visits there.
    void add(const QString& name, TokenState state, const QVector<Visit>& visits,
             const std::optional<ServiceTarget>& target);
    // Counts a token in "All".
    void addToAll(TokenState state, const QVector<Visit>& visits, const std::optional<ServiceTarget>& target);
    // One line per service or counter in name order, then "All".
    QVector<TotalsLine> lines() const;

    // The seconds since midnight of "HH:mm:ss" or "HH:mm"; nullopt for anything else.
    static std::optional<int> secondOfDay(const QString& time);
    // "4.5 min"; "–" when there is no figure.
    static QString minutesText(const std::optional<double>& minutes);
    // Minutes to one decimal as a spreadsheet reads them ("4.5"); empty when there is no figure.
    static QString minutesNumber(const std::optional<double>& minutes);
    // "83 %"; "–" when there is no figure.
    static QString shareText(const std::optional<double>& share);

private:
    struct Group
    {
        qint64 tokens = 0;
        qint64 served = 0;
        qint64 cancelled = 0;
        qint64 waiting = 0;
        qint64 notArrived = 0;
        std::vector<int> waits; // seconds
        qint64 serviceSeconds = 0;
        qint64 serviceCount = 0;
        qint64 withTarget = 0;
        qint64 withinTarget = 0;
    };
    static void count(Group& g, TokenState state, const QVector<Visit>& visits,
                      const std::optional<ServiceTarget>& target);
    static TotalsLine line(const QString& name, Group& g);

    QMap<QString, Group> m_groups;
    Group m_all;
};
