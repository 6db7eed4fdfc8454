#include "content/ContentScreens.h"

void registerContent(ScreenRegistry&, CommandRegistry&) {}
