#include "calling/CallingScreens.h"

#include "calling/CallingCommands.h"
#include "calling/frmCall.h"
#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ScreenRegistry.h"

void registerCalling(ScreenRegistry& screens, CommandRegistry& commands)
{
    screens.add(QStringLiteral("frmCall"), [](AppContext& ctx) -> QWidget* {
        auto* screen = new frmCall(ctx);
        screen->Form_Load();
        return screen;
    });
    // The main window's Call item shows the one counter screen of this program.
    screens.add(QStringLiteral("call"),
                [](AppContext& ctx) -> QWidget* { return ctx.screens.open(QStringLiteral("frmCall")); });
    registerCallingCommands(commands);
}
