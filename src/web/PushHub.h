#pragma once

#include "web/BoardAcks.h"
#include "web/CallFeed.h"
#include "web/NearTurnAlerts.h"
#include "web/RateLimiter.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class Database;
class Settings;
class QWebSocket;

// The open pages the server pushes to: boards get every call of their theme's counters as the hall's
// boards show it, ticket pages their ticket's state whenever it may have changed. A board page tells
// back each call it was pushed once it has drawn it ({"t":"shown","key":KEY}), which is recorded for
// its screen (BoardAcks); nothing else a page sends is acted on, and a page that sends much else is
// closed. A page that falls behind by too much is dropped and catches up when it comes back.
class PushHub : public QObject
{
    Q_OBJECT
public:
    struct Limits
    {
        int perClient = 16;
        int inAll = 2000;
        // The clients (RateLimiter::clientKey) whose board pages tell what they drew; empty: any.
        QSet<QString> tellers;
    };

    PushHub(Database& db, Settings& settings, const Clock& clock, CallFeed& feed, Limits limits);
    ~PushHub() override;

    // A page's connection: /ws/board?theme=NAME&since=KEY[&screen=NAME] or /ws/t/CODE. Anything else, an
    // unknown theme or code, or a client over its limit is closed at once. (Pages of other sites are refused
    // before: see OriginPolicy.)
    void take(std::unique_ptr<QWebSocket> socket);

    // Whether the server reaches the database; pages say so on screen when it does not.
    void setStoreReachable(bool reachable);
    bool storeReachable() const { return m_storeReachable; }
    int openPages() const { return int(m_pages.size()); }
    // Sends every page a sign of life now (the timer does it every few seconds).
    void sendAlive();
    // The screens of the open board pages say they are still there now (a timer does it every few
    // minutes).
    void screensStillThere() { m_acks.heartbeat(); }
    // Milliseconds of a monotonic clock, for the budget of what pages send (tests set it).
    void setMonotonicClock(std::function<qint64()> ms) { m_ms = std::move(ms); }

    // The near-turn alerts, looked at whenever the ticket pages are brought up to date (after calls,
    // and once a minute) whether pages are open or not.
    NearTurnAlerts& alerts() { return m_alerts; }
    // A visitor's alert choice was kept: the alerts are looked at now and the token's pages told.
    void alertChosen(qint64 ticket);

private:
    struct Page
    {
        std::unique_ptr<QWebSocket> socket;
        QString client;
        bool board = false;
        CounterSet counters; // boards
        int rows = 0;        // boards
        qint64 ticket = 0;   // ticket pages
        qint64 service = 0;  // ticket pages
        QString code;        // ticket pages
        QByteArray lastSent; // ticket pages: the state last sent
        QString screen;      // boards: the screen's name their showings are recorded under (may be empty)
        QStringList awaited; // boards: the keys pushed and not told yet, oldest first
        int badMessages = 0;
    };

    void openBoard(Page& page, const QString& since);
    bool openTicket(Page& page, const QString& code);
    void send(Page& page, const QByteArray& message);
    // Pushes calls to a board page, which then awaits their keys.
    void sendCalls(Page& page, const QByteArray& message, const QVector<ShownCall>& calls);
    void received(QWebSocket* socket, const QString& message);
    void onShown(const ShownCall& call);
    void onCleared();
    // Brings the ticket pages of the services whose queues moved up to date (all when `all`).
    void refreshTickets(bool all);
    void refreshTicket(Page& page);
    // One round of the alerts: the tokens whose alerts fired or became moot.
    QList<qint64> runAlerts();
    // The service a counter serves (calls name the counter), 0 when it cannot be read.
    qint64 serviceOfCounter(qint64 counter);
    void drop(QWebSocket* socket);
    QByteArray withTime(QJsonObject message) const;

    Database& m_db;
    Settings& m_settings;
    const Clock& m_clock;
    CallFeed& m_feed;
    Limits m_limits;
    std::vector<std::unique_ptr<Page>> m_pages;
    QHash<QString, int> m_perClient;
    QTimer m_alive;
    QTimer m_ticketRefresh;
    QTimer m_allTicketsRefresh;
    QTimer m_screensBeat;
    QSet<qint64> m_movedServices;
    QHash<qint64, qint64> m_counterService;
    bool m_storeReachable = true;
    BoardAcks m_acks;
    RateLimiter m_told; // messages from pages, by client address
    std::function<qint64()> m_ms;
    NearTurnAlerts m_alerts;
};
