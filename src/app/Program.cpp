#include "app/Program.h"

#include "app/AllScreens.h"
#include "core/Locations.h"

Program::Program(Dialogs& dialogs, SoundPlayer& sound) : Program(dialogs, sound, locationsOfThisProgram()) {}

Program::Program(Dialogs& dialogs, SoundPlayer& sound, const Locations& where)
    : printers(createSystemPrinters()),
      hotKeys(createSystemHotKeys()), ctx{db,    settings,  session,  clock,   dialogs,         launcher,
                                          sound, *printers, *hotKeys, screens, where.resources, {},
                                          where}
{
    screens.setContext(&ctx);
    registerAll(screens, commands);
}
