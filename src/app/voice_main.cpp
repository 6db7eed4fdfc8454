// voice: the hall announcer. Speaks every call this workstation's display board shows.
#include "app/AllScreens.h"
#include "core/Locations.h"
#include "core/Settings.h"
#include "display/voice/VoiceProgram.h"
#include "ui/Clock.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &c, 1);
}

// A stop request (log-out, shutdown, kill) ends the event loop, so the socket and the lock file are
// removed on the way out.
void quitOnStopSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

// "--parent PID": the program that started this announcer. When it ends (however it ends), the
// announcer ends too, instead of speaking on for nobody.
void endWithParent(QCoreApplication& app, QStringList& arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--parent"));
    if (at < 0 || at + 1 >= arguments.size())
        return;
    const pid_t parent = pid_t(arguments.at(at + 1).toLongLong());
    arguments.remove(at, 2);
    if (parent <= 0)
        return;
    auto* watch = new QTimer(&app);
    QObject::connect(watch, &QTimer::timeout, &app, [parent] {
        if (::kill(parent, 0) != 0 && errno == ESRCH)
            QCoreApplication::quit();
    });
    watch->start(1000);
}

} // namespace

int main(int argc, char* argv[])
{
    prepareRuntimeDir();
    readLocalZoneOnce();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Brivane"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    VoiceProgram voice(locationsOfThisProgram().resources, Settings::defaultFile(), out, err);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    endWithParent(app, arguments);
    if (const auto exitCode = voice.start(arguments))
        return *exitCode;
    quitOnStopSignals(app);
    return app.exec();
}
