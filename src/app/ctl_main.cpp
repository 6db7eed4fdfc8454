// brivane-ctl: the program's logic without a screen, for installers, scripts and integrations.
#include "app/AllScreens.h"
#include "app/Program.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ConnectionFiles.h"
#include "core/Database.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Dialogs.h"
#include "ui/SoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// Messages go to standard error; questions are answered No; nothing waits for a person.
class ConsoleDialogs : public Dialogs
{
public:
    explicit ConsoleDialogs(QTextStream& err) : m_err(err) {}
    Answer message(const QString& text, Buttons buttons, Icon, const QString&, QWidget*) override
    {
        m_err << text << Qt::endl;
        return buttons == Buttons::Ok ? Answer::Ok
                                      : (buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No);
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&, QWidget*) override
    {
        return std::nullopt;
    }
    QString openFileName(const QString&, const QString&, const QString&, QWidget*) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, QWidget*) override { return {}; }
    QString folder(const QString&, const QString&, QWidget*) override { return {}; }
    std::optional<QColor> color(const QColor&, QWidget*) override { return std::nullopt; }
    std::optional<QFont> font(const QFont&, QWidget*) override { return std::nullopt; }
    std::optional<QString> printer(QWidget*) override { return std::nullopt; }

private:
    QTextStream& m_err;
};

class NoSound : public SoundPlayer
{
public:
    void playToEnd(const QString&) override {}
};

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
    Database& db = program.db;
    Session& session = program.session;
    Settings& settings = program.settings;
    const CommandRegistry& commands = program.commands;

    if (!pathFile.isEmpty()) {
        // The path.txt of that folder is read (and written by connect); its embedded database lies beside it.
        ctx.where.config = ctx.where.data = QFileInfo(pathFile).absolutePath();
    }

    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("help")) {
        usage(args.isEmpty() ? err : out, commands);
        return args.isEmpty() ? 2 : 0;
    }
    const CommandRegistry::Command* command = commands.find(args.first());
    if (!command) {
        err << "unknown command: " << args.first() << Qt::endl;
        usage(err, commands);
        return 2;
    }
    args.removeFirst();

    try {
        if (!command->needsDatabase) {
        } else if (!dbFile.isEmpty()) {
            db.openSqlite(QFileInfo(dbFile).absoluteFilePath());
        } else {
            const QString error = connectionFiles::readPathFile(ctx.configDir(), session.connection);
            if (!error.isEmpty()) {
                err << error << Qt::endl;
                return 1;
            }
            ConnectionValues values = session.connection;
            values.passwordAuthentication =
                settings.get(QStringLiteral("Queue"), QStringLiteral("Sql"), QStringLiteral("aut"),
                             QStringLiteral("SQL Authentication")) == QLatin1String("SQL Authentication");
            db.open(values, ctx.dataDir());
        }
        return command->run(ctx, args, out, err);
    } catch (const DbError& e) {
        err << e.description() << Qt::endl;
        return 1;
    }
}
