#pragma once

#include <QHash>
#include <QStringList>

// A database whose tables were prepared by another tool or by hand, before this program first opened
// it: its tables are taken as they are when they hold everything the program reads and writes.
namespace schema {

// The tables found in a database, by lower-case name, each with its column names in order.
using FoundTables = QHash<QString, QStringList>;

// What keeps the found tables from being used as they are: a missing table, a positional column out of
// its place, a by-name column that is not there. Empty when none of the tables is missing anything.
QStringList missingParts(const FoundTables& found);

// True when none of the program's tables is there: the schema is then simply created.
bool noneFound(const FoundTables& found);

} // namespace schema
