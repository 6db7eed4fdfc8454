#pragma once

#include <QDate>
#include <QDateTime>
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

// Writes a consistent copy of the open SQLite database to folder/data-<date>_<time>.mdb and makes
// it folder/data.mdb too (replacing the one there; earlier dated copies stay). The copy is taken on
// the live connection, so other workstations may go on writing. Returns an empty text on success
// (the dated file's name in writtenAs), else the description of what failed.
QString backupDatabase(Database& db, const QString& folder, QString* writtenAs = nullptr,
                       const QDateTime& at = QDateTime::currentDateTime());

// Puts `source` in place of `target`, the database file, which must not be open here. The source
// must be a Brivane database of a schema this program reads; the target is replaced in one step, so
// a failure leaves it as it was, and what it held is kept as keptBeforeRestore(target). The copy
// kept by an earlier restore is replaced only once this one has succeeded.
// Returns an empty text on success, else the description of what failed.
QString restoreDatabase(const QString& source, const QString& target);
QString keptBeforeRestore(const QString& target);

// ---- Clearing old data ----

// Deletes every call event dated before `before`, a few thousand rows per transaction so that kiosks and
// counters are not locked out meanwhile; returns the number of rows removed.
qint64 deleteCallsBefore(Database& db, const QDate& before);

// What clearing everything dated before a day removes: its tickets, and the call rows dated before
// it or belonging to those tickets.
struct ClearCount
{
    qint64 tickets = 0;
    qint64 calls = 0;
};
ClearCount countBefore(Database& db, const QDate& before);
// Why clearing before `before` is refused; empty when it may go ahead. Clearing before today removes
// the days up to yesterday; a later day would take today's queue with it (tickets being served, and
// numbers that would start again at the service's first).
QString clearBeforeRefusal(const QDate& before, const QDate& today);
// Deletes them, a few thousand rows per transaction; returns what was removed.
ClearCount deleteTicketsBefore(Database& db, const QDate& before);
// "12 tickets and 30 call rows dated before 01-12-2026 will be deleted. ..." and the answer's text.
QString clearBeforeQuestion(const ClearCount& count, const QDate& before);
QString clearedText(const ClearCount& count, const QDate& before);

// Deletes the tickets with these keys, a few thousand per transaction; returns the number removed.
qint64 deleteTickets(Database& db, const QList<qint64>& tickAutos);

} // namespace maintenance
