#include "display/DisplayScreens.h"

#include "core/ScreenRegistry.h"
#include "display/NewHall.h"
#include "display/frmDisplay.h"
#include "display/frmSelectCounter.h"
#include "display/frmThLst.h"
#include "display/frmTheme.h"
#include "display/settings/SettingsScreens.h"

void registerDisplay(ScreenRegistry& screens, CommandRegistry& commands)
{
    registerModuleSettingsAndVoice(screens, commands);
    screens.add(QStringLiteral("frmDisplay"), WorkstationRights::Act::ShowCalls,
                [](AppContext& ctx) { return new frmDisplay(ctx); });
    screens.add(QStringLiteral("thmLst"), [](AppContext& ctx) { return new frmThLst(ctx); });
    screens.add(QStringLiteral("frmTheme"), [](AppContext& ctx) { return new frmTheme(ctx); });
    screens.add(QStringLiteral("frmSelectCounter"),
                [](AppContext& ctx) { return new frmSelectCounter(ctx); });
    screens.addAction(QStringLiteral("newHall"), newHall::offer);
}
