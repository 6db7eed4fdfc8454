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

// The routine that gives the people waiting ahead of number N in a service's queue of a day, with the
// same signature as the numbering routine: (service bigint, day text, number bigint) returns bigint.
// Each of its looks sees what was committed when it runs, so called after the service's number was
// taken it counts every ticket committed before.
QString aheadRoutineName();

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
