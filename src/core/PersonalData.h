#pragma once

#include <QDate>
#include <QString>

class Database;

// The one personal datum the hall keeps: a visitor's phone number for a text when the turn is near, in
// brivane_phone and nowhere else. It lives only as long as its ticket waits: the store erases it
// itself when the ticket is finished (called), cancelled or marked not arrived, or deleted, whoever
// does it (a trigger; on PostgreSQL its routine runs with the owner's rights, so a counter needs no
// right on the table), and what is left of an earlier day goes at the web server's day change and at
// any owner's open.
namespace personaldata {

// The table of the numbers.
QString phoneTable();

// Opens of the owner: the triggers that erase a number when its ticket ends. A hall without the table
// gets none; a login that may not make them changes nothing.
void ensureErasure(Database& db);

// Erases the numbers of tickets of days before `today` and of tickets that are gone. Returns how many;
// 0 where the hall has no numbers or this login may not erase them.
qint64 eraseEndedDays(Database& db, const QDate& today);

// An open of the owner (or of an office): what earlier days left is erased.
void eraseAtOpen(Database& db, const QDate& today);

} // namespace personaldata
