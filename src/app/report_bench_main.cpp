// brivane-report-bench: a report over many tickets, to the grid, into a workbook and through
// brivane-ctl, with the store's own shell as the yardstick. Generates its tickets in a fresh SQLite
// file (or, with --pg "host:port;database;user;password", in a PostgreSQL database whose tables it
// empties first) and prints the figures; it asserts nothing. --db FILE keeps the SQLite file for the
// next run, which then reuses its tickets; --grab FILE saves a picture of the filled window, --xlsx
// FILE keeps the workbook.
#include "app/ConsoleServices.h"
#include "app/Program.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "reports/ReportChartView.h"
#include "reports/ReportQuery.h"
#include "reports/ReportWindow.h"
#include "reports/modExcel.h"
#include "ui/Clock.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTime>
#include <QTimer>

#include <sys/resource.h>

namespace {

const QDate FirstDay(2026, 11, 1);
constexpr int Days = 30;

void generate(Database& db, int tickets)
{
    const qint64 dept =
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("General")},
                                              {QStringLiteral("deptDesc"), QStringLiteral("Walk-In")},
                                              {QStringLiteral("active"), 1}});
    QList<qint64> services, counters;
    for (int s = 0; s < 3; ++s)
        services << db.insert(QStringLiteral("tblService"),
                              {{QStringLiteral("deptAuto"), dept},
                               {QStringLiteral("servName"), QStringLiteral("Service %1").arg(s)},
                               {QStringLiteral("active"), 1},
                               {QStringLiteral("startno"), 1},
                               {QStringLiteral("endno"), 99999},
                               {QStringLiteral("abrno"), QString(QChar(u'A' + s))}});
    for (int c = 0; c < 7; ++c)
        counters << db.insert(QStringLiteral("tblCounter"),
                              {{QStringLiteral("servAuto"), services[c % 3]},
                               {QStringLiteral("contName"), QStringLiteral("Counter %1").arg(c + 1)},
                               {QStringLiteral("username"), QStringLiteral("op%1").arg(c + 1)},
                               {QStringLiteral("active"), 1}});
    // A hundred tickets a statement: a round trip per ticket would measure the network, not the report.
    constexpr int PerStatement = 100;
    const QString head = QStringLiteral(
        "insert into tblTicket (servAuto, tickNo, tickDate, tickTime, call, no_abr, attended, attTime, "
        "finished, status, ttype) values ");
    const QString one = QStringLiteral("(?,?,?,?,?,?,?,?,?,?,?)");
    Database::Transaction t(db);
    for (int first = 0; first < tickets; first += PerStatement) {
        const int last = qMin(tickets, first + PerStatement);
        QStringList marks;
        QVariantList values;
        for (int i = first; i < last; ++i) {
            const int service = i % 3;
            const int no = i / 3 + 1;
            const QTime at = QTime(8, 0).addSecs((i * 7) % 30000);
            marks << one;
            values << services[service] << no << FirstDay.addDays(i % Days).toString(Qt::ISODate)
                   << at.toString(QStringLiteral("HH:mm:ss")) << QStringLiteral("1")
                   << QString(QChar(u'A' + service)) + QString::number(no) << counters[i % 7]
                   << at.addSecs(60).toString(QStringLiteral("HH:mm:ss"))
                   << at.addSecs(60 + (i % 900)).toString(QStringLiteral("HH:mm:ss"))
                   << QStringLiteral("Finished") << QStringLiteral("N");
        }
        db.exec(head + marks.join(QLatin1Char(',')), values);
    }
    t.commit();
}

// Wall time and peak memory of a program writing to /dev/null.
struct Run
{
    qint64 ms = -1;
    qint64 cpuMs = 0; // of the program, once it has ended
    long maxRssKb = 0;
};

qint64 childrenCpuMs()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return qint64(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// A figure of /proc/PID/status: "VmHWM" (peak memory) or "VmRSS" (memory in use), in kB.
long statusKb(qint64 pid, const char* field = "VmHWM")
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    long kb = 0;
    const QByteArray key = QByteArray(field) + ':';
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith(key))
                kb = line.mid(key.size()).trimmed().split(' ').value(0).toLong();
        }
    }
    return kb;
}

long peakKb(qint64 pid)
{
    return statusKb(pid);
}

// The peak is the child's own high-water mark, read while it runs (it only grows).
Run runProgram(const QString& program, const QStringList& args, const QProcessEnvironment& env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    const qint64 cpuBefore = childrenCpuMs();
    t.start();
    p.start(program, args);
    if (!p.waitForStarted())
        return {};
    Run r;
    while (!p.waitForFinished(10))
        r.maxRssKb = qMax(r.maxRssKb, peakKb(p.processId()));
    r.ms = t.elapsed();
    r.cpuMs = childrenCpuMs() - cpuBefore;
    if (p.exitCode() != 0)
        r.ms = -1;
    return r;
}

