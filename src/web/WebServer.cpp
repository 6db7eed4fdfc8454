#include "web/WebServer.h"

#include "core/ConnectionOptions.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/ThemeChoice.h"
#include "ui/Language.h"
#include "web/BoardList.h"
#include "web/BoardPage.h"
#include "web/PageWords.h"
#include "web/TicketPage.h"

#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>

namespace {

// Paths whose answer reads the hall (on a reader); every other one is answered at once.
bool readsTheHall(const QString& path)
{
    return path == QLatin1String("/") || path == QLatin1String("/board") ||
           path == QLatin1String("/api/board") || path == QLatin1String("/api/news") ||
           path.startsWith(QLatin1String("/t/"));
}

WebAnswer boardList(const QList<HallTheme>& themes, const QString& missingName = QString())
{
    WebAnswer a;
    a.mimeType = "text/html; charset=utf-8";
    a.body = boardListPage(themes, missingName);
    return a;
}

// The answer of a path that reads the hall; runs on a reader's thread with its connection.
WebAnswer readAnswer(Database& db, Settings& settings, const Clock& clock, const QString& path,
                     const QUrlQuery& query)
{
    try {
        const QString theme = query.queryItemValue(QStringLiteral("theme"), QUrl::FullyDecoded);
        if (path == QLatin1String("/"))
            return boardList(themechoice::hallThemes(db));
        if (path == QLatin1String("/board")) {
            // Without a board to show, the hall's boards to choose from.
            if (!webBoard(db, settings, theme)) {
                WebAnswer a = boardList(themechoice::hallThemes(db), theme);
                a.status = theme.isEmpty() ? 200 : 404;
                return a;
            }
            // The board's texts in the language asked for, or the server's.
            WebAnswer a = ownFile(QStringLiteral("board.html"));
            a.body = pagewords::translated(
                a.body, Language(query.queryItemValue(QStringLiteral("lang"), QUrl::FullyDecoded)));
            return a;
        }
        if (path == QLatin1String("/api/board")) {
            const auto board = webBoard(db, settings, theme);
            if (!board)
                return textAnswer(404, "No theme of that name");
            QJsonObject look = board->look;
            addServerTime(look, clock);
            return jsonAnswer(QJsonDocument(look).toJson(QJsonDocument::Compact));
        }
        if (path == QLatin1String("/api/news"))
            return jsonAnswer(QJsonDocument(newsMessages(db)).toJson(QJsonDocument::Compact));
        if (path.startsWith(QLatin1String("/t/"))) {
            const auto view = ticketView(db, clock, nullptr, path.mid(3));
            if (!view)
                return notFound();
            WebAnswer a;
            a.mimeType = "text/html; charset=utf-8";
            a.body = ticketPage(*view);
            return a;
        }
        return notFound();
    } catch (const DbError&) {
        WebAnswer a = textAnswer(503, "The database cannot be reached");
        a.retryAfter = 5;
        return a;
    }
}

WebAnswer unavailable()
{
    WebAnswer a = textAnswer(503, "The database cannot be reached");
    a.retryAfter = 5;
    return a;
}

ConnectionGuard::Limits guardLimits(const WebConfig& config)
{
    ConnectionGuard::Limits l;
    l.perClient = config.connectionsPerClient;
    l.inAll = config.connectionsInAll;
    l.headTimeoutMs = config.headTimeoutMs;
    l.idleTimeoutMs = config.idleTimeoutMs;
    return l;
}

} // namespace

StoreReaders::Opener sameStoreAs(const Database& db)
{
    ConnectionValues values;
    if (db.isPostgres()) {
        const ServerLink link = db.serverLink();
        values.host = link.host + QLatin1Char(':') + QString::number(link.port);
        values.database = link.database;
        values.user = link.user;
        values.password = link.password;
        values.passwordAuthentication = link.passwordAuthentication;
        values.options = tlsOptions(link.sslMode, link.sslRootCert);
    } else {
        values.database = db.description(); // the file
    }
    return [values] {
        auto reader = std::make_unique<Database>();
        reader->open(values, QString(), Database::Creation::AsItIs);
        reader->setStatementTimeout(weblimits::ReadTimeoutMs);
        return reader;
    };
}

