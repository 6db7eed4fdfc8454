// brivane-bench: kiosks, counters and display boards working at once on one database, each with a
// connection of its own, for a number of seconds; prints throughput, latencies and the counts of
// anything that went wrong between them (duplicate numbers, double calls, double takes, lost calls).

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

    void error(const QString& where, const QString& text)
    {
        std::lock_guard<std::mutex> g(lock);
        ++errors;
        if (firstError.isEmpty())
            firstError = where + QStringLiteral(": ") + text;
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

void kiosk(int index, const Target& target, const Hall& hall, Shared& shared, int pauseMs)
{
    Database db;
    SystemClock clock;
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("kiosk"), e.description());
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
            std::lock_guard<std::mutex> g(shared.lock);
            if (t.issued()) {
                ++shared.issued;
                ++shared.issuedNumbers
                      [QStringLiteral("%1/%2/%3").arg(service).arg(clock.todayText()).arg(t.number)];
            } else {
                ++shared.refused;
            }
        } catch (const DbError& e) {
            shared.error(QStringLiteral("kiosk"), e.description());
        }
        if (pauseMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
}

void counter(int index, const Target& target, const Hall& hall, Shared& shared, const QString& settingsFile,
             int pauseMs)
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
        shared.error(QStringLiteral("counter"), e.description());
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
        engine.callNext();
        const auto done = SteadyClock::now();
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

void board(const Target& target, Shared& shared)
{
    Database db;
    SystemClock clock;
    Session session; // every counter's calls
    try {
        openTarget(db, target);
    } catch (const DbError& e) {
        shared.error(QStringLiteral("board"), e.description());
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
        next += std::chrono::milliseconds(10);
        const auto now = SteadyClock::now();
        if (next < now)
            next = now;
        std::this_thread::sleep_until(next);
    }
    std::lock_guard<std::mutex> g(shared.lock);
    shared.boardLatency.insert(shared.boardLatency.end(), latencies.begin(), latencies.end());
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

    QTemporaryDir settingsDir;
    Shared shared;
    std::vector<std::thread> issuing;
    std::vector<std::thread> showing;
    for (int b = 0; b < boards; ++b)
        showing.emplace_back(board, std::cref(target), std::ref(shared));
    for (int k = 0; k < kiosks; ++k)
        issuing.emplace_back(kiosk, k, std::cref(target), std::cref(hall), std::ref(shared),
                             number(args, "kiosk-pause", 0));
    for (int c = 0; c < counters; ++c)
        issuing.emplace_back(counter, c, std::cref(target), std::cref(hall), std::ref(shared),
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
    if (driverNotices.load() > 0)
        out << "driver notices             " << driverNotices.load() << Qt::endl;
    if (shared.errors > 0)
        out << "store errors               " << shared.errors << " (first: " << shared.firstError << ")"
            << Qt::endl;
    return 0;
}
