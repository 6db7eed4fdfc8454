// voice: the hall announcer. Speaks every call this workstation's display board shows.
#include "app/AllScreens.h"
#include "core/Settings.h"
#include "display/voice/VoiceProgram.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    prepareRuntimeDir();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brivane"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    VoiceProgram voice(installationFolder(), Settings::defaultFile(), out, err);
    if (const auto exitCode = voice.start(QCoreApplication::arguments().mid(1)))
        return *exitCode;
    return app.exec();
}
