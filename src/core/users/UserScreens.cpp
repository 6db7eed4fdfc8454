#include "core/CoreScreens.h"

void registerUsers(ScreenRegistry&, CommandRegistry&) {}
