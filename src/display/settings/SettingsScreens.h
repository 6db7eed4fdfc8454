#pragma once

class ScreenRegistry;
class CommandRegistry;

// The module settings screen ("settings") and the announcer's command.
void registerModuleSettingsAndVoice(ScreenRegistry& screens, CommandRegistry& commands);
