// brivane-bench: kiosks, counters and display boards working at once on one database, each with a
// connection of its own, for a number of seconds; prints throughput, latencies and the counts of
// anything that went wrong between them (duplicate numbers, double calls, double takes, lost calls).

#include "bench/CallRowCheck.h"
#include "calling/CallEngine.h"
#include "core/Database.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "display/CallBoardEngine.h"
#include "tickets/Numbering.h"
#include "ui/Clock.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

struct Target
{
    bool postgres = false;
    ConnectionValues values;
    QString description;
};

// A connection of one thread; QSqlDatabase connections belong to the thread that opened them.
void openTarget(Database& db, const Target& target)
{
    db.open(target.values, QString());
}

double millis(SteadyClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p / 100.0 * double(values.size() - 1) + 0.5));
    return values[index];
}

// One kiosk, counter or board: when its work last failed and when it first worked again after that.
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
    // ticket key -> moment its call row was committed
    QHash<qint64, SteadyClock::time_point> callCommitted;
    // ticket key -> moment a counter began to mark it called and write its call row
    QHash<qint64, SteadyClock::time_point> callStarted;
    QHash<qint64, int> boardTakes; // call key -> number of boards that took it
    std::vector<double> nextLatency;
    std::vector<double> boardLatency;
    QHash<QString, int> issuedNumbers; // "service/day/number" -> times a kiosk got it
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
};

struct Hall
{
    QVector<qint64> services;
    QVector<qint64> counters;
    QVector<qint64> counterService;
};

Hall prepareHall(Database& db, int counters)
{
    Hall h;
    Database::Transaction t(db);
    const qint64 dept =
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Bench")},
                                              {QStringLiteral("deptDesc"), QStringLiteral("Walk-In")},
                                              {QStringLiteral("active"), 1}});
    const int services = std::max(1, (counters + 1) / 2);
    for (int s = 0; s < services; ++s) {
        h.services.append(
            db.insert(QStringLiteral("tblService"),
                      {{QStringLiteral("deptAuto"), dept},
                       {QStringLiteral("servName"), QStringLiteral("Bench service %1").arg(s + 1)},
                       {QStringLiteral("ServDesc"), QString()},
                       {QStringLiteral("active"), 1},
                       {QStringLiteral("startno"), 1},
                       {QStringLiteral("endno"), numbering::highestTokenNumber},
                       {QStringLiteral("abrno"), QString(QChar(u'A' + (s % 26)))}}));
    }
    for (int c = 0; c < counters; ++c) {
        const qint64 service = h.services.at(c / 2 % services);
        h.counterService.append(service);
        h.counters.append(
            db.insert(QStringLiteral("tblCounter"),
                      {{QStringLiteral("servAuto"), service},
                       {QStringLiteral("contName"), QStringLiteral("Bench counter %1").arg(c + 1)},
                       {QStringLiteral("displayName"), QStringLiteral("Desk %1").arg(c + 1)},
                       {QStringLiteral("username"), QStringLiteral("bench%1").arg(c + 1)},
                       {QStringLiteral("pass"), QStringLiteral("bench")},
                       {QStringLiteral("active"), 1},
                       {QStringLiteral("countNameA"), QString()},
                       {QStringLiteral("displayNameA"), QString()}}));
    }
    t.commit();
    return h;
}

