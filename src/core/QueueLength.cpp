#include "core/QueueLength.h"

#include "core/Database.h"
#include "core/Schema.h"

#include <QDebug>

namespace queuelength {

namespace {

const QString table = QStringLiteral("brivane_waiting");
const QString countName = QStringLiteral("brivane_waiting_count");
const QString aheadName = QStringLiteral("brivane_waiting_ahead");
const QString issueName = QStringLiteral("brivane_token_issue");
// Names the one ticket of this transaction that the issue routine has counted already
// ("service/day/number"), so that the trigger does not count it again.
const QString countedSetting = QStringLiteral("brivane.counted");

// The triggers, each with what it follows; all of them run the one counting routine.
struct Trigger
{
    QString name;
    QString ddl;
    // What its definition, as the server writes it out, holds and that of the version before did not.
    QString mark = QStringLiteral("%");
};

// The key the issue routine names its counted ticket by, of a ticket row. The numbers are cast to
// text by name: "||" with a number would be a routine of SQL that the server expands afresh for every
// statement that evaluates the trigger's condition, that is with every issue.
QString countedKey(const QString& row)
{
    return QStringLiteral(
               "(cast(%1.servauto as text) || '/' || %1.tickdate || '/' || cast(%1.tickno as text))")
        .arg(row);
}

QList<Trigger> triggers()
{
    const QString waitsNew = waitingCondition(QStringLiteral("new"));
    const QString waitedOld = waitingCondition(QStringLiteral("old"));
    return {
        {issuedTriggerName(),
         QStringLiteral("after insert on tblTicket for each row when ((%1) and "
                        "current_setting('%3', true) is distinct from %4) execute function %2()")
             .arg(waitsNew, countName, countedSetting, countedKey(QStringLiteral("new"))),
         QStringLiteral("%(new.tickno)::text%")},
        {QStringLiteral("brivane_waiting_changed"),
         QStringLiteral(
             "after update of call, ttype, attended, servauto, tickdate on tblTicket for each row when "
             "((%1) or (%2)) execute function %3()")
             .arg(waitedOld, waitsNew, countName),
         QStringLiteral("% attended, %")},
        {QStringLiteral("brivane_waiting_deleted"),
         QStringLiteral("after delete on tblTicket for each row when (%1) execute function %2()")
             .arg(waitedOld, countName)},
        {QStringLiteral("brivane_waiting_emptied"),
         QStringLiteral("after truncate on tblTicket for each statement execute function %1()")
             .arg(countName)},
    };
}

// A ticket joining a queue adds one to it, one leaving takes one off; a walk-in counts in its
// service's walk-ins too (a transfer to a counter takes it out of them). A ticket moved between
// services does both in one statement, in the order of the queues' keys, so that two moves the
// opposite ways wait for each other instead of deadlocking. (Each statement here is planned once per
// connection: an issue runs it with every ticket.)
QString countBody()
{
    return QStringLiteral(R"(
begin
  if tg_op = 'INSERT' then
    insert into brivane_waiting as w (servauto, tickdate, waiting, walkins)
    values (new.servauto, new.tickdate, 1, case when %3 then 1 else 0 end)
    on conflict (servauto, tickdate) do update set waiting = w.waiting + 1, walkins = w.walkins + excluded.walkins;
  elsif tg_op = 'DELETE' then
    update brivane_waiting set waiting = waiting - 1, walkins = walkins - case when %4 then 1 else 0 end
    where servauto = old.servauto and tickdate = old.tickdate;
  elsif tg_op = 'UPDATE' then
    insert into brivane_waiting as w (servauto, tickdate, waiting, walkins)
    select k.servauto, k.tickdate, sum(k.change), sum(k.walkin) from (
      select old.servauto, old.tickdate, -1, case when %4 then -1 else 0 end where %1
      union all
      select new.servauto, new.tickdate, 1, case when %3 then 1 else 0 end where %2) k(servauto, tickdate, change, walkin)
    group by k.servauto, k.tickdate having sum(k.change) <> 0 or sum(k.walkin) <> 0
    order by k.servauto, k.tickdate
    on conflict (servauto, tickdate) do update set waiting = w.waiting + excluded.waiting,
      walkins = w.walkins + excluded.walkins;
  else
    delete from brivane_waiting;
  end if;
  return null;
end
)")
        .arg(waitingCondition(QStringLiteral("old")), waitingCondition(QStringLiteral("new")),
             walkInCondition(QStringLiteral("new")), walkInCondition(QStringLiteral("old")));
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

// The issue's number and the people ahead of it, under the service's lock, with the service's row
// the ticket is labelled and printed from: `wanted` is the number asked for (null: the day's next, as
// the kiosk's read of it would give), taken when free, otherwise the next after the day's highest. No
// number (null) when the service is gone or the number would pass its end number or the ticket table's
// 32-bit column: nothing is counted then, and the issuing statement stores nothing. A ticket that will
// wait in its queue (`waits`) is counted here, among the walk-ins too when it is one (`walkin`), its
// count giving the people ahead, and the transaction's setting names it so that the insert trigger
// leaves it alone (set by an assignment, which PL/pgSQL works out without a query of its own, as it
// does the other plain expressions here).
QString issueBody()
{
    return QStringLiteral(R"(
declare
  top bigint;
  first bigint;
  queue bigint;
  later bigint := 0;
  counted text;
begin
  perform pg_advisory_xact_lock(%1, cast(service % 2147483647 as integer));
  select s.startno, s.endno, s.abrno, s.servdesc, s.ServName,
    (select t.tickno from tblTicket t where t.servauto = service and t.tickdate = day
     order by t.tickno desc limit 1)
  into first, endno, prefix, description, service_name, top from tblService s where s.servauto = service;
  if not found then
    return;
  end if;
  if wanted is null then
    no := coalesce(top + 1, first);
  elsif top is null or wanted > top then
    no := wanted;
  elsif (select t.tickno from tblTicket t where t.servauto = service and t.tickdate = day
         and t.tickno <= wanted order by t.tickno desc limit 1) = wanted then
    no := top + 1;
  else
    no := wanted;
  end if;
  if no is null or endno is null or no > endno or no > 2147483647 then
    no := null;
    return;
  end if;
  ahead := 0;
  if not waits then
    return;
  end if;
  insert into brivane_waiting as w (servauto, tickdate, waiting, walkins)
  values (service, day, 1, case when walkin then 1 else 0 end)
  on conflict (servauto, tickdate) do update set waiting = w.waiting + 1, walkins = w.walkins + excluded.walkins
  returning w.waiting into queue;
  counted := set_config('%2', service || '/' || day || '/' || no, true);
  if top > no then
    select count(*) into later from tblTicket t where t.servauto = service and t.tickdate = day
    and t.tickno > no and %3;
  end if;
  ahead := greatest(0, queue - 1 - later);
end
)")
        .arg(schema::numberingLockSpace)
        .arg(countedSetting, waitingCondition(QStringLiteral("t")));
}

QString issueSignature()
{
    return QStringLiteral(
        "(service bigint, day text, wanted bigint, waits boolean, walkin boolean, out no bigint, "
        "out ahead bigint, out endno bigint, out prefix text, out description text, "
        "out service_name text)");
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
                               "null, waiting bigint not null, walkins bigint not null default 0, "
                               "primary key (servauto, tickdate))")
                    .arg(table));
        // Halls of the version before keep the table without the walk-ins.
        db.exec(QStringLiteral("alter table %1 add column if not exists walkins bigint not null default 0")
                    .arg(table));
        db.exec(routineText(schema, countName, QStringLiteral("() returns trigger"), countBody()));
        db.exec(QStringLiteral("revoke execute on function %1() from public").arg(countName));
        db.exec(routineText(schema, aheadName,
                            QStringLiteral("(service bigint, day text, below bigint) returns bigint"),
                            aheadBody(), QStringLiteral("set ") + schema::routinePlanSetting()));
        // Made afresh: what it returns may differ from the routine a hall has.
        db.exec(QStringLiteral("drop function if exists %1").arg(issueRoutine()));
        // That of the version before, which counted no walk-ins: its workstations number without it.
        db.exec(QStringLiteral("drop function if exists %1(bigint,text,bigint,boolean)").arg(issueName));
        db.exec(routineText(schema, issueName, issueSignature(), issueBody(),
                            QStringLiteral("set ") + schema::routinePlanSetting()));
        db.exec(QStringLiteral("revoke execute on function %1 from public").arg(issueRoutine()));
        // Counted afresh while no ticket changes (reads go on), then kept by the triggers.
        db.exec(QStringLiteral("lock table tblTicket in share row exclusive mode"));
        for (const Trigger& t : triggers()) {
            db.exec(QStringLiteral("drop trigger if exists %1 on tblTicket").arg(t.name));
            db.exec(QStringLiteral("create trigger %1 %2").arg(t.name, t.ddl));
        }
        db.exec(QStringLiteral("delete from %1").arg(table));
        db.exec(QStringLiteral("insert into %1 (servauto, tickdate, waiting, walkins) select t.servauto, "
                               "t.tickdate, count(*), count(*) filter (where %3) from tblTicket t where %2 "
                               "group by t.servauto, t.tickdate")
                    .arg(table, waitingCondition(QStringLiteral("t")), walkInCondition(QStringLiteral("t"))));
    });
}

} // namespace

