#pragma once

#include <QString>

class Database;

// Handing a waiting token to another counter, and cancelling a counter's current token. Both only
// change the ticket row; no call row is written.
namespace tokenMoves {

enum class TransferResult {
    Transferred,
    NotWaiting, // another counter called or was given the token in the meantime; nothing changed
    NoTicket,   // no ticket has that key
};

// Directs the ticket to the target counter with a note, but only while no counter has it yet
// (not called, not directed). The token keeps its service, number and type.
TransferResult transferWaiting(Database& db, qint64 ticketKey, qint64 targetCounterId, const QString& note);

// Hands the token a counter is serving to the target counter: its finish time here is stamped and it
// waits in the target's queue. Only while it is still the called token of `fromCounterId`; false
// otherwise (nothing changed).
bool transferServed(Database& db, qint64 ticketKey, qint64 fromCounterId, qint64 targetCounterId,
                    const QString& note, const QString& finishedAt);

// Marks the ticket cancelled; `call` stays "1". False when no ticket has that key.
bool cancel(Database& db, qint64 ticketKey);

// "Service Name  : " and the service of the counter with that name, or "Not Found"; shown beside a
// chosen transfer target. A store failure is passed on.
QString serviceCaption(Database& db, const QString& counterName);

// What an operator is told when the token was taken before the transfer reached it.
QString notWaitingMessage(const QString& label);

} // namespace tokenMoves
