#pragma once

#include "display/voice/AnnouncerProtocol.h"
#include "display/voice/CallAnnouncement.h"

#include <QSet>
#include <QString>
#include <deque>
#include <functional>

class QTextStream;

// Plays one announcement's recordings one after another and reports when the last one has ended.
class RecordingPlayer
{
public:
    virtual ~RecordingPlayer() = default;
    // done is called exactly once, when the announcement is over; it may be called before play returns.
    virtual void play(const vs::CallAnnouncement& announcement, std::function<void()> done) = 0;
};

// `voice --print`: one line per announcement on out instead of sound.
class PrintingPlayer : public RecordingPlayer
{
public:
    explicit PrintingPlayer(QTextStream& out) : m_out(out) {}
    void play(const vs::CallAnnouncement& announcement, std::function<void()> done) override;

private:
    QTextStream& m_out;
};

// The hall announcer's queue: every call it is told of is announced, in the order it was told, one
// announcement at a time; nothing is dropped however many calls come while one is playing. What is
// said follows the workstation's settings as they are when the call comes.
class Announcer
{
public:
    Announcer(RecordingPlayer& player, QString installDir, std::function<vs::AnnouncerSettings()> settings);

    // Told of problems with the installation's recordings (once per missing folder).
    void setWarn(std::function<void(const QString&)> warn) { m_warn = std::move(warn); }

    void announce(const announcer::ShownCall& call);

    bool speaking() const { return m_speaking; }
    qsizetype waiting() const { return qsizetype(m_queue.size()); }

    // Tells warn of the language folders the current settings need and the installation lacks.
    void reportMissingFolders() { checkFolders(m_settings()); }

    // A message for every language folder the settings' templates use that the installation lacks.
    static QStringList missingFolders(const QString& installDir, const vs::AnnouncerSettings& settings);

private:
    void startNext();
    void checkFolders(const vs::AnnouncerSettings& settings);

    RecordingPlayer& m_player;
    QString m_installDir;
    std::function<vs::AnnouncerSettings()> m_settings;
    std::function<void(const QString&)> m_warn;
    std::deque<vs::CallAnnouncement> m_queue;
    QSet<QString> m_reported;
    bool m_speaking = false;
    bool m_starting = false;
};
