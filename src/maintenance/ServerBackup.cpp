#include "maintenance/ServerBackup.h"

#include "maintenance/BackupFiles.h"
#include "maintenance/BackupPrivacy.h"
#include "maintenance/RestoreMessages.h"

#include "core/PrivateFile.h"

#include "core/Database.h"
#include "core/QueueLength.h"
#include "core/Schema.h"
#include "core/WorkstationKinds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cstdio>

namespace serverbackup {

namespace {

// A missing or unusable tool, told in words an administrator can act on.
QString toolMissing(const QString& tool)
{
    return QCoreApplication::translate("serverbackup",
                                       "%1 was not found. Install the PostgreSQL client programs (package "
                                       "postgresql-client) and try again.")
        .arg(tool);
}

QString findTool(const QString& tool)
{
    const QString folder = qEnvironmentVariable("BRIVANE_PG_BIN");
    if (!folder.isEmpty())
        return QStandardPaths::findExecutable(tool, {folder});
    return QStandardPaths::findExecutable(tool);
}

// The major version a tool reports ("pg_dump (PostgreSQL) 15.18 (Debian …)" gives 15); 0 when unknown.
int toolMajor(const QString& program)
{
    QProcess p;
    p.start(program, {QStringLiteral("--version")});
    if (!p.waitForFinished(10000))
        return 0;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\)\\s*(\\d+)"))
                                          .match(QString::fromLocal8Bit(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

int serverMajor(Database& db)
{
    return int(db.query(QStringLiteral("show server_version_num")).text(0, 0).toInt() / 10000);
}

// The connection of `db`, handed to the tools through their environment (no password on a command
// line), with the same 10-second time-out.
QProcessEnvironment environmentFor(const ServerLink& link)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGHOST"), link.host);
    env.insert(QStringLiteral("PGPORT"), QString::number(link.port));
    env.insert(QStringLiteral("PGDATABASE"), link.database);
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    env.remove(QStringLiteral("PGPASSWORD"));
    if (!link.sslMode.isEmpty())
        env.insert(QStringLiteral("PGSSLMODE"), link.sslMode);
    if (!link.sslRootCert.isEmpty())
        env.insert(QStringLiteral("PGSSLROOTCERT"), link.sslRootCert);
    if (link.passwordAuthentication) {
        env.insert(QStringLiteral("PGUSER"), link.user);
        env.insert(QStringLiteral("PGPASSWORD"), link.password);
    }
    return env;
}

struct Run
{
    bool ok = false;
    QString errors; // the tool's own error lines
    QByteArray output;
};

// Runs a tool to its end, reporting a step for each table its verbose output names.
Run runTool(const QString& program, const QStringList& args, const QProcessEnvironment& env,
            const QString& tableMarker, const Progress& progress)
{
    const int total = int(schema::tables().size()) + 1; // and the version table
    Run run;
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForStarted(10000)) {
        run.errors = p.errorString();
        return run;
    }
    int done = 0;
    QByteArray pending;
    QStringList errorLines;
    auto readErrors = [&] {
        pending += p.readAllStandardError();
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(pending.left(nl)).trimmed();
            pending.remove(0, nl + 1);
            if (line.contains(tableMarker)) {
                done = qMin(total, done + 1);
                if (progress)
                    progress(done, total);
            } else if (line.contains(QLatin1String("error:")) || line.contains(QLatin1String("FATAL")) ||
                       line.contains(QLatin1String("ERROR"))) {
                errorLines.append(line);
            }
        }
    };
    if (progress)
        progress(0, total);
    while (!p.waitForFinished(100)) {
        if (p.state() == QProcess::NotRunning)
            break;
        readErrors();
        run.output += p.readAllStandardOutput();
        if (progress)
            progress(done, total);
    }
    readErrors();
    run.output += p.readAllStandardOutput();
    run.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (!run.ok && errorLines.isEmpty() && !pending.trimmed().isEmpty())
        errorLines.append(QString::fromLocal8Bit(pending).trimmed());
    run.errors = errorLines.join(QLatin1Char('\n'));
    if (run.ok && progress)
        progress(total, total);
    return run;
}

// The tool, checked to be there and able to work with this server.
QString usableTool(const QString& tool, Database& db, QString& program)
{
    program = findTool(tool);
    if (program.isEmpty())
        return toolMissing(tool);
    const int mine = toolMajor(program);
    const int server = serverMajor(db);
    if (mine == 0)
        return toolMissing(tool);
    if (mine < server)
        return QCoreApplication::translate(
                   "serverbackup",
                   "%1 %2 cannot work with this PostgreSQL %3 server. Install the client programs "
                   "of version %3 or newer (package postgresql-client-%3) and try again.")
            .arg(tool)
            .arg(mine)
            .arg(server);
    return {};
}

QString dumpTo(Database& db, const QString& program, const QString& file, const Progress& progress)
{
    const QString part = file + QStringLiteral(".part");
    QFile::remove(part);
    // A dump holds every log-in: the file is owner-only before pg_dump writes into it.
    privatefile::keepPrivate(part);
    const Run run =
        runTool(program,
                QStringList{QStringLiteral("--format=custom"), QStringLiteral("--verbose"),
                            QStringLiteral("--no-owner"), QStringLiteral("--file"), part} +
                    backupprivacy::dumpExclusions(),
                environmentFor(db.serverLink()), QStringLiteral("dumping contents of table"), progress);
    if (!run.ok) {
        QFile::remove(part);
        return run.errors.isEmpty()
                   ? QCoreApplication::translate("serverbackup", "pg_dump failed; nothing was written")
                   : run.errors;
    }
    QFile::remove(file);
    if (!QFile::rename(part, file)) {
        QFile::remove(part);
        return QCoreApplication::translate("serverbackup", "The backup could not be written to \"%1\"")
            .arg(file);
    }
    return {};
}

} // namespace

