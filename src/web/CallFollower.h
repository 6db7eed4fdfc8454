#pragma once

#include "core/Session.h"
#include "display/CallBoardEngine.h"
#include "display/CallWakeup.h"

#include <QObject>

class CallFeed;
class Clock;
class Database;

// The web server's one board: a follower of every counter's calls that takes none from the hall's
// boards, woken like they are (notifications on PostgreSQL with a safety read, the poll on SQLite).
// What it shows goes into the feed for the web boards and the ticket pages; at a new day the feed
// starts afresh.
class CallFollower : public QObject
{
    Q_OBJECT
public:
    CallFollower(Database& db, const Clock& clock, CallFeed& feed, QObject* parent = nullptr);

    // The day's calls so far into the feed, then following.
    void start();
    CallWakeup& wakeup() { return m_wakeup; }

Q_SIGNALS:
    // Whether the reads reach the database, told when it changes.
    void storeReachable(bool reachable);

private:
    void startDay();
    void readDone(bool ok);
    // Today's calls as the boards showed them so far, oldest first.
    QVector<CallRow> todaysCalls();

    Database& m_db;
    const Clock& m_clock;
    CallFeed& m_feed;
    Session m_session; // every counter
    BoardTable m_table;
    CallBoardEngine m_engine;
    CallWakeup m_wakeup;
    QString m_day;
    bool m_reachable = true;
};
