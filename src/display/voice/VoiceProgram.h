#pragma once

#include "display/voice/Announcer.h"
#include "display/voice/AnnouncerServer.h"
#include "display/voice/NameRecordings.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QTextStream;

// The `voice` program without its main(): reads the command line, makes the player (sound, or
// printed lines with --print), takes the announcer's place for this installation and user and
// listens for the board's calls.
class VoiceProgram
{
public:
    // settingsFile: the per-user settings the templates and the announce choice are read from, again
    // for every call, so a change in the module settings is heard with the next call.
    VoiceProgram(QString installDir, QString settingsFile, QTextStream& out, QTextStream& err);
    ~VoiceProgram();

    // The exit code when the program ends at once (help, usage error, another announcer already
    // running, no socket); nothing while it runs and listens.
    std::optional<int> start(const QStringList& arguments);

    static QString helpText();

    Announcer* announcer() { return m_announcer.get(); }
    // Replaces the player before start (tests use a player of their own).
    void setPlayer(std::unique_ptr<RecordingPlayer> player) { m_player = std::move(player); }
    // Where recordings of counter names are kept (the user's cache folder unless set before start).
    void setNameCache(QString folder) { m_nameCache = std::move(folder); }

private:
    QString m_installDir;
    QString m_settingsFile;
    QString m_nameCache;
    QTextStream& m_out;
    QTextStream& m_err;
    std::unique_ptr<RecordingPlayer> m_player;
    std::unique_ptr<NameRecordings> m_names;
    std::unique_ptr<Announcer> m_announcer;
    std::unique_ptr<AnnouncerServer> m_server;
};
