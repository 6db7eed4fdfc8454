#include "app/AllScreens.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/frmSplash.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/HotKeys.h"
#include "ui/PrintSurface.h"
#include "ui/ProgramLauncher.h"
#include "ui/SoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    prepareRuntimeDir();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivane"));
    QApplication::setApplicationVersion(QStringLiteral(BRIVANE_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    Database db;
    Settings settings;
    Session session;
    SystemClock clock;
    QtDialogs dialogs;
    SystemProgramLauncher launcher;
    SystemSoundPlayer sound;
    auto printers = createSystemPrinters();
    auto hotKeys = createSystemHotKeys();
    ScreenRegistry screens;
    CommandRegistry commands;
    AppContext ctx{db,
                   settings,
                   session,
                   clock,
                   dialogs,
                   launcher,
                   sound,
                   *printers,
                   *hotKeys,
                   screens,
                   installationFolder(),
                   {}};
    ctx.endProgram = [&] {
        screens.closeAll();
        QCoreApplication::exit(0);
    };
    screens.setContext(&ctx);
    registerAll(screens, commands);

    auto* splash = new frmSplash(ctx);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    const int rc = app.exec();
    hotKeys->releaseAll();
    return rc;
}
