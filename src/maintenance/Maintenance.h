#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct AppContext;
class Database;

namespace maintenance {

// ---- Backup and restore of the embedded database file ----

// The file that holds the embedded database in use: the open SQLite connection's file, else the
// connection values' file (relative to the installation folder). Empty when the database is held by
// a server.
QString databaseFile(const AppContext& ctx);
// True when the database lives on a PostgreSQL server (backed up with the server's tools, not copied).
bool onServer(const AppContext& ctx);

// The name every backup gets in its folder.
QString backupFileIn(const QString& folder);
// True when the two names point to the same file (existing or not).
bool sameFile(const QString& a, const QString& b);

// Writes a consistent copy of the open SQLite database to folder/data.mdb, replacing one that is
// there. The copy is taken on the live connection, so other workstations may go on writing. Returns
// an empty text on success, else the description of what failed.
QString backupDatabase(Database& db, const QString& folder);

// Puts `source` in place of `target`, the database file, which must not be open here. The source
// must be a Brivane database of a schema this program reads; the target is replaced in one step, so
// a failure leaves it as it was, and what it held is kept as keptBeforeRestore(target).
// Returns an empty text on success, else the description of what failed.
QString restoreDatabase(const QString& source, const QString& target);
QString keptBeforeRestore(const QString& target);

// ---- Clearing old data ----

// Deletes every call event dated before `before`, a few thousand rows per transaction so that kiosks and
// counters are not locked out meanwhile; returns the number of rows removed.
qint64 deleteCallsBefore(Database& db, const QDate& before);

// Deletes the tickets with these keys, a few thousand per transaction; returns the number removed.
qint64 deleteTickets(Database& db, const QList<qint64>& tickAutos);

} // namespace maintenance
