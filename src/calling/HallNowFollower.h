#pragma once

#include "calling/HallNow.h"
#include "core/Database.h"

#include <QObject>
#include <QTimer>

// Keeps a Hall now snapshot current for the views that show it. On PostgreSQL it reads when the store
// announces a change of the tickets (an issue, a call, a finish), a moment after the first of a burst,
// once more when the burst is over (a workstation announces at most once in a short gap, so what it
// changed within the gap is read then), and otherwise every SafetyMs for the figures that change with
// time alone (the longest wait, the last hour); on SQLite, which announces nothing, it reads every
// PollMs. A read is one statement, now and then two, so an idle view costs the store less than two
// statements a second either way.
class HallNowFollower : public QObject
{
    Q_OBJECT

public:
    static constexpr int PollMs = 750;     // SQLite: a change is shown within a second
    static constexpr int SafetyMs = 10000; // PostgreSQL: a read at least this often
    static constexpr int GatherMs = 100;   // PostgreSQL: notifications of one burst make one read
    // PostgreSQL: the read after a burst, this long after its last notification.
    static constexpr int TrailMs = 2 * Database::hallNoticeGapMs + GatherMs;

    HallNowFollower(Database& db, const Clock& clock, QObject* parent = nullptr);
    ~HallNowFollower() override;

    void start();
    void stop();
    // Reads now; false when the store failed (lost() is then told).
    bool readNow();
    const hallnow::Snapshot& snapshot() const { return m_snapshot; }
    bool pushed() const { return m_pushed; }

Q_SIGNALS:
    void changed(const hallnow::Snapshot& snapshot);
    void lost(const QString& description);

private:
    Database& m_db;
    hallnow::HallNow m_hall;
    hallnow::Snapshot m_snapshot;
    QTimer m_timer;
    QTimer m_gather;
    QTimer m_trail;
    bool m_pushed = false;
};
