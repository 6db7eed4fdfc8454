#include "app/AllScreens.h"

#include "calling/CallingScreens.h"
#include "content/ContentScreens.h"
#include "core/CoreScreens.h"
#include "core/InstallCommands.h"
#include "display/DisplayScreens.h"
#include "maintenance/MaintenanceScreens.h"
#include "masterdata/MasterDataScreens.h"
#include "reports/ReportsScreens.h"
#include "tickets/TicketsScreens.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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
    registerMaintenance(screens, commands);
}

void prepareRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir::tempPath() + QStringLiteral("/brivane-runtime-") + QString::number(getuid());
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
}
