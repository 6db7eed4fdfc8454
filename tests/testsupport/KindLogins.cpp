#include "testsupport/KindLogins.h"

#include "app/AllScreens.h"

KindLogins::KindLogins(TestEnv& env) : m_env(env)
{
    if (!env.db.isPostgres())
        return;
    m_database = env.db.query(QStringLiteral("select current_database()")).text(0, 0);
    m_available =
        env.db.query(QStringLiteral("select rolcreaterole from pg_roles where rolname = current_user"))
            .text(0, 0) == QLatin1String("true");
}

KindLogins::~KindLogins()
{
    m_open.clear();
}

QString KindLogins::makeLogin(const QString& suffix)
{
    const QString login = m_database + QStringLiteral("_t_") + suffix;
    m_env.db.exec(QStringLiteral("drop role if exists %1").arg(login));
    m_env.db.exec(QStringLiteral("create role %1 login password '%2'").arg(login, QLatin1String(password)));
    return login;
}

Database& KindLogins::workstation(kinds::Kind kind)
{
    const QString login = makeLogin(kinds::name(kind));
    EXPECT_EQ(kinds::grantKind(m_env.db, kind, login), QString());
    return connectAs(login);
}

std::unique_ptr<Database> KindLogins::open(kinds::Kind kind, const QString& suffix)
{
    const QString login = makeLogin(kinds::name(kind) + suffix);
    if (!kinds::grantKind(m_env.db, kind, login).isEmpty())
        return nullptr;
    return openAs(login);
}

Database& KindLogins::connectAs(const QString& login)
{
    m_open.push_back(openAs(login));
    return *m_open.back();
}

std::unique_ptr<Database> KindLogins::openAs(const QString& login) const
{
    ConnectionValues values;
    pgServerFromEnvironment(values);
    values.database = m_database;
    values.user = login;
    values.password = QLatin1String(password);
    auto db = std::make_unique<Database>();
    db->open(values, m_env.dir.path(), Database::Creation::Refused);
    return db;
}

WorkstationProgram::WorkstationProgram(TestEnv& env, Database& db)
{
    // The program opens again what its connection file names: that workstation's login.
    const ResultSet who = db.query(QStringLiteral("select current_user, current_database()"));
    if (db.isPostgres() && who.text(0, 0) != env.session.connection.user) {
        pgServerFromEnvironment(env.session.connection);
        env.session.connection.user = who.text(0, 0);
        env.session.connection.database = who.text(0, 1);
        env.session.connection.password = QLatin1String(KindLogins::password);
    }
    ctx = std::make_unique<AppContext>(AppContext{db,
                                                  env.settings(),
                                                  env.session,
                                                  env.clock,
                                                  env.dialogs,
                                                  env.launcher,
                                                  env.sound,
                                                  env.printers,
                                                  env.hotKeys,
                                                  screens,
                                                  env.dir.path(),
                                                  {},
                                                  &env.media});
    ctx->endProgram = [this] {
        ended = true;
        screens.closeAll();
    };
    screens.setContext(ctx.get());
    registerAll(screens, commands);
}

WorkstationProgram::~WorkstationProgram()
{
    screens.closeAll();
}
