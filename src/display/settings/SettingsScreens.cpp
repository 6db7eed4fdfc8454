#include "display/settings/SettingsScreens.h"

#include "core/AppContext.h"
#include "core/ScreenRegistry.h"
#include "display/settings/frmSettings.h"

void registerModuleSettingsAndVoice(ScreenRegistry& screens, CommandRegistry&)
{
    screens.add(QStringLiteral("settings"), [](AppContext& ctx) { return new frmSettings(ctx); });
    screens.addAction(QStringLiteral("moduleSettingsSave"),
                      [](AppContext& ctx) { frmSettings::performSave(ctx); });
}
