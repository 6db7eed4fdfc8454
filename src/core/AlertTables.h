#pragma once

#include <QStringList>

class Database;

// The tables of the visitors' near-turn alerts, kept apart from the program's own tables so that a hall
// made by an older version opens as before: brivane_alert holds what a visitor asked for and when it
// fired (no personal data), brivane_phone the number a text message goes to, the only personal datum,
// each keyed by the token (tblTicket.tickAuto).
//
// brivane_alert: lead '5', '10', '15' (minutes before the turn) or 'next' (nobody ahead); asked, the
// program clock's 'yyyy-MM-dd HH:mm:ss' of the choice; fired, when it fired ('' until then), with the
// estimated minutes left (firedwait) and the people ahead (firedahead) at that moment; sms '' (no text
// asked), 'due' (fired, a text to send), 'sent' or 'failed', smsat when it was sent or failed. An alert
// whose token was called before it fired is moot: fired stays '' and firedwait and firedahead are -1.
namespace alerttables {

// brivane_alert, brivane_phone
const QStringList& names();

// At each open: makes the tables where they are missing. A login that may not create them (a
// workstation of a kind, or a read-only file) changes nothing and works on without them.
void ensure(Database& db);

// Whether both tables are there for this connection to use.
bool present(Database& db);

// A hall made again from nothing, or emptied of its rows: the alerts go with its tokens.
void dropTables(Database& db);
void clear(Database& db);

} // namespace alerttables
