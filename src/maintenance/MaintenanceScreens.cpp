#include "maintenance/MaintenanceScreens.h"

void registerMaintenance(ScreenRegistry&, CommandRegistry&) {}
