#pragma once

#include <QString>

class Database;

// The waits after wrong passwords where the program checks log-ins on its own (SQLite, or a PostgreSQL
// hall without the log-in routines): kept in brivane_login_tries, per name, so that they hold across
// restarts and workstations. SQLite reads them against this computer's clock, PostgreSQL against the
// server's. A store without the table (or that this login may not write) keeps no waits.
namespace logins {

// Milliseconds the name must still wait before its next try; 0 when it may try now.
qint64 localWait(Database& db, const QString& realm, const QString& name);
// Records a try: a right one forgets the wrong ones; returns the wait a wrong one now makes.
qint64 localTried(Database& db, const QString& realm, const QString& name, bool right);
// Whether the hall holds no password in clear any more (then only hashes match).
bool allHashed(Database& db);
// Records it when it has become so.
void markHashed(Database& db);

} // namespace logins