// From "Show" to the last row in the grid. A timer ticks every 5 ms meanwhile; the longest gap
// between two ticks is the longest time the window did not answer.
// Processor time of this process (all its threads), in ms.
qint64 cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return qint64(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

struct FillFigures
{
    qint64 cpuMs = 0;
    qint64 totalMs = 0;
    qint64 firstRowsMs = -1;
    qint64 longestStretchMs = 0;
    qint64 chartMs = -1; // from Show until the chart of the figures is drawn
    int rows = 0;
};

FillFigures measureFill(ReportWindow& window)
{
    FillFigures f;
    QEventLoop loop;
    QElapsedTimer total, gap;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        f.longestStretchMs = qMax(f.longestStretchMs, gap.restart());
        if (f.firstRowsMs < 0 && window.FG->rows() > 1)
            f.firstRowsMs = total.elapsed();
        if (!window.filling())
            loop.quit();
    });
    qint64 cpuBefore = 0;
    QTimer::singleShot(0, &window, [&] {
        cpuBefore = cpuMs();
        total.start();
        gap.start();
        tick.start();
        window.addFG();
    });
    loop.exec();
    f.totalMs = total.elapsed();
    // The figures came with the last rows; the chart page draws them.
    window.chartView->chartView->grab();
    f.chartMs = total.elapsed();
    f.cpuMs = cpuMs() - cpuBefore;
    f.rows = window.FG->rows() - 1;
    return f;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    readLocalZoneOnce();
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString ticketsText = takeOption(args, QStringLiteral("--tickets"));
    const int tickets = ticketsText.toInt() > 0 ? ticketsText.toInt() : 300000;
    const QString server = takeOption(args, QStringLiteral("--pg"));
    const QString kept = takeOption(args, QStringLiteral("--db"));
    const QString picture = takeOption(args, QStringLiteral("--grab")); // the filled window as a PNG
    const QString keptWorkbook = takeOption(args, QStringLiteral("--xlsx"));
    // Only the report to the grid (for profiling it).
    const bool gridOnly = takeFlag(args, QStringLiteral("--grid-only"));

    // An installation folder of its own whose path.txt names the store, so that the report window's
    // reconnect finds it.
    QTemporaryDir dir;
    const QString file =
        kept.isEmpty() ? dir.filePath(QStringLiteral("report-bench.db")) : QFileInfo(kept).absoluteFilePath();
    const QString pathTxt = dir.filePath(QStringLiteral("path.txt"));
    QFile pathFile(pathTxt);
    if (pathFile.open(QIODevice::WriteOnly))
        pathFile.write(server.isEmpty() ? (QStringLiteral(";") + file + QStringLiteral(";;;\n")).toUtf8()
                                        : (server + QStringLiteral(";\n")).toUtf8());
    pathFile.close();
    qputenv("BRIVANE_HOME", QFile::encodeName(dir.path()));
    ConsoleDialogs dialogs(err);
    NoSound sound;
    Program program(dialogs, sound);
    const QString failure = openCommandLineDatabase(program.ctx, QString(), QString());
    if (!failure.isEmpty()) {
        err << failure << Qt::endl;
        return 1;
    }
    out << "store: " << program.db.description() << Qt::endl;
    if (!server.isEmpty())
        program.db.clearAllTables();
    QElapsedTimer t;
    t.start();
    const qint64 there = program.db.query(QStringLiteral("select count(*) from tblTicket")).number(0, 0);
    if (there == 0) {
        generate(program.db, tickets);
        // The server's planner statistics, as its autovacuum brings them up to date soon after a load.
        if (program.db.isPostgres())
            program.db.exec(QStringLiteral("analyze tblTicket, tblService, tblDept, tblCounter"));
        out << "tickets generated: " << tickets << " in " << t.elapsed() << " ms" << Qt::endl;
    } else {
        out << "tickets already there: " << there << Qt::endl;
    }
    const QDate lastDay = FirstDay.addDays(Days - 1);

    const qint64 self = QCoreApplication::applicationPid();
    const long before = statusKb(self, "VmRSS");
    auto* window = new ReportWindow(program.ctx, ReportKind::Department);
    window->show();
    window->chkAll->setChecked(true);
    window->dtFrom->setDate(FirstDay);
    {
        const QSignalBlocker quiet(window->cmbDept);
        window->cmbDept->setEditText(QStringLiteral("All"));
    }
    {
        const QSignalBlocker quiet(window->DTto);
        window->DTto->setDate(lastDay);
    }
    app.processEvents();
    for (int run = 1; run <= 2; ++run) {
        // The second run shows the chart page while the rows come in.
        if (run == 2)
            window->tabView->setCurrentWidget(window->chartView);
        const FillFigures f = measureFill(*window);
        out << "report to the grid (" << (run == 1 ? "first, list page" : "again, chart page")
            << "): " << f.rows << " rows in " << f.totalMs << " ms (first rows shown after " << f.firstRowsMs
            << " ms, longest unresponsive "
            << "stretch " << f.longestStretchMs << " ms; processor time " << f.cpuMs
            << " ms); chart drawn after " << f.chartMs << " ms, " << f.chartMs - f.totalMs
            << " ms after the grid" << Qt::endl;
    }
    if (!picture.isEmpty()) {
        window->grab().save(QFileInfo(picture).path() + QStringLiteral("/chart-") +
                            QFileInfo(picture).fileName());
        window->tabView->setCurrentWidget(window->FG);
        window->FG->scrollToBottom();
        window->grab().save(picture);
    }
    if (gridOnly)
        return 0;
    out << "memory in use: " << before / 1024 << " MB before the window, " << statusKb(self, "VmRSS") / 1024
        << " MB with the rows in its grid" << Qt::endl;

    t.restart();
    const modExcel::GridModel model = modExcel::gridModel(*window->FG);
    const qint64 readMs = t.elapsed();
    t.restart();
    const QString workbook = keptWorkbook.isEmpty() ? dir.filePath(QStringLiteral("report.xlsx"))
                                                    : QFileInfo(keptWorkbook).absoluteFilePath();
    const bool exported =
        modExcel::exportGrid(dialogs, model, window->windowTitle(), workbook, nullptr, &window->figures());
    out << "Send to Excel: grid read in " << readMs << " ms, workbook written in " << t.elapsed() << " ms ("
        << (exported ? QString::number(QFileInfo(workbook).size() / 1024) + QStringLiteral(" kB")
                     : QStringLiteral("failed"))
        << "), peak memory of this process so far " << peakKb(self) / 1024 << " MB" << Qt::endl;
    window->close();
    delete window;

    t.restart();
    qint64 cpu = cpuMs();
    const qsizetype listed =
        runReport(program.db, ReportKind::Department, QStringLiteral("All"), FirstDay, lastDay, true).size();
    out << "report query alone: " << listed << " rows in " << t.elapsed() << " ms (processor time "
        << cpuMs() - cpu << " ms)" << Qt::endl;

    QString shellSql = QStringLiteral("SELECT tblTicket.tickAuto, tblDept.deptName, tblService.servName, "
                                      "tblTicket.no_abr, tblTicket.tickDate, "
                                      "tblCounter.username, tblTicket.attTime, tblTicket.finished FROM "
                                      "((tblTicket INNER JOIN tblService ON "
                                      "tblTicket.servAuto = tblService.servAuto) INNER JOIN tblDept ON "
                                      "tblService.deptAuto = tblDept.deptAuto) "
                                      "left JOIN tblCounter ON tblTicket.attended = tblCounter.cntAuto "
                                      "where tblTicket.tickDate between '%1' and "
                                      "'%2' order by tblTicket.tickAuto")
                           .arg(FirstDay.toString(Qt::ISODate), lastDay.toString(Qt::ISODate));
    const ServerLink link = program.db.serverLink();
    program.db.close();
    if (server.isEmpty()) {
        const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        if (!shell.isEmpty()) {
            const Run r = runProgram(shell, {QStringLiteral("-csv"), file, shellSql});
            out << "sqlite3 shell, same join as CSV: " << r.ms << " ms (processor time " << r.cpuMs
                << " ms), peak " << r.maxRssKb / 1024 << " MB" << Qt::endl;
        } else {
            out << "sqlite3 shell: not installed (apt-get install sqlite3 for the comparison)" << Qt::endl;
        }
    } else {
        const QString shell = QStandardPaths::findExecutable(QStringLiteral("psql"));
        if (!shell.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("PGPASSWORD"), link.password);
            const Run r =
                runProgram(shell,
                           {QStringLiteral("-h"), link.host, QStringLiteral("-p"), QString::number(link.port),
                            QStringLiteral("-U"), link.user, QStringLiteral("-d"), link.database,
                            QStringLiteral("--csv"), QStringLiteral("-c"), shellSql},
                           env);
            out << "psql, same join as CSV: " << r.ms << " ms, peak " << r.maxRssKb / 1024 << " MB"
                << Qt::endl;
        }
    }
    const QString ctl = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("brivane-ctl"));
    const Run r =
        runProgram(ctl, {QStringLiteral("--path-file"), pathTxt, QStringLiteral("report"),
                         QStringLiteral("dept"), QStringLiteral("--from"), FirstDay.toString(Qt::ISODate),
                         QStringLiteral("--to"), lastDay.toString(Qt::ISODate), QStringLiteral("--all")});
    out << "brivane-ctl report as CSV: " << r.ms << " ms, peak " << r.maxRssKb / 1024 << " MB" << Qt::endl;
    const Run totals =
        runProgram(ctl, {QStringLiteral("--path-file"), pathTxt, QStringLiteral("report"),
                         QStringLiteral("dept"), QStringLiteral("--from"), FirstDay.toString(Qt::ISODate),
                         QStringLiteral("--to"), lastDay.toString(Qt::ISODate), QStringLiteral("--totals")});
    out << "brivane-ctl report --totals: " << totals.ms << " ms, peak " << totals.maxRssKb / 1024 << " MB"
        << Qt::endl;
    return 0;
}
