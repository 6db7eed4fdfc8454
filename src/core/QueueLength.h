#pragma once

#include <QString>

class Database;

// How many walk-ins wait in each service's queue of a day, kept by the PostgreSQL server itself in
// brivane_waiting as tickets are issued, called, moved and deleted (triggers on tblTicket), so that an
// issue tells the people ahead in one look instead of counting the whole queue while it holds the
// service's number. SQLite halls, and servers whose owner has not opened the hall with this version,
// count the queue each time.
namespace queuelength {

// The condition of a ticket row (under the name `row`) that waits its turn in its service's queue.
QString waitingCondition(const QString& row);
// The condition of a ticket row that waits as a walk-in of its service, for any of its counters to
// take (no emergency, appointment or token handed to a counter). Their number is kept beside the
// queue's length (`walkins`), for the counters' "Total Pending".
QString walkInCondition(const QString& row);

// The routine that gives the people waiting ahead of number N in a service's queue of a day:
// (service bigint, day text, number bigint) returns bigint. Workstations of the version before the
// issue routine below run it after the number routine; it is kept for them.
QString aheadRoutineName();

// The routine an issue runs on PostgreSQL, with the owner's rights: (service bigint, day text, wanted
// bigint, waits boolean, walkin boolean) returns the number taken (`no`, null when none may be: the
// service is gone or the number passes its end) and the people waiting ahead of it (`ahead`). It takes
// the service's lock, numbers like the kiosk's read of the next number (`wanted` null) or from the
// number asked for, and counts a ticket that will wait (`waits`) into its queue itself, and among its
// walk-ins when it is one (`walkin`); the ticket must then be inserted in the same transaction, or the
// count is rolled back with it. It is made with the triggers, so a hall that has it counts every other
// insert by the trigger and this one once.
QString issueRoutineName();
// Its name with its argument types, as grants name it.
QString issueRoutine();

// Opens of the owner on PostgreSQL: the table, its triggers and the routine; when the triggers are
// made (or made again) the queues are counted afresh from the tickets, while no ticket changes. A
// login that may not make them changes nothing, and the issue counts the queue itself.
void ensure(Database& db);

// Whether the table and its triggers are in place and may be trusted.
bool present(Database& db);

// The trigger that adds each waiting ticket issued to its queue.
QString issuedTriggerName();

// The tables to drop with the hall's.
QString tableName();

} // namespace queuelength
