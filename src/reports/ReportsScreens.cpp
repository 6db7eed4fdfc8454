#include "reports/ReportsScreens.h"

void registerReports(ScreenRegistry&, CommandRegistry&) {}
