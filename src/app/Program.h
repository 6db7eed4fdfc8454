#pragma once

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Clock.h"
#include "ui/HotKeys.h"
#include "ui/PrintSurface.h"
#include "ui/ProgramLauncher.h"

#include <memory>

class Dialogs;
class SoundPlayer;

// Everything one running program works with, every screen and command registered. The desktop
// program and brivane-ctl differ only in how they talk to the person (dialogs) and in sound.
struct Program
{
    Program(Dialogs& dialogs, SoundPlayer& sound);
    Program(Dialogs& dialogs, SoundPlayer& sound, const Locations& where);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Database db;
    Settings settings;
    Session session;
    SystemClock clock;
    SystemProgramLauncher launcher;
    std::unique_ptr<Printers> printers;
    std::unique_ptr<HotKeys> hotKeys;
    ScreenRegistry screens;
    CommandRegistry commands;
    AppContext ctx;
};
