#include "calling/CallingScreens.h"

#include "calling/CallingCommands.h"
#include "calling/frmCall.h"
#include "calling/frmCallAdmin.h"
#include "calling/frmHallNow.h"
#include "calling/frmSelService.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ScreenRegistry.h"

void registerCalling(ScreenRegistry& screens, CommandRegistry& commands)
{
    screens.add(QStringLiteral("frmCall"), WorkstationRights::Act::Call, [](AppContext& ctx) -> QWidget* {
        auto* screen = new frmCall(ctx);
        screen->Form_Load();
        return screen;
    });
    // The main window's Call item shows the one counter screen of this program.
    screens.add(QStringLiteral("call"), WorkstationRights::Act::Call,
                [](AppContext& ctx) -> QWidget* { return ctx.screens.open(QStringLiteral("frmCall")); });
    // The main window's Call button opens another desk at each press.
    screens.add(QStringLiteral("frmCallAdmin"), WorkstationRights::Act::Call,
                [](AppContext& ctx) -> QWidget* {
                    auto* desk = new frmCallAdmin(ctx);
                    desk->Form_Load();
                    return desk;
                });
    screens.add(QStringLiteral("frmSelService"), WorkstationRights::Act::Call,
                [](AppContext& ctx) -> QWidget* {
                    auto* picker = new frmSelService(ctx);
                    picker->Form_Load();
                    return picker;
                });
    screens.add(QStringLiteral("hallNow"), [](AppContext& ctx) -> QWidget* { return new frmHallNow(ctx); });
    registerCallingCommands(commands);
}
