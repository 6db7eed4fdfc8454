#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class CallBoardEngine;
class Clock;
class Database;
class QTimer;

// When a board reads its calls. On PostgreSQL the board listens on the store's call channel and reads
// when a call or a recall is committed (the trigger on tblCall notifies), with a slow safety read
// about once a second for a notification that went missing, and a read at once after the connection
// was reopened (catch-up). On SQLite, where every board shares the machine with the file, it polls
// every 10 ms as before.
//
// Use: give it the board's engine (or a read of its own, setReader) and start it; everything runs in
// the event loop of the thread that owns the Database connection:
//
//     CallBoardEngine engine(db, session, clock, table, CallBoardEngine::Mode::Follow);
//     engine.addFirst();
//     CallWakeup wakeup(db, clock);
//     wakeup.serve(engine, [&] { /* show the table */ });
//     QObject::connect(&wakeup, &CallWakeup::readDone, ...);   // the offline mark
//     wakeup.start();
//
// A notification that carries its call is shown from its payload, without a read; notifications
// that need a read and come in a burst are read in one go.
class CallWakeup : public QObject
{
    Q_OBJECT

public:
    enum class Way { Poll, Push };

    static constexpr int PollMs = 10;           // SQLite
    static constexpr int SafetyMs = 1000;       // PostgreSQL: a read at least this often
    static constexpr int OfflineAfterMs = 3000; // no notification nor read that worked for this long

    CallWakeup(Database& db, const Clock& clock, QObject* parent = nullptr);
    ~CallWakeup() override;

    // Reads for the engine: Timer1_Timer when polling, readNew when woken, and the calls the
    // notifications carry. changed is told when the engine's table changed, starting before each read
    // or notification is handed to the engine.
    void serve(CallBoardEngine& engine, std::function<void()> changed = {},
               std::function<void()> starting = {});
    // A read of its own instead (returns false when the store failed); notifications then only wake it.
    void setReader(std::function<bool()> read)
    {
        m_read = std::move(read);
        m_notice = nullptr;
    }
    // Poll on SQLite, push on PostgreSQL; the way is chosen again at each start. Told to poll, a
    // board on PostgreSQL reads every PollMs as boards did before the server announced calls (the
    // benchmark compares both ways).
    void start(std::optional<Way> way = std::nullopt);
    void stop();
    bool running() const;
    Way way() const { return m_way; }
    // True while the connection is subscribed to the call channel.
    bool subscribed() const;

    // A read on the next pass of the event loop (several wake-ups before it make one read).
    void wakeSoon();
    // Reads now (what a timer tick or a notification does).
    void readNow();

    // True when neither a notification nor a read that worked came for OfflineAfterMs by the
    // program's clock; false again after the next read that works.
    bool offline() const;

    // The timer that paces the reads (poll or safety read); named Timer1.
    QTimer* timer() const { return m_timer; }

    // Counts since start, for figures and tests.
    quint64 reads() const { return m_reads; }
    quint64 notifications() const { return m_notifications; }
    quint64 noticesWithoutRead() const { return m_noticesWithoutRead; }

Q_SIGNALS:
    // After each read: ok when the store answered.
    void readDone(bool ok);

private:
    void notified(const QString& payload, int sender);
    void passNotices();
    void alive();

    Database& m_db;
    const Clock& m_clock;
    QTimer* m_timer;
    std::function<bool()> m_read;
    // Shows the call a notification carries; false when a read is needed instead. Not asked while a
    // read is due anyway: that read shows the call, in its order.
    std::function<bool(const QString& payload, int sender)> m_notice;
    // Notifications not passed on yet, in the order they came, with their senders.
    QList<std::pair<QString, int>> m_payloads;
    Way m_way = Way::Poll;
    bool m_pending = false;
    bool m_listening = false;
    qint64 m_lastAliveMs = 0;
    quint64 m_reads = 0;
    quint64 m_notifications = 0;
    quint64 m_noticesWithoutRead = 0;
};