WebServer::WebServer(Database& db, Settings& settings, const Clock& clock, CallFeed& feed,
                     const WebConfig& config, QObject* parent, StoreReaders::Opener readers)
    : QAbstractHttpServer(parent), m_clock(clock), m_config(config),
      m_limiter(config.burst, config.perMinute),
      m_pages(db, settings, clock, feed, PushHub::Limits{config.socketsPerClient, config.socketsInAll})
{
    m_started.start();
    m_ms = [this] { return m_started.elapsed(); };
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &WebServer::takeWebSockets);
    m_readers =
        std::make_unique<StoreReaders>(readers ? std::move(readers) : sameStoreAs(db), settings.fileName(),
                                       weblimits::ReaderThreads, weblimits::MaxQueuedReads);
}

WebServer::~WebServer()
{
    m_readers.reset();
}

QString WebServer::start()
{
    auto* guard = new ConnectionGuard(guardLimits(m_config), this);
    if (!guard->listen(m_config.address, m_config.port)) {
        const QString error = guard->errorString();
        delete guard;
        return QStringLiteral("cannot listen on %1 port %2: %3")
            .arg(m_config.address.toString())
            .arg(m_config.port)
            .arg(error);
    }
    m_guard = guard;
    m_origins = std::make_unique<OriginPolicy>(m_config.origins, m_config.address, guard->serverPort());
    bind(guard);
    return QString();
}

quint16 WebServer::port() const
{
    return m_guard ? m_guard->serverPort() : 0;
}

bool WebServer::takeUpgrade(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // A page's pushed connection: true lets the WebSocket side take it (takeWebSockets) without an
    // answer here; false refuses it (missingHandler answers 404). It counts against the client's budget.
    const QString path = request.url().path(QUrl::FullyEncoded);
    const bool page = path == QLatin1String("/ws/board") || path.startsWith(QLatin1String("/ws/t/"));
    if (!page || !m_origins->allows(QString::fromUtf8(request.value("origin"))) ||
        !m_limiter.allow(request.remoteAddress(), m_ms()))
        return false;
    m_guard->handedOver(socket);
    return true;
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return takeUpgrade(request, socket);
    const qint64 number = m_guard->expectAnswer(socket);
    if (number < 0)
        return true; // the connection is closed
    const bool close = request.value("connection").compare("close", Qt::CaseInsensitive) == 0;
    const QHostAddress client = request.remoteAddress();
    if (!m_limiter.allow(client, m_ms())) {
        WebAnswer a = textAnswer(429, "Too many requests");
        a.retryAfter = m_limiter.retryAfter(client, m_ms());
        send(socket, number, a, close);
        return true;
    }
    if (request.method() != QHttpServerRequest::Method::Get) {
        WebAnswer a = textAnswer(405, "Method not allowed");
        a.allow = "GET";
        send(socket, number, a, close);
        return true;
    }
    const QUrl url = request.url();
    const QString path = url.path(QUrl::FullyEncoded);
    if (!readsTheHall(path)) {
        send(socket, number, path.startsWith(QLatin1String("/static/")) ? ownFile(path.mid(8)) : notFound(),
             close);
        return true;
    }
    const QString key = RateLimiter::clientKey(client);
    if (m_reading.value(key) >= weblimits::ReadsPerClient) {
        WebAnswer a = textAnswer(429, "Too many requests");
        a.retryAfter = 1;
        send(socket, number, a, close);
        return true;
    }
    QPointer<QTcpSocket> guarded(socket);
    const auto done = [this, guarded, number, close, key](const WebAnswer& a) {
        if (--m_reading[key] <= 0)
            m_reading.remove(key);
        if (guarded)
            send(guarded, number, a, close);
    };
    const QUrlQuery query(url);
    const Clock& clock = m_clock;
    const bool queued = m_readers->run(
        this,
        [&clock, path, query, done](Database& db, Settings& settings) -> std::function<void()> {
            const WebAnswer a = readAnswer(db, settings, clock, path, query);
            return [done, a] { done(a); };
        },
        [done] { done(unavailable()); });
    if (!queued) {
        send(socket, number, unavailable(), close);
        return true;
    }
    m_reading[key] += 1;
    return true;
}

void WebServer::send(QTcpSocket* socket, qint64 number, const WebAnswer& answer, bool close)
{
    m_guard->answer(socket, number, httpMessage(answer, close), close);
}

void WebServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // Only a refused pushed connection comes here; the parser closes the connection after it.
    Q_UNUSED(request);
    socket->write(httpMessage(notFound(), true));
}

void WebServer::takeWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (socket)
            m_pages.take(std::move(socket));
    }
}