QString backupFileIn(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("data.dump"));
}

bool looksLikeDump(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(5) == QByteArray("PGDMP");
}

int otherConnections(Database& db)
{
    return int(db.query(QStringLiteral("select count(*) from pg_stat_activity where ") +
                        maintenance::otherSessionsCondition())
                   .number(0, 0));
}

QString backup(Database& db, const QString& folder, const Progress& progress, QString* writtenAs,
               const QDateTime& at)
{
    const QFileInfo dir(folder);
    if (folder.trimmed().isEmpty() || !dir.isDir())
        return QCoreApplication::translate("serverbackup", "The folder \"%1\" does not exist").arg(folder);
    if (!dir.isWritable())
        return QCoreApplication::translate("serverbackup", "The folder \"%1\" cannot be written to")
            .arg(folder);
    QString program;
    if (const QString problem = usableTool(QStringLiteral("pg_dump"), db, program); !problem.isEmpty())
        return problem;
    const QString dated = backupfiles::datedFileIn(folder, QStringLiteral("dump"), at);
    if (const QString problem = dumpTo(db, program, dated, progress); !problem.isEmpty())
        return problem;
    if (writtenAs)
        *writtenAs = dated;
    if (const QString problem = backupfiles::publishLatest(dated, backupFileIn(folder)); !problem.isEmpty())
        return QCoreApplication::translate(
                   "serverbackup", "The backup was written to \"%1\" but could not be copied to \"%2\": %3")
            .arg(dated, backupFileIn(folder), problem);
    return {};
}

