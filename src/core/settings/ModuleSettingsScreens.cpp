#include "core/CoreScreens.h"

void registerModuleSettings(ScreenRegistry&, CommandRegistry&) {}
