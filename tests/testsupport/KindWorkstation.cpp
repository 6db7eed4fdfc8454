#include "testsupport/KindWorkstation.h"

#include "testsupport/TestEnv.h"

namespace {
QString loginPrefix(TestEnv& env)
{
    return env.db.query(QStringLiteral("select current_database()")).text(0, 0) + QStringLiteral("_w_");
}
} // namespace

std::unique_ptr<Database> kindWorkstation(TestEnv& env, kinds::Kind kind, const QString& suffix)
{
    if (env.db.query(QStringLiteral("select rolcreaterole from pg_roles where rolname = current_user"))
            .text(0, 0) != QLatin1String("true"))
        return nullptr;
    const QString database = env.db.query(QStringLiteral("select current_database()")).text(0, 0);
    const QString login = loginPrefix(env) + kinds::name(kind) + suffix;
    const QString password = QStringLiteral("kind-pw");
    env.db.exec(QStringLiteral("drop role if exists %1").arg(login));
    env.db.exec(QStringLiteral("create role %1 login password '%2'").arg(login, password));
    if (!kinds::grantKind(env.db, kind, login).isEmpty())
        return nullptr;
    ConnectionValues values;
    pgServerFromEnvironment(values);
    values.database = database;
    values.user = login;
    values.password = password;
    auto db = std::make_unique<Database>();
    db->open(values, env.dir.path(), Database::Creation::Refused);
    return db;
}

void dropKindWorkstations(TestEnv& env)
{
    const ResultSet rs = env.db.query(
        QStringLiteral("select rolname from pg_roles where starts_with(rolname, ?)"), {loginPrefix(env)});
    for (int i = 0; i < rs.size(); ++i)
        env.db.exec(QStringLiteral("drop role if exists %1").arg(rs.text(i, 0)));
}
