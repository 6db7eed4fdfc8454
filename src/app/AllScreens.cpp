#include "app/AllScreens.h"

#include "calling/CallingScreens.h"
#include "content/ContentScreens.h"
#include "core/CoreScreens.h"
#include "display/DisplayScreens.h"
#include "maintenance/MaintenanceScreens.h"
#include "masterdata/MasterDataScreens.h"
#include "reports/ReportsScreens.h"
#include "tickets/TicketsScreens.h"

#include <QCoreApplication>

void registerAll(ScreenRegistry& screens, CommandRegistry& commands)
{
    registerCore(screens, commands);
    registerUsers(screens, commands);
    registerModuleSettings(screens, commands);
    registerMasterData(screens, commands);
    registerTickets(screens, commands);
    registerCalling(screens, commands);
    registerDisplay(screens, commands);
    registerContent(screens, commands);
    registerReports(screens, commands);
    registerMaintenance(screens, commands);
}

QString installationFolder()
{
    const QString home = qEnvironmentVariable("BRIVANE_HOME");
    return home.isEmpty() ? QCoreApplication::applicationDirPath() : home;
}
