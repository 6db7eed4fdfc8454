#pragma once

#include <QString>
#include <QStringList>

// A backup holds the hall, never the visitors' phone numbers (brivane_phone): they live only as long
// as their tickets wait, and a backup is kept for weeks. The table itself is in the backup, empty.
namespace backupprivacy {

// Empties the tables of personal data in a copy of an embedded database, leaving nothing of their rows
// in the file. Empty text on success, else what went wrong (the copy must not be kept then).
QString emptyPersonalTables(const QString& sqliteCopy);

// The pg_dump arguments that leave the rows of those tables out of a dump.
QStringList dumpExclusions();

} // namespace backupprivacy
