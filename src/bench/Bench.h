#pragma once

// The pieces of brivane-bench: the store it runs on, the hall it prepares, what its kiosks,
// counters and boards share while they work, and the workers themselves.

#include "core/Database.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <vector>

class QCommandLineParser;

namespace bench {

using SteadyClock = std::chrono::steady_clock;
// Calls are timed by the wall clock, which the server's commit times on the same machine share.
using WallClock = std::chrono::system_clock;

struct Target
{
    bool postgres = false;
    ConnectionValues values;
    QString description;
};

// A connection of one thread; QSqlDatabase connections belong to the thread that opened them.
void openTarget(Database& db, const Target& target);
bool parseTarget(const QCommandLineParser& args, Target& target, QString& error);

inline double millis(SteadyClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}
double percentile(std::vector<double> values, double p);

struct Health
{
    std::mutex lock;
    SteadyClock::time_point lastFailure{};
    SteadyClock::time_point recovered{};
    std::atomic<bool> failing{false};

    void failed()
    {
        std::lock_guard<std::mutex> g(lock);
        lastFailure = SteadyClock::now();
        failing = true;
    }
    void worked()
    {
        if (!failing)
            return;
        std::lock_guard<std::mutex> g(lock);
        recovered = SteadyClock::now();
        failing = false;
    }
};
struct Shared
{
    std::atomic<bool> stopIssuing{false};
    std::atomic<bool> stopBoards{false};
    std::mutex lock;
    // ticket key -> moment the counter's COMMIT of its call returned
    QHash<qint64, WallClock::time_point> callCommitted;
    // Each board's first showing of each call: the ticket, when the read that showed it began, and
    // when it was shown.
    struct Showing
    {
        qint64 ticket = 0;
        WallClock::time_point readBegan;
        WallClock::time_point shown;
    };
    std::vector<Showing> shownAt;
    QHash<qint64, int> boardTakes; // call key -> number of boards that took it
    std::vector<double> nextLatency;
    QHash<QString, int> issuedNumbers; // "service/day/number" -> times a kiosk got it
    QSet<QString> toldIssued;          // page codes of the tickets the kiosks were told were issued
    qint64 unknownOutcomes = 0;        // issues the store could not say were stored or not
    QHash<qint64, int> ticketsCalled;  // ticket key -> times a counter got it
    qint64 issued = 0;
    qint64 refused = 0;
    qint64 idleNexts = 0;
    qint64 errors = 0;
    QString firstError;
    SteadyClock::time_point firstErrorAt{};
    std::deque<Health> workers; // one per kiosk, counter and board

    void error(const QString& where, const QString& text, Health* health = nullptr)
    {
        if (health)
            health->failed();
        std::lock_guard<std::mutex> g(lock);
        ++errors;
        if (firstError.isEmpty()) {
            firstError = where + QStringLiteral(": ") + text;
            firstErrorAt = SteadyClock::now();
        }
    }

    // Seconds from the first error until the last worker to fail had worked again; -1 when one never
    // did, 0 without errors.
    double recoverySeconds()
    {
        if (errors == 0)
            return 0;
        SteadyClock::time_point last = firstErrorAt;
        for (Health& h : workers) {
            if (h.failing)
                return -1;
            if (h.recovered > last)
                last = h.recovered;
        }
        return millis(last - firstErrorAt) / 1000.0;
    }

    // Boards: the calls each board showed (by call key, handed over when the board stops; a board
    // takes no lock of the benchmark's while it runs, so that no kiosk or counter thread holding one
    // delays its showing), how many it has shown so far, and the statements it has sent so far.
    std::vector<QSet<qint64>> shownBy;
    std::deque<std::atomic<int>> shownCount;
    std::deque<std::atomic<quint64>> boardStatements;
    // Boards that have opened and filled their table (the counters start once every board has).
    std::atomic<int> boardsReady{0};
};

struct Hall
{
    QVector<qint64> services;
    QVector<qint64> counters;
    QVector<qint64> counterService;
    // Whether the kiosks' tickets get wait estimates and the server counts the queues (off with
    // --no-estimate, as issuing was before the estimate; for comparison).
    bool estimates = true;
};
Hall prepareHall(Database& db, int counters);

// The workers, each on a thread of its own with a connection of its own, until told to stop.
// A kiosk that yields the processor runs its own share of the work (building statements, reading
// answers) at the lowest priority: in a hall each kiosk is a machine of its own, so its work must not
// take the processor from the server and the boards it loads, only the server's work for it does.
void kiosk(int index, const Target& target, const Hall& hall, Shared& shared, Health& health, int pauseMs,
           bool yieldProcessor);
void counter(int index, const Target& target, const Hall& hall, Shared& shared, Health& health,
             const QString& settingsFile, int pauseMs);
// A display board with the real board's engine and wake-up; a mirror follows every call without
// taking it.
// With `poll` it reads every 10 ms also on PostgreSQL, as boards did before the server announced
// calls. With `receipts` it records each call it shows, as the real board does.
void board(int index, const Target& target, Shared& shared, Health& health, bool mirror, bool poll,
           bool receipts);

// Call committed -> shown by a board, in ms, for every showing whose commit time is known; each
// also in two parts: until the board's read began (waking), and the read itself. The commit time is
// the server's own where it keeps them (PostgreSQL with track_commit_timestamp on), otherwise the
// moment the counter's COMMIT returned, which a loaded machine may delay past the showing (such a
// showing counts 0, and `early` says how often).
struct BoardLatencies
{
    std::vector<double> total;
    std::vector<double> waking;
    std::vector<double> reading;
    qint64 early = 0;
    bool serverCommitTimes = false;
};
BoardLatencies boardLatencies(const Shared& shared, Database& check);

// A bare round trip to the store (`select 1`) every 20 ms on a connection of its own, until the
// issuing stops: how long any statement of a board waits on the server under the same load. Ms.
void roundTrips(const Target& target, Shared& shared, std::vector<double>& ms);

// Plain single-row inserts, each its own transaction, from `threads` connections for a while: what the
// server does without any of the hall's rules, to read the token rate against. Rows per second.
double rawInserts(const Target& target, int threads, int seconds);

} // namespace bench
