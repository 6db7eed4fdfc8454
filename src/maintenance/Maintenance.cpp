#include "maintenance/Maintenance.h"

#include "core/PrivateFile.h"

#include "core/AppContext.h"
#include "core/CallDelivery.h"
#include "core/Database.h"
#include "core/Schema.h"
#include "core/Session.h"
#include "maintenance/BackupFiles.h"
#include "maintenance/BackupPrivacy.h"
#include "maintenance/RestoreMessages.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace maintenance {

namespace {
// Rows removed per transaction when clearing old data.
constexpr int clearingStep = 2000;
} // namespace

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

// Empty when `file` is a Brivane database of a schema this program reads, else why not. Read on a
// connection of its own that cannot write.
QString brivaneSchemaProblem(const QString& file)
{
    static QAtomicInt serial;
    const QString name = QStringLiteral("brivane-restore-check-%1").arg(serial.fetchAndAddRelaxed(1));
    QString problem;
    {
        QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        check.setDatabaseName(file);
        check.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!check.open()) {
            problem = QCoreApplication::translate("maintenance", "\"%1\" cannot be read: %2")
                          .arg(file, check.lastError().text());
        } else {
            QSqlQuery q(check);
            int tables = 0;
            for (const schema::Table& t : schema::tables()) {
                q.prepare(QStringLiteral(
                    "select 1 from sqlite_master where type='table' and lower(name)=lower(?)"));
                q.addBindValue(t.name);
                if (q.exec() && q.next())
                    ++tables;
            }
            const bool versioned =
                q.exec(QStringLiteral("select max(version) from brivane_schema")) && q.next();
            if (!versioned || tables != int(schema::tables().size()))
                problem = QCoreApplication::translate(
                              "maintenance", "\"%1\" is not a Brivane database; nothing was restored")
                              .arg(file);
            else if (q.value(0).toInt() > schema::currentVersion)
                problem = QCoreApplication::translate(
                              "maintenance",
                              "\"%1\" was made by a newer version of Brivane (schema %2); nothing was "
                              "restored")
                              .arg(file)
                              .arg(q.value(0).toInt());
            q.finish();
        }
        check.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

} // namespace

QString keptBeforeRestore(const QString& target)
{
    return target + QStringLiteral(".before-restore");
}

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

QString backupDatabase(Database& db, const QString& folder, QString* writtenAs, const QDateTime& at)
{
    if (db.kind() != Database::Kind::Sqlite || !db.isOpen())
        return QCoreApplication::translate("maintenance", "No embedded database is open");
    const QFileInfo dir(folder);
    if (folder.trimmed().isEmpty() || !dir.isDir())
        return QCoreApplication::translate("maintenance", "The folder \"%1\" does not exist").arg(folder);
    const QString target = backupfiles::datedFileIn(folder, QStringLiteral("mdb"), at);
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    // The copy holds every log-in: it is made readable by its owner only before anything is in it.
    privatefile::keepPrivate(part);
    try {
        // A consistent snapshot even while other connections write.
        db.exec(QStringLiteral("VACUUM INTO ?"), {part});
    } catch (const DbError& e) {
        QFile::remove(part);
        return e.description();
    }
    if (const QString problem = backupprivacy::emptyPersonalTables(part); !problem.isEmpty()) {
        QFile::remove(part);
        return problem;
    }
    QString error = replaceFile(part, target);
    if (!error.isEmpty()) {
        QFile::remove(part);
        return error;
    }
    if (writtenAs)
        *writtenAs = target;
    error = backupfiles::publishLatest(target, backupFileIn(folder));
    if (!error.isEmpty())
        return QCoreApplication::translate(
                   "maintenance", "The backup was written to \"%1\" but could not be copied to \"%2\": %3")
            .arg(target, backupFileIn(folder), error);
    return {};
}

QString restoreDatabase(const QString& source, const QString& target)
{
    if (!QFileInfo(source).isFile())
        return QCoreApplication::translate("maintenance", "The file \"%1\" does not exist").arg(source);
    if (!looksLikeDatabase(source))
        return QCoreApplication::translate("maintenance",
                                           "\"%1\" is not a database file; nothing was restored")
            .arg(source);
    if (sameFile(source, target))
        return QCoreApplication::translate("maintenance", "Source file should not be same");
    if (const QString problem = brivaneSchemaProblem(source); !problem.isEmpty())
        return problem;
    // The last connection to close removes the write-ahead log; one still there means the database
    // is open elsewhere, and replacing the file under it would corrupt what it writes next.
    if (QFileInfo::exists(target + QStringLiteral("-wal")))
        return stillOpenText(target);
    const QString part = target + QStringLiteral(".restoring");
    QFile::remove(part);
    QFile in(source);
    if (!in.copy(part)) {
        const QString error = in.errorString();
        QFile::remove(part);
        return error;
    }
    // The restored database serves the same users as the one it replaces: its owner, group and mode
    // (on an installed program the group brivane writes it from every workstation).
    privatefile::takeOwnerAndMode(part, QFileInfo::exists(target) ? target : QString());
    QFile::setPermissions(part, QFile::permissions(part) | QFile::WriteOwner);
    // The database being replaced stays beside it, so a wrong restore can be undone. It is copied
    // under a name of its own first: the copy an earlier restore kept stays until this one succeeded.
    const QString kept = keptBeforeRestore(target);
    const QString keeping = kept + QStringLiteral(".part");
    const bool hadTarget = QFileInfo::exists(target);
    if (hadTarget) {
        QFile::remove(keeping);
        if (!QFile::copy(target, keeping)) {
            QFile::remove(keeping);
            QFile::remove(part);
            return QCoreApplication::translate(
                       "maintenance",
                       "The present database could not be kept as \"%1\", so nothing was restored")
                .arg(kept);
        }
        privatefile::takeOwnerAndMode(keeping, QString());
    }
    QFile::remove(target + QStringLiteral("-shm"));
    const QString error = replaceFile(part, target);
    if (!error.isEmpty()) {
        QFile::remove(part);
        QFile::remove(keeping);
        return error;
    }
    if (hadTarget) {
        if (const QString notKept = replaceFile(keeping, kept); !notKept.isEmpty())
            return QCoreApplication::translate(
                       "maintenance", "The database was restored, but what it replaced is in \"%1\" (%2)")
                .arg(keeping, notKept);
    }
    return {};
}

