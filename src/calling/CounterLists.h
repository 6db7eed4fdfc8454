#pragma once

#include <QStringList>
#include <QVector>

class Clock;
class Database;

// The day's ticket lists of one counter, shared by the counter operator screen and the
// administrator call desk. Every row starts with the ticket key and the row's serial number
// (1, 2, ...) followed by the listed columns, ready to be added to a list grid. A store failure is
// passed on as DbError.
namespace counterLists {

// Tokens the counter called and did not cancel, newest first: token, called at, finished at.
QVector<QStringList> attended(Database& db, const QString& day, qint64 counterKey);

// Tokens the counter called and cancelled, newest first: token, called at, finished at.
QVector<QStringList> cancelled(Database& db, const QString& day, qint64 counterKey);

// Tokens transferred to the counter and not called yet, oldest first: token, called at, status,
// appointment time (hh:mm), type letter.
QVector<QStringList> transferredWithTime(Database& db, const QString& day, qint64 counterKey);

// Tokens transferred to the counter and not called yet, oldest first: token, called at, status,
// transfer note.
QVector<QStringList> transferredWithNote(Database& db, const QString& day, qint64 counterKey);

// Tokens of the service not called yet, newest first: token, issue time followed by a space,
// minutes waited by the clock's time (read once the rows are in).
QVector<QStringList> pending(Database& db, const QString& day, qint64 serviceKey, const Clock& clock);

} // namespace counterLists
