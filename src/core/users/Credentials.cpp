#include "core/users/Credentials.h"

#include "core/Database.h"
#include "core/PasswordHash.h"
#include "core/users/LocalLoginTries.h"
#include "core/users/LoginRoutines.h"

#include <QStringList>

namespace users {

namespace {

// Where a name's passwords are kept: an administrator's in tbluser, a counter operator's in the
// tblCounter rows of that counter.
struct Realm
{
    bool counterRealm = false;
    QString counter;
    QString name;
    bool isCounter() const { return counterRealm; }
    QVariant counterValue() const { return counterRealm ? QVariant(counter) : QVariant(); }
    // The routines' first two arguments: the counter (null for administrators) and the name.
    QString nameArguments() const
    {
        return counterRealm ? QStringLiteral("coalesce(cast(? as text), ''), coalesce(cast(? as text), '')")
                            : QStringLiteral("cast(? as text), coalesce(cast(? as text), '')");
    }
    QString tries() const { return isCounter() ? QStringLiteral("counter") : QStringLiteral("user"); }
    QString table() const { return isCounter() ? QStringLiteral("tblCounter") : QStringLiteral("tbluser"); }
    QString keyColumn() const { return isCounter() ? QStringLiteral("cntAuto") : QStringLiteral("userAuto"); }
    QString passColumn() const { return isCounter() ? QStringLiteral("pass") : QStringLiteral("password"); }
};

// A text[] value as PostgreSQL reads it.
QString textArray(const QStringList& values)
{
    QStringList quoted;
    for (QString v : values) {
        v.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        v.replace(QLatin1Char('"'), QLatin1String("\\\""));
        quoted.append(QLatin1Char('"') + v + QLatin1Char('"'));
    }
    return QLatin1Char('{') + quoted.join(QLatin1Char(',')) + QLatin1Char('}');
}

// The password as each of the name's stored settings turns it into a hash ("" asks for the password
// itself, kept in clear by an older version); `fresh` gets a new hash when a clear or outdated one
// would be replaced.
QStringList proofs(Database& db, const Realm& realm, const QString& typed, QString* fresh)
{
    const ResultSet rs =
        db.query(QStringLiteral("select * from brivane_login_settings(%1)").arg(realm.nameArguments()),
                 {realm.counterValue(), realm.name});
    QStringList out;
    bool replace = false;
    for (int i = 0; i < rs.size(); ++i) {
        const QString setting = rs.text(i, 0);
        if (setting.isEmpty()) {
            out.append(typed);
            replace = true;
            continue;
        }
        const QString proof = passwords::hashWithSetting(setting, typed);
        if (proof.isEmpty())
            continue;
        out.append(proof);
        replace = replace || passwords::needsRehash(proof);
    }
    if (fresh)
        *fresh = replace ? passwords::hash(typed) : QString();
    return out;
}

std::optional<qint64> checkOnServer(Database& db, const Realm& realm, const QString& typed,
                                    LoginRefusal& refusal)
{
    QString fresh;
    const QStringList given = proofs(db, realm, typed, &fresh);
    const ResultSet rs = db.query(
        QStringLiteral("select id, wait_ms, too_early from brivane_login_check(%1, cast(? as text[]), "
                       "cast(? as text), cast(? as bigint))")
            .arg(realm.nameArguments()),
        {realm.counterValue(), realm.name, textArray(given), fresh.isEmpty() ? QVariant() : QVariant(fresh),
         QVariant()});
    if (rs.isEmpty())
        return std::nullopt;
    refusal.waitMs = rs.number(0, 1);
    refusal.tooEarly = rs.text(0, 2) == QLatin1String("true");
    if (rs.isNull(0, 0))
        return std::nullopt;
    return rs.number(0, 0);
}

// Replaces a password kept in clear (or hashed with older parameters) by a new hash, unless another
// workstation changed it meanwhile.
void upgrade(Database& db, const Realm& realm, qint64 key, const QString& stored, const QString& typed)
{
    if (!passwords::needsRehash(stored))
        return;
    try {
        db.exec(QStringLiteral("update %1 set %2=? where %3=? and coalesce(%2,'')=?")
                    .arg(realm.table(), realm.passColumn(), realm.keyColumn()),
                {passwords::hash(typed), key, stored});
        logins::markHashed(db);
    } catch (const DbError&) {
        // The log-in stands; the password is hashed at a later one.
    }
}

// The program's own check, where it may read the hashes (SQLite, or no routines on the server).
std::optional<qint64> checkHere(Database& db, const Realm& realm, const QString& typed, LoginRefusal& refusal,
                                std::optional<qint64> onlyKey = std::nullopt)
{
    refusal.waitMs = logins::localWait(db, realm.tries(), realm.name);
    if (refusal.waitMs > 0) {
        refusal.tooEarly = true;
        return std::nullopt;
    }
    const bool onlyHashes = logins::allHashed(db);
    const QString where =
        realm.isCounter() ? QStringLiteral("contName=? and username=?") : QStringLiteral("username=?");
    QVariantList values;
    if (realm.isCounter())
        values << realm.counter;
    values << realm.name;
    const ResultSet rs = db.query(QStringLiteral("select %1, coalesce(%2,'') from %3 where %4 order by %1")
                                      .arg(realm.keyColumn(), realm.passColumn(), realm.table(), where),
                                  values);
    for (int i = 0; i < rs.size(); ++i) {
        const QString stored = rs.text(i, 1);
        if ((onlyKey && rs.number(i, 0) != *onlyKey) || (onlyHashes && !passwords::isHash(stored)) ||
            !passwords::matches(stored, typed))
            continue;
        logins::localTried(db, realm.tries(), realm.name, true);
        upgrade(db, realm, rs.number(i, 0), stored, typed);
        return rs.number(i, 0);
    }
    refusal.waitMs = logins::localTried(db, realm.tries(), realm.name, false);
    return std::nullopt;
}

std::optional<qint64> check(Database& db, const Realm& realm, const QString& typed, LoginRefusal* refusal)
{
    LoginRefusal own;
    LoginRefusal& r = refusal ? *refusal : own;
    r = LoginRefusal();
    return logins::checkedOnServer(db) ? checkOnServer(db, realm, typed, r) : checkHere(db, realm, typed, r);
}

// Sets the new password's hash when the old password matches the row's.
bool change(Database& db, const Realm& realm, qint64 key, const QString& oldPassword,
            const QString& newPassword, LoginRefusal* told)
{
    LoginRefusal own;
    LoginRefusal& refusal = told ? *told : own;
    refusal = LoginRefusal();
    if (logins::checkedOnServer(db)) {
        const ResultSet rs = db.query(
            QStringLiteral(
                "select changed, wait_ms, too_early from brivane_password_change(%1, cast(? as bigint), "
                "cast(? as text[]), cast(? as text))")
                .arg(realm.nameArguments()),
            {realm.counterValue(), realm.name, key, textArray(proofs(db, realm, oldPassword, nullptr)),
             passwords::hash(newPassword)});
        if (rs.isEmpty())
            return false;
        refusal.waitMs = rs.number(0, 1);
        refusal.tooEarly = rs.text(0, 2) == QLatin1String("true");
        return rs.text(0, 0) == QLatin1String("true");
    }
    if (!checkHere(db, realm, oldPassword, refusal, key))
        return false;
    // Only if nobody changed it since it was checked: read again, and written only while it is so.
    const ResultSet rs = db.query(QStringLiteral("select coalesce(%1,'') from %2 where %3=?")
                                      .arg(realm.passColumn(), realm.table(), realm.keyColumn()),
                                  {key});
    if (rs.isEmpty() || !passwords::matches(rs.text(0, 0), oldPassword))
        return false;
    return db.exec(QStringLiteral("update %1 set %2=? where %3=? and coalesce(%2,'')=?")
                       .arg(realm.table(), realm.passColumn(), realm.keyColumn()),
                   {passwords::hash(newPassword), key, rs.text(0, 0)}) > 0;
}

} // namespace

std::optional<qint64> checkAdministrator(Database& db, const QString& name, const QString& password,
                                         LoginRefusal* refusal)
{
    return check(db, Realm{false, QString(), name}, password, refusal);
}

std::optional<CounterLogin> checkCounter(Database& db, const QString& counter, const QString& user,
                                         const QString& password, LoginRefusal* refusal)
{
    const std::optional<qint64> key = check(db, Realm{true, counter, user}, password, refusal);
    if (!key)
        return std::nullopt;
    const ResultSet rs = db.query(
        QStringLiteral("select cntAuto,servAuto,countNameA,displayNameA from tblCounter where cntAuto=?"),
        {*key});
    if (rs.isEmpty())
        return std::nullopt;
    return CounterLogin{rs.number(0, 0), rs.number(0, 1), rs.text(0, 2), rs.text(0, 3)};
}

bool changeAdminPassword(Database& db, qint64 userAuto, const QString& oldPassword,
                         const QString& newPassword, LoginRefusal* refusal)
{
    const ResultSet rs =
        db.query(QStringLiteral("select username from tbluser where userAuto=?"), {userAuto});
    if (rs.isEmpty())
        return false;
    return change(db, Realm{false, QString(), rs.text(0, 0)}, userAuto, oldPassword, newPassword, refusal);
}

bool changeCounterPassword(Database& db, qint64 cntAuto, const QString& oldPassword,
                           const QString& newPassword, LoginRefusal* refusal)
{
    const ResultSet rs =
        db.query(QStringLiteral("select contName, username from tblCounter where cntAuto=?"), {cntAuto});
    if (rs.isEmpty())
        return false;
    return change(db, Realm{true, rs.text(0, 0), rs.text(0, 1)}, cntAuto, oldPassword, newPassword, refusal);
}

} // namespace users
