#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class Database;

// What a restore asks before it replaces the database, and what it says when it is refused.
namespace maintenance {

// The question before a restore: the backup's file and when it was made, and what is lost with it
// (the tokens issued since then; -1 when they could not be counted). Ends with "Type 'Yes' to Restore ".
QString restoreQuestion(const QString& source, const QDateTime& madeAt, qint64 tokensSince);
// When the backup in `file` was made: its file's last change.
QDateTime backupMadeAt(const QString& file);
// The tokens issued since `since` (by their issue day and time); -1 when the store cannot say.
qint64 tokensIssuedSince(Database& db, const QDateTime& since);

// Why a restore over the database file `target` is refused while it is open elsewhere: the programs
// on this computer that hold it open, or that none here does.
QString stillOpenText(const QString& target);

// The SQL condition on pg_stat_activity that keeps the other programs' sessions on this database,
// those of the other kinds' logins included.
QString otherSessionsCondition();

// The other connections to a server's database, for a refused restore: "10.0.0.5 (brivane)",
// "127.0.0.1 (brivane-web, 2 connections)", one per place and program.
QStringList otherConnectionNames(Database& db);

} // namespace maintenance
