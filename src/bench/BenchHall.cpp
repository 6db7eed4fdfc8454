#include "bench/Bench.h"

#include "core/Session.h"
#include "tickets/Numbering.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
#include <thread>

namespace bench {

void openTarget(Database& db, const Target& target)
{
    db.open(target.values, QString());
}
double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p / 100.0 * double(values.size() - 1) + 0.5));
    return values[index];
}

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

} // namespace bench
