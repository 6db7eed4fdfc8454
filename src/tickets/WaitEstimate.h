#pragma once

#include "ui/Language.h"

#include <QDate>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <optional>

class Clock;
class Database;

// How long a visitor will wait, from the hall's own recent history.
//
// The rule. For a service, take
//   S  the mean service time of its latest finished tokens (call to finish, as the reports count it),
//   R  the mean time until a busy counter of it frees up: the residual of a service in progress,
//      E[S²] / (2·E[S]) over the same tokens (S itself when service times vary as much as they do in
//      a memoryless queue, S/2 when every service takes the same time),
//   c  the counters serving it now: those that called one of its tokens within the last few service
//      times, less those away (their latest token finished while another already waited: they did
//      not stop for lack of work); when none is left (the day's start, a quiet spell, everyone
//      away) the active counters set up for it,
//   f  the free ones among them: their latest token of the service finished with no walk-in waiting,
//   n  the people ahead: its waiting walk-ins and emergencies of the same day with a lower number
//      (report tokens are called from the counters' lists, appointments at their time).
// A free counter takes the next token at once, so the first f people ahead are gone at once. Each of
// the others, and the visitor, waits for a counter to free up: the first one does after R/c on
// average, then one every S/c, as c counters each finish one token per S. So
//   wait = 0                         when n < f
//   wait = ((n − f)·S + R) / c       otherwise,
// in whole minutes, rounded to the nearest. A service without enough history has no estimate: the
// system says nothing rather than guess.
namespace waiting {

// The rule's parameters, each with the reason for its value.
struct Rule
{
    // Finished tokens the service time is averaged over. The mean of n service times is off by about
    // CV/√n of itself (CV near 1 for service times): 20 give about ±22 %, and in a busy service they
    // are the last hour or so, so the figure follows the hall through the day.
    int serviceSample = 20;
    // Fewer finished tokens than this give no estimate: below four, the mean's typical error (CV/√n)
    // is more than half of it.
    int minimumSample = 4;
    // How far back the sample may reach, in days: four weeks hold every weekday four times, so a
    // quiet service still finds its own history, while a hall's habits of last season do not count.
    int historyDays = 28;
    // A counter serves the service when it called one of its tokens within this many mean service
    // times. A counter that is serving calls about once every S; one still busy after 3·S is rare
    // (e^-3, under 5 % even when service times vary as much as they do in a memoryless queue).
    double servingWindow = 3.0;
};

// What the history says about a service at one moment.
struct ServiceLoad
{
    int sample = 0;                 // finished tokens S and R come from
    double serviceMinutes = 0;      // S
    double residualMinutes = 0;     // R
    int servingCounters = 0;        // c (at least 1 once a sample exists)
    int freeCounters = 0;           // f
    bool countersFromSetup = false; // c came from the counters set up, none having called recently
    bool known(const Rule& rule = {}) const { return sample >= rule.minimumSample; }
};

// The estimate for one ticket.
struct Estimate
{
    qint64 peopleAhead = 0;     // waiting tokens of the service before it
    std::optional<int> minutes; // nullopt: no estimate (too little history, not today, not waiting)
};

// Seconds since midnight of a stored time of day ("HH:mm:ss" or "HH:mm"); nullopt when unreadable.
std::optional<int> secondsOfDay(const QString& text);

// The rule itself on figures already gathered: minutes to wait with peopleAhead before the visitor.
std::optional<int> minutesToWait(const ServiceLoad& load, qint64 peopleAhead, const Rule& rule = {});

// SQL counting the people ahead of a ticket of `service` on `day` numbered `number` (each an SQL
// expression): the waiting walk-ins and emergencies of that service and day with a lower number.
QString aheadCount(const QString& service, const QString& day, const QString& number);

// A piece of SQL with the values of its placeholders, in order.
struct SqlPart
{
    QString sql;
    QVariantList params;
};

// minutesToWait as an SQL expression of an integer expression `ahead` of the same statement, for an
// issue that counts the people ahead where it takes its number (PostgreSQL): the same double
// arithmetic and the same rounding, so the store keeps exactly the minutes the rule gives; null
// without an estimate. `ahead` comes last in the text: placeholders of its own take the values
// after the expression's.
SqlPart minutesSql(const ServiceLoad& load, const QString& ahead, const Rule& rule = {});

// What the store holds on one service's load, read at one moment: enough to work the load out at
// that moment and at any later one of the same day, as long as nothing of the service changes.
struct LoadInputs
{
    QDate day;
    int readAt = 0; // seconds of the day
    // The finished tokens the sample is taken from, newest first, as far as the reading went.
    struct Done
    {
        std::optional<int> called;
        std::optional<int> finished;
        bool today = false;
    };
    QVector<Done> done;
    // The counters' calls of the service today from callsSince on, latest first; not read when the
    // service had no sample at readAt.
    bool callsRead = false;
    QString callsSince;
    struct Call
    {
        qint64 counter = 0;
        QString calledText;
        std::optional<int> called;
        std::optional<int> finished;
    };
    QVector<Call> calls;
    // The issue time of the oldest walk-in waiting ("HH:mm:ss"); empty when none waits.
    QString oldestWaiting;
    qint64 countersSetUp = 0;
};

// Reads the inputs of the service's load for today at `now` (seconds of the day).
LoadInputs readLoadInputs(Database& db, qint64 serviceId, const QDate& today, int now, const Rule& rule = {});

// The load at `now` (seconds of inputs.day, not before inputs.readAt) from inputs read earlier; nullopt
// when they do not reach back far enough for it (the mean service time grew since, and with it the
// window of the counters serving).
std::optional<ServiceLoad> loadAt(const LoadInputs& inputs, int now, const Rule& rule = {});

// The fixed guess the rule is measured against: every person ahead takes five minutes.
constexpr int fixedMinutesPerPerson = 5;
inline int fixedGuess(qint64 peopleAhead)
{
    return int(peopleAhead) * fixedMinutesPerPerson;
}

// Reads what the rule needs from the store, at the clock's now. Store failures pass to the caller as
// DbError.
class WaitEstimator
{
public:
    WaitEstimator(Database& db, const Clock& clock, Rule rule = {});

    // The service's figures now.
    ServiceLoad load(qint64 serviceId);

    // For a token about to be issued today with the given number: everyone waiting with a lower number
    // is ahead. A day other than today gets no estimate.
    Estimate forNewTicket(qint64 serviceId, qint64 number, const QString& issueDay);

    // For a stored ticket now (the visitor's page): people ahead while it waits today, and minutes
    // when it is a walk-in; a ticket already called, of another day or unknown gives 0 ahead and no
    // minutes.
    Estimate forTicket(qint64 tickAuto);

    const Rule& rule() const { return m_rule; }

private:
    qint64 waitingBefore(qint64 serviceId, const QString& day, qint64 number);

    Database& m_db;
    const Clock& m_clock;
    Rule m_rule;
};

// "about 12 minutes", "less than a minute", "about 1 minute": the estimate as kiosk, ticket and page
// show it, in the given language (the windows' by default); empty for no estimate.
QString waitText(const std::optional<int>& minutes, const Language& language = Language());

} // namespace waiting
