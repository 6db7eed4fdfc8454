#include "calling/CallingScreens.h"

void registerCalling(ScreenRegistry&, CommandRegistry&) {}
