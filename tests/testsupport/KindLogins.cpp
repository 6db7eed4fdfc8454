#include "testsupport/KindLogins.h"

#include "testsupport/TestEnv.h"

namespace {

const QString loginPassword = QStringLiteral("kind-login-pw");

} // namespace

KindLogins::KindLogins(TestEnv& env) : m_env(env)
{
    if (!env.db.isPostgres())
        return;
    m_database = env.db.query(QStringLiteral("select current_database()")).text(0, 0);
    m_possible =
        env.db.query(QStringLiteral("select rolcreaterole from pg_roles where rolname = current_user"))
            .text(0, 0) == QLatin1String("true");
}

KindLogins::~KindLogins()
{
    m_connections.clear();
    for (const QString& login : m_logins) {
        try {
            m_env.db.exec(QStringLiteral("drop role if exists %1").arg(login));
        } catch (const DbError&) {
        }
    }
}

Database& KindLogins::workstation(kinds::Kind kind)
{
    const QString login = m_database + QStringLiteral("_w_") + kinds::name(kind);
    if (!m_logins.contains(login)) {
        m_env.db.exec(QStringLiteral("drop role if exists %1").arg(login));
        m_env.db.exec(QStringLiteral("create role %1 login password '%2'").arg(login, loginPassword));
        const QString refused = kinds::grantKind(m_env.db, kind, login);
        if (!refused.isEmpty())
            throw DbError(refused);
        m_logins.append(login);
    }
    ConnectionValues values;
    pgServerFromEnvironment(values);
    values.database = m_database;
    values.user = login;
    values.password = loginPassword;
    auto db = std::make_unique<Database>();
    db->open(values, m_env.dir.path(), Database::Creation::Refused);
    m_connections.push_back(std::move(db));
    return *m_connections.back();
}
