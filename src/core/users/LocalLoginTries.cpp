#include "core/users/LocalLoginTries.h"

#include "core/Database.h"
#include "core/WrongTries.h"
#include "core/users/LoginRoutines.h"

#include <QDateTime>

namespace logins {

namespace {

qint64 nowMs(Database& db)
{
    if (db.isPostgres())
        return db.query(QStringLiteral("select cast(extract(epoch from clock_timestamp()) * 1000 as bigint)"))
            .number(0, 0);
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

qint64 localWait(Database& db, const QString& realm, const QString& name)
{
    try {
        const ResultSet rs =
            db.query(QStringLiteral("select until_ms from brivane_login_tries where realm=? and name=?"),
                     {realm, name});
        return rs.isEmpty() ? 0 : qMax<qint64>(0, rs.number(0, 0) - nowMs(db));
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        return 0;
    }
}

qint64 localTried(Database& db, const QString& realm, const QString& name, bool right)
{
    qint64 wait = 0;
    try {
        db.inTransaction([&] {
            if (right) {
                db.exec(QStringLiteral("delete from brivane_login_tries where realm=? and name=?"),
                        {realm, name});
                return;
            }
            const qint64 now = nowMs(db);
            const ResultSet rs =
                db.query(QStringLiteral("select failures from brivane_login_tries where realm=? and name=?"),
                         {realm, name});
            const int failures = (rs.isEmpty() ? 0 : int(rs.number(0, 0))) + 1;
            wait = WrongTries::waitAfter(failures);
            db.exec(
                QStringLiteral("delete from brivane_login_tries where (realm=? and name=?) or until_ms < ?"),
                {realm, name, now - 86400000});
            db.exec(QStringLiteral(
                        "insert into brivane_login_tries (realm, name, failures, until_ms) values (?,?,?,?)"),
                    {realm, name, failures, now + wait});
        });
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        return 0;
    }
    return wait;
}

bool allHashed(Database& db)
{
    try {
        const ResultSet rs = db.query(QStringLiteral("select max(hashed) from brivane_login_state"));
        return !rs.isEmpty() && rs.number(0, 0) == 1;
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
        return false;
    }
}

void markHashed(Database& db)
{
    try {
        db.exec(markHashedSql());
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
    }
}

} // namespace logins
