#pragma once

#include <QStringList>
#include <QVariantList>
#include <QVector>

class Clock;
class Database;

// The day's ticket lists of one counter, shared by the counter operator screen and the
// administrator call desk. Every row starts with the ticket key and the row's serial number
// (1, 2, ...) followed by the listed columns, ready to be added to a list grid. A store failure is
// passed on as DbError.
namespace counterLists {

// Tokens the counter called and did not cancel (nor mark as not arrived), newest first: token, called
// at, finished at.
QVector<QStringList> attended(Database& db, const QString& day, qint64 counterKey);

// Tokens the counter called and cancelled, newest first: token, called at, finished at.
QVector<QStringList> cancelled(Database& db, const QString& day, qint64 counterKey);

// Tokens the counter called and marked as not arrived (the visitor did not come), newest first: token,
// called at, issued at.
QVector<QStringList> notArrived(Database& db, const QString& day, qint64 counterKey);

// Tokens transferred to the counter and not called yet, oldest first: token, called at, status,
// appointment time (hh:mm), type letter.
QVector<QStringList> transferredWithTime(Database& db, const QString& day, qint64 counterKey);

// Tokens transferred to the counter and not called yet, oldest first: token, called at, status,
// transfer note.
QVector<QStringList> transferredWithNote(Database& db, const QString& day, qint64 counterKey);

// Tokens not called yet that the counter's Next can take (`takeable`, a condition on tblticket with
// its values), newest first: token, issue time followed by a space, minutes waited by the clock's
// time (read once the rows are in).
QVector<QStringList> pending(Database& db, const QString& day, const QString& takeable,
                             const QVariantList& values, const Clock& clock);

} // namespace counterLists
