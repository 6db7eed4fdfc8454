// brivane-bench: kiosks, counters and display boards working at once on one database, each with a
// connection of its own, for a number of seconds; prints throughput, latencies and the counts of
// anything that went wrong between them (duplicate numbers, tokens told as issued but not stored,
// double calls, double takes, lost calls).

#include "bench/Bench.h"
#include "bench/BenchKinds.h"
#include "bench/CallRowCheck.h"
#include "bench/IssuedCheck.h"

#include "core/QueueLength.h"
#include "tickets/Numbering.h"
#include "ui/Clock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <thread>

using namespace bench;

namespace {

int number(const QCommandLineParser& args, const char* name, int fallback)
{
    bool ok = false;
    const int n = args.value(QString::fromLatin1(name)).toInt(&ok);
    return ok ? n : fallback;
}
} // namespace

// The driver's own notices (such as statements it cannot free after a refused insert) are counted,
// not printed between the figures.
std::atomic<qint64> driverNotices{0};
void countMessage(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        std::abort();
    }
    ++driverNotices;
}

int main(int argc, char** argv)
{
    readLocalZoneOnce();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brivane-bench"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser args;
    args.setApplicationDescription(
        QStringLiteral("Kiosks, counters and display boards on one database at once."));
    args.addHelpOption();
    args.addOptions({
        {QStringLiteral("db"), QStringLiteral("SQLite database file (made when missing)"),
         QStringLiteral("FILE")},
        {QStringLiteral("pg"), QStringLiteral("PostgreSQL server"),
         QStringLiteral("host:port;database;user;password")},
        {QStringLiteral("kiosks"), QStringLiteral("kiosks (K), default 4"), QStringLiteral("K"),
         QStringLiteral("4")},
        {QStringLiteral("counters"), QStringLiteral("counters (N), default 8"), QStringLiteral("N"),
         QStringLiteral("8")},
        {QStringLiteral("boards"), QStringLiteral("display boards (M), default 3"), QStringLiteral("M"),
         QStringLiteral("3")},
        {QStringLiteral("seconds"), QStringLiteral("run time (T), default 20"), QStringLiteral("T"),
         QStringLiteral("20")},
        {QStringLiteral("kiosk-pause"), QStringLiteral("pause of a kiosk after each token, ms (default 0)"),
         QStringLiteral("MS"), QStringLiteral("0")},
        {QStringLiteral("raw"),
         QStringLiteral("also measure plain single-row inserts (one connection per kiosk) and give the "
                        "token rate as a share of them")},
        {QStringLiteral("raw-seconds"), QStringLiteral("length of the plain-insert run, default 5"),
         QStringLiteral("S"), QStringLiteral("5")},
        {QStringLiteral("counter-pause"),
         QStringLiteral("pause of a counter after each Next, ms (default 250)"), QStringLiteral("MS"),
         QStringLiteral("250")},
        {QStringLiteral("mirror"),
         QStringLiteral("the boards follow every call without taking it (each shows every call)")},
        {QStringLiteral("poll"),
         QStringLiteral("the boards read every 10 ms also on PostgreSQL instead of waiting for the server's "
                        "notification (as before calls were announced; for comparison)")},
        {QStringLiteral("no-receipts"),
         QStringLiteral("the boards do not record which calls they showed (as before boards did; for "
                        "comparison)")},
        {QStringLiteral("no-estimate"),
         QStringLiteral("the kiosks issue without the wait estimate and the server does not count the "
                        "queues, as issuing was before the estimate (for comparison)")},
        {QStringLiteral("kiosks-share-processor"),
         QStringLiteral(
             "the kiosks' own work (not the server's for them) runs at the same priority as the boards "
             "instead of the lowest, as if the kiosks ran on the boards' and the server's machine")},
        {QStringLiteral("kinds"),
         QStringLiteral(
             "PostgreSQL: the kiosks, counters and boards connect with a login of their kind "
             "(made or renewed with the owner's connection given by --pg) instead of the owner's")},
        {QStringLiteral("idle-seconds"),
         QStringLiteral("after the run, how long the idle boards' statements are counted, default 5"),
         QStringLiteral("S"), QStringLiteral("5")},
    });
    args.process(app);

    qInstallMessageHandler(countMessage);
    Target target;
    QString problem;
    if (!parseTarget(args, target, problem)) {
        err << problem << Qt::endl;
        return 2;
    }
    const int kiosks = number(args, "kiosks", 4);
    const int counters = number(args, "counters", 8);
    const int boards = number(args, "boards", 3);
    const int seconds = number(args, "seconds", 20);
    if (kiosks < 0 || counters < 1 || boards < 1 || seconds < 1) {
        err << "needs at least one counter, one board and one second" << Qt::endl;
        return 2;
    }

    Hall hall;
    WorkerTargets workers = ownerTargets(target);
    SystemClock clock;
    {
        Database db;
        try {
            openTarget(db, target);
            // The figures are only meaningful on a database of the benchmark's own.
            if (!db.query(QStringLiteral("select 1 from tblTicket limit 1")).isEmpty() ||
                !db.query(QStringLiteral("select 1 from tblCall limit 1")).isEmpty()) {
                err << "the database already holds tickets or calls; give the benchmark an empty one"
                    << Qt::endl;
                return 1;
            }
            hall = prepareHall(db, counters);
            if (args.isSet(QStringLiteral("no-estimate"))) {
                hall.estimates = false;
                // The benchmark's own database: its queues go uncounted for this run.
                if (db.isPostgres())
                    db.exec(QStringLiteral("alter table tblTicket disable trigger %1")
                                .arg(queuelength::issuedTriggerName()));
            }
            if (args.isSet(QStringLiteral("kinds"))) {
                workers = kindTargets(db, target, problem);
                if (!problem.isEmpty()) {
                    err << problem << Qt::endl;
                    return 1;
                }
            }
        } catch (const DbError& e) {
            err << e.description() << Qt::endl;
            return 1;
        }
    }

    double raw = 0;
    if (args.isSet(QStringLiteral("raw"))) {
        try {
            raw = rawInserts(target, std::max(1, kiosks), std::max(1, number(args, "raw-seconds", 5)));
        } catch (const DbError& e) {
            err << "plain inserts: " << e.description() << Qt::endl;
            return 1;
        }
    }

    QTemporaryDir settingsDir;
    Shared shared;
    std::vector<std::thread> issuing;
    std::vector<std::thread> showing;
    const bool mirror = args.isSet(QStringLiteral("mirror"));
    const bool poll = args.isSet(QStringLiteral("poll"));
    const bool receipts = !args.isSet(QStringLiteral("no-receipts"));
    const bool sharedProcessor = args.isSet(QStringLiteral("kiosks-share-processor"));
    shared.shownBy.resize(size_t(boards));
    for (int b = 0; b < boards; ++b) {
        shared.boardStatements.emplace_back(0);
        shared.shownCount.emplace_back(0);
    }
    for (int b = 0; b < boards; ++b)
        showing.emplace_back(board, b, std::cref(workers.board), std::ref(shared),
                             std::ref(shared.workers.emplace_back()), mirror, poll, receipts);
    // Calls made while a board still opens would come with its first fill, not as calls it shows.
    while (shared.boardsReady.load() < boards)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    for (int k = 0; k < kiosks; ++k)
        issuing.emplace_back(kiosk, k, std::cref(workers.kiosk), std::cref(hall), std::ref(shared),
                             std::ref(shared.workers.emplace_back()), number(args, "kiosk-pause", 0),
                             !sharedProcessor);
    for (int c = 0; c < counters; ++c)
        issuing.emplace_back(counter, c, std::cref(workers.counter), std::cref(hall), std::ref(shared),
                             std::ref(shared.workers.emplace_back()),
                             settingsDir.filePath(QStringLiteral("counter%1.ini").arg(c)),
                             number(args, "counter-pause", 250));

    std::vector<double> roundTripMs;
    issuing.emplace_back(roundTrips, std::cref(target), std::ref(shared), std::ref(roundTripMs));

    const auto started = SteadyClock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    shared.stopIssuing = true;
    for (std::thread& t : issuing)
        t.join();
    const double issuingSeconds = millis(SteadyClock::now() - started) / 1000.0;

    // The boards work off what is left, for at most 30 seconds: taking boards until no call waits,
    // mirrors until each has shown every call.
    Database check;
    // A server restarting as the run ends is waited for (half a minute at most).
    for (const auto waitFrom = SteadyClock::now();;) {
        try {
            openTarget(check, target);
            break;
        } catch (const DbError& e) {
            if (millis(SteadyClock::now() - waitFrom) > 30000) {
                err << e.description() << Qt::endl;
                return 1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
    }
    const QString today = clock.todayText();
    const auto drainStart = SteadyClock::now();
    const auto allShown = [&] {
        const qint64 rows = check.query(QStringLiteral("select count(*) from tblCall")).number(0, 0);
        for (const std::atomic<int>& shown : shared.shownCount) {
            if (shown.load() < rows)
                return false;
        }
        return true;
    };
    bool drained = false;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        drained =
            mirror
                ? allShown()
                : check.query(QStringLiteral("select count(*) from tblCall where tickDate=? and status1='0'"),
                              {today})
                          .number(0, 0) == 0;
    } while (!drained && millis(SteadyClock::now() - drainStart) < 30000);

    // Then the boards stand idle: what each sends to the store while nothing happens.
    const int idleSeconds = std::max(1, number(args, "idle-seconds", 5));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::vector<quint64> idleFrom;
    for (const auto& n : shared.boardStatements)
        idleFrom.push_back(n.load());
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    double idleRate = 0;
    for (size_t b = 0; b < idleFrom.size(); ++b)
        idleRate = std::max(idleRate, double(shared.boardStatements[b].load() - idleFrom[b]) / idleSeconds);
    shared.stopBoards = true;
    for (std::thread& t : showing)
        t.join();

    const qint64 duplicateNumbers =
        check
            .query(QStringLiteral("select count(*) from (select servAuto, tickDate, tickNo from tblTicket "
                                  "group by servAuto, tickDate, tickNo having count(*) > 1) d"))
            .number(0, 0);
    qint64 numbersHandedTwice = 0;
    for (int n : std::as_const(shared.issuedNumbers))
        numbersHandedTwice += n > 1 ? 1 : 0;
    const qint64 callRowsTwice =
        check
            .query(QStringLiteral("select count(*) from (select tickAuto from tblCall group by tickAuto "
                                  "having count(*) > 1) d"))
            .number(0, 0);
    qint64 calledTwice = 0;
    for (int n : std::as_const(shared.ticketsCalled))
        calledTwice += n > 1 ? 1 : 0;
    qint64 takenTwice = 0;
    for (int n : std::as_const(shared.boardTakes))
        takenTwice += n > 1 ? 1 : 0;
    const qint64 callRows = check.query(QStringLiteral("select count(*) from tblCall")).number(0, 0);
    const qint64 neverTaken =
        check.query(QStringLiteral("select count(*) from tblCall where status1='0'")).number(0, 0);

    out << "store                      " << target.description << Qt::endl;
    out << "kiosks / counters / boards " << kiosks << " / " << counters << " / " << boards << ", " << seconds
        << " s" << Qt::endl;
    out << "workstations' logins       "
        << (args.isSet(QStringLiteral("kinds"))
                ? QStringLiteral("one of each kind: %1, %2, %3")
                      .arg(workers.kiosk.values.user, workers.counter.values.user, workers.board.values.user)
                : QStringLiteral("the owner's"))
        << Qt::endl;
    out << "kiosks' own work           "
        << (sharedProcessor ? "same priority as the boards" : "lowest priority (machines of their own)")
        << Qt::endl;
    if (!hall.estimates)
        out << "wait estimate              none (kiosks without it, queues not counted)" << Qt::endl;
    out << "tokens issued              " << shared.issued << " ("
        << QString::number(double(shared.issued) / issuingSeconds, 'f', 1) << " per second), refused "
        << shared.refused << Qt::endl;
    const double tokensPerSecond = double(shared.issued) / issuingSeconds;
    if (raw > 0)
        out << "plain inserts per second   " << QString::number(raw, 'f', 1) << " (" << std::max(1, kiosks)
            << " connections); tokens are " << QString::number(100.0 * tokensPerSecond / raw, 'f', 1)
            << " % of it" << Qt::endl;
    out << "Next calls                 " << shared.nextLatency.size() << " (idle presses " << shared.idleNexts
        << ")" << Qt::endl;
    out << "Next latency ms            p50 " << QString::number(percentile(shared.nextLatency, 50), 'f', 2)
        << "  p99 " << QString::number(percentile(shared.nextLatency, 99), 'f', 2) << Qt::endl;
    const BoardLatencies shownAfter = boardLatencies(shared, check);
    const auto p50p99 = [](const std::vector<double>& v) {
        return QStringLiteral("p50 %1  p99 %2")
            .arg(QString::number(percentile(v, 50), 'f', 2), QString::number(percentile(v, 99), 'f', 2));
    };
    out << "call-to-board latency ms   " << p50p99(shownAfter.total) << "  (" << shownAfter.total.size()
        << " showings, from "
        << (shownAfter.serverCommitTimes
                ? QStringLiteral("the server's commit time)")
                : QStringLiteral("the counter's COMMIT returning; %1 shown before it had returned)")
                      .arg(shownAfter.early))
        << Qt::endl;
    out << "  until the board read     " << p50p99(shownAfter.waking) << Qt::endl;
    out << "  the board's read         " << p50p99(shownAfter.reading) << Qt::endl;
    out << "bare round trip (select 1) " << p50p99(roundTripMs) << Qt::endl;
    out << "duplicate token numbers    " << duplicateNumbers + numbersHandedTwice << Qt::endl;
    const IssuedCheck issuedCheck = compareIssued(check, shared.toldIssued);
    out << "tokens lost                " << issuedCheck.lost << " (told as issued, not stored)" << Qt::endl;
    const numbering::SettledIssues settled = numbering::settledIssues();
    out << "commits looked up          " << settled.lookedUp
        << " (answer lost with the connection; found stored " << settled.foundStored << ", not stored "
        << settled.lookedUp - settled.foundStored << ")" << Qt::endl;
    out << "tickets told to no kiosk   " << issuedCheck.untold
        << " (issues whose outcome stayed unknown: " << shared.unknownOutcomes << ")" << Qt::endl;
    out << "tickets called twice       " << std::max(calledTwice, callRowsTwice) << Qt::endl;
    out << "calls taken by two boards  " << takenTwice << Qt::endl;
    if (mirror) {
        qint64 everywhere = 0;
        const QVector<QVariant> keys = [&] {
            QVector<QVariant> k;
            check.forEachRow(QStringLiteral("select callauto from tblCall"), {},
                             [&](const ListedRow& row) { k.append(row.value(0)); });
            return k;
        }();
        for (const QVariant& key : keys) {
            bool all = true;
            for (const QSet<qint64>& calls : shared.shownBy)
                all = all && calls.contains(key.toLongLong());
            everywhere += all ? 1 : 0;
        }
        out << "calls shown by every board   " << everywhere << " of " << callRows << Qt::endl;
    } else {
        out << "calls never taken          " << neverTaken << " of " << callRows << Qt::endl;
    }
    out << "called without a call row   " << calledWithoutCallRow(check) << Qt::endl;
    out << "idle board statements/s    " << QString::number(idleRate, 'f', 1) << " (most of any board, over "
        << idleSeconds << " s)" << Qt::endl;
    if (driverNotices.load() > 0)
        out << "driver notices             " << driverNotices.load() << Qt::endl;
    if (numbering::numberClashes() > 0)
        out << "numbers refused by index   " << numbering::numberClashes() << Qt::endl;
    out << "store errors               " << shared.errors;
    if (shared.errors > 0)
        out << " (first: " << shared.firstError << ")";
    out << Qt::endl;
    if (shared.errors > 0) {
        const double recovery = shared.recoverySeconds();
        out << "recovered after s          "
            << (recovery < 0 ? QStringLiteral("never: some kiosk, counter or board did not work again")
                             : QString::number(recovery, 'f', 1))
            << Qt::endl;
    }
    return 0;
}
