#include "core/users/LoginRoutines.h"

#include "core/Database.h"

#include <QDebug>

namespace logins {

namespace {

const QString stateTable = QStringLiteral("create table if not exists brivane_login_state (hashed integer "
                                          "not null default 0, secret text not null)");
const QString triesTable =
    QStringLiteral("create table if not exists brivane_login_tries (realm text not null, name text not null, "
                   "failures integer not null, until_ms bigint not null, primary key (realm, name))");

struct Routine
{
    QString name;
    QString arguments; // with names, for the definition
    QString types;     // for grants and look-ups
    QString returns;
    bool definer;
    QString body;
};

// The rows of a name: an administrator's (no counter given) or a counter operator's at that counter.
const char* rowsOfName = R"(select userauto as k, coalesce(password, '') as v from tbluser
    where p_counter is null and username = p_who
  union all
  select cntauto, coalesce(pass, '') from tblcounter
    where p_counter is not null and contname = p_counter and username = p_who)";

const char* isHash = R"((%1 like '$argon2id$%' or %1 like '$argon2i$%'))";

QString hashTest(const QString& value)
{
    return QString::fromLatin1(isHash).arg(value);
}

const QList<Routine>& routines()
{
    static const QList<Routine> all{
        // How long the name must still wait, its row locked until the try is recorded.
        {QStringLiteral("brivane_login_wait"), QStringLiteral("p_realm text, p_who text"),
         QStringLiteral("text,text"), QStringLiteral("bigint"), false, QStringLiteral(R"(
declare
  v_until bigint;
begin
  insert into brivane_login_tries (realm, name, failures, until_ms) values (p_realm, p_who, 0, 0)
    on conflict do nothing;
  select until_ms into v_until from brivane_login_tries
    where realm = p_realm and name = p_who for update;
  return greatest(0, v_until - (extract(epoch from clock_timestamp()) * 1000)::bigint);
end
)")},
        // A right try forgets the wrong ones; a wrong one makes the next wait 1 s, 2, 4 ... at most 30 s.
        // Names not tried for a day are forgotten.
        {QStringLiteral("brivane_login_tried"), QStringLiteral("p_realm text, p_who text, p_ok boolean"),
         QStringLiteral("text,text,boolean"), QStringLiteral("bigint"), false, QStringLiteral(R"(
declare
  v_now bigint := (extract(epoch from clock_timestamp()) * 1000)::bigint;
  v_until bigint;
begin
  if p_ok then
    delete from brivane_login_tries where realm = p_realm and name = p_who;
    return 0;
  end if;
  update brivane_login_tries
     set failures = failures + 1, until_ms = v_now + least(1000::bigint << least(failures, 5), 30000)
   where realm = p_realm and name = p_who
  returning until_ms into v_until;
  delete from brivane_login_tries where until_ms < v_now - 86400000;
  return coalesce(v_until - v_now, 0);
end
)")},
        {QStringLiteral("brivane_login_mark_hashed"), QString(), QString(), QStringLiteral("void"), false,
         QStringLiteral("\nbegin\n  %1;\nend\n").arg(markHashedSql())},
        // The settings of the name's hashes; "" for a password still in clear (before the hall is all
        // hashed); for a name without either, a setting of the hall's parameters and a salt made from
        // the name and the hall's secret, so that a name cannot be told from one nobody has.
        {QStringLiteral("brivane_login_settings"), QStringLiteral("p_counter text, p_who text"),
         QStringLiteral("text,text"), QStringLiteral("setof text"), true,
         QStringLiteral(R"(
declare
  v_hashed boolean;
  v_secret text;
  v_params text;
  v_any boolean := false;
  v_setting text;
begin
  select hashed = 1, secret into v_hashed, v_secret from brivane_login_state limit 1;
  for v_setting in
    select distinct case when %1
                         then substring(v from '^(\$argon2id?\$v=19\$m=[0-9]+,t=[0-9]+,p=1\$[A-Za-z0-9+/]+)\$')
                         when coalesce(v_hashed, false) then null
                         else '' end
      from (%2) as stored
  loop
    if v_setting is not null then
      v_any := true;
      return next v_setting;
    end if;
  end loop;
  if v_any then
    return;
  end if;
  if p_counter is null then
    select substring(password from '^(\$argon2id\$v=19\$m=[0-9]+,t=[0-9]+,p=1\$)') into v_params
      from tbluser where password like '$argon2id$%' order by userauto limit 1;
  else
    select substring(pass from '^(\$argon2id\$v=19\$m=[0-9]+,t=[0-9]+,p=1\$)') into v_params
      from tblcounter where pass like '$argon2id$%' order by cntauto limit 1;
  end if;
  return next coalesce(v_params, '$argon2id$v=19$m=65536,t=2,p=1$')
    || rtrim(encode(substring(sha256(convert_to(coalesce(v_secret, '') || coalesce(p_counter, '')
       || chr(10) || coalesce(p_who, ''), 'UTF8')) from 1 for 16), 'base64'), '=');
end
)")
             .arg(hashTest(QStringLiteral("v")), QLatin1String(rowsOfName))},
        // The key of the row (of p_key only, when given) whose stored hash one of the proofs is, or
        // whose password still kept in clear one of them is; otherwise how long the name waits now.
        // A right try may bring the fresh hash that replaces a clear or outdated one.
        {QStringLiteral("brivane_login_check"),
         QStringLiteral("p_counter text, p_who text, p_proofs text[], p_fresh text, p_key bigint"),
         QStringLiteral("text,text,text[],text,bigint"),
         QStringLiteral("table (id bigint, wait_ms bigint, too_early boolean)"), true,
         QStringLiteral(R"(
declare
  v_realm text := case when p_counter is null then 'user' else 'counter' end;
  v_wait bigint;
  v_hashed boolean;
  v_key bigint;
  v_stored text;
  r record;
begin
  v_wait := brivane_login_wait(v_realm, p_who);
  if v_wait > 0 then
    return query select null::bigint, v_wait, true;
    return;
  end if;
  select coalesce(max(hashed), 0) = 1 into v_hashed from brivane_login_state;
  for r in select k, v from (%2) as stored where p_key is null or k = p_key order by k loop
    if %1 then
      if exists (select 1 from unnest(p_proofs) as p
                  where sha256(convert_to(p, 'UTF8')) = sha256(convert_to(r.v, 'UTF8'))) then
        v_key := r.k;
        v_stored := r.v;
        exit;
      end if;
    elsif not v_hashed and r.v = any (p_proofs) then
      v_key := r.k;
      v_stored := r.v;
      exit;
    end if;
  end loop;
  if v_key is null then
    return query select null::bigint, brivane_login_tried(v_realm, p_who, false), false;
    return;
  end if;
  perform brivane_login_tried(v_realm, p_who, true);
  if p_fresh like '$argon2id$%' and p_fresh <> v_stored then
    if p_counter is null then
      update tbluser set password = p_fresh where userauto = v_key and coalesce(password, '') = v_stored;
    else
      update tblcounter set pass = p_fresh where cntauto = v_key and coalesce(pass, '') = v_stored;
    end if;
  end if;
  perform brivane_login_mark_hashed();
  return query select v_key, 0::bigint, false;
end
)")
             .arg(hashTest(QStringLiteral("r.v")), QLatin1String(rowsOfName))},
        // A new password's hash for the row p_key, when one of the proofs is its present password.
        {QStringLiteral("brivane_password_change"),
         QStringLiteral("p_counter text, p_who text, p_key bigint, p_proofs text[], p_new text"),
         QStringLiteral("text,text,bigint,text[],text"),
         QStringLiteral("table (changed boolean, wait_ms bigint, too_early boolean)"), true,
         QStringLiteral(R"(
declare
  c record;
begin
  if p_new is null or p_new not like '$argon2id$%' then
    return query select false, 0::bigint, false;
    return;
  end if;
  select * into c from brivane_login_check(p_counter, p_who, p_proofs, null, p_key);
  if c.id is null then
    return query select false, c.wait_ms, c.too_early;
    return;
  end if;
  if p_counter is null then
    update tbluser set password = p_new where userauto = p_key;
  else
    update tblcounter set pass = p_new where cntauto = p_key;
  end if;
  return query select true, 0::bigint, false;
end
)")},
    };
    return all;
}

bool upToDate(Database& db)
{
    if (db.query(QStringLiteral("select to_regclass('brivane_login_state') is not null and "
                                "to_regclass('brivane_login_tries') is not null"))
            .text(0, 0) != QLatin1String("true"))
        return false;
    QStringList names;
    for (const Routine& r : routines())
        names.append(r.name);
    const ResultSet rs =
        db.query(QStringLiteral("select proname, prosrc from pg_proc where pronamespace = "
                                "to_regnamespace(current_schema()) and proname in (?,?,?,?,?,?)"),
                 {names[0], names[1], names[2], names[3], names[4], names[5]});
    if (rs.size() != routines().size())
        return false;
    for (int i = 0; i < rs.size(); ++i) {
        for (const Routine& r : routines()) {
            if (r.name == rs.text(i, 0) && r.body != rs.text(i, 1))
                return false;
        }
    }
    return true;
}

void create(Database& db)
{
    const QString schema = db.query(QStringLiteral("select quote_ident(current_schema())")).text(0, 0);
    db.exec(stateTable);
    db.exec(triesTable);
    db.exec(QStringLiteral("insert into brivane_login_state (hashed, secret) select 0, md5(random()::text || "
                           "clock_timestamp()::text) || md5(random()::text) "
                           "where not exists (select 1 from brivane_login_state)"));
    for (const Routine& r : routines()) {
        // A routine of the owner's rights finds only the hall's own tables, whatever the caller's path.
        db.exec(QStringLiteral("create or replace function %1(%2) returns %3 language plpgsql volatile %4 "
                               "set search_path = %5, pg_temp as $fn$%6$fn$")
                    .arg(r.name, r.arguments, r.returns,
                         r.definer ? QStringLiteral("security definer") : QString(), schema, r.body));
        db.exec(QStringLiteral("revoke execute on function %1(%2) from public").arg(r.name, r.types));
    }
}

} // namespace

QStringList workstationRoutines()
{
    QStringList names;
    for (const Routine& r : routines()) {
        if (r.definer)
            names.append(QStringLiteral("%1(%2)").arg(r.name, r.types));
    }
    return names;
}

QString markHashedSql()
{
    return QStringLiteral("update brivane_login_state set hashed = 1 where hashed = 0 "
                          "and not exists (select 1 from tbluser where not %1) "
                          "and not exists (select 1 from tblcounter where not %2) "
                          "and (exists (select 1 from tbluser) or exists (select 1 from tblcounter))")
        .arg(hashTest(QStringLiteral("coalesce(password, '')")),
             hashTest(QStringLiteral("coalesce(pass, '')")));
}

void ensureOnServer(Database& db)
{
    try {
        if (!upToDate(db)) {
            db.inTransaction([&] {
                // Workstations of the owner opening together make them once.
                db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
                create(db);
            });
        }
        db.query(QStringLiteral("select brivane_login_mark_hashed() "
                                "where has_function_privilege('brivane_login_mark_hashed()', 'EXECUTE')"));
    } catch (const DbError& e) {
        // A login that does not own the hall changes nothing here; one that may not make routines
        // checks log-ins on its own, as before.
        if (e.isConnectionFailure())
            throw;
        if (e.kind() != DbError::Kind::NotPermitted)
            qWarning().noquote() << "The log-in routines could not be made:" << e.detail();
    }
}

void ensureLocal(Database& db)
{
    try {
        // Most opens find both tables and the hall hashed: nothing is written then.
        const ResultSet rs =
            db.query(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name in "
                                    "('brivane_login_state', 'brivane_login_tries')"));
        if (rs.number(0, 0) == 2 &&
            db.query(QStringLiteral("select max(hashed) from brivane_login_state")).number(0, 0) == 1)
            return;
        db.inTransaction([&] {
            db.exec(stateTable);
            db.exec(triesTable);
            db.exec(QStringLiteral("insert into brivane_login_state (hashed, secret) select 0, '' "
                                   "where not exists (select 1 from brivane_login_state)"));
            db.exec(markHashedSql());
        });
    } catch (const DbError& e) {
        // A file this user may only read: log-ins are checked all the same, without lasting waits.
        if (e.isConnectionFailure())
            throw;
    }
}

void dropTables(Database& db)
{
    db.exec(QStringLiteral("drop table if exists brivane_login_tries"));
    db.exec(QStringLiteral("drop table if exists brivane_login_state"));
}

void forgetHall(Database& db)
{
    try {
        db.exec(QStringLiteral("delete from brivane_login_tries"));
        db.exec(QStringLiteral("update brivane_login_state set hashed = 0"));
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
    }
}

bool checkedOnServer(Database& db)
{
    if (!db.isPostgres())
        return false;
    const ResultSet rs = db.query(QStringLiteral(
        "select has_function_privilege(to_regprocedure('brivane_login_check(text,text,text[],text,"
        "bigint)'), 'EXECUTE') and has_function_privilege(to_regprocedure("
        "'brivane_login_settings(text,text)'), 'EXECUTE')"));
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("true");
}

} // namespace logins
