#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// The files a backup folder holds: every backup under a name with its date and time
// ("data-2026-12-09_184200.mdb"), and the newest also under the plain name ("data.mdb",
// "data.dump") that a restore looks for first.
namespace backupfiles {

// folder/data-yyyy-MM-dd_HHmmss.<suffix>.
QString datedFileIn(const QString& folder, const QString& suffix, const QDateTime& at);
// True for a name datedFileIn() gives (any folder, that suffix).
bool isDatedName(const QString& fileName, const QString& suffix);

// Copies the finished backup `dated` to `latest` in one step (a reader never sees half a file).
// Empty text on success, else what went wrong.
QString publishLatest(const QString& dated, const QString& latest);

// Removes the oldest dated backups of this suffix in the folder so that the newest `keep` stay; files
// of any other name are left alone. Returns the files removed.
QStringList keepNewest(const QString& folder, const QString& suffix, int keep);

// Where backups go unless the user chooses another folder: "Brivane backups" in the documents folder.
QString defaultFolder();

} // namespace backupfiles
