#pragma once

#include "core/CallDelivery.h"
#include "display/CallBoardEngine.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

class Clock;
class Database;
class Settings;

// A board's receipts: each call the board shows is recorded in the store under the board's screen
// name, and each call its announcer says it spoke under "<name> (voice)". While the board shows no
// call it says now and then that it is still there (one statement every few minutes, so that a board
// that runs is expected to show the next call and one switched off is not).
//
// A receipt never holds up the board: a store that fails or lacks the receipts' tables costs the
// receipt only (told once on the log), and the next heartbeat looks again.
class BoardReceipts : public QObject, public ShownCallSink
{
public:
    BoardReceipts(Database& db, const Clock& clock, QString screen, delivery::ScreenKind kind,
                  QVector<qint64> counters, QObject* parent = nullptr);
    ~BoardReceipts() override;

    // The screen name the settings give this workstation's board (the machine's host name by default).
    static QString screenName(const Settings& settings);

    const QString& screen() const { return m_screen; }
    QString voiceScreen() const;

    // The board has opened: it announces itself and keeps itself seen from now on (the heartbeat's
    // timer needs the thread's Qt event loop).
    void start();
    // Only the announcement, for a board that beats on its own.
    void announce();
    void callShown(const CallRow& call) override;
    // The announcer says it spoke this showing.
    void spoken(qint64 callAuto, qint64 stamp);
    // Marks the board seen when nothing else did for HeartbeatMinutes (the timer calls it each minute).
    void beat();

    // Hands an announcer's answer to the live board of that name (the program's link calls this).
    static void spokenOn(const QString& screen, qint64 callAuto, qint64 stamp);

    // Receipts that could not be written.
    quint64 lost() const { return m_lost; }

private:
    bool write(const std::function<void()>& work);

    Database& m_db;
    const Clock& m_clock;
    QString m_screen;
    delivery::ScreenKind m_kind;
    QVector<qint64> m_counters;
    QTimer m_heartbeat;
    QDateTime m_lastWrite;
    bool m_started = false;
    bool m_voiceAnnounced = false;
    bool m_absent = false; // the store lacks the tables: receipts wait for the next heartbeat
    bool m_told = false;
    quint64 m_lost = 0;
};
