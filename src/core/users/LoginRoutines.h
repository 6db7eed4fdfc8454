#pragma once

#include <QString>
#include <QStringList>

class Database;

// Where log-ins are checked and how long a name waits after wrong passwords.
//
// PostgreSQL: the hall's owner makes routines that run with its rights (SECURITY DEFINER), so that a
// workstation checks a log-in without reading a password hash. The first gives the setting of a
// name's stored hashes (algorithm, parameters, salt; for a name nobody has, a setting made up from the
// name and a secret of the hall, the same at every ask); the workstation computes the hash of the typed
// password with it, and the second compares that with the stored hash on the server and answers with
// the row's key, or with how long the name must wait. The waits are kept in brivane_login_tries and
// read against the server's clock, and the routine itself refuses a try that comes too early.
//
// SQLite (and a PostgreSQL hall whose owner could not make the routines): the program checks on its
// own, with the same tables, against its own clock.
//
// A hall records in brivane_login_state when it holds no password in clear any more; from then on a
// stored value that is not a hash never matches.
namespace logins {

// The routines a workstation runs, with their argument types, for grants.
QStringList workstationRoutines();

// Opens of PostgreSQL: makes the tables and routines where they are missing or out of date (the
// owner; anyone else is refused and nothing changes) and records a hall that is all hashed.
void ensureOnServer(Database& db);
// Opens of SQLite: the tables of the waits and of the hall's state.
void ensureLocal(Database& db);

// A hall made again from nothing: its tables of waits and state go with the others.
void dropTables(Database& db);
// A hall emptied of its rows: no waits, and no longer "all hashed" (until it is again).
void forgetHall(Database& db);

// Whether this connection checks log-ins with the routines (PostgreSQL, routines there and granted).
bool checkedOnServer(Database& db);

// The statement that records a hall without passwords in clear (it has at least one).
QString markHashedSql();

} // namespace logins
