#pragma once

#include "core/Database.h"

#include <QString>

// path.txt and code.txt in the machine's configuration folder (the installation folder of a run from one
// folder). Both are read as items separated by commas or line ends, each with surrounding spaces and
// enclosing double quotes removed; the last item counts.
namespace connectionFiles {

// The last item of the text, as the files are read.
QString lastItem(const QString& content);

// Reads path.txt into the four connection values and the options of field 5 (sslmode=require). Fields are
// stored in order, so a line with too few fields keeps those before the failure. Returns the failure's
// description, empty on success.
QString readPathFile(const QString& configDir, ConnectionValues& values);
// The same for a connection file of any name and place.
QString readConnectionFile(const QString& file, ConnectionValues& values);

// Whether path.txt can hold the value: a comma, a semicolon, a line end or a double quote would split or
// change it when read back, and spaces at either end are dropped.
bool storable(const QString& value);
// The first of the four values path.txt cannot hold, as a message; empty when all four can be written.
QString unwritableValue(const ConnectionValues& values);
// The one line of path.txt for these values: host;database;user;password;options
QString pathLine(const ConnectionValues& values);
// Writes the four connection values to configDir/path.txt, so they hold at the next start. The file is
// readable by its owner only (a looser one is tightened), or also by the group brivane of an installed
// program. Returns the failure's description, empty on success.
QString writePathFile(const QString& configDir, const ConnectionValues& values);
// The same for a connection file of any name and place.
QString writeConnectionFile(const QString& path, const ConnectionValues& values);

// Reads code.txt; an empty kept item gives the code 7394. On failure returns false with the
// description in error.
bool readExitCode(const QString& configDir, QString& code, QString& error);

constexpr const char* defaultExitCode = "7394";

} // namespace connectionFiles
