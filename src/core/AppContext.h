#pragma once

#include "core/Locations.h"

#include <QString>
#include <functional>

class Database;
class Settings;
struct Session;
class Clock;
class Dialogs;
class ProgramLauncher;
class SoundPlayer;
class MediaPlayers;
class Printers;
class HotKeys;
class ScreenRegistry;
class Speech;

// The services a screen or routine works with, handed in through constructors so tests can swap any
// of them.
struct AppContext
{
    Database& db;
    Settings& settings;
    Session& session;
    Clock& clock;
    Dialogs& dialogs;
    ProgramLauncher& launcher;
    SoundPlayer& sound;
    Printers& printers;
    HotKeys& hotKeys;
    ScreenRegistry& screens;
    // The read-only files: pictures, recordings, clock faces, demo media.
    QString installDir;
    // Ends the program: every screen closes at once and nothing is saved on the way out.
    std::function<void()> endProgram;
    // Video and chime players of the display board.
    MediaPlayers* mediaPlayers = nullptr;
    // Where the machine's files, the embedded database and the helper programs live; fields left
    // empty mean installDir, as in a run from one folder.
    Locations where = {};
    // The kiosk's voice for visitors who cannot read its screen (none: the kiosk is silent).
    Speech* speech = nullptr;

    QString installPath(const QString& relative) const;
    QString configDir() const;      // path.txt, code.txt
    QString connectionFile() const; // path.txt, or the file brivane-ctl --path-file names
    QString dataDir() const;        // a relative database file of path.txt
    QString programPath(const QString& name) const;
};

// Opens the shared connection from the session's connection values and the authentication setting.
// An open connection to the same place that still answers is kept. On failure the SQL settings screen
// appears (not modal), `reason` (when given) says why, and the result is false; callers normally go on
// regardless. It never creates a database: a new hall's is made by an explicit step.
bool openConnection(AppContext& ctx, QString* reason = nullptr);
