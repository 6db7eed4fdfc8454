#pragma once

#include "core/CallDelivery.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

class Clock;
class Database;

// Whether the counter's current call reached the hall: how many of the boards that should show it
// did, whether its announcer spoke it, and which of them have not answered after WarnAfterSeconds.
// The counter reads the receipts again (poll) only while the call is not fully acknowledged, for at
// most WatchSeconds after the call; an idle counter reads nothing.
class DeliveryWatch
{
public:
    DeliveryWatch(Database& db, const Clock& clock) : m_db(db), m_clock(clock) {}

    // How often the screen polls while polling() says so.
    static constexpr int PollMilliseconds = 400;
    static constexpr int WarnAfterSeconds = 10;
    static constexpr int WatchSeconds = 30;

    // The counter called or recalled this ticket now (0: the counter is idle): its latest showing is
    // watched from now on, and what was said about an earlier one is forgotten.
    void watch(qint64 ticketKey);
    qint64 watched() const { return m_ticket; }
    // Reads the receipts of the watched showing. False when the store did not answer (the line
    // stays as it was).
    bool poll();
    // Whether another poll is due: the showing is not fully acknowledged and the watch has not ended.
    bool polling() const;

    // "shown on 2 of 3 boards, spoken"; empty when nothing is watched or no screen is expected.
    QString line() const;
    // Names the screens that have not answered WarnAfterSeconds after the call; empty otherwise.
    QString warning() const;

    int boardsShown() const { return m_shown; }
    int boardsExpected() const { return m_expected; }
    bool spoken() const { return m_spoken; }
    const QStringList& missing() const { return m_missing; }

private:
    qint64 secondsWatched() const;

    Database& m_db;
    const Clock& m_clock;
    qint64 m_ticket = 0;
    QDateTime m_since;
    bool m_read = false; // the receipts have been read since the call
    bool m_failed = false;
    int m_shown = 0;
    int m_expected = 0;
    bool m_spoken = false;
    bool m_voiceExpected = false;
    QStringList m_missing;
};
