#include "app/AllScreens.h"
#include "app/Program.h"
#include "core/LanguageSettings.h"
#include "core/Locations.h"
#include "core/frmSplash.h"
#include "display/BoardReceipts.h"
#include "display/voice/AnnouncerLink.h"
#include "ui/Clock.h"
#include "ui/Dialogs.h"
#include "ui/SoundPlayer.h"
#include "ui/Speech.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTextStream>
#include <memory>

int main(int argc, char* argv[])
{
    prepareRuntimeDir();
    readLocalZoneOnce();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brivane"));
    QApplication::setApplicationVersion(QStringLiteral(BRIVANE_VERSION));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);

    QtDialogs dialogs;
    SystemSoundPlayer sound;
    // Every call a display board of this program shows goes on to the hall announcer (voice).
    AnnouncerLink announcerLink(announcer::socketPath(locationsOfThisProgram().resources));
    CallBoardEngine::setDefaultShownCallSink(&announcerLink);
    // What the announcer spoke is recorded by the board that showed it.
    announcerLink.setSpokenHandler([](const announcer::Spoken& spoken) {
        BoardReceipts::spokenOn(spoken.screen, spoken.callAuto, spoken.stamp);
    });
    Program program(dialogs, sound);
    AppContext& ctx = program.ctx;
    // The windows speak the workstation's language (the machine's when none is set).
    languageSettings::apply(ctx.settings);
    // The kiosk speaks to visitors who cannot read its screen; with --print it writes each sentence to
    // standard output instead ("say en: ..."), as the announcer's --print does with its recordings.
    QTextStream out(stdout);
    std::unique_ptr<Speech> speech;
    if (QCoreApplication::arguments().contains(QStringLiteral("--print")))
        speech = std::make_unique<PrintedSpeech>(out);
    else
        speech = std::make_unique<SynthesizerSpeech>();
    ctx.speech = speech.get();
    ctx.endProgram = [&] {
        program.screens.closeAll();
        QCoreApplication::exit(0);
    };

    auto* splash = new frmSplash(ctx);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    const int rc = app.exec();
    program.hotKeys->releaseAll();
    return rc;
}
