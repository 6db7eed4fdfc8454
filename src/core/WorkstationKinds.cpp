#include "core/WorkstationKinds.h"

#include "core/AlertTables.h"
#include "core/CallDelivery.h"
#include "core/Database.h"
#include "core/PhoneJoinTable.h"
#include "core/QueueLength.h"
#include "core/Schema.h"
#include "core/users/LoginRoutines.h"

#include <QCoreApplication>
#include <QDebug>

#include <atomic>

namespace kinds {

namespace {

// Every workstation reads the schema's version, and the log-in screen the administrators' names
// (whether a first one must be made); nothing but the office reads a password hash of tbluser.
const QString schemaTable = QStringLiteral("brivane_schema");
const QStringList userColumns{QStringLiteral("userAuto"), QStringLiteral("username"),
                              QStringLiteral("userType")};

// The server's routines an issue runs, with their arguments: the next number shown, and the issue's
// number with the people ahead of it (in one routine, or in two for workstations of the version
// before).
QStringList numberingRoutines()
{
    const QString numbered = QStringLiteral("(bigint,text,bigint)");
    return {schema::tokenNumberRoutineName() + numbered,
            schema::nextNumberRoutineName() + QStringLiteral("(bigint,text)"),
            queuelength::aheadRoutineName() + numbered, queuelength::issueRoutine()};
}

// The columns of a program table, but those named.
QStringList allBut(const QString& table, const QStringList& left)
{
    QStringList columns;
    if (const schema::Table* t = schema::table(table)) {
        for (const schema::Column& c : t->columns) {
            if (!left.contains(c.name, Qt::CaseInsensitive))
                columns.append(c.name);
        }
    }
    return columns;
}

// What a walk-in issue writes into its ticket row (numbering::storeTicket).
QStringList walkInColumns()
{
    return {QStringLiteral("servAuto"), QStringLiteral("tickNo"),  QStringLiteral("tickDate"),
            QStringLiteral("tickTime"), QStringLiteral("call"),    QStringLiteral("no_abr"),
            QStringLiteral("attended"), QStringLiteral("ttype"),   QStringLiteral("apptime"),
            QStringLiteral("webcode"),  QStringLiteral("estwait"), QStringLiteral("lang"),
            QStringLiteral("origin")};
}

QList<TableGrant> readWhole(const QStringList& tables)
{
    QList<TableGrant> grants;
    for (const QString& t : tables)
        grants.append({QStringLiteral("SELECT"), t, {}});
    return grants;
}

QString quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// Whether this connection owns the program's tables (a superuser counts as their owner).
bool ownsTables(Database& db)
{
    const ResultSet rs = db.query(QStringLiteral("select pg_has_role(c.relowner, 'USAGE') from pg_class c "
                                                 "where c.oid = to_regclass('tblticket')"));
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("true");
}

QStringList groupsOf(const QString& database)
{
    QStringList groups;
    for (Kind k : all())
        groups.append(groupRole(database, k));
    return groups;
}

int existingGroups(Database& db, const QStringList& groups)
{
    return int(db.query(QStringLiteral("select count(*) from pg_roles where rolname in (?,?,?,?)"),
                        {groups[0], groups[1], groups[2], groups[3]})
                   .number(0, 0));
}

QString currentDatabase(Database& db)
{
    return db.query(QStringLiteral("select current_database()")).text(0, 0);
}

// One condition per grant of every kind, and the rights no kind but the office may hold: all must be
// true for the roles to be complete.
void addChecks(QStringList& conditions, QVariantList& values, const QString& role, Kind kind)
{
    for (const TableGrant& g : grantsOf(kind)) {
        if (g.columns.isEmpty()) {
            // A table the hall lacks (its owner could not make it) is not asked for.
            conditions.append(QStringLiteral("coalesce(has_table_privilege(?, to_regclass(?), ?), true)"));
            values << role << g.table.toLower() << g.privilege;
            continue;
        }
        for (const QString& c : g.columns) {
            conditions.append(QStringLiteral("has_column_privilege(?, ?, ?, ?)"));
            values << role << g.table.toLower() << c.toLower() << g.privilege;
        }
    }
    // Every kind checks log-ins with the hall's routines (a hall without them checks on the PC).
    for (const QString& routine : logins::workstationRoutines()) {
        conditions.append(
            QStringLiteral("coalesce(has_function_privilege(?, to_regprocedure(?), 'EXECUTE'), true)"));
        values << role << routine;
    }
    if (kind == Kind::Office)
        return;
    conditions.append(QStringLiteral("not has_column_privilege(?, 'tbluser', 'password', 'SELECT')"));
    values << role;
    conditions.append(QStringLiteral("not has_column_privilege(?, 'tblcounter', 'pass', 'SELECT')"));
    values << role;
    conditions.append(QStringLiteral("not has_table_privilege(?, 'tblticket', 'DELETE')"));
    values << role;
    // A hall without the routines (its owner may not create routines) numbers without them.
    for (const QString& routine : numberingRoutines()) {
        conditions.append(
            QStringLiteral("coalesce(has_function_privilege(?, to_regprocedure('%1'), "
                           "'EXECUTE') = %2, true)")
                .arg(routine, mayNumber(kind) ? QStringLiteral("true") : QStringLiteral("false")));
        values << role;
    }
}

bool grantsComplete(Database& db, const QStringList& groups)
{
    QStringList conditions;
    QVariantList values;
    for (int i = 0; i < all().size(); ++i)
        addChecks(conditions, values, groups[i], all()[i]);
    const ResultSet rs =
        db.query(QStringLiteral("select ") + conditions.join(QStringLiteral(" and ")), values);
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("true");
}

// Whether the routine of that signature ("name(argument types)") is in the database.
bool routineExists(Database& db, const QString& routine)
{
    const ResultSet rs = db.query(QStringLiteral("select to_regprocedure(?) is not null"), {routine});
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("true");
}

// The grants of one group, from nothing: whatever it held on the tables is taken back first, so
// that a right a later version no longer gives does not linger.
void grantGroup(Database& db, const QString& role, Kind kind)
{
    QStringList tables;
    for (const schema::Table& t : schema::tables())
        tables.append(t.name);
    tables.append(schemaTable);
    if (delivery::present(db))
        tables += delivery::tables();
    const bool haveAlerts = alerttables::present(db);
    if (haveAlerts)
        tables.append(alerttables::names());
    const bool haveJoins = phonejoin::tableExists(db);
    if (haveJoins)
        tables.append(phonejoin::tableName());
    const bool haveLengths =
        db.query(QStringLiteral("select to_regclass(?) is not null"), {queuelength::tableName()})
            .text(0, 0) == QLatin1String("true");
    if (haveLengths)
        tables.append(queuelength::tableName());
    const QString who = quoted(role);
    db.exec(QStringLiteral("revoke all on %1 from %2").arg(tables.join(QLatin1Char(',')), who));
    for (const TableGrant& g : grantsOf(kind)) {
        if ((!haveJoins && g.table == phonejoin::tableName()) ||
            (!haveAlerts && alerttables::names().contains(g.table)) ||
            (!haveLengths && g.table == queuelength::tableName()))
            continue;
        const QString columns =
            g.columns.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(g.columns.join(QLatin1Char(',')));
        db.exec(QStringLiteral("grant %1%2 on %3 to %4").arg(g.privilege, columns, g.table, who));
    }
    // The keys of the tables it inserts into, where the database assigns them from a sequence.
    for (const QString& table : kind == Kind::Office ? tables : insertedTables(kind)) {
        // Only the program's tables have keys the database assigns.
        const schema::Table* t = schema::table(table);
        if (!t)
            continue;
        const ResultSet rs = db.query(QStringLiteral("select pg_get_serial_sequence(?, ?)"),
                                      {t->name.toLower(), t->key().toLower()});
        if (!rs.isEmpty() && !rs.isNull(0, 0))
            db.exec(QStringLiteral("grant usage, select on sequence %1 to %2").arg(rs.text(0, 0), who));
    }
    for (const QString& routine : numberingRoutines()) {
        if (!routineExists(db, routine))
            continue;
        db.exec(QStringLiteral("%1 execute on function %2 %3 %4")
                    .arg(mayNumber(kind) ? QStringLiteral("grant") : QStringLiteral("revoke"), routine,
                         mayNumber(kind) ? QStringLiteral("to") : QStringLiteral("from"), who));
    }
    for (const QString& routine : logins::workstationRoutines()) {
        if (!db.query(QStringLiteral("select to_regprocedure(?)"), {routine}).isNull(0, 0))
            db.exec(QStringLiteral("grant execute on function %1 to %2").arg(routine, who));
    }
    // The schema and the database, where the owner holds them and they are not open to everyone.
    const ResultSet rs =
        db.query(QStringLiteral("select has_schema_privilege(current_schema(), 'USAGE WITH GRANT OPTION'), "
                                "has_database_privilege(current_database(), 'CONNECT WITH GRANT OPTION')"));
    if (!rs.isEmpty() && rs.text(0, 0) == QLatin1String("true"))
        db.exec(QStringLiteral("grant usage on schema %1 to %2")
                    .arg(quoted(db.query(QStringLiteral("select current_schema()")).text(0, 0)), who));
    if (!rs.isEmpty() && rs.text(0, 1) == QLatin1String("true"))
        db.exec(QStringLiteral("grant connect on database %1 to %2").arg(quoted(currentDatabase(db)), who));
}

std::atomic<bool> toldCannotCreate{false};

} // namespace

const QList<Kind>& all()
{
    static const QList<Kind> kinds{Kind::Kiosk, Kind::Board, Kind::Counter, Kind::Office};
    return kinds;
}

QString name(Kind kind)
{
    switch (kind) {
    case Kind::Kiosk:
        return QStringLiteral("kiosk");
    case Kind::Board:
        return QStringLiteral("board");
    case Kind::Counter:
        return QStringLiteral("counter");
    case Kind::Office:
        return QStringLiteral("office");
    }
    return QString();
}

std::optional<Kind> fromName(const QString& text)
{
    for (Kind k : all()) {
        if (name(k).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return k;
    }
    return std::nullopt;
}

QString groupRole(const QString& database, Kind kind)
{
    return (database + QLatin1Char('_') + name(kind)).toLower();
}

QList<TableGrant> grantsOf(Kind kind)
{
    const QString select = QStringLiteral("SELECT");
    const QString insert = QStringLiteral("INSERT");
    const QString update = QStringLiteral("UPDATE");
    const QString counter = QStringLiteral("tblCounter");
    const QString ticket = QStringLiteral("tblTicket");
    const QString call = QStringLiteral("tblCall");
    const QString user = QStringLiteral("tbluser");
    const QString screenTable = delivery::tables().value(0);
    const QString shownTable = delivery::tables().value(1);
    const QString joins = phonejoin::tableName();
    QList<TableGrant> grants;
    switch (kind) {
    case Kind::Kiosk:
        // What its buttons and tickets show, the queue it estimates waits from, and the ticket it
        // issues; not the codes of the visitors' pages, nor the operators' password hashes.
        grants = readWhole({QStringLiteral("tblDept"), QStringLiteral("tblService"),
                            QStringLiteral("tblComp"), QStringLiteral("tblServiceNo"), schemaTable});
        grants.append({select, counter, allBut(counter, {QStringLiteral("pass")})});
        grants.append({select, ticket, allBut(ticket, {QStringLiteral("webcode")})});
        grants.append({select, user, userColumns});
        grants.append({insert, ticket, allBut(ticket, {QStringLiteral("tickAuto")})});
        break;
    case Kind::Board:
        // Calls, themes, news and media, the tickets whose pages it serves; it marks calls shown.
        grants = readWhole({call, ticket, QStringLiteral("tblDept"), QStringLiteral("tblService"),
                            QStringLiteral("tblComp"), QStringLiteral("tbltheme"), QStringLiteral("tblpos"),
                            QStringLiteral("tblheader"), QStringLiteral("tblscroll"),
                            QStringLiteral("tblvideo"), schemaTable});
        grants.append({select, counter, allBut(counter, {QStringLiteral("pass")})});
        grants.append({select, user, userColumns});
        grants.append({update, call, {QStringLiteral("status1")}});
        // It records which calls it showed (and its announcer spoke), and that it is still there.
        for (const QString& p : {select, insert, update})
            grants.append({p, screenTable, {}});
        grants.append({select, shownTable, {}});
        grants.append({insert, shownTable, {}});
        // The web server it runs keeps the near-turn alerts the visitors ask for on their pages; a
        // visitor who withdraws one takes its phone number away with it.
        for (const QString& table : alerttables::names()) {
            for (const char* p : {"SELECT", "INSERT", "UPDATE", "DELETE"})
                grants.append({QString::fromLatin1(p), table, {}});
        }
        // The web server (a board) gives visitors a walk-in token from their phones, through the
        // kiosks' own issue: the columns a walk-in's row is written with, not those that direct a token
        // to a counter or record its service; and the budget of joins from phones.
        grants.append({insert, ticket, walkInColumns()});
        grants.append({select, joins, {}});
        grants.append({insert, joins, {}});
        grants.append({QStringLiteral("DELETE"), joins, {}});
        break;
    case Kind::Counter:
        // Its lists and calls; it calls, recalls, cancels, transfers and finishes tokens. The
        // operators' log-in and their password changes go through the hall's log-in routines.
        grants = readWhole({call, ticket, QStringLiteral("tblDept"), QStringLiteral("tblService"),
                            QStringLiteral("tblComp"), QStringLiteral("tblServiceNo"), schemaTable});
        grants.append({select, counter, allBut(counter, {QStringLiteral("pass")})});
        grants.append({select, user, userColumns});
        grants.append({insert, call, allBut(call, {QStringLiteral("callauto")})});
        grants.append({update, call, {QStringLiteral("status1"), QStringLiteral("recalls")}});
        grants.append({update,
                       ticket,
                       {QStringLiteral("call"), QStringLiteral("attended"), QStringLiteral("attTime"),
                        QStringLiteral("finished"), QStringLiteral("status"), QStringLiteral("ref"),
                        QStringLiteral("legs")}});
        // Which boards showed its call; how many walk-ins wait, as the server keeps it.
        grants.append({select, screenTable, {}});
        grants.append({select, shownTable, {}});
        grants.append({select, queuelength::tableName(), {}});
        break;
    case Kind::Office:
        for (const schema::Table& t : schema::tables()) {
            for (const char* p : {"SELECT", "INSERT", "UPDATE", "DELETE"})
                grants.append({QString::fromLatin1(p), t.name, {}});
        }
        grants.append({select, schemaTable, {}});
        // The queues' lengths are the server's to keep: read only, as the counters do.
        grants.append({select, queuelength::tableName(), {}});
        // The hall's tables outside the listed schema: receipts of calls, alerts, joins from phones.
        for (const QString& t : delivery::tables() + alerttables::names() + QStringList{joins}) {
            for (const char* p : {"SELECT", "INSERT", "UPDATE", "DELETE"})
                grants.append({QString::fromLatin1(p), t, {}});
        }
        break;
    }
    return grants;
}

QStringList insertedTables(Kind kind)
{
    QStringList tables;
    for (const TableGrant& g : grantsOf(kind)) {
        if (g.privilege == QLatin1String("INSERT") && !tables.contains(g.table))
            tables.append(g.table);
    }
    return tables;
}

bool mayNumber(Kind kind)
{
    // The board issues the tokens visitors take from their phones.
    return kind == Kind::Kiosk || kind == Kind::Board || kind == Kind::Office;
}

QString cannotCreateRolesText(const QString& owner)
{
    return QCoreApplication::translate(
               "kinds",
               "The hall works as before, but its kinds of workstation (kiosk, board, counter, office) "
               "cannot be made: %1 may not create roles (ALTER ROLE %1 CREATEROLE lets it).")
        .arg(owner);
}

RolesState ensureRoles(Database& db)
{
    if (!db.isPostgres() || !ownsTables(db))
        return RolesState::NotOwner;
    const QStringList groups = groupsOf(currentDatabase(db));
    const bool allThere = existingGroups(db, groups) == groups.size();
    if (allThere && grantsComplete(db, groups))
        return RolesState::Complete;
    if (!allThere) {
        const ResultSet rs =
            db.query(QStringLiteral("select rolcreaterole or rolsuper, current_user from pg_roles "
                                    "where rolname = current_user"));
        if (rs.isEmpty() || rs.text(0, 0) != QLatin1String("true")) {
            if (!toldCannotCreate.exchange(true))
                qWarning().noquote() << cannotCreateRolesText(rs.isEmpty() ? QString() : rs.text(0, 1));
            return RolesState::CannotCreate;
        }
    }
    db.inTransaction([&] {
        // Workstations of the owner opening together make them once: the others wait, then find them.
        db.query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
        for (int i = 0; i < groups.size(); ++i) {
            if (db.query(QStringLiteral("select 1 from pg_roles where rolname = ?"), {groups[i]}).isEmpty())
                db.exec(QStringLiteral("create role %1 nologin").arg(quoted(groups[i])));
            grantGroup(db, groups[i], all()[i]);
        }
        // Only the kinds that issue tokens run the numbering routines.
        for (const QString& routine : numberingRoutines()) {
            if (routineExists(db, routine))
                db.exec(QStringLiteral("revoke execute on function %1 from public").arg(routine));
        }
    });
    return RolesState::Made;
}

QString grantKind(Database& db, Kind kind, const QString& login)
{
    auto say = [](const char* text) { return QCoreApplication::translate("kinds", text); };
    if (!db.isPostgres())
        return say("An embedded hall has no kinds of workstation: its file's mode and group guard it.");
    if (!ownsTables(db))
        return say("Only the hall's owner may make workstations: run this with the owner's connection.");
    const ResultSet who =
        db.query(QStringLiteral(
                     "select rolcanlogin, rolsuper, pg_has_role(rolname, c.relowner, 'USAGE') from pg_roles, "
                     "pg_class c where rolname = ? and c.oid = to_regclass('tblticket')"),
                 {login});
    if (who.isEmpty())
        return say("There is no PostgreSQL login named %1.").arg(login);
    if (who.text(0, 0) != QLatin1String("true"))
        return say("%1 is a role that cannot log in, not a login.").arg(login);
    if (who.text(0, 1) == QLatin1String("true") || who.text(0, 2) == QLatin1String("true"))
        return say("%1 owns the hall (or every database) and keeps every right; make a login of its own for "
                   "the workstation.")
            .arg(login);
    const RolesState state = ensureRoles(db);
    if (state == RolesState::CannotCreate)
        return cannotCreateRolesText(db.query(QStringLiteral("select current_user")).text(0, 0));
    const QString database = currentDatabase(db);
    try {
        db.inTransaction([&] {
            // One kind per workstation: the groups of the other kinds it is in are left.
            const ResultSet member = db.query(
                QStringLiteral("select g.rolname from pg_auth_members m join pg_roles g on g.oid = m.roleid "
                               "join pg_roles u on u.oid = m.member where u.rolname = ?"),
                {login});
            for (Kind other : all()) {
                const QString group = groupRole(database, other);
                bool isMember = false;
                for (int i = 0; i < member.size(); ++i)
                    isMember = isMember || member.text(i, 0) == group;
                if (other != kind && isMember)
                    db.exec(QStringLiteral("revoke %1 from %2").arg(quoted(group), quoted(login)));
            }
            db.exec(QStringLiteral("grant %1 to %2").arg(quoted(groupRole(database, kind)), quoted(login)));
        });
    } catch (const DbError& e) {
        if (e.kind() != DbError::Kind::NotPermitted)
            throw;
        return say("The owner may not hand out the kinds' roles (it needs CREATEROLE, or the admin option on "
                   "%1); nothing was changed.")
            .arg(groupRole(database, kind));
    }
    return QString();
}

} // namespace kinds
