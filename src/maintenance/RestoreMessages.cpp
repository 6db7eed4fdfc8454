#include "maintenance/RestoreMessages.h"

#include "core/Database.h"
#include "maintenance/FileHolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace maintenance {

QString restoreQuestion(const QString& source, const QDateTime& madeAt, qint64 tokensSince)
{
    const QString made = madeAt.isValid() ? madeAt.toString(QStringLiteral("dd-MM-yyyy HH:mm"))
                                          : QCoreApplication::translate("maintenance", "at a time not known");
    QString lost;
    if (tokensSince < 0)
        lost = QCoreApplication::translate("maintenance",
                                           "Everything changed since then is lost, with the tokens issued "
                                           "since.");
    else if (tokensSince == 0)
        lost = QCoreApplication::translate("maintenance",
                                           "Everything changed since then is lost; no token has been issued "
                                           "since.");
    else {
        // Counted apart: lupdate does not get past a template argument inside translate().
        const int count = int(qMin<qint64>(tokensSince, 2147483647));
        lost = QCoreApplication::translate(
            "maintenance", "Everything changed since then is lost, with the %n token(s) issued since.",
            nullptr, count);
    }
    return QCoreApplication::translate("maintenance", "The database will be replaced by the backup \"%1\", "
                                                      "made %2.")
               .arg(QFileInfo(source).fileName(), made) +
           QLatin1Char('\n') + lost + QLatin1Char('\n') +
           //: The restore screen goes on only for the English word Yes, whatever the language.
           QCoreApplication::translate("maintenance", "Type 'Yes' to Restore ");
}

QDateTime backupMadeAt(const QString& file)
{
    return QFileInfo(file).lastModified();
}

qint64 tokensIssuedSince(Database& db, const QDateTime& since)
{
    if (!since.isValid())
        return -1;
    try {
        const QString day = since.date().toString(QStringLiteral("yyyy-MM-dd"));
        return db
            .query(QStringLiteral("select count(*) from tblTicket where tickDate > ? or "
                                  "(tickDate = ? and tickTime >= ?)"),
                   {day, day, since.time().toString(QStringLiteral("HH:mm:ss"))})
            .number(0, 0);
    } catch (const DbError&) {
        return -1;
    }
}

QString stillOpenText(const QString& target)
{
    const QString text = QCoreApplication::translate(
        "maintenance", "The database is still open on another screen or workstation; close it "
                       "there and restore again");
    const QString wal = target + QStringLiteral("-wal");
    const QList<fileholders::Holder> holders = fileholders::holding({target, wal});
    if (!holders.isEmpty())
        return text + QLatin1Char('\n') +
               QCoreApplication::translate("maintenance", "Open on this computer in: %1.")
                   .arg(fileholders::describe(holders));
    return text + QLatin1Char('\n') +
           QCoreApplication::translate("maintenance",
                                       "No program on this computer has it open, so another workstation has; "
                                       "or a program that ended without closing it left its journal \"%1\" "
                                       "behind (opening the database once and closing it again removes it).")
               .arg(QDir::toNativeSeparators(wal));
}

QString otherSessionsCondition()
{
    // Another login's session shows neither its type nor its address to a login that is no
    // superuser (a workstation of another kind); a background worker has no login.
    return QStringLiteral("datname = current_database() and pid <> pg_backend_pid() and (backend_type = "
                          "'client backend' or (backend_type is null and usename is not null))");
}

QStringList otherConnectionNames(Database& db)
{
    const ResultSet rs = db.query(QStringLiteral("select coalesce(host(client_addr), ''), "
                                                 "coalesce(application_name, ''), backend_type is null, "
                                                 "coalesce(usename, ''), count(*) from pg_stat_activity "
                                                 "where %1 group by 1, 2, 3, 4 order by 1, 2, 4")
                                      .arg(otherSessionsCondition()));
    QStringList names;
    for (int r = 0; r < rs.size(); ++r) {
        const bool hidden = rs.text(r, 2) == QLatin1String("true");
        const QString place =
            hidden
                ? QCoreApplication::translate("maintenance", "a computer logged in as %1").arg(rs.text(r, 3))
            : rs.text(r, 0).isEmpty()
                ? QCoreApplication::translate("maintenance", "the server's own computer")
                : rs.text(r, 0);
        QStringList about;
        if (!rs.text(r, 1).isEmpty())
            about.append(rs.text(r, 1));
        if (rs.number(r, 4) > 1)
            about.append(QCoreApplication::translate("maintenance", "%1 connections").arg(rs.number(r, 4)));
        names.append(
            about.isEmpty() ? place : QStringLiteral("%1 (%2)").arg(place, about.join(QStringLiteral(", "))));
    }
    return names;
}

} // namespace maintenance
