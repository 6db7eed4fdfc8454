#pragma once

#include "display/CallBoardEngine.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QVector>
#include <optional>

// The counters one board shows: every counter, or those of the theme's choice.
struct CounterSet
{
    bool all = true;
    QSet<qint64> keys;

    bool contains(qint64 counter) const { return all || keys.contains(counter); }
};

// A call as the hall's boards showed it, with the key pages resume from: the call's key, and for a
// stamped call "." and its stamp, so that each showing of a call (a recall shows it again) has a key
// of its own that the database gives back the same after a restart of the server.
struct ShownCall
{
    QString key;
    CallRow call;
};

// The day's calls in the order the hall's boards showed them, for every web board and ticket page.
// A page that lost its connection asks for what came after the last key it showed and gets exactly
// that, so it misses none and shows none twice.
class CallFeed : public QObject
{
    Q_OBJECT
public:
    // Keeps at most `keep` calls; older keys are then unknown and their pages start afresh.
    explicit CallFeed(int keep = 20000) : m_keep(qMax(1, keep)) {}

    static QString keyOf(const CallRow& call);

    // Calls shown before the server started, oldest first: kept for pages to start from, not pushed.
    void addHistory(const QVector<CallRow>& calls);
    // A call the boards show now; pushed to the pages. A showing the feed has already is ignored.
    void add(const CallRow& call);
    // The day is over: every call is forgotten.
    void clear();

    // The calls after `key` of those counters, oldest first; nothing when the key is unknown (a
    // page of another day, or from before the server started: it starts afresh from latest()).
    std::optional<QVector<ShownCall>> since(const QString& key, const CounterSet& counters) const;
    // The latest n calls of those counters, newest first, as a board that showed them would list them.
    QVector<ShownCall> latest(int n, const CounterSet& counters) const;
    // The key of the last showing of that ticket's call; empty when it was not shown today.
    QString lastKeyOfTicket(qint64 ticket) const;
    int size() const { return int(m_calls.size()); }

Q_SIGNALS:
    void shown(const ShownCall& call);
    void cleared();

private:
    bool append(const CallRow& call);

    QVector<ShownCall> m_calls; // oldest first; m_calls[i] has the position m_first + i
    qint64 m_first = 0;
    QHash<QString, qint64> m_position;
    QHash<qint64, QString> m_ticketKey; // by ticket key
    int m_keep;
};
