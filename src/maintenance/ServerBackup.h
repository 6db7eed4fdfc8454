#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class Database;

// Backup and restore of a database held by a PostgreSQL server, with the server's own tools:
// pg_dump in its custom format, pg_restore in one transaction. The tools are looked up on PATH, or
// in the folder BRIVANE_PG_BIN names.
namespace serverbackup {

// Called as the tools go through the tables: how many are done of how many.
using Progress = std::function<void(int done, int total)>;

// The name every server backup gets in its folder.
QString backupFileIn(const QString& folder);

// True when the file starts like a dump in pg_dump's custom format.
bool looksLikeDump(const QString& file);

// The other connections to the same database (other workstations, screens of other programs).
int otherConnections(Database& db);

// Dumps the database of `db` to folder/data-<date>_<time>.dump and makes it folder/data.dump too
// (replacing the one there; earlier dated dumps stay); the files appear only when the dump is
// complete. Returns an empty text on success (the dated file's name in writtenAs), else what went
// wrong.
QString backup(Database& db, const QString& folder, const Progress& progress = {},
               QString* writtenAs = nullptr, const QDateTime& at = QDateTime::currentDateTime());

// Checks that `file` is a dump of a Brivane database of a schema this program reads. Empty text when
// it is, else the reason.
QString checkDump(const QString& file);

// Replaces the database of `db` by the dump `file`. Refused while other connections are open. The
// present database is first dumped beside the file as "<file>.before-restore" (a copy an earlier
// restore kept there is replaced only once this restore succeeded); the restore runs in
// one transaction, so a dump that fails half-way leaves the live data as it was. Returns an empty text
// on success, else what went wrong (nothing changed then).
QString restore(Database& db, const QString& file, const Progress& progress = {}, QString* keptAs = nullptr);

} // namespace serverbackup