QString checkDump(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return QCoreApplication::translate("serverbackup", "The file \"%1\" does not exist").arg(file);
    if (!looksLikeDump(file))
        return QCoreApplication::translate(
                   "serverbackup",
                   "\"%1\" is not a backup of a database held by a PostgreSQL server; nothing was "
                   "restored")
            .arg(file);
    const QString program = findTool(QStringLiteral("pg_restore"));
    if (program.isEmpty())
        return toolMissing(QStringLiteral("pg_restore"));
    // The version row, as the dump holds it.
    const Run run = runTool(program,
                            {QStringLiteral("--data-only"), QStringLiteral("--table=brivane_schema"),
                             QStringLiteral("--file=-"), file},
                            QProcessEnvironment::systemEnvironment(), QStringLiteral("\x01"), {});
    if (!run.ok)
        return QCoreApplication::translate("serverbackup", "\"%1\" cannot be read: %2").arg(file, run.errors);
    const QStringList lines = QString::fromUtf8(run.output).split(QLatin1Char('\n'));
    const int copy = int(lines.indexOf(QRegularExpression(QStringLiteral("^COPY \\S*brivane_schema.*"))));
    if (copy < 0 || copy + 1 >= lines.size())
        return QCoreApplication::translate(
                   "serverbackup", "\"%1\" is not a backup of a Brivane database; nothing was restored")
            .arg(file);
    bool ok = false;
    const int version = lines.at(copy + 1).trimmed().toInt(&ok);
    if (!ok)
        return QCoreApplication::translate(
                   "serverbackup", "\"%1\" is not a backup of a Brivane database; nothing was restored")
            .arg(file);
    if (version > schema::currentVersion)
        return QCoreApplication::translate(
                   "serverbackup",
                   "\"%1\" was made by a newer version of Brivane (schema %2); nothing was restored")
            .arg(file)
            .arg(version);
    return {};
}

QString restore(Database& db, const QString& file, const Progress& progress, QString* keptAs)
{
    if (const QString problem = checkDump(file); !problem.isEmpty())
        return problem;
    QString program;
    if (const QString problem = usableTool(QStringLiteral("pg_restore"), db, program); !problem.isEmpty())
        return problem;
    QString dumper;
    if (const QString problem = usableTool(QStringLiteral("pg_dump"), db, dumper); !problem.isEmpty())
        return problem;
    if (const int others = otherConnections(db); others > 0)
        return QCoreApplication::translate(
                   "serverbackup",
                   "%1 other %2 connected to this database: %3. Close Brivane there (and any other "
                   "program using the database), then restore again; nothing was restored.")
            .arg(others)
            .arg(others == 1 ? QCoreApplication::translate("serverbackup", "workstation is")
                             : QCoreApplication::translate("serverbackup", "workstations are"),
                 maintenance::otherConnectionNames(db).join(QStringLiteral("; ")));
    // The database being replaced stays at hand, so a wrong restore can be undone.
    // Dumped under a name of its own first: what an earlier restore kept stays until this one succeeded.
    const QString kept = file + QStringLiteral(".before-restore");
    const QString keeping = kept + QStringLiteral(".new");
    if (const QString problem = dumpTo(db, dumper, keeping, {}); !problem.isEmpty())
        return QCoreApplication::translate(
                   "serverbackup",
                   "The present database could not be kept as \"%1\", so nothing was restored: %2")
            .arg(kept, problem);
    const Run run =
        runTool(program,
                {QStringLiteral("--clean"), QStringLiteral("--if-exists"), QStringLiteral("--no-owner"),
                 QStringLiteral("--no-privileges"), QStringLiteral("--single-transaction"),
                 QStringLiteral("--exit-on-error"), QStringLiteral("--verbose"),
                 QStringLiteral("--dbname=") + db.serverLink().database, file},
                environmentFor(db.serverLink()), QStringLiteral("processing data for table"), progress);
    if (!run.ok) {
        QFile::remove(keeping);
        return QCoreApplication::translate(
                   "serverbackup", "The restore failed and was undone; the database is as it was.\n%1")
            .arg(run.errors);
    }
    // A dump of an older version brings its tickets without the triggers that count the queues: they
    // are made again and the queues counted afresh. The dump carries no grants: the restored tables
    // get the kinds of workstation's rights again.
    try {
        queuelength::ensure(db);
        kinds::ensureRoles(db);
    } catch (const DbError&) {
        // They are made at the owner's next open.
    }
    // Replaced in one step: there is always one copy to undo with.
    if (std::rename(QFile::encodeName(keeping).constData(), QFile::encodeName(kept).constData()) != 0) {
        if (keptAs)
            *keptAs = keeping;
        return {};
    }
    if (keptAs)
        *keptAs = kept;
    return {};
}

} // namespace serverbackup
