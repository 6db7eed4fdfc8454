#include "web/WebServer.h"

#include "core/Database.h"
#include "web/BoardList.h"
#include "web/BoardPage.h"
#include "web/TicketPage.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QTcpServer>
#include <QWebSocket>

namespace {

WebAnswer boardList(const QList<HallTheme>& themes, const QString& missingName = QString())
{
    WebAnswer a;
    a.mimeType = "text/html; charset=utf-8";
    a.body = boardListPage(themes, missingName);
    return a;
}

} // namespace

WebServer::WebServer(Database& db, Settings& settings, const Clock& clock, CallFeed& feed,
                     const WebConfig& config, QObject* parent)
    : QAbstractHttpServer(parent), m_db(db), m_settings(settings), m_clock(clock), m_feed(feed),
      m_config(config), m_limiter(config.burst, config.perMinute),
      m_pages(db, settings, clock, feed, PushHub::Limits{config.socketsPerClient, config.socketsInAll})
{
    m_started.start();
    m_ms = [this] { return m_started.elapsed(); };
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this, &WebServer::takeWebSockets);
}

QString WebServer::start()
{
    auto* server = new QTcpServer(this);
    if (!server->listen(m_config.address, m_config.port)) {
        const QString error = server->errorString();
        delete server;
        return QStringLiteral("cannot listen on %1 port %2: %3")
            .arg(m_config.address.toString())
            .arg(m_config.port)
            .arg(error);
    }
    bind(server);
    return QString();
}

quint16 WebServer::port() const
{
    const QList<QTcpServer*> servers = findChildren<QTcpServer*>();
    return servers.isEmpty() ? 0 : servers.first()->serverPort();
}

WebAnswer WebServer::answer(const QByteArray& method, const QString& path, const QUrlQuery& query,
                            const QHostAddress& client)
{
    const qint64 now = m_ms();
    if (!m_limiter.allow(client, now)) {
        WebAnswer a = textAnswer(429, "Too many requests");
        a.retryAfter = m_limiter.retryAfter(client, now);
        return a;
    }
    if (method != "GET") {
        WebAnswer a = textAnswer(405, "Method not allowed");
        a.allow = "GET";
        return a;
    }
    try {
        return route(path, query);
    } catch (const DbError&) {
        WebAnswer a = textAnswer(503, "The database cannot be reached");
        a.retryAfter = 5;
        return a;
    }
}

WebAnswer WebServer::route(const QString& path, const QUrlQuery& query)
{
    const QString theme = query.queryItemValue(QStringLiteral("theme"), QUrl::FullyDecoded);
    if (path == QLatin1String("/"))
        return boardList(themechoice::hallThemes(m_db));
    if (path == QLatin1String("/board")) {
        // Without a board to show, the hall's boards to choose from.
        if (!webBoard(m_db, m_settings, theme)) {
            WebAnswer a = boardList(themechoice::hallThemes(m_db), theme);
            a.status = theme.isEmpty() ? 200 : 404;
            return a;
        }
        return ownFile(QStringLiteral("board.html"));
    }
    if (path.startsWith(QLatin1String("/static/")))
        return ownFile(path.mid(8));
    if (path == QLatin1String("/api/board")) {
        const auto board = webBoard(m_db, m_settings, theme);
        if (!board)
            return textAnswer(404, "No theme of that name");
        QJsonObject look = board->look;
        addServerTime(look, m_clock);
        return jsonAnswer(QJsonDocument(look).toJson(QJsonDocument::Compact));
    }
    if (path == QLatin1String("/api/news"))
        return jsonAnswer(QJsonDocument(newsMessages(m_db)).toJson(QJsonDocument::Compact));
    if (path.startsWith(QLatin1String("/t/"))) {
        const auto view = ticketView(m_db, m_clock, m_feed, path.mid(3));
        if (!view)
            return notFound();
        WebAnswer a;
        a.mimeType = "text/html; charset=utf-8";
        a.body = ticketPage(*view);
        return a;
    }
    return notFound();
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    static const QHash<QHttpServerRequest::Method, QByteArray> names{
        {QHttpServerRequest::Method::Get, "GET"},       {QHttpServerRequest::Method::Put, "PUT"},
        {QHttpServerRequest::Method::Delete, "DELETE"}, {QHttpServerRequest::Method::Post, "POST"},
        {QHttpServerRequest::Method::Head, "HEAD"},     {QHttpServerRequest::Method::Options, "OPTIONS"},
        {QHttpServerRequest::Method::Patch, "PATCH"},   {QHttpServerRequest::Method::Connect, "CONNECT"},
        {QHttpServerRequest::Method::Trace, "TRACE"},
    };
    // A page's pushed connection: true lets the WebSocket side take it (takeWebSockets) without an
    // answer here; false refuses it (missingHandler answers 404). It counts against the client's budget.
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0) {
        const QString path = request.url().path(QUrl::FullyEncoded);
        return (path == QLatin1String("/ws/board") || path.startsWith(QLatin1String("/ws/t/"))) &&
               m_limiter.allow(request.remoteAddress(), m_ms());
    }
    const QUrl url = request.url();
    const WebAnswer a = answer(names.value(request.method(), "OTHER"), url.path(QUrl::FullyEncoded),
                               QUrlQuery(url), request.remoteAddress());
    QHttpServerResponse response(a.mimeType, a.body, QHttpServerResponder::StatusCode(a.status));
    for (const auto& header : strictHeaders(a))
        response.addHeader(header.first, header.second);
    response.write(makeResponder(request, socket));
    return true;
}

void WebServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket)
{
    const WebAnswer a = notFound();
    QHttpServerResponse response(a.mimeType, a.body, QHttpServerResponder::StatusCode::NotFound);
    for (const auto& header : strictHeaders(a))
        response.addHeader(header.first, header.second);
    response.write(makeResponder(request, socket));
}

void WebServer::takeWebSockets()
{
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> socket = nextPendingWebSocketConnection();
        if (socket)
            m_pages.take(std::move(socket));
    }
}
