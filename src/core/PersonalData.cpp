#include "core/PersonalData.h"

#include "core/AlertTables.h"
#include "core/Database.h"

#include <QDebug>

namespace personaldata {

namespace {

const QString eraseName = QStringLiteral("brivane_phone_erase");
const QString goneName = QStringLiteral("brivane_phone_gone");

// The statuses after which a ticket waits no more.
const char* endedCondition = "lower(coalesce(%1.status, '')) in ('finished', 'cancelled', 'notarrived')";

QString ended(const char* row)
{
    return QString::fromLatin1(endedCondition).arg(QLatin1String(row));
}

QString sqliteEndedTrigger()
{
    return QStringLiteral("CREATE TRIGGER %1 AFTER UPDATE OF status ON tblTicket FOR EACH ROW WHEN %2 "
                          "BEGIN DELETE FROM brivane_phone WHERE tickauto = new.tickauto; END")
        .arg(eraseName, ended("new"));
}

QString sqliteGoneTrigger()
{
    return QStringLiteral("CREATE TRIGGER %1 AFTER DELETE ON tblTicket FOR EACH ROW "
                          "BEGIN DELETE FROM brivane_phone WHERE tickauto = old.tickauto; END")
        .arg(goneName);
}

QString pgBody()
{
    return QStringLiteral(R"(
begin
  if tg_op = 'DELETE' then
    delete from brivane_phone where tickauto = old.tickauto;
    return old;
  end if;
  if %1 then
    delete from brivane_phone where tickauto = new.tickauto;
  end if;
  return new;
end
)")
        .arg(ended("new"));
}

void ensureLocal(Database& db)
{
    const QList<std::pair<QString, QString>> wanted{{eraseName, sqliteEndedTrigger()},
                                                    {goneName, sqliteGoneTrigger()}};
    for (const auto& [name, ddl] : wanted) {
        const ResultSet rs =
            db.query(QStringLiteral("select sql from sqlite_master where type='trigger' and name=?"), {name});
        if (rs.size() == 1 && rs.text(0, 0) == ddl)
            continue;
        db.inTransaction([&] {
            db.exec(QStringLiteral("drop trigger if exists %1").arg(name));
            db.exec(ddl);
        });
    }
}

void ensureOnServer(Database& db)
{
    const ResultSet rs =
        db.query(QStringLiteral("select p.prosrc, p.prosecdef from pg_proc p join pg_trigger t "
                                "on t.tgfoid = p.oid where p.proname = ? and t.tgname = ?"),
                 {eraseName, eraseName});
    if (rs.size() == 1 && rs.text(0, 0) == pgBody() && rs.text(0, 1) == QLatin1String("true"))
        return;
    db.inTransaction([&] {
        db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
        const QString schema = db.query(QStringLiteral("select quote_ident(current_schema())")).text(0, 0);
        // With the owner's rights: a counter finishing a ticket erases its number without a right on
        // the table; the routine finds only the hall's own table, whatever the caller's path.
        db.exec(QStringLiteral("create or replace function %1() returns trigger language plpgsql security "
                               "definer set search_path = %2, pg_temp as $fn$%3$fn$")
                    .arg(eraseName, schema, pgBody()));
        db.exec(QStringLiteral("revoke execute on function %1() from public").arg(eraseName));
        db.exec(QStringLiteral("drop trigger if exists %1 on tblTicket").arg(eraseName));
        db.exec(QStringLiteral("create trigger %1 after update of status or delete on tblTicket for each row "
                               "execute function %1()")
                    .arg(eraseName));
    });
}

} // namespace

QString phoneTable()
{
    return QStringLiteral("brivane_phone");
}

void ensureErasure(Database& db)
{
    try {
        if (!alerttables::present(db))
            return;
        if (db.isPostgres())
            ensureOnServer(db);
        else
            ensureLocal(db);
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        if (e.kind() != DbError::Kind::NotPermitted)
            qWarning().noquote() << "The erasing of phone numbers could not be set up:" << e.detail();
    }
}

qint64 eraseEndedDays(Database& db, const QDate& today)
{
    try {
        if (!alerttables::present(db))
            return 0;
        return db.exec(QStringLiteral("delete from brivane_phone where tickauto not in (select tickAuto from "
                                      "tblTicket where tickDate >= ?)"),
                       {today.toString(QStringLiteral("yyyy-MM-dd"))});
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        return 0;
    }
}

void eraseAtOpen(Database& db, const QDate& today)
{
    if (db.isOpen() && db.rights().allows(WorkstationRights::Act::Manage))
        eraseEndedDays(db, today);
}

} // namespace personaldata
