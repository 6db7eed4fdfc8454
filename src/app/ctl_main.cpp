// brivane-ctl: the program's logic without a screen, for installers, scripts and integrations.
#include "app/AllScreens.h"
#include "app/ConsoleServices.h"
#include "app/Program.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "ui/Dialogs.h"
#include "ui/SoundPlayer.h"

#include <QApplication>
#include <QTextStream>

namespace {

void usage(QTextStream& err, const CommandRegistry& commands)
{
    err << "usage: brivane-ctl [--db FILE | --path-file FILE] COMMAND [ARGS]" << Qt::endl
        << "commands:" << Qt::endl;
    for (const CommandRegistry::Command& c : commands.all())
        err << "  " << c.usage << Qt::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    prepareRuntimeDir();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivane"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    const QString dbFile = takeOption(args, QStringLiteral("--db"));
    const QString pathFile = takeOption(args, QStringLiteral("--path-file"));

    ConsoleDialogs dialogs(err);
    NoSound sound;
    Program program(dialogs, sound);
    AppContext& ctx = program.ctx;
    ctx.endProgram = [] {};
    const CommandRegistry& commands = program.commands;

    useConnectionFile(ctx, pathFile); // read, and written by connect

    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("help")) {
        usage(args.isEmpty() ? err : out, commands);
        return args.isEmpty() ? 2 : 0;
    }
    // A command of two words ("report estimates") comes before the one of its first word.
    const CommandRegistry::Command* command =
        args.size() > 1 ? commands.find(args.at(0) + QLatin1Char(' ') + args.at(1)) : nullptr;
    if (command)
        args.removeFirst();
    else
        command = commands.find(args.first());
    if (!command) {
        err << "unknown command: " << args.first() << Qt::endl;
        usage(err, commands);
        return 2;
    }
    args.removeFirst();

    if (command->needsDatabase) {
        // Only the commands that make a hall may create its database.
        const bool makesAHall =
            command->name == QLatin1String("init") || command->name == QLatin1String("demo");
        const QString error = openCommandLineDatabase(
            ctx, dbFile, pathFile, makesAHall ? Database::Creation::Allowed : Database::Creation::Refused);
        if (!error.isEmpty()) {
            err << error << Qt::endl;
            return 1;
        }
    }
    try {
        return command->run(ctx, args, out, err);
    } catch (const DbError& e) {
        err << e.description() << Qt::endl;
        return 1;
    }
}
