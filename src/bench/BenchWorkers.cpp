#include "bench/Bench.h"

#include "calling/CallEngine.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "tickets/LoadCache.h"
#include "tickets/Numbering.h"
#include "ui/Clock.h"

#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace bench {

void kiosk(int index, const Target& target, const Hall& hall, Shared& shared, Health& health, int pauseMs,
           bool yieldProcessor)
{
    // On Linux the nice value of a thread is its own.
    if (yieldProcessor)
        setpriority(PRIO_PROCESS, id_t(gettid()), 19);
    Database db;
    SystemClock clock;
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("kiosk"), e.description(), &health);
        return;
    }
    int turn = index;
    // The services' loads between this kiosk's issues, as a kiosk keeps them (no event loop here: the
    // age bound alone makes it read them again).
    waiting::LoadCache loads;
    while (!shared.stopIssuing.load()) {
        const qint64 service = hall.services.at(turn++ % hall.services.size());
        try {
            numbering::IssueRequest request;
            request.serviceId = service;
            request.issueDate = clock.today();
            request.estimate = hall.estimates;
            // As a kiosk does: the day's next number, taken by the issue itself.
            request.number = numbering::nextNumber;
            const numbering::IssuedTicket t = numbering::storeTicket(db, clock, request, loads);
            health.worked();
            std::lock_guard<std::mutex> g(shared.lock);
            if (t.issued()) {
                ++shared.issued;
                ++shared.issuedNumbers
                      [QStringLiteral("%1/%2/%3").arg(service).arg(clock.todayText()).arg(t.number)];
                shared.toldIssued.insert(t.webCode);
            } else {
                ++shared.refused;
            }
        } catch (const DbError& e) {
            shared.error(QStringLiteral("kiosk"), e.description(), &health);
            if (e.kind() == DbError::Kind::OutcomeUnknown) {
                std::lock_guard<std::mutex> g(shared.lock);
                ++shared.unknownOutcomes;
            }
            // A kiosk whose server is away waits a moment before the visitor's next touch.
            if (e.isConnectionFailure())
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
}
void counter(int index, const Target& target, const Hall& hall, Shared& shared, Health& health,
             const QString& settingsFile, int pauseMs)
{
    Database db;
    SystemClock clock;
    Settings settings(settingsFile);
    Session session;
    session.counterId = hall.counters.at(index);
    session.servingCounterId = session.counterId;
    session.serviceId = hall.counterService.at(index);
    session.counterName = QStringLiteral("Bench counter %1").arg(index + 1);
    session.counterDisplayName = QStringLiteral("Desk %1").arg(index + 1);
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("counter"), e.description(), &health);
        return;
    }
    CallEngine engine(db, settings, clock, session);
    engine.showBothBox = [] { return false; };
    engine.afterTake = [&shared](qint64 ticket) {
        const auto now = WallClock::now();
        std::lock_guard<std::mutex> g(shared.lock);
        shared.callCommitted.insert(ticket, now);
    };
    std::vector<double> latencies;
    while (!shared.stopIssuing.load()) {
        engine.state = CounterState();
        const auto started = SteadyClock::now();
        try {
            engine.callNext();
        } catch (const DbError& e) {
            // A call that could not be stored whole: nothing was called.
            shared.error(QStringLiteral("counter"), e.description(), &health);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        const auto done = SteadyClock::now();
        // A pick the store refused counts as no row; the layer says whether the connection was away.
        if (db.connectionBroken() || !db.isOpen()) {
            shared.error(QStringLiteral("counter"), DbError::unreachableText(), &health);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        health.worked();
        const qint64 ticket = engine.state.Label1 == QLatin1String("Calling") ? engine.state.currentKey() : 0;
        if (ticket != 0) {
            latencies.push_back(millis(done - started));
            std::lock_guard<std::mutex> g(shared.lock);
            ++shared.ticketsCalled[ticket];
        } else {
            {
                std::lock_guard<std::mutex> g(shared.lock);
                ++shared.idleNexts;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    std::lock_guard<std::mutex> g(shared.lock);
    shared.nextLatency.insert(shared.nextLatency.end(), latencies.begin(), latencies.end());
}

void roundTrips(const Target& target, Shared& shared, std::vector<double>& ms)
{
    Database db;
    try {
        openTarget(db, target);
        while (!shared.stopIssuing.load()) {
            const auto sent = SteadyClock::now();
            db.query(QStringLiteral("select 1"));
            ms.push_back(millis(SteadyClock::now() - sent));
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    } catch (const DbError& e) {
        shared.error(QStringLiteral("round trip"), e.description());
    }
}

} // namespace bench
