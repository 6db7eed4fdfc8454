#pragma once

class ScreenRegistry;
class CommandRegistry;

// The module settings screen ("settings") and the save that the administrator log-in and Print
// Ticket perform ("moduleSettingsSave").
void registerModuleSettingsAndVoice(ScreenRegistry& screens, CommandRegistry& commands);