QString waitingCondition(const QString& row)
{
    return QStringLiteral("%1.call = '0' and %1.ttype in ('N', 'E')").arg(row);
}

QString walkInCondition(const QString& row)
{
    return QStringLiteral("%1.call = '0' and %1.ttype = 'N' and coalesce(%1.attended, 0) = 0").arg(row);
}

QString issuedTriggerName()
{
    return QStringLiteral("brivane_waiting_issued");
}

QString aheadRoutineName()
{
    return aheadName;
}

QString issueRoutineName()
{
    return issueName;
}

QString issueRoutine()
{
    return issueName + QStringLiteral("(bigint,text,bigint,boolean,boolean)");
}

QString tableName()
{
    return table;
}

bool present(Database& db)
{
    if (!db.isPostgres())
        return false;
    // Each trigger by its name and its definition, running this version's counting routine.
    QStringList each;
    QVariantList values{table, countName, countBody()};
    for (const Trigger& t : triggers()) {
        each.append(QStringLiteral("(g.tgname = ? and pg_get_triggerdef(g.oid) like ?)"));
        values << t.name << t.mark;
    }
    values << aheadName << aheadBody() << issueName << issueBody()
           << QStringLiteral("%,") + schema::routinePlanSetting();
    const ResultSet rs = db.query(
        QStringLiteral(
            "select to_regclass(?) is not null, (select count(*) from pg_trigger g join pg_proc p on "
            "p.oid = g.tgfoid where g.tgrelid = to_regclass('tblticket') and p.proname = ? and "
            "p.prosrc = ? and (%1)), "
            "(select count(*) from pg_proc where ((proname = ? and prosrc = ?) or (proname = ? and "
            "prosrc = ?)) and array_to_string(proconfig, ',') like ?)")
            .arg(each.join(QStringLiteral(" or "))),
        values);
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("true") && rs.number(0, 1) == triggers().size() &&
           rs.number(0, 2) == 2;
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
