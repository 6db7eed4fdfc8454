#include "web/PushHub.h"

#include "core/Database.h"
#include "ui/Clock.h"
#include "web/BoardPage.h"
#include "web/RateLimiter.h"
#include "web/TicketPage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>
#include <QWebSocket>

namespace {

// A page that has this much unsent is too slow to follow: it is dropped and catches up later.
constexpr qint64 MaxBacklog = 1 << 20;
constexpr int AliveEveryMs = 10000;
// Calls come in bursts: ticket pages are brought up to date once the burst is over, those of the
// services whose queues moved. The estimate also changes with time alone (a long service makes the
// wait longer): every ticket page is brought up to date once a minute.
constexpr int TicketRefreshDelayMs = 300;
constexpr int AllTicketsRefreshMs = 60000;

QByteArray json(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

PushHub::PushHub(Database& db, Settings& settings, const Clock& clock, CallFeed& feed, Limits limits)
    : m_db(db), m_settings(settings), m_clock(clock), m_feed(feed), m_limits(limits), m_alerts(db, clock)
{
    connect(&m_feed, &CallFeed::shown, this, &PushHub::onShown);
    connect(&m_feed, &CallFeed::cleared, this, &PushHub::onCleared);
    m_alive.setInterval(AliveEveryMs);
    connect(&m_alive, &QTimer::timeout, this, &PushHub::sendAlive);
    m_alive.start();
    m_ticketRefresh.setSingleShot(true);
    m_ticketRefresh.setInterval(TicketRefreshDelayMs);
    connect(&m_ticketRefresh, &QTimer::timeout, this, [this] { refreshTickets(false); });
    m_allTicketsRefresh.setInterval(AllTicketsRefreshMs);
    connect(&m_allTicketsRefresh, &QTimer::timeout, this, [this] { refreshTickets(true); });
    m_allTicketsRefresh.start();
}

PushHub::~PushHub()
{
    for (auto& page : m_pages)
        page->socket->disconnect(this);
}

QByteArray PushHub::withTime(QJsonObject message) const
{
    addServerTime(message, m_clock);
    message.insert(QStringLiteral("db"), m_storeReachable);
    return json(message);
}

void PushHub::take(std::unique_ptr<QWebSocket> socket)
{
    if (!socket)
        return;
    socket->setMaxAllowedIncomingMessageSize(1024);
    socket->setMaxAllowedIncomingFrameSize(1024);
    const QString client = RateLimiter::clientKey(socket->peerAddress());
    const QUrl url = socket->requestUrl();
    const QString path = url.path(QUrl::FullyEncoded);
    if (int(m_pages.size()) >= m_limits.inAll || m_perClient.value(client) >= m_limits.perClient) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        socket.release()->deleteLater();
        return;
    }
    auto page = std::make_unique<Page>();
    page->socket = std::move(socket);
    page->client = client;
    bool open = false;
    try {
        const QUrlQuery query(url);
        if (path == QLatin1String("/ws/board")) {
            const auto board =
                webBoard(m_db, m_settings, query.queryItemValue(QStringLiteral("theme"), QUrl::FullyDecoded));
            if (board) {
                page->board = true;
                page->counters = board->counters;
                page->rows = board->rows;
                open = true;
            }
        } else if (path.startsWith(QLatin1String("/ws/t/"))) {
            open = openTicket(*page, path.mid(6));
        }
    } catch (const DbError&) {
        open = false;
    }
    if (!open) {
        page->socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        page->socket.release()->deleteLater();
        return;
    }
    QWebSocket* raw = page->socket.get();
    // Queued: a page may go while the pages are being walked.
    connect(
        raw, &QWebSocket::disconnected, this, [this, raw] { drop(raw); }, Qt::QueuedConnection);
    m_perClient[client] += 1;
    Page& added = *page;
    m_pages.push_back(std::move(page));
    if (added.board) {
        openBoard(added, QUrlQuery(url).queryItemValue(QStringLiteral("since"), QUrl::FullyDecoded));
    } else {
        send(added, added.lastSent);
    }
}

void PushHub::openBoard(Page& page, const QString& since)
{
    // The calls after the page's last one when the feed knows it; otherwise the page starts afresh.
    const auto after = since.isEmpty() ? std::nullopt : m_feed.since(since, page.counters);
    if (after) {
        QJsonArray calls;
        for (const ShownCall& c : *after)
            calls.append(callJson(c));
        send(page, withTime(QJsonObject{{QStringLiteral("t"), QStringLiteral("calls")},
                                        {QStringLiteral("calls"), calls}}));
        return;
    }
    const QVector<ShownCall> latest = m_feed.latest(page.rows, page.counters);
    QJsonArray calls;
    for (const ShownCall& c : latest)
        calls.append(callJson(c));
    send(page,
         withTime(QJsonObject{{QStringLiteral("t"), QStringLiteral("reset")},
                              {QStringLiteral("calls"), calls},
                              {QStringLiteral("key"), latest.isEmpty() ? QString() : latest.first().key}}));
}

bool PushHub::openTicket(Page& page, const QString& code)
{
    const auto view = ticketView(m_db, m_clock, &m_feed, code);
    if (!view)
        return false;
    page.ticket = view->key;
    page.service = view->service;
    page.code = code;
    page.lastSent = json(ticketJson(*view));
    return true;
}

void PushHub::send(Page& page, const QByteArray& message)
{
    if (!page.socket || page.socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (page.socket->bytesToWrite() > MaxBacklog) {
        page.socket->abort();
        return;
    }
    page.socket->sendTextMessage(QString::fromUtf8(message));
}

void PushHub::onShown(const ShownCall& call)
{
    QByteArray message;
    for (auto& page : m_pages) {
        if (page->board && page->counters.contains(call.call.counter)) {
            if (message.isEmpty()) {
                message = withTime(QJsonObject{{QStringLiteral("t"), QStringLiteral("calls")},
                                               {QStringLiteral("calls"), QJsonArray{callJson(call)}}});
            }
            send(*page, message);
        } else if (!page->board && page->ticket == call.call.ticket) {
            // The visitor hears of the call at once; the other tickets follow after the burst.
            refreshTicket(*page);
        }
    }
    m_movedServices.insert(serviceOfCounter(call.call.counter));
    m_ticketRefresh.start();
}

qint64 PushHub::serviceOfCounter(qint64 counter)
{
    const auto known = m_counterService.constFind(counter);
    if (known != m_counterService.cend())
        return *known;
    try {
        const ResultSet rs =
            m_db.query(QStringLiteral("select servAuto from tblCounter where cntAuto=?"), {counter});
        const qint64 service = rs.isEmpty() ? 0 : rs.number(0, 0);
        m_counterService.insert(counter, service);
        return service;
    } catch (const DbError&) {
        return 0;
    }
}

void PushHub::onCleared()
{
    const QByteArray reset = withTime(QJsonObject{{QStringLiteral("t"), QStringLiteral("reset")},
                                                  {QStringLiteral("calls"), QJsonArray()},
                                                  {QStringLiteral("key"), QString()}});
    for (auto& page : m_pages) {
        if (page->board)
            send(*page, reset);
    }
    // Counters may serve other services from today on.
    m_counterService.clear();
    refreshTickets(true);
}

void PushHub::refreshTickets(bool all)
{
    // A counter whose service could not be read may have moved any queue.
    all = all || m_movedServices.contains(0);
    const QList<qint64> alerted = runAlerts();
    for (auto& page : m_pages) {
        if (!page->board &&
            (all || m_movedServices.contains(page->service) || alerted.contains(page->ticket)))
            refreshTicket(*page);
    }
    m_movedServices.clear();
}

QList<qint64> PushHub::runAlerts()
{
    try {
        return m_alerts.check();
    } catch (const DbError&) {
        return {}; // the next round tries again
    }
}

void PushHub::alertChosen(qint64 ticket)
{
    runAlerts();
    for (auto& page : m_pages) {
        if (!page->board && page->ticket == ticket)
            refreshTicket(*page);
    }
}

void PushHub::refreshTicket(Page& page)
{
    try {
        const auto view = ticketView(m_db, m_clock, &m_feed, page.code);
        if (!view) {
            // The ticket is gone (a new day, or cleared): the page has nothing more to follow.
            page.socket->close(QWebSocketProtocol::CloseCodeNormal);
            return;
        }
        const QByteArray state = json(ticketJson(*view));
        if (state == page.lastSent)
            return;
        page.lastSent = state;
        send(page, state);
    } catch (const DbError&) {
        // The next call or sign of life tries again.
    }
}

void PushHub::setStoreReachable(bool reachable)
{
    if (reachable == m_storeReachable)
        return;
    m_storeReachable = reachable;
    sendAlive();
}

void PushHub::sendAlive()
{
    const QByteArray alive = withTime(QJsonObject{{QStringLiteral("t"), QStringLiteral("alive")}});
    for (auto& page : m_pages)
        send(*page, alive);
}

void PushHub::drop(QWebSocket* socket)
{
    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
        if ((*it)->socket.get() != socket)
            continue;
        const QString client = (*it)->client;
        if (--m_perClient[client] <= 0)
            m_perClient.remove(client);
        (*it)->socket.release()->deleteLater();
        m_pages.erase(it);
        return;
    }
}
