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
#include "ui/VideoPlayer.h"

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
    SystemMediaPlayers mediaPlayers;
    ScreenRegistry screens;
    CommandRegistry commands;
    AppContext ctx;
};

// Makes the connection file given with --path-file the one the program reads and writes; its embedded
// database lies beside it.
void useConnectionFile(AppContext& ctx, const QString& pathFile);

// Opens the database brivane-ctl works on: the SQLite file given with --db, else the connection file
// given with --path-file (a relative database file then lies beside it), else path.txt in the
// installation folder. Returns the failure's description; empty when the database is open. Only an
// explicit step (init, demo) lets it create a missing database.
QString openCommandLineDatabase(AppContext& ctx, const QString& dbFile, const QString& pathFile,
                                Database::Creation creation = Database::Creation::Allowed);
