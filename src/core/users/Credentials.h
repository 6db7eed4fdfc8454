#pragma once

#include <QString>
#include <optional>

class Database;

// Checking and changing the log-in passwords of tbluser (administrators) and tblCounter (counter
// operators). Passwords are stored as hashes; one still kept in clear is replaced by its hash at the
// first log-in that matches it. On PostgreSQL the hall's routines check them, so that no workstation
// reads a hash (see LoginRoutines.h); wrong tries make the name wait, on every workstation.
namespace users {

// Why a check found nothing: a try that came before the name's wait was over (the password was not
// looked at), or a wrong one; either way how long the name must now wait before its next try.
struct LoginRefusal
{
    bool tooEarly = false;
    qint64 waitMs = 0;
};

// The administrator's userAuto when name and password match a tbluser row; nothing otherwise.
std::optional<qint64> checkAdministrator(Database& db, const QString& name, const QString& password,
                                         LoginRefusal* refusal = nullptr);

struct CounterLogin
{
    qint64 cntAuto = 0;
    qint64 servAuto = 0;
    QString countNameA;
    QString displayNameA;
};
// The counter row when counter name, user name and password match; nothing otherwise.
std::optional<CounterLogin> checkCounter(Database& db, const QString& counter, const QString& user,
                                         const QString& password, LoginRefusal* refusal = nullptr);

// Sets a new password when the old one matches; false when it does not (or the row is gone, or the
// name must wait after wrong tries).
bool changeAdminPassword(Database& db, qint64 userAuto, const QString& oldPassword,
                         const QString& newPassword, LoginRefusal* refusal = nullptr);
bool changeCounterPassword(Database& db, qint64 cntAuto, const QString& oldPassword,
                           const QString& newPassword, LoginRefusal* refusal = nullptr);

} // namespace users
