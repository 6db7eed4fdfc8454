#include "app/Program.h"

#include "app/AllScreens.h"

Program::Program(Dialogs& dialogs, SoundPlayer& sound)
    : printers(createSystemPrinters()), hotKeys(createSystemHotKeys()), ctx{db,
                                                                            settings,
                                                                            session,
                                                                            clock,
                                                                            dialogs,
                                                                            launcher,
                                                                            sound,
                                                                            *printers,
                                                                            *hotKeys,
                                                                            screens,
                                                                            installationFolder(),
                                                                            {},
                                                                            &mediaPlayers}
{
    screens.setContext(&ctx);
    registerAll(screens, commands);
}
