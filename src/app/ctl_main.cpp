// brivane-ctl: the program's logic without a screen, for installers, scripts and integrations.
#include "app/ConsoleProgram.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"

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
    ConsoleProgram console(argc, argv);
    QTextStream& out = console.out;
    QTextStream& err = console.err;
    QStringList& args = console.args;
    Program& program = console.program();
    AppContext& ctx = console.ctx();
    const CommandRegistry& commands = program.commands;

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
        const QString error =
            openCommandLineDatabase(ctx, console.dbFile, console.pathFile,
                                    makesAHall ? Database::Creation::Allowed : Database::Creation::Refused);
        if (!error.isEmpty()) {
            err << error << Qt::endl;
            return 1;
        }
    }
    return runCommand(*command, ctx, args, out, err);
}
