#include "bench/Bench.h"

#include "core/Session.h"
#include "display/BoardReceipts.h"
#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"
#include "ui/Clock.h"

#include <QEventLoop>
#include <QTimer>
#include <memory>

namespace bench {

void board(int index, const Target& target, Shared& shared, Health& health, bool mirror, bool poll,
           bool receipts)
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
    std::unique_ptr<BoardReceipts> receipt;
    if (receipts) {
        receipt = std::make_unique<BoardReceipts>(
            db, clock, QStringLiteral("bench board %1").arg(index + 1),
            mirror ? delivery::ScreenKind::Mirror : delivery::ScreenKind::Board, QVector<qint64>());
        engine.setReceiptSink(receipt.get(), receipt->screen());
        receipt->announce(); // a run is shorter than the heartbeat
    }
    engine.setReconnect([&] {
        try {
            openTarget(db, target);
            return true;
        } catch (const DbError&) {
            return false;
        }
    });
    std::vector<Shared::Showing> shownAt;
    WallClock::time_point readBegan;
    QSet<qint64> shown;
    QList<qint64> taken;
    engine.setTakenHandler([&](const CallRow& call) { taken.append(call.callAuto); });
    engine.setShownHandler([&](const CallRow& call) {
        const auto now = WallClock::now();
        if (shown.contains(call.callAuto))
            return;
        shown.insert(call.callAuto);
        shownAt.push_back({call.ticket, readBegan, now});
        ++shared.shownCount[size_t(index)];
    });
    if (mirror)
        engine.addFirst();

    // The real board's wake-up: notifications and a safety read on PostgreSQL, the 10 ms poll on
    // SQLite, in this thread's event loop.
    QEventLoop loop;
    CallWakeup wakeup(db, clock);
    wakeup.serve(engine, {}, [&] { readBegan = WallClock::now(); });
    QObject::connect(&wakeup, &CallWakeup::readDone, [&] {
        if (db.connectionBroken() || !db.isOpen() || !engine.lastReadOk()) {
            // Counted once per outage.
            if (!health.failing)
                shared.error(QStringLiteral("board"), DbError::unreachableText(), &health);
            health.failed();
        } else {
            health.worked();
        }
    });
    wakeup.start(poll ? std::optional<CallWakeup::Way>(CallWakeup::Way::Poll) : std::nullopt);
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
    shared.shownAt.insert(shared.shownAt.end(), shownAt.begin(), shownAt.end());
    shared.shownBy[size_t(index)] = shown;
    for (qint64 call : std::as_const(taken))
        ++shared.boardTakes[call];
}

namespace {

// The server's commit time of each call's insert, by ticket; empty when the server keeps none.
QHash<qint64, WallClock::time_point> serverCommitTimes(Database& check)
{
    QHash<qint64, WallClock::time_point> times;
    if (!check.isPostgres())
        return times;
    try {
        // callstamp is the inserting transaction's id (a recall would stamp its own; the benchmark's
        // counters only call Next).
        check.forEachRow(QStringLiteral("select tickAuto, extract(epoch from pg_xact_commit_timestamp("
                                        "(callstamp % 4294967296)::text::xid)) * 1000000 from tblCall"),
                         {}, [&](const ListedRow& row) {
                             if (!row.isNull(1))
                                 times.insert(row.number(0), WallClock::time_point(std::chrono::microseconds(
                                                                 qint64(row.value(1).toDouble()))));
                         });
    } catch (const DbError&) {
        times.clear(); // track_commit_timestamp is off
    }
    return times;
}

} // namespace

BoardLatencies boardLatencies(const Shared& shared, Database& check)
{
    BoardLatencies l;
    const QHash<qint64, WallClock::time_point> server = serverCommitTimes(check);
    l.serverCommitTimes = !server.isEmpty();
    const QHash<qint64, WallClock::time_point>& commits = l.serverCommitTimes ? server : shared.callCommitted;
    for (const Shared::Showing& s : shared.shownAt) {
        const auto committed = commits.constFind(s.ticket);
        if (committed == commits.cend())
            continue; // a call whose commit was not seen (cut off on its way)
        const double ms = millis(s.shown - *committed);
        l.early += ms < 0 ? 1 : 0;
        l.total.push_back(std::max(0.0, ms));
        l.waking.push_back(std::max(0.0, millis(s.readBegan - *committed)));
        l.reading.push_back(std::max(0.0, millis(s.shown - std::max(s.readBegan, *committed))));
    }
    return l;
}

} // namespace bench
