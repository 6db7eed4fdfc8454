#include "core/AlertTables.h"

#include "core/Database.h"

#include <QDebug>

namespace alerttables {

namespace {

QStringList createStatements(bool pg)
{
    const QString integer = pg ? QStringLiteral("bigint") : QStringLiteral("integer");
    return {QStringLiteral(
                "create table if not exists brivane_alert (tickauto %1 primary key, lead text not null, "
                "asked text not null, fired text not null default '', firedwait %1, firedahead %1, "
                "sms text not null default '', smsat text not null default '')")
                .arg(integer),
            QStringLiteral(
                "create table if not exists brivane_phone (tickauto %1 primary key, phone text not null)")
                .arg(integer)};
}

} // namespace

const QStringList& names()
{
    static const QStringList all{QStringLiteral("brivane_alert"), QStringLiteral("brivane_phone")};
    return all;
}

bool present(Database& db)
{
    try {
        if (db.isPostgres())
            return db.query(QStringLiteral("select to_regclass('brivane_alert') is not null and "
                                           "to_regclass('brivane_phone') is not null"))
                       .text(0, 0) == QLatin1String("true");
        return db.query(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name in "
                                       "('brivane_alert', 'brivane_phone')"))
                   .number(0, 0) == 2;
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        return false;
    }
}

void ensure(Database& db)
{
    if (present(db))
        return;
    try {
        db.inTransaction([&] {
            // Workstations of the owner opening together make them once.
            if (db.isPostgres())
                db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
            for (const QString& statement : createStatements(db.isPostgres()))
                db.exec(statement);
        });
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        if (e.kind() != DbError::Kind::NotPermitted)
            qWarning().noquote() << "The tables of the near-turn alerts could not be made:" << e.detail();
    }
}

void dropTables(Database& db)
{
    for (const QString& table : names())
        db.exec(QStringLiteral("drop table if exists %1").arg(table));
}

void clear(Database& db)
{
    if (!present(db))
        return;
    for (const QString& table : names())
        db.exec(QStringLiteral("delete from %1").arg(table));
}

} // namespace alerttables
