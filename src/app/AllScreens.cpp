#include "app/AllScreens.h"

#include "calling/CallingScreens.h"
#include "content/ContentScreens.h"
#include "core/CoreScreens.h"
#include "core/InstallCommands.h"
#include "display/DisplayScreens.h"
#include "maintenance/MaintenanceScreens.h"
#include "masterdata/MasterDataScreens.h"
#include "reports/ReportsScreens.h"
#include "reports/SimulateCommand.h"
#include "tickets/TicketsScreens.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

void registerAll(ScreenRegistry& screens, CommandRegistry& commands)
{
    registerCore(screens, commands);
    registerInstallCommands(commands);
    registerUsers(screens, commands);
    registerMasterData(screens, commands);
    registerTickets(screens, commands);
    registerCalling(screens, commands);
    registerDisplay(screens, commands);
    registerContent(screens, commands);
    registerReports(screens, commands);
    registerSimulateCommand(commands);
    registerMaintenance(screens, commands);
}

namespace {

// A folder for sockets and locks must be this user's alone: another user who owns it, or may write
// into it, could take the announcer's name or listen in its place.
bool privateFolderOfOurs(const QString& dir)
{
    struct stat st
    {
    };
    return !dir.isEmpty() && ::lstat(QFile::encodeName(dir).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == getuid() && (st.st_mode & 077) == 0;
}

} // namespace

void prepareRuntimeDir()
{
    const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (privateFolderOfOurs(given))
        return;
    if (!given.isEmpty())
        qWarning("The runtime folder %s is not this user's own private folder; it is not used.",
                 qPrintable(given));
    QString dir = QDir::tempPath() + QStringLiteral("/brivane-runtime-") + QString::number(getuid());
    ::mkdir(QFile::encodeName(dir).constData(), 0700);
    if (!privateFolderOfOurs(dir)) {
        // Taken by someone else: a fresh folder of a name nobody can guess.
        qWarning("%s belongs to another user or is open to others; it is not used.", qPrintable(dir));
        QByteArray pattern = QFile::encodeName(dir + QStringLiteral("-XXXXXX"));
        dir = ::mkdtemp(pattern.data()) ? QFile::decodeName(pattern) : QString();
    }
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
}
