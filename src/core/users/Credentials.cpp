#include "core/users/Credentials.h"

#include "core/Database.h"
#include "core/PasswordHash.h"

namespace users {

namespace {

// Replaces a password kept in clear (or hashed with older parameters) by a new hash, unless another
// workstation changed it meanwhile.
void upgrade(Database& db, const QString& table, const QString& keyColumn, const QString& passColumn,
             qint64 key, const QString& stored, const QString& typed)
{
    if (!passwords::needsRehash(stored))
        return;
    try {
        db.exec(QStringLiteral("update %1 set %2=? where %3=? and coalesce(%2,'')=?")
                    .arg(table, passColumn, keyColumn),
                {passwords::hash(typed), key, stored});
    } catch (const DbError&) {
        // The log-in stands; the password is hashed at a later one.
    }
}

// Sets the new password's hash when the old password matches the row's.
bool change(Database& db, const QString& table, const QString& keyColumn, const QString& passColumn,
            qint64 key, const QString& oldPassword, const QString& newPassword)
{
    const ResultSet rs = db.query(
        QStringLiteral("select coalesce(%1,'') from %2 where %3=?").arg(passColumn, table, keyColumn), {key});
    if (rs.isEmpty() || !passwords::matches(rs.text(0, 0), oldPassword))
        return false;
    // Only if nobody changed it since it was read: the old password was checked against this value.
    return db.exec(QStringLiteral("update %1 set %2=? where %3=? and coalesce(%2,'')=?")
                       .arg(table, passColumn, keyColumn),
                   {passwords::hash(newPassword), key, rs.text(0, 0)}) > 0;
}

} // namespace

std::optional<qint64> checkAdministrator(Database& db, const QString& name, const QString& password)
{
    const ResultSet rs = db.query(
        QStringLiteral(
            "select userauto, coalesce(password,'') from tbluser where username=? order by userauto"),
        {name});
    for (int i = 0; i < rs.size(); ++i) {
        if (passwords::matches(rs.text(i, 1), password)) {
            upgrade(db, QStringLiteral("tbluser"), QStringLiteral("userAuto"), QStringLiteral("password"),
                    rs.number(i, 0), rs.text(i, 1), password);
            return rs.number(i, 0);
        }
    }
    return std::nullopt;
}

std::optional<CounterLogin> checkCounter(Database& db, const QString& counter, const QString& user,
                                         const QString& password)
{
    const ResultSet rs = db.query(
        QStringLiteral("select cntAuto,servAuto,countNameA,displayNameA,coalesce(pass,'') from tblCounter "
                       "where contName=? and username=? order by cntAuto"),
        {counter, user});
    for (int i = 0; i < rs.size(); ++i) {
        if (!passwords::matches(rs.text(i, 4), password))
            continue;
        upgrade(db, QStringLiteral("tblCounter"), QStringLiteral("cntAuto"), QStringLiteral("pass"),
                rs.number(i, 0), rs.text(i, 4), password);
        return CounterLogin{rs.number(i, 0), rs.number(i, 1), rs.text(i, 2), rs.text(i, 3)};
    }
    return std::nullopt;
}

bool changeAdminPassword(Database& db, qint64 userAuto, const QString& oldPassword,
                         const QString& newPassword)
{
    return change(db, QStringLiteral("tbluser"), QStringLiteral("userAuto"), QStringLiteral("password"),
                  userAuto, oldPassword, newPassword);
}

bool changeCounterPassword(Database& db, qint64 cntAuto, const QString& oldPassword,
                           const QString& newPassword)
{
    return change(db, QStringLiteral("tblcounter"), QStringLiteral("cntauto"), QStringLiteral("pass"),
                  cntAuto, oldPassword, newPassword);
}

} // namespace users
