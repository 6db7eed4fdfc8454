#include "core/InstallCommands.h"

#include "core/ConnectionFiles.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ConnectionOptions.h"
#include "core/ConsolePassword.h"
#include "core/GrantCommand.h"
#include "core/ServerAuthority.h"
#include "core/Settings.h"
#include "core/WorkstationConnect.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

int pathsCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (!args.isEmpty()) {
        err << "usage: brivane-ctl paths" << Qt::endl;
        return 2;
    }
    out << "resources\t" << ctx.installDir << Qt::endl
        << "config\t" << ctx.configDir() << Qt::endl
        << "data\t" << ctx.dataDir() << Qt::endl
        << "programs\t" << QFileInfo(ctx.programPath(QStringLiteral("voice"))).absolutePath() << Qt::endl;
    return 0;
}

int settingCommand(AppContext& ctx, const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != 3 && args.size() != 4) {
        err << "usage: brivane-ctl setting APPLICATION SECTION KEY [VALUE]" << Qt::endl;
        return 2;
    }
    if (args.size() == 4)
        ctx.settings.set(args.at(0), args.at(1), args.at(2), args.at(3));
    else
        out << ctx.settings.get(args.at(0), args.at(1), args.at(2)) << Qt::endl;
    return 0;
}

int connectCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool hasPassword = args.contains(QStringLiteral("--password"));
    ConnectionValues values;
    values.password = takeOption(args, QStringLiteral("--password"));
    const bool hasSslMode = args.contains(QStringLiteral("--sslmode"));
    const QString sslMode = takeOption(args, QStringLiteral("--sslmode"));
    const bool hasCa = args.contains(QStringLiteral("--ca"));
    const QString ca = takeOption(args, QStringLiteral("--ca"));
    if (args.size() != 3 || (hasCa && ca.isEmpty())) {
        err << "usage: brivane-ctl connect HOST[:PORT] DATABASE USER [--password PW] [--sslmode MODE] "
               "[--ca FILE]"
            << Qt::endl;
        return 2;
    }
    // The connection options of the file (sslmode, the authority) stay unless others are given; an
    // authority given alone means the server is checked against it (verify-full).
    ConnectionValues before;
    connectionFiles::readConnectionFile(ctx.connectionFile(), before);
    QString mode;
    try {
        mode = hasSslMode ? sslModeOf(QStringLiteral("sslmode=") + sslMode) : sslModeOf(before.options);
    } catch (const DbError& e) {
        err << e.description() << Qt::endl;
        return 2;
    }
    if (hasCa && !hasSslMode)
        mode = QStringLiteral("verify-full");
    // The authority is put in place before the connection is tried (the check needs it); should the
    // connection fail, the workstation's previous one is put back.
    std::optional<ServerAuthority> authority;
    if (hasCa) {
        authority.emplace(QFileInfo(ctx.connectionFile()).absolutePath());
        const QString refused = authority->install(ca);
        if (!refused.isEmpty()) {
            err << refused << Qt::endl;
            return 2;
        }
    }
    values.options = tlsOptions(mode, hasCa ? authority->file() : sslRootCertOf(before.options));
    values.host = args.at(0);
    values.database = args.at(1);
    values.user = args.at(2);
    values.passwordAuthentication =
        ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"),
                         QStringLiteral("SQL Authentication")) == QLatin1String("SQL Authentication");
    if (!hasPassword && values.passwordAuthentication)
        values.password = readPasswordFromTerminal(QStringLiteral("Password of %1: ").arg(values.user), out);

    const workstation::ConnectResult result = workstation::connect(values, ctx.connectionFile());
    if (result.failure != workstation::ConnectFailure::None) {
        if (authority)
            authority->undo();
        err << result.message << Qt::endl;
        return result.failure == workstation::ConnectFailure::BadValue ? 2 : 1;
    }
    if (authority)
        authority->keep(ctx.connectionFile());
    out << "Connected to " << values.database << " on " << values.host << "; "
        << QDir::toNativeSeparators(ctx.connectionFile()) << " written" << Qt::endl;
    return 0;
}

} // namespace

void registerInstallCommands(CommandRegistry& commands)
{
    commands.add(QStringLiteral("paths"), QStringLiteral("paths"), pathsCommand, false);
    commands.add(QStringLiteral("setting"), QStringLiteral("setting APPLICATION SECTION KEY [VALUE]"),
                 settingCommand, false);
    commands.add(
        QStringLiteral("connect"),
        QStringLiteral("connect HOST[:PORT] DATABASE USER [--password PW] [--sslmode MODE] [--ca FILE]"),
        connectCommand, false);
    registerGrantCommand(commands);
}
