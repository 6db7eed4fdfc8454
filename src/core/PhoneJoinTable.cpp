#include "core/PhoneJoinTable.h"

#include "core/Database.h"

#include <QDebug>

namespace phonejoin {

namespace {

const QString Table = QStringLiteral("brivane_phone_join");

} // namespace

QString tableName()
{
    return Table;
}

bool tableExists(Database& db)
{
    if (db.isPostgres())
        return db.query(QStringLiteral("select to_regclass(?) is not null"), {Table}).text(0, 0) ==
               QLatin1String("true");
    return !db.query(QStringLiteral("select 1 from sqlite_master where type='table' and name=?"), {Table})
                .isEmpty();
}

void ensureTable(Database& db)
{
    try {
        if (tableExists(db))
            return;
        db.inTransaction([&] {
            // Workstations of the owner opening together make it once.
            if (db.isPostgres())
                db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
            db.exec(QStringLiteral("create table if not exists %1 (tickauto bigint not null, servauto bigint "
                                   "not null, phone text, place text not null, joined text not null)")
                        .arg(Table));
            db.exec(QStringLiteral("create index if not exists %1_place on %1 (place, joined)").arg(Table));
        });
    } catch (const DbError& e) {
        // A login that does not own the hall (or a file this user may only read) changes nothing;
        // joining waits for the owner's next open.
        if (e.isConnectionFailure())
            throw;
        if (db.isPostgres() && e.kind() != DbError::Kind::NotPermitted)
            qWarning().noquote() << "The table of joins from phones could not be made:" << e.detail();
    }
}

void dropTable(Database& db)
{
    db.exec(QStringLiteral("drop table if exists %1").arg(Table));
}

void clearTable(Database& db)
{
    if (tableExists(db))
        db.exec(QStringLiteral("delete from %1").arg(Table));
}

} // namespace phonejoin
