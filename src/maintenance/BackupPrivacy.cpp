#include "maintenance/BackupPrivacy.h"

#include "core/PersonalData.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace backupprivacy {

QString emptyPersonalTables(const QString& sqliteCopy)
{
    static QAtomicInt serial;
    const QString name = QStringLiteral("brivane-backup-privacy-%1").arg(serial.fetchAndAddRelaxed(1));
    QString problem;
    {
        QSqlDatabase copy = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        copy.setDatabaseName(sqliteCopy);
        if (!copy.open()) {
            problem = copy.lastError().text();
        } else {
            QSqlQuery q(copy);
            // Deleted rows are overwritten with zeros, not merely marked free.
            const bool done =
                q.exec(QStringLiteral("pragma secure_delete = on")) &&
                q.exec(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = "
                                      "'%1'")
                           .arg(personaldata::phoneTable())) &&
                q.next() &&
                (q.value(0).toInt() == 0 ||
                 q.exec(QStringLiteral("delete from %1").arg(personaldata::phoneTable())));
            if (!done)
                problem = q.lastError().text();
            q.finish();
            copy.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!problem.isEmpty())
        return QCoreApplication::translate("maintenance",
                                           "The phone numbers could not be left out of the backup: %1")
            .arg(problem);
    return {};
}

QStringList dumpExclusions()
{
    return {QStringLiteral("--exclude-table-data=") + personaldata::phoneTable()};
}

} // namespace backupprivacy