void kiosk(int index, const Target& target, const Hall& hall, Shared& shared, Health& health, int pauseMs)
{
    Database db;
    SystemClock clock;
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("kiosk"), e.description(), &health);
        return;
    }
    int turn = index;
    while (!shared.stopIssuing.load()) {
        const qint64 service = hall.services.at(turn++ % hall.services.size());
        try {
            numbering::IssueRequest request;
            request.serviceId = service;
            request.issueDate = clock.today();
            request.number = numbering::getToken(db, service, request.issueDate);
            const numbering::IssuedTicket t = numbering::storeTicket(db, clock, request);
            health.worked();
            std::lock_guard<std::mutex> g(shared.lock);
            if (t.issued()) {
                ++shared.issued;
                ++shared.issuedNumbers
                      [QStringLiteral("%1/%2/%3").arg(service).arg(clock.todayText()).arg(t.number)];
            } else {
                ++shared.refused;
            }
        } catch (const DbError& e) {
            shared.error(QStringLiteral("kiosk"), e.description(), &health);
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
    engine.beforeTake = [&shared](qint64 ticket) {
        const auto now = SteadyClock::now();
        std::lock_guard<std::mutex> g(shared.lock);
        shared.callStarted.insert(ticket, now);
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
            // The call row was committed inside callNext, before `done`.
            shared.callCommitted.insert(ticket, done);
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

void board(const Target& target, Shared& shared, Health& health)
{
    Database db;
    SystemClock clock;
    Session session; // every counter's calls
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("board"), e.description(), &health);
        return;
    }
    BoardTable table;
    table.reset(13, 4);
    CallBoardEngine engine(db, session, clock, table);
    engine.setReconnect([&] {
        try {
            openTarget(db, target);
            return true;
        } catch (const DbError&) {
            return false;
        }
    });
    std::vector<double> latencies;
    engine.setTakenHandler([&](const CallRow& call) {
        const auto now = SteadyClock::now();
        std::lock_guard<std::mutex> g(shared.lock);
        ++shared.boardTakes[call.callAuto];
        // The call row is committed inside Next, after the ticket is marked and before Next returns.
        // A board that takes it before Next has returned is measured from the start of marking.
        const auto done = shared.callCommitted.constFind(call.ticket);
        if (done != shared.callCommitted.constEnd()) {
            latencies.push_back(std::max(0.0, millis(now - *done)));
        } else {
            const auto began = shared.callStarted.constFind(call.ticket);
            if (began != shared.callStarted.constEnd())
                latencies.push_back(std::max(0.0, millis(now - *began)));
        }
    });
    // The board's poll timer: a tick every 10 ms, or at once when a tick took longer than that.
    auto next = SteadyClock::now();
    while (!shared.stopBoards.load()) {
        engine.Timer1_Timer();
        if (db.connectionBroken() || !db.isOpen()) {
            // Counted once per outage: the board polls a hundred times a second.
            if (!health.failing)
                shared.error(QStringLiteral("board"), DbError::unreachableText(), &health);
            health.failed();
        } else
            health.worked();
        next += std::chrono::milliseconds(10);
        const auto now = SteadyClock::now();
        if (next < now)
            next = now;
        std::this_thread::sleep_until(next);
    }
    std::lock_guard<std::mutex> g(shared.lock);
    shared.boardLatency.insert(shared.boardLatency.end(), latencies.begin(), latencies.end());
}

// Plain single-row inserts, each its own transaction, from `threads` connections for a while: what the
// server does without any of the hall's rules, to read the token rate against. Rows per second.
double rawInserts(const Target& target, int threads, int seconds)
{
    {
        Database db;
        openTarget(db, target);
        db.exec(QStringLiteral("drop table if exists bench_raw"));
        db.exec(QStringLiteral("create table bench_raw (n bigint, t text)"));
    }
    std::atomic<bool> stop{false};
    std::atomic<qint64> rows{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i) {
        workers.emplace_back([&, i] {
            Database db;
            try {
                openTarget(db, target);
                qint64 n = 0;
                while (!stop.load()) {
                    db.exec(QStringLiteral("insert into bench_raw (n, t) values (?, ?)"),
                            {n++, QStringLiteral("raw %1").arg(i)});
                    ++rows;
                }
            } catch (const DbError&) {
            }
        });
    }
    const auto started = SteadyClock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    stop = true;
    for (std::thread& t : workers)
        t.join();
    const double elapsed = millis(SteadyClock::now() - started) / 1000.0;
    Database db;
    openTarget(db, target);
    db.exec(QStringLiteral("drop table bench_raw"));
    return double(rows.load()) / elapsed;
}

bool parseTarget(const QCommandLineParser& args, Target& target, QString& error)
{
    if (args.isSet(QStringLiteral("pg")) == args.isSet(QStringLiteral("db"))) {
        error = QStringLiteral("name one store: --db FILE or --pg \"host:port;database;user;password\"");
        return false;
    }
    if (args.isSet(QStringLiteral("db"))) {
        target.values.database = QFileInfo(args.value(QStringLiteral("db"))).absoluteFilePath();
        target.description = QStringLiteral("SQLite %1").arg(target.values.database);
        return true;
    }
    const QStringList parts = args.value(QStringLiteral("pg")).split(QLatin1Char(';'));
    if (parts.size() < 4 || parts.at(0).trimmed().isEmpty()) {
        error = QStringLiteral("--pg wants \"host:port;database;user;password\"");
        return false;
    }
    target.postgres = true;
    target.values.host = parts.at(0);
    target.values.database = parts.at(1);
    target.values.user = parts.at(2);
    target.values.password = parts.at(3);
    target.description = QStringLiteral("PostgreSQL %1/%2").arg(parts.at(0), parts.at(1));
    return true;
}

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
    for (int b = 0; b < boards; ++b)
        showing.emplace_back(board, std::cref(target), std::ref(shared),
                             std::ref(shared.workers.emplace_back()));
    for (int k = 0; k < kiosks; ++k)
        issuing.emplace_back(kiosk, k, std::cref(target), std::cref(hall), std::ref(shared),
                             std::ref(shared.workers.emplace_back()), number(args, "kiosk-pause", 0));
    for (int c = 0; c < counters; ++c)
        issuing.emplace_back(counter, c, std::cref(target), std::cref(hall), std::ref(shared),
                             std::ref(shared.workers.emplace_back()),
                             settingsDir.filePath(QStringLiteral("counter%1.ini").arg(c)),
                             number(args, "counter-pause", 250));

    const auto started = SteadyClock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    shared.stopIssuing = true;
    for (std::thread& t : issuing)
        t.join();
    const double issuingSeconds = millis(SteadyClock::now() - started) / 1000.0;

    // The boards work off what is left, for at most 30 seconds.
    Database check;
    openTarget(check, target);
    const QString today = clock.todayText();
    const auto drainStart = SteadyClock::now();
    qint64 waiting = 0;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        waiting = check
                      .query(QStringLiteral("select count(*) from tblCall where tickDate=? and status1='0'"),
                             {today})
                      .number(0, 0);
    } while (waiting > 0 && millis(SteadyClock::now() - drainStart) < 30000);
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
    out << "call-to-board latency ms   p50 " << QString::number(percentile(shared.boardLatency, 50), 'f', 2)
        << "  p99 " << QString::number(percentile(shared.boardLatency, 99), 'f', 2) << "  ("
        << shared.boardLatency.size() << " calls)" << Qt::endl;
    out << "duplicate token numbers    " << duplicateNumbers + numbersHandedTwice << Qt::endl;
    out << "tickets called twice       " << std::max(calledTwice, callRowsTwice) << Qt::endl;
    out << "calls taken by two boards  " << takenTwice << Qt::endl;
    out << "calls never taken          " << neverTaken << " of " << callRows << Qt::endl;
    out << "called without a call row   " << calledWithoutCallRow(check) << Qt::endl;
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
