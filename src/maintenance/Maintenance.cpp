#include "maintenance/Maintenance.h"

#include "core/ServiceTime.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace maintenance {

namespace {

QString normalised(const QString& name)
{
    const QFileInfo info(name);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

// Replaces `to` by `from` in one step (same file system), so a reader never sees half a file.
QString replaceFile(const QString& from, const QString& to)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

bool looksLikeDatabase(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray header("SQLite format 3", 16); // with its terminating zero
    return f.read(16) == header;
}

} // namespace

QString databaseFile(const AppContext& ctx)
{
    if (ctx.db.isOpen())
        return ctx.db.kind() == Database::Kind::Sqlite ? normalised(ctx.db.description()) : QString();
    const ConnectionValues& values = ctx.session.connection;
    if (!values.host.trimmed().isEmpty() || values.database.trimmed().isEmpty())
        return {};
    const QString file = values.database.trimmed();
    return normalised(QFileInfo(file).isRelative() ? QDir(ctx.dataDir()).filePath(file) : file);
}

bool onServer(const AppContext& ctx)
{
    if (ctx.db.isOpen())
        return ctx.db.isPostgres();
    return !ctx.session.connection.host.trimmed().isEmpty();
}

QString serverStoreMessage()
{
    return QStringLiteral("Backup and restore copy the file of the embedded database.\n"
                          "This database is held by a PostgreSQL server: back it up and restore it with "
                          "the server's own tools (pg_dump and pg_restore).");
}

QString backupFileIn(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("data.mdb"));
}

bool sameFile(const QString& a, const QString& b)
{
    if (a.trimmed().isEmpty() || b.trimmed().isEmpty())
        return false;
    return normalised(a) == normalised(b);
}

QString backupDatabase(Database& db, const QString& folder)
{
    if (db.kind() != Database::Kind::Sqlite || !db.isOpen())
        return QStringLiteral("No embedded database is open");
    const QFileInfo dir(folder);
    if (folder.trimmed().isEmpty() || !dir.isDir())
        return QStringLiteral("The folder \"%1\" does not exist").arg(folder);
    const QString target = backupFileIn(folder);
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    try {
        // A consistent snapshot even while other connections write.
        db.exec(QStringLiteral("VACUUM INTO ?"), {part});
    } catch (const DbError& e) {
        QFile::remove(part);
        return e.description();
    }
    const QString error = replaceFile(part, target);
    if (!error.isEmpty()) {
        QFile::remove(part);
        return error;
    }
    return {};
}

QString restoreDatabase(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("The file \"%1\" does not exist").arg(source);
    if (!looksLikeDatabase(source))
        return QStringLiteral("\"%1\" is not a database file; nothing was restored").arg(source);
    if (sameFile(source, target))
        return QStringLiteral("Source file should not be same");
    // The last connection to close removes the write-ahead log; one still there means the database
    // is open elsewhere, and replacing the file under it would corrupt what it writes next.
    if (QFileInfo::exists(target + QStringLiteral("-wal")))
        return QStringLiteral("The database is still open on another screen or workstation; close it there "
                              "and restore again");
    const QString part = target + QStringLiteral(".restoring");
    QFile::remove(part);
    QFile in(source);
    if (!in.copy(part)) {
        const QString error = in.errorString();
        QFile::remove(part);
        return error;
    }
    QFile::setPermissions(part, QFile::permissions(part) | QFile::WriteOwner);
    QFile::remove(target + QStringLiteral("-shm"));
    const QString error = replaceFile(part, target);
    if (!error.isEmpty()) {
        QFile::remove(part);
        return error;
    }
    return {};
}

qint64 deleteCallsBefore(Database& db, const QDate& before)
{
    Database::Transaction transaction(db);
    const qint64 removed = db.exec(QStringLiteral("delete from tblCall where tickDate < ?"),
                                   {before.toString(QStringLiteral("yyyy-MM-dd"))});
    transaction.commit();
    return removed;
}

qint64 deleteTickets(Database& db, const QList<qint64>& tickAutos)
{
    if (tickAutos.isEmpty())
        return 0;
    Database::Transaction transaction(db);
    qint64 removed = 0;
    for (qint64 key : tickAutos)
        removed += db.exec(QStringLiteral("delete from tblTicket where tickAuto=?"), {key});
    transaction.commit();
    return removed;
}

QList<int> rowsToDelete(int row, int rowSel)
{
    QList<int> rows;
    for (int i = rowSel; i >= row; --i)
        rows.append(i);
    return rows;
}

QList<TicketRow> departmentTickets(Database& db, const QString& department, const QDate& from,
                                   const QDate& to, bool showAll)
{
    QString sql =
        QStringLiteral("SELECT tblTicket.tickAuto, tblDept.deptName, tblService.ServName, tblTicket.no_abr, "
                       "tblTicket.tickDate, tblCounter.username, tblTicket.attTime, tblTicket.finished "
                       "FROM ((tblTicket INNER JOIN tblService ON tblTicket.servAuto = tblService.servAuto) "
                       "INNER JOIN tblDept ON tblService.deptAuto = tblDept.deptAuto) "
                       "left JOIN tblCounter ON tblTicket.attended = tblCounter.cntAuto");
    QVariantList params;
    if (department == QLatin1String("All")) {
        sql += QStringLiteral(" where tblticket.tickDate between ? and ?");
    } else {
        sql += QStringLiteral(" where tbldept.deptname=? and tblticket.tickDate between ? and ?");
        params << department;
    }
    params << from.toString(QStringLiteral("yyyy-MM-dd")) << to.toString(QStringLiteral("yyyy-MM-dd"));
    if (!showAll)
        sql += QStringLiteral(" and tblticket.call='1'");
    sql += QStringLiteral(" order by tblTicket.tickAuto");

    const ResultSet rs = db.query(sql, params);
    QList<TicketRow> rows;
    rows.reserve(rs.size());
    for (int i = 0; i < rs.size(); ++i) {
        TicketRow r;
        r.tickAuto = rs.number(i, 0);
        r.deptName = rs.text(i, 1);
        r.servName = rs.text(i, 2);
        r.label = rs.text(i, 3);
        r.tickDate = rs.text(i, 4);
        r.counter = rs.text(i, 5);
        r.attTime = rs.text(i, 6);
        r.finished = rs.text(i, 7);
        r.duration = minutesBetween(r.attTime, r.finished);
        rows.append(r);
    }
    return rows;
}

QString minutesBetween(const QString& from, const QString& to)
{
    const std::optional<int> minutes = serviceTime::minutesBetween(from, to);
    return minutes ? QString::number(*minutes) : QString();
}

QString averageText(const QStringList& durations)
{
    const std::optional<double> average = serviceTime::averageDuration(durations);
    return average ? QString::number(*average, 'g', 15) : QString();
}

} // namespace maintenance
