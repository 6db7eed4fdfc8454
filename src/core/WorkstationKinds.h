#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class Database;

// The kinds of workstation of a PostgreSQL hall and the rights of each, held by PostgreSQL itself:
// one group role per kind (NOLOGIN), named after the hall's database so that two halls on one server
// keep theirs apart, with grants on the tables, columns, sequences and routines its job needs. A
// workstation's login is a member of one group; the role that owns the tables (the office) keeps
// every right. SQLite halls have no roles: the file's mode and group are their guard.
namespace kinds {

enum class Kind { Kiosk, Board, Counter, Office };

const QList<Kind>& all();
QString name(Kind kind); // "kiosk", "board", "counter", "office"
std::optional<Kind> fromName(const QString& name);

// The group role of that kind for the hall in `database` (lower case, as PostgreSQL keeps it).
QString groupRole(const QString& database, Kind kind);

// One grant of a kind: a privilege on a table, on the columns named or, when none are named, on the
// whole table.
struct TableGrant
{
    QString privilege; // SELECT, INSERT, UPDATE or DELETE
    QString table;
    QStringList columns;
};
QList<TableGrant> grantsOf(Kind kind);
// The tables a kind may insert into: its sequences (keys the database assigns) are granted with them.
QStringList insertedTables(Kind kind);
// Whether a kind may run the numbering routine (those that issue tokens).
bool mayNumber(Kind kind);

// How the hall's roles stand after an open by its owner.
enum class RolesState {
    NotOwner,     // this connection does not own the tables: nothing was looked at or changed
    Complete,     // every group exists with exactly its grants
    Made,         // the groups or grants were missing and have been made now
    CannotCreate, // a group is missing and the owner may not create roles (CREATEROLE)
};

// Run at each open on PostgreSQL, after the schema: when this connection owns the tables, makes the
// missing groups and grants. A connection that does not own them never tries.
RolesState ensureRoles(Database& db);

// The sentence a hall whose owner may not create roles is told (once per program run).
QString cannotCreateRolesText(const QString& owner);

// Makes the PostgreSQL login a workstation of that kind (member of the kind's group, and of no other
// kind's). Empty on success, otherwise the one sentence why nothing was changed.
QString grantKind(Database& db, Kind kind, const QString& login);

} // namespace kinds
