#include "core/CoreScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ConsolePassword.h"
#include "core/Database.h"
#include "core/DemoData.h"
#include "core/FirstAdministrator.h"
#include "core/ScreenRegistry.h"
#include "core/frmSql.h"

namespace {

int initCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool hasPassword = args.contains(QStringLiteral("--password"));
    const QString name = takeOption(args, QStringLiteral("--admin"));
    QString password = takeOption(args, QStringLiteral("--password"));
    if (name.isEmpty() || !args.isEmpty()) {
        err << "usage: brivane-ctl init --admin NAME [--password PW]" << Qt::endl;
        return 2;
    }
    if (!hasPassword) {
        password = readPasswordFromTerminal(QStringLiteral("Password for %1: ").arg(name), out);
        const QString again = readPasswordFromTerminal(QStringLiteral("Repeat the password: "), out);
        if (password != again) {
            err << "The passwords differ" << Qt::endl;
            return 1;
        }
    }
    if (password.isEmpty()) {
        err << "The administrator needs a password" << Qt::endl;
        return 1;
    }
    // Only a hall without an administrator gets one here; the others are added on the User List screen
    // by an administrator who has logged in.
    const QString error = createFirstAdministrator(ctx.db, name, password, password);
    if (!error.isEmpty()) {
        err << (error.startsWith(QLatin1String("An administrator exists"))
                    ? QStringLiteral("The hall already has an administrator; nothing was changed. Further "
                                     "administrators are added on the User List screen.")
                    : error)
            << Qt::endl;
        return 1;
    }
    out << "Administrator " << name << " created in " << ctx.db.description() << Qt::endl;
    return 0;
}

int demoCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (!args.isEmpty()) {
        err << "usage: brivane-ctl demo" << Qt::endl;
        return 2;
    }
    if (!demo::loadDemoHall(ctx.db, ctx.installDir)) {
        err << "The database already holds a hall; the demo was not loaded" << Qt::endl;
        return 1;
    }
    if (ctx.db.query(QStringLiteral("select userAuto from tbluser where username=?"), {demo::adminName})
            .isEmpty())
        demo::createAdministrator(ctx.db, demo::adminName, demo::adminPassword);
    out << "Demo hall loaded. Administrator: " << demo::adminName << " / " << demo::adminPassword
        << "; counters: Counter 1 .. Counter 7 with operators op1 .. op7, password " << demo::operatorPassword
        << Qt::endl;
    return 0;
}

} // namespace

void registerCore(ScreenRegistry& screens, CommandRegistry& commands)
{
    screens.add(QStringLiteral("connect"), std::nullopt, [](AppContext& ctx) { return new frmSql(ctx); });
    commands.add(QStringLiteral("init"), QStringLiteral("init --admin NAME [--password PW]"), initCommand);
    commands.add(QStringLiteral("demo"), QStringLiteral("demo"), demoCommand);
}