qint64 deleteCallsBefore(Database& db, const QDate& before)
{
    // In short transactions of a few thousand rows: kiosks and counters write between them instead of
    // waiting for the whole clearing (each part removes only rows that are to go, so an interrupted run
    // is simply run again).
    const QString date = before.toString(QStringLiteral("yyyy-MM-dd"));
    qint64 removed = 0;
    for (;;) {
        qint64 part = 0;
        db.inTransaction([&] {
            part =
                db.exec(QStringLiteral("delete from tblCall where callauto in (select callauto from tblCall "
                                       "where tickDate < ? limit %1)")
                            .arg(clearingStep),
                        {date});
        });
        removed += part;
        if (part < clearingStep)
            break;
    }
    // What the boards recorded of those calls goes with them.
    delivery::clearBefore(db, before);
    return removed;
}

namespace {
// The call rows that go with clearing before a day: dated before it, or of a ticket dated before it.
const char* const CallsBefore =
    "tickDate < ? or tickAuto in (select tickAuto from tblTicket where tickDate < ?)";
} // namespace

ClearCount countBefore(Database& db, const QDate& before)
{
    const QString day = before.toString(QStringLiteral("yyyy-MM-dd"));
    ClearCount c;
    c.tickets =
        db.query(QStringLiteral("select count(*) from tblTicket where tickDate < ?"), {day}).number(0, 0);
    c.calls = db.query(QStringLiteral("select count(*) from tblCall where ") + QLatin1String(CallsBefore),
                       {day, day})
                  .number(0, 0);
    return c;
}

ClearCount deleteTicketsBefore(Database& db, const QDate& before)
{
    const QString day = before.toString(QStringLiteral("yyyy-MM-dd"));
    ClearCount c;
    // In parts of a few thousand rows, each its own transaction, so kiosks and counters write between
    // them. The call rows first: they find their tickets by the tickets' dates (a run ended halfway is
    // completed by the next one).
    const auto inParts = [&](const QString& sql, const QVariantList& params) {
        qint64 removed = 0;
        for (qint64 part = clearingStep; part == clearingStep;) {
            db.inTransaction([&] { part = db.exec(sql.arg(clearingStep), params); });
            removed += part;
        }
        return removed;
    };
    c.calls =
        inParts(QStringLiteral("delete from tblCall where callauto in (select callauto from tblCall where ") +
                    QLatin1String(CallsBefore) + QStringLiteral(" limit %1)"),
                {day, day});
    c.tickets =
        inParts(QStringLiteral("delete from tblTicket where tickAuto in (select tickAuto from tblTicket "
                               "where tickDate < ? limit %1)"),
                {day});
    delivery::clearBefore(db, before);
    return c;
}

QString clearBeforeRefusal(const QDate& before, const QDate& today)
{
    if (before <= today)
        return {};
    return QCoreApplication::translate(
               "maintenance", "Everything before %1 would include today's tickets, the queue that is "
                              "being served now, and their numbers would be handed out again. Choose "
                              "%2 (today) or an earlier day: today's tickets stay, the days before "
                              "it are deleted.")
        .arg(before.toString(QStringLiteral("dd-MM-yyyy")), today.toString(QStringLiteral("dd-MM-yyyy")));
}

QString clearBeforeQuestion(const ClearCount& count, const QDate& before)
{
    return QCoreApplication::translate(
               "maintenance",
               "%1 ticket(s) and %2 call row(s) dated before %3 will be deleted, whatever their "
               "state. This cannot be undone.\nDo you want to delete them?")
        .arg(count.tickets)
        .arg(count.calls)
        .arg(before.toString(QStringLiteral("dd-MM-yyyy")));
}

QString clearedText(const ClearCount& count, const QDate& before)
{
    return QCoreApplication::translate("maintenance",
                                       "Deleted %1 ticket(s) and %2 call row(s) dated before %3.")
        .arg(count.tickets)
        .arg(count.calls)
        .arg(before.toString(QStringLiteral("yyyy-MM-dd")));
}

qint64 deleteTickets(Database& db, const QList<qint64>& tickAutos)
{
    qint64 removed = 0;
    for (qsizetype from = 0; from < tickAutos.size(); from += clearingStep) {
        qint64 part = 0;
        db.inTransaction([&] {
            part = 0; // run again from the start when the connection broke before the commit
            for (qint64 key : tickAutos.mid(from, clearingStep))
                part += db.exec(QStringLiteral("delete from tblTicket where tickAuto=?"), {key});
        });
        removed += part;
    }
    return removed;
}

} // namespace maintenance
