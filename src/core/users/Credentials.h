#pragma once

#include <QString>
#include <optional>

class Database;

// Checking and changing the log-in passwords of tbluser (administrators) and tblCounter (counter
// operators). Passwords are stored as hashes; one still kept in clear is replaced by its hash at the
// first log-in that matches it.
namespace users {

// The administrator's userAuto when name and password match a tbluser row; nothing otherwise.
std::optional<qint64> checkAdministrator(Database& db, const QString& name, const QString& password);

struct CounterLogin
{
    qint64 cntAuto = 0;
    qint64 servAuto = 0;
    QString countNameA;
    QString displayNameA;
};
// The counter row when counter name, user name and password match; nothing otherwise.
std::optional<CounterLogin> checkCounter(Database& db, const QString& counter, const QString& user,
                                         const QString& password);

// Sets a new password when the old one matches; false when it does not (or the row is gone).
bool changeAdminPassword(Database& db, qint64 userAuto, const QString& oldPassword,
                         const QString& newPassword);
bool changeCounterPassword(Database& db, qint64 cntAuto, const QString& oldPassword,
                           const QString& newPassword);

} // namespace users
