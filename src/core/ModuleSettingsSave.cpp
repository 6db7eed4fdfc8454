#include "core/ModuleSettingsSave.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"

void performModuleSettingsSave(AppContext& ctx)
{
    if (ctx.screens.run(QStringLiteral("moduleSettingsSave")))
        return;
    // Without the settings screen, recompute the two values it would.
    try {
        ctx.session.themeId = lookups::themeIdByName(
            ctx.db, ctx.settings.get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"),
                                     QStringLiteral("Black H")));
    } catch (const DbError&) {
    }
    ctx.session.scrollSpeed =
        ctx.settings.getNumber(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), 30);
}
