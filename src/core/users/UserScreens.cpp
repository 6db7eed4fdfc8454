#include "core/CoreScreens.h"

#include "core/ScreenRegistry.h"
#include "core/users/Users.h"

void registerUsers(ScreenRegistry& screens, CommandRegistry&)
{
    screens.add(QStringLiteral("userLst"), [](AppContext& ctx) { return new frmUserLst(ctx); });
    screens.add(QStringLiteral("chPass"), [](AppContext& ctx) { return new frmAdminPass(ctx); });
    screens.add(QStringLiteral("frmChPass"), WorkstationRights::Act::Call,
                [](AppContext& ctx) { return new frmChPass(ctx); });
}
