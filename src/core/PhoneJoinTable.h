#pragma once

#include <QString>

class Database;

// What the hall keeps to hold visitors who join a queue from their phones to their budget: one row per
// token taken from a phone, with the SHA-256 of the phone's cookie and of the address it came from, and
// the moment. Rows live only while they can still refuse a join: a day at most, an hour once the
// token no longer waits. Kept in the hall (not in the web server's memory) so that a restart of the web
// server, or a second one, does not open the budget again.
namespace phonejoin {

// The table's name.
QString tableName();

// Makes the table where it is missing (both stores). A login that may not create it (a workstation
// that does not own the hall) changes nothing: the owner's next open makes it.
void ensureTable(Database& db);

// Whether this hall has the table (a hall the owner has not opened since the table came has not).
bool tableExists(Database& db);

// A hall made again from nothing, or emptied of its rows.
void dropTable(Database& db);
void clearTable(Database& db);

} // namespace phonejoin
