#include "core/QueueLength.h"

#include "core/Database.h"
#include "core/Schema.h"

#include <QDebug>

namespace queuelength {

namespace {

const QString table = QStringLiteral("brivane_waiting");
const QString countName = QStringLiteral("brivane_waiting_count");
const QString aheadName = QStringLiteral("brivane_waiting_ahead");

// The triggers, each with what it follows; all of them run the one counting routine.
struct Trigger
{
    QString name;
    QString ddl;
};

QList<Trigger> triggers()
{
    const QString waitsNew = waitingCondition(QStringLiteral("new"));
    const QString waitedOld = waitingCondition(QStringLiteral("old"));
    return {
        {issuedTriggerName(),
         QStringLiteral("after insert on tblTicket for each row when (%1) execute function %2()")
             .arg(waitsNew, countName)},
        {QStringLiteral("brivane_waiting_changed"),
         QStringLiteral("after update of call, ttype, servauto, tickdate on tblTicket for each row when "
                        "((%1) or (%2)) execute function %3()")
             .arg(waitedOld, waitsNew, countName)},
        {QStringLiteral("brivane_waiting_deleted"),
         QStringLiteral("after delete on tblTicket for each row when (%1) execute function %2()")
             .arg(waitedOld, countName)},
        {QStringLiteral("brivane_waiting_emptied"),
         QStringLiteral("after truncate on tblTicket for each statement execute function %1()")
             .arg(countName)},
    };
}

// A ticket joining a queue adds one to it, one leaving takes one off. A ticket moved between
// services does both in one statement, in the order of the queues' keys, so that two moves the
// opposite ways wait for each other instead of deadlocking. (Each statement here is planned once per
// connection: an issue runs it with every ticket.)
QString countBody()
{
    return QStringLiteral(R"(
begin
  if tg_op = 'INSERT' then
    insert into brivane_waiting as w (servauto, tickdate, waiting) values (new.servauto, new.tickdate, 1)
    on conflict (servauto, tickdate) do update set waiting = w.waiting + 1;
  elsif tg_op = 'DELETE' then
    update brivane_waiting set waiting = waiting - 1 where servauto = old.servauto and tickdate = old.tickdate;
  elsif tg_op = 'UPDATE' then
    insert into brivane_waiting as w (servauto, tickdate, waiting)
    select k.servauto, k.tickdate, sum(k.change) from (
      select old.servauto, old.tickdate, -1 where %1
      union all
      select new.servauto, new.tickdate, 1 where %2) k(servauto, tickdate, change)
    group by k.servauto, k.tickdate having sum(k.change) <> 0 order by k.servauto, k.tickdate
    on conflict (servauto, tickdate) do update set waiting = w.waiting + excluded.waiting;
  else
    delete from brivane_waiting;
  end if;
  return null;
end
)")
        .arg(waitingCondition(QStringLiteral("old")), waitingCondition(QStringLiteral("new")));
}

// The queue's length, less those in it numbered from `below` on: normally none, as a new number is
// the day's highest, which one look at the highest number tells.
QString aheadBody()
{
    return QStringLiteral(R"(
declare
  highest bigint;
  later bigint := 0;
begin
  select t.tickno into highest from tblTicket t where t.servauto = service and t.tickdate = day
  order by t.tickno desc limit 1;
  if highest >= below then
    select count(*) into later from tblTicket t where t.servauto = service and t.tickdate = day
    and t.tickno >= below and %1;
  end if;
  return greatest(0, coalesce((select w.waiting from brivane_waiting w where w.servauto = service
    and w.tickdate = day), 0) - later);
end
)")
        .arg(waitingCondition(QStringLiteral("t")));
}

// With the owner's rights, and finding only the hall's own tables whatever the caller's path.
QString routineText(const QString& schema, const QString& name, const QString& signature, const QString& body,
                    const QString& settings = QString())
{
    return QStringLiteral("create or replace function %1%2 language plpgsql volatile security definer "
                          "set search_path = %3, pg_temp %5 as $fn$%4$fn$")
        .arg(name, signature, schema, body, settings);
}

void make(Database& db)
{
    db.inTransaction([&] {
        db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
        if (present(db))
            return;
        const QString schema = db.query(QStringLiteral("select quote_ident(current_schema())")).text(0, 0);
        db.exec(QStringLiteral("create table if not exists %1 (servauto bigint not null, tickdate text not "
                               "null, waiting bigint not null, primary key (servauto, tickdate))")
                    .arg(table));
        db.exec(routineText(schema, countName, QStringLiteral("() returns trigger"), countBody()));
        db.exec(QStringLiteral("revoke execute on function %1() from public").arg(countName));
        db.exec(routineText(schema, aheadName,
                            QStringLiteral("(service bigint, day text, below bigint) returns bigint"),
                            aheadBody(), QStringLiteral("set ") + schema::routinePlanSetting()));
        // Counted afresh while no ticket changes (reads go on), then kept by the triggers.
        db.exec(QStringLiteral("lock table tblTicket in share row exclusive mode"));
        for (const Trigger& t : triggers()) {
            db.exec(QStringLiteral("drop trigger if exists %1 on tblTicket").arg(t.name));
            db.exec(QStringLiteral("create trigger %1 %2").arg(t.name, t.ddl));
        }
        db.exec(QStringLiteral("delete from %1").arg(table));
        db.exec(QStringLiteral("insert into %1 (servauto, tickdate, waiting) select t.servauto, t.tickdate, "
                               "count(*) from tblTicket t where %2 group by t.servauto, t.tickdate")
                    .arg(table, waitingCondition(QStringLiteral("t"))));
    });
}

} // namespace

QString waitingCondition(const QString& row)
{
    return QStringLiteral("%1.call = '0' and %1.ttype in ('N', 'E')").arg(row);
}

QString issuedTriggerName()
{
    return QStringLiteral("brivane_waiting_issued");
}

QString aheadRoutineName()
{
    return aheadName;
}

QString tableName()
{
    return table;
}

bool present(Database& db)
{
    if (!db.isPostgres())
        return false;
    QStringList names;
    for (const Trigger& t : triggers())
        names.append(t.name);
    const ResultSet rs = db.query(
        QStringLiteral(
            "select to_regclass(?) is not null, (select count(*) from pg_trigger g join pg_proc p on "
            "p.oid = g.tgfoid where g.tgrelid = to_regclass('tblticket') and p.proname = ? and "
            "p.prosrc = ? and g.tgname = any(string_to_array(?, ','))), "
            "(select count(*) from pg_proc where proname = ? and prosrc = ? and "
            "array_to_string(proconfig, ',') like ?)"),
        {table, countName, countBody(), names.join(QLatin1Char(',')), aheadName, aheadBody(),
         QStringLiteral("%,") + schema::routinePlanSetting()});
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("true") && rs.number(0, 1) == names.size() &&
           rs.number(0, 2) == 1;
}

void ensure(Database& db)
{
    if (!db.isPostgres())
        return;
    try {
        if (!present(db))
            make(db);
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        if (e.kind() != DbError::Kind::NotPermitted)
            qWarning().noquote() << "The queues' lengths could not be kept by the server:" << e.detail();
    }
}

} // namespace queuelength
