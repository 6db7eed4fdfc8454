#pragma once

#include "core/ServiceTarget.h"
#include "tickets/WaitEstimate.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>
#include <optional>

class Clock;
class Database;

// What is happening in the hall now, per service, and what comes next: the figures the Hall now
// window, `brivane-ctl now` and the staff page show, computed once here.
namespace hallnow {

// The forecast's parameters, each with the reason for its value.
struct Rule
{
    // Arrivals are counted over the last this many minutes. Half an hour holds a dozen or more tokens
    // of a busy service, enough for a rate that is off by less than a third, and is short enough to
    // follow the morning rush rather than average it with the quiet before.
    int arrivalMinutes = 30;
    // How far ahead the forecast looks. The arrival rate of the last half hour says little about the
    // hour after next: halls change pace with the time of day.
    int horizonMinutes = 60;
    // The most counters a service is ever advised to open; beyond it the hall's layout decides.
    int mostCounters = 50;
    // The service time (mean and spread) comes from the waiting estimate's history and is read again
    // after this long: it is the mean of the latest twenty services, which a few more move by a few
    // per cent, and reading it costs a few statements per service.
    int serviceTimeRefreshSeconds = 300;
    // The services and their counters are read again after this long: they change only when the
    // administrator edits them.
    int setupRefreshSeconds = 30;
};

// What the forecast is made from, for one service.
struct ForecastInput
{
    ServiceTarget target;
    double arrivalsPerMinute = 0; // λ, over the last Rule::arrivalMinutes
    waiting::ServiceLoad load;    // S and R from history; c and f of now
    // Today so far: tokens called, and those within the target.
    int calledToday = 0;
    int withinToday = 0;
    // Seconds waited so far by each walk-in waiting now, in the order they will be called.
    QVector<qint64> waitedSeconds;
};

struct Forecast
{
    bool known = false;                 // a target and a service time to go by
    int counters = 0;                   // the counters it is made for (c)
    double expectedSharePercent = 0;    // Erlang C: the share within target of arrivals from now on
    std::optional<int> missedInMinutes; // 0: below target now; nullopt: kept over the horizon
    std::optional<int> countersToKeep;  // the fewest counters that keep it; nullopt: none within reach
};

Forecast forecast(const ForecastInput& input, const Rule& rule = {});

struct ServiceNow
{
    qint64 service = 0;
    QString name;
    ServiceTarget target;
    int waiting = 0;
    std::optional<qint64> longestWaitSeconds; // of those waiting now
    int serving = 0;                          // counters of the service with a token in hand
    int idle = 0;                             // its other active counters
    int servedLastHour = 0;                   // finished within the last hour
    std::optional<double> sharePercent;       // today's called tokens within target
    double arrivalsPerHour = 0;
    std::optional<double> serviceMinutes;
    Forecast forecast;
};

struct Snapshot
{
    QDateTime at;
    QVector<ServiceNow> services;
};

// Reads the snapshot: one statement for today's tickets, one more now and then for the services and
// their counters, and the service times from the waiting estimate's history every few minutes.
class HallNow
{
public:
    HallNow(Database& db, const Clock& clock, Rule rule = {}, waiting::Rule waitRule = {});

    Snapshot read();
    const Rule& rule() const { return m_rule; }

private:
    struct Counter
    {
        qint64 id = 0;
        qint64 service = 0;
    };
    struct Setup
    {
        QVector<ServiceNow> services; // names and targets
        QVector<Counter> counters;    // active ones
        QDateTime readAt;
    };
    struct History
    {
        waiting::ServiceLoad load;
        QDateTime readAt;
    };

    void readSetup(const QDateTime& now);
    const waiting::ServiceLoad& history(qint64 service, const QDateTime& now);

    Database& m_db;
    const Clock& m_clock;
    Rule m_rule;
    waiting::WaitEstimator m_estimator;
    Setup m_setup;
    QHash<qint64, History> m_history;
};

// "12:05", "1:02:05": a wait in minutes and seconds as the hall's screens show it.
QString waitClock(qint64 seconds);

} // namespace hallnow
