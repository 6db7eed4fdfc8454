#pragma once

#include <QHash>
#include <optional>

// Whether the server session that sent a notification may announce calls: one whose login may write
// calls (a counter's or the office's, or the owner of the tables). Any login may send a notification
// on any channel, so a listener that shows what a notification carries asks this first.
enum class SenderTrust {
    Trusted,
    Refused,
    Unknown, // the session has ended, or could not be looked up: the listener reads instead
};

// What a connection has found out about the sessions that sent it notifications, by their server
// process id. A verdict is kept for a while only (a process id is used again by a later session) and
// at most MostSenders of them, so a flood from many sessions cannot make it grow.
class SenderCache
{
public:
    static constexpr int MostSenders = 512;
    static constexpr qint64 KeptMs = 30000;

    // The verdict found within the last KeptMs; none when it must be looked up.
    std::optional<bool> trusted(int sender, qint64 nowMs) const;
    void learn(int sender, bool trusted, qint64 nowMs);
    int size() const { return int(m_senders.size()); }
    void clear() { m_senders.clear(); }

private:
    struct Verdict
    {
        bool trusted = false;
        qint64 atMs = 0;
    };
    QHash<int, Verdict> m_senders;
};
