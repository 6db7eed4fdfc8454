#include "display/DisplayScreens.h"

void registerDisplay(ScreenRegistry&, CommandRegistry&) {}
