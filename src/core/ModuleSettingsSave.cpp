#include "core/ModuleSettingsSave.h"

#include "core/AppContext.h"
#include "core/ScreenRegistry.h"

void performModuleSettingsSave(AppContext& ctx)
{
    // The module settings screen registers this action; it stores the settings and recomputes
    // themeId and scrollSpeed.
    ctx.screens.run(QStringLiteral("moduleSettingsSave"));
}
