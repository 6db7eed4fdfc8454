#pragma once

#include "display/voice/AnnouncerProtocol.h"
#include "display/voice/CallAnnouncement.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <deque>
#include <functional>

class Clock;
class NameRecordings;
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

// The hall announcer's queue: the calls it is told of are announced in the order it was told, one
// announcement at a time, and it keeps up with the hall when calls come faster than they are said:
// - a call that the board has since pushed off its table, or that waited longer than the settings'
//   maxWaitSeconds for its turn, is left out (and said on the warn channel);
// - a recall replaces the same token's waiting announcement, in its place in the queue;
// - while more calls wait behind it an announcement says only its first template.
// What is said follows the workstation's settings as they are when the call comes. A counter whose
// names hold no digit is spoken by its name's recording, made by the name recordings when set.
class Announcer
{
public:
    Announcer(RecordingPlayer& player, QString installDir, std::function<vs::AnnouncerSettings()> settings);

    // Told of problems with the installation's recordings (once per missing folder) and of every call
    // that is left out.
    void setWarn(std::function<void(const QString&)> warn) { m_warn = std::move(warn); }
    // The clock a call's waiting time is measured by (the system's unless set).
    void setClock(const Clock* clock) { m_clock = clock; }
    // Where recordings of counter names come from (none unless set: such counters are not named).
    void setNameRecordings(NameRecordings* names) { m_names = names; }

    // `spoken` is called once the call has been said (not for a call left out or replaced by its
    // recall, nor while announcements are off).
    void announce(const announcer::ShownCall& call, std::function<void()> spoken = {});

    bool speaking() const { return m_speaking; }
    qsizetype waiting() const { return qsizetype(m_queue.size()); }
    // The token labels waiting their turn, in order.
    QStringList waitingLabels() const;

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
    struct Waiting
    {
        vs::CallAnnouncement announcement;
        QString counter;   // as the board showed it, for messages
        QDateTime since;   // when the call came
        qint64 pushes = 0; // the board's push count when it came
        int boardRows = 0; // 0: not known
        int maxWaitSeconds = 0;
        std::function<void()> spoken;
    };
    QDateTime now() const;

    const Clock* m_clock = nullptr;
    NameRecordings* m_names = nullptr;
    std::deque<Waiting> m_queue;
    qint64 m_pushes = 0; // calls that pushed the board's table down, so far
    QString m_top;       // the label in the board's top row
    QSet<QString> m_reported;
    bool m_speaking = false;
    bool m_starting = false;
};
