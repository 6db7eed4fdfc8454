// brivane-report-bench: a report over many tickets, to the grid and through brivane-ctl, with the
// store's own shell as the yardstick. Generates its tickets in a fresh SQLite file and prints the
// figures; it asserts nothing.
#include "app/ConsoleServices.h"
#include "app/Program.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "reports/ReportQuery.h"
#include "reports/ReportWindow.h"
#include "ui/Grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTime>

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
    Database::Transaction t(db);
    for (int i = 0; i < tickets; ++i) {
        const int service = i % 3;
        const int no = i / 3 + 1;
        const QTime at = QTime(8, 0).addSecs((i * 7) % 30000);
        db.exec(QStringLiteral(
                    "insert into tblTicket (servAuto, tickNo, tickDate, tickTime, call, no_abr, attended, "
                    "attTime, finished, status, ttype) values (?,?,?,?,?,?,?,?,?,?,?)"),
                {services[service], no, FirstDay.addDays(i % Days).toString(Qt::ISODate),
                 at.toString(QStringLiteral("HH:mm:ss")), 1,
                 QString(QChar(u'A' + service)) + QString::number(no), counters[i % 7],
                 at.addSecs(60).toString(QStringLiteral("HH:mm:ss")),
                 at.addSecs(60 + (i % 900)).toString(QStringLiteral("HH:mm:ss")), QStringLiteral("Finished"),
                 QStringLiteral("N")});
    }
    t.commit();
}

// Wall time and peak memory of a program writing to /dev/null.
struct Run
{
    qint64 ms = -1;
    long maxRssKb = 0;
};

// The peak is the child's own high-water mark, read while it runs (it only grows).
Run runProgram(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForStarted())
        return {};
    Run r;
    QFile status(QStringLiteral("/proc/%1/status").arg(p.processId()));
    while (!p.waitForFinished(10)) {
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : status.readAll().split('\n')) {
                if (line.startsWith("VmHWM:"))
                    r.maxRssKb = line.mid(6).trimmed().split(' ').value(0).toLong();
            }
            status.close();
        }
    }
    r.ms = t.elapsed();
    if (p.exitCode() != 0)
        r.ms = -1;
    return r;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString ticketsText = takeOption(args, QStringLiteral("--tickets"));
    const int tickets = ticketsText.toInt() > 0 ? ticketsText.toInt() : 300000;

    // An installation folder of its own whose path.txt names the generated file, so that the report
    // window's reconnect finds it.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report-bench.db"));
    QFile pathFile(dir.filePath(QStringLiteral("path.txt")));
    if (pathFile.open(QIODevice::WriteOnly))
        pathFile.write(";report-bench.db;;;\n");
    pathFile.close();
    qputenv("BRIVANE_HOME", QFile::encodeName(dir.path()));
    ConsoleDialogs dialogs(err);
    NoSound sound;
    Program program(dialogs, sound);
    program.db.openSqlite(file);
    QElapsedTimer t;
    t.start();
    generate(program.db, tickets);
    out << "tickets generated: " << tickets << " in " << t.elapsed() << " ms" << Qt::endl;
    const QDate lastDay = FirstDay.addDays(Days - 1);

    t.restart();
    const qsizetype listed =
        runReport(program.db, ReportKind::Department, QStringLiteral("All"), FirstDay, lastDay, true).size();
    out << "report query alone: " << listed << " rows in " << t.elapsed() << " ms" << Qt::endl;

    // The window: from "Show" to the last row in the grid, and the longest time the window did not
    // answer (the event loop's longest turn) meanwhile.
    ReportWindow window(program.ctx, ReportKind::Department);
    window.show();
    window.chkAll->setChecked(true);
    window.dtFrom->setDate(FirstDay);
    {
        const QSignalBlocker quiet(window.cmbDept);
        window.cmbDept->setEditText(QStringLiteral("All"));
    }
    {
        const QSignalBlocker quiet(window.DTto);
        window.DTto->setDate(lastDay);
    }
    app.processEvents();
    t.restart();
    QElapsedTimer turn;
    turn.start();
    window.addFG();
    qint64 longest = turn.elapsed();
    const qint64 firstRows = longest;
    while (window.filling()) {
        turn.restart();
        app.processEvents();
        longest = qMax(longest, turn.elapsed());
    }
    out << "report to the grid: " << window.FG->rows() - 1 << " rows in " << t.elapsed()
        << " ms (first rows shown after " << firstRows << " ms, longest unresponsive stretch " << longest
        << " ms)" << Qt::endl;
    window.close();

    const QString sql = QStringLiteral("SELECT tblTicket.tickAuto, tblDept.deptName, tblService.servName, "
                                       "tblTicket.no_abr, tblTicket.tickDate, "
                                       "tblCounter.username, tblTicket.attTime, tblTicket.finished FROM "
                                       "((tblTicket INNER JOIN tblService ON "
                                       "tblTicket.servAuto = tblService.servAuto) INNER JOIN tblDept ON "
                                       "tblService.deptAuto = tblDept.deptAuto) "
                                       "left JOIN tblCounter ON tblTicket.attended = tblCounter.cntAuto "
                                       "where tblTicket.tickDate between '%1' and "
                                       "'%2' order by tblTicket.tickAuto")
                            .arg(FirstDay.toString(Qt::ISODate), lastDay.toString(Qt::ISODate));
    program.db.close();
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!shell.isEmpty()) {
        const Run r = runProgram(shell, {QStringLiteral("-csv"), file, sql});
        out << "sqlite3 shell, same join as CSV: " << r.ms << " ms, peak " << r.maxRssKb / 1024 << " MB"
            << Qt::endl;
    } else {
        out << "sqlite3 shell: not installed (apt-get install sqlite3 for the comparison)" << Qt::endl;
    }
    const QString ctl = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("brivane-ctl"));
    const Run r =
        runProgram(ctl, {QStringLiteral("--db"), file, QStringLiteral("report"), QStringLiteral("dept"),
                         QStringLiteral("--from"), FirstDay.toString(Qt::ISODate), QStringLiteral("--to"),
                         lastDay.toString(Qt::ISODate), QStringLiteral("--all")});
    out << "brivane-ctl report as CSV: " << r.ms << " ms, peak " << r.maxRssKb / 1024 << " MB" << Qt::endl;
    return 0;
}
