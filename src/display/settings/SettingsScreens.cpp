#include "display/settings/SettingsScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/ScreenRegistry.h"
#include "display/settings/frmSettings.h"
#include "display/voice/AnnounceCommand.h"

void registerModuleSettingsAndVoice(ScreenRegistry& screens, CommandRegistry& commands)
{
    commands.add(QStringLiteral("announce"), QString::fromLatin1(AnnounceUsage),
                 WorkstationRights::Act::ShowCalls, announceCommand);
    screens.add(QStringLiteral("settings"), std::nullopt,
                [](AppContext& ctx) { return new frmSettings(ctx); });
}
