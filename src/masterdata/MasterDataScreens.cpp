#include "masterdata/MasterDataScreens.h"

void registerMasterData(ScreenRegistry&, CommandRegistry&) {}
