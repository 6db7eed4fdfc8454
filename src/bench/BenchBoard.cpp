#include "bench/Bench.h"

#include "core/Session.h"
#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"
#include "ui/Clock.h"

#include <QEventLoop>
#include <QTimer>

namespace bench {

void board(int index, const Target& target, Shared& shared, Health& health, bool mirror)
{
    Database db;
    SystemClock clock;
    Session session; // every counter's calls
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("board"), e.description(), &health);
        ++shared.boardsReady;
        return;
    }
    BoardTable table;
    table.reset(13, 4);
    CallBoardEngine engine(db, session, clock, table,
                           mirror ? CallBoardEngine::Mode::Follow : CallBoardEngine::Mode::Take);
    engine.setShownCallSink(nullptr);
    engine.setReconnect([&] {
        try {
            openTarget(db, target);
            return true;
        } catch (const DbError&) {
            return false;
        }
    });
    std::vector<double> latencies;
    QSet<qint64> shown;
    engine.setTakenHandler([&](const CallRow& call) {
        std::lock_guard<std::mutex> g(shared.lock);
        ++shared.boardTakes[call.callAuto];
    });
    engine.setShownHandler([&](const CallRow& call) {
        const auto now = SteadyClock::now();
        if (shown.contains(call.callAuto))
            return;
        shown.insert(call.callAuto);
        std::lock_guard<std::mutex> g(shared.lock);
        shared.shownBy[size_t(index)].insert(call.callAuto);
        // The call row is committed inside Next, after the ticket is marked and before Next returns.
        // A board that shows it before Next has returned is measured from the start of marking.
        const auto done = shared.callCommitted.constFind(call.ticket);
        if (done != shared.callCommitted.constEnd()) {
            latencies.push_back(std::max(0.0, millis(now - *done)));
        } else {
            const auto began = shared.callStarted.constFind(call.ticket);
            if (began != shared.callStarted.constEnd())
                latencies.push_back(std::max(0.0, millis(now - *began)));
        }
    });
    if (mirror)
        engine.addFirst();

    // The real board's wake-up: notifications and a safety read on PostgreSQL, the 10 ms poll on
    // SQLite, in this thread's event loop.
    QEventLoop loop;
    CallWakeup wakeup(db, clock);
    wakeup.setReader([&] {
        if (wakeup.way() == CallWakeup::Way::Poll)
            engine.Timer1_Timer();
        else
            engine.readNew();
        if (db.connectionBroken() || !db.isOpen() || !engine.lastReadOk()) {
            // Counted once per outage.
            if (!health.failing)
                shared.error(QStringLiteral("board"), DbError::unreachableText(), &health);
            health.failed();
        } else {
            health.worked();
        }
        return engine.lastReadOk();
    });
    wakeup.start();
    wakeup.readNow();
    ++shared.boardsReady;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        shared.boardStatements[size_t(index)] = db.statementsSent();
        if (shared.stopBoards.load())
            loop.quit();
    });
    watch.start();
    loop.exec();
    wakeup.stop();
    std::lock_guard<std::mutex> g(shared.lock);
    shared.boardLatency.insert(shared.boardLatency.end(), latencies.begin(), latencies.end());
}

} // namespace bench
