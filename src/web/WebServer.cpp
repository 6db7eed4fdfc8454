#include "web/WebServer.h"

#include "core/ConnectionOptions.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "core/ThemeChoice.h"
#include "core/users/Credentials.h"
#include "ui/Clock.h"
#include "ui/Language.h"
#include "web/AlertForm.h"
#include "web/BoardList.h"
#include "web/BoardPage.h"
#include "web/JoinPage.h"
#include "web/PageWords.h"
#include "web/TicketPage.h"

#include <QCoreApplication>
#include <QHttpServerRequest>
#include <QJsonDocument>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>
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
                return textAnswer(404,
                                  QCoreApplication::translate("WebServer", "No theme of that name").toUtf8());
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
            a.form = true; // the near-turn alert's choice
            a.body = ticketPage(*view);
            return a;
        }
        return notFound();
    } catch (const DbError&) {
        WebAnswer a = textAnswer(
            503, QCoreApplication::translate("WebServer", "The database cannot be reached").toUtf8());
        a.retryAfter = 5;
        return a;
    }
}

bool isStaffPath(const QString& path)
{
    return path == QLatin1String("/manager") || path.startsWith(QLatin1String("/manager/"));
}

// The request came over TLS: to this server none does, so it is the word of the proxy in front (or of
// the page's own origin). A cookie marked Secure by mistake is only withheld from plain HTTP.
bool overTls(const QHttpServerRequest& request)
{
    return request.value("x-forwarded-proto").compare("https", Qt::CaseInsensitive) == 0 ||
           request.value("origin").startsWith("https://");
}

QString peerKey(const QHostAddress& address, quint16 port)
{
    return address.toString() + QLatin1Char('/') + QString::number(port);
}

WebAnswer unavailable()
{
    WebAnswer a =
        textAnswer(503, QCoreApplication::translate("WebServer", "The database cannot be reached").toUtf8());
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

PushHub::Limits pageLimits(const WebConfig& config)
{
    PushHub::Limits l{config.socketsPerClient, config.socketsInAll, {}};
    for (const QHostAddress& board : config.boardAddresses)
        l.tellers.insert(RateLimiter::clientKey(board));
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
      m_limiter(config.burst, config.perMinute), m_alertPosts(10, 10),
      m_pages(db, settings, clock, feed, pageLimits(config)), m_staff(db, clock, [this] { return m_ms(); }),
      m_db(db)
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
    if (!m_config.staffAddress.isNull()) {
        auto* staff = new ConnectionGuard(guardLimits(m_config), this);
        if (!staff->listen(m_config.staffAddress, m_config.staffPort)) {
            const QString error = staff->errorString();
            delete staff;
            return QStringLiteral("cannot listen for the staff page on %1 port %2: %3")
                .arg(m_config.staffAddress.toString())
                .arg(m_config.staffPort)
                .arg(error);
        }
        m_staffGuard = staff;
        m_staffOrigins =
            std::make_unique<OriginPolicy>(m_config.origins, m_config.staffAddress, staff->serverPort());
        bind(staff);
    }
    return QString();
}

quint16 WebServer::port() const
{
    return m_guard ? m_guard->serverPort() : 0;
}

quint16 WebServer::staffPort() const
{
    return m_staffGuard ? m_staffGuard->serverPort() : 0;
}

ConnectionGuard* WebServer::guardOf(QTcpSocket* socket) const
{
    return m_staffGuard && m_staffGuard->holds(socket) ? m_staffGuard : m_guard;
}

bool WebServer::takeUpgrade(const QHttpServerRequest& request, QTcpSocket* socket)
{
    // A page's pushed connection: true lets the WebSocket side take it (takeWebSockets) without an
    // answer here; false refuses it (missingHandler answers 404). It counts against the client's budget.
    const QString path = request.url().path(QUrl::FullyEncoded);
    const bool onStaff = guardOf(socket) == m_staffGuard;
    const QString origin = QString::fromUtf8(request.value("origin"));
    if (path == QLatin1String("/manager/ws")) {
        // The staff page's: on the staff address (when it has one), from its own page, in a session.
        const QByteArray session = ManagerSessions::idIn(request.value("cookie"));
        const OriginPolicy& origins = onStaff ? *m_staffOrigins : *m_origins;
        if ((m_staffGuard && !onStaff) || !origins.allows(origin) || !m_staff.sessions().valid(session) ||
            !m_limiter.allow(request.remoteAddress(), m_ms()))
            return false;
        if (m_upgradeSessions.size() >= StaffPages::MaxPages)
            m_upgradeSessions.clear(); // upgrades that never completed
        m_upgradeSessions.insert(peerKey(socket->peerAddress(), socket->peerPort()), session);
        guardOf(socket)->handedOver(socket);
        return true;
    }
    const bool page = path == QLatin1String("/ws/board") || path.startsWith(QLatin1String("/ws/t/"));
    if (!page || onStaff || !m_origins->allows(origin) || !m_limiter.allow(request.remoteAddress(), m_ms()))
        return false;
    m_guard->handedOver(socket);
    return true;
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket)
{
    if (request.value("upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
        return takeUpgrade(request, socket);
    const qint64 number = guardOf(socket)->expectAnswer(socket);
    if (number < 0)
        return true; // the connection is closed
    const bool close = request.value("connection").compare("close", Qt::CaseInsensitive) == 0;
    const QHostAddress client = request.remoteAddress();
    if (!m_limiter.allow(client, m_ms())) {
        WebAnswer a = textAnswer(429, tr("Too many requests").toUtf8());
        a.retryAfter = m_limiter.retryAfter(client, m_ms());
        send(socket, number, a, close);
        return true;
    }
    if (staffRequest(request, socket, number, close))
        return true;
    if (const auto code = alertform::codeOfPath(request.url().path(QUrl::FullyEncoded))) {
        alertPost(request, socket, number, close, *code);
        return true;
    }
    if (request.url().path(QUrl::FullyEncoded) == QLatin1String("/join")) {
        joinRequest(request, socket, number, close);
        return true;
    }
    if (request.method() != QHttpServerRequest::Method::Get) {
        WebAnswer a = textAnswer(405, tr("Method not allowed").toUtf8());
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
    const QUrlQuery query(url);
    const Clock& clock = m_clock;
    answerOnReader(socket, number, close, client, [&clock, path, query](Database& db, Settings& settings) {
        return readAnswer(db, settings, clock, path, query);
    });
    return true;
}

void WebServer::answerOnReader(QTcpSocket* socket, qint64 number, bool close, const QHostAddress& client,
                               const std::function<WebAnswer(Database&, Settings&)>& work)
{
    const QString key = RateLimiter::clientKey(client);
    if (m_reading.value(key) >= weblimits::ReadsPerClient) {
        WebAnswer a = textAnswer(429, tr("Too many requests").toUtf8());
        a.retryAfter = 1;
        send(socket, number, a, close);
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    const auto done = [this, guarded, number, close, key](const WebAnswer& a) {
        if (--m_reading[key] <= 0)
            m_reading.remove(key);
        if (guarded)
            send(guarded, number, a, close);
    };
    const bool queued = m_readers->run(
        this,
        [work, done](Database& db, Settings& settings) -> std::function<void()> {
            const WebAnswer a = work(db, settings);
            return [done, a] { done(a); };
        },
        [done] { done(unavailable()); });
    if (!queued) {
        send(socket, number, unavailable(), close);
        return;
    }
    m_reading[key] += 1;
}

void WebServer::joinRequest(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close)
{
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    if (!post && request.method() != QHttpServerRequest::Method::Get) {
        WebAnswer a = textAnswer(405, tr("Method not allowed").toUtf8());
        a.allow = "GET, POST";
        send(socket, number, a, close);
        return;
    }
    // The form is posted from the server's own page only, as the staff log-in is.
    const QString origin = QString::fromUtf8(request.value("origin"));
    if (post && (origin.isEmpty() || !m_origins->allows(origin))) {
        send(socket, number, textAnswer(403, tr("Cross-site form refused").toUtf8()), close);
        return;
    }
    // A phone is known by the cookie it was given here; one without it gets one now.
    QByteArray phone = joinpage::phoneIn(request.value("cookie"));
    const bool newPhone = phone.isEmpty();
    if (newPhone)
        phone = joinpage::newPhone();
    const QByteArray cookie = newPhone ? joinpage::setCookie(phone, overTls(request)) : QByteArray();
    const auto withCookie = [cookie](WebAnswer a) {
        if (!cookie.isEmpty())
            a.extra.append(qMakePair(QByteArray("Set-Cookie"), cookie));
        return a;
    };
    const Clock& clock = m_clock;
    const QByteArray accepted = request.value("accept-language");
    if (!post) {
        const QString language = joinpage::visitorLanguage(
            QUrlQuery(request.url()).queryItemValue(QStringLiteral("lang"), QUrl::FullyDecoded), accepted);
        answerOnReader(socket, number, close, request.remoteAddress(),
                       [&clock, language, withCookie](Database& db, Settings&) {
                           try {
                               return withCookie(joinpage::listPage(db, clock, language));
                           } catch (const DbError&) {
                               return unavailable();
                           }
                       });
        return;
    }
    const QUrlQuery form(QString::fromUtf8(request.body()).replace(QLatin1Char('+'), QLatin1Char(' ')));
    phonejoin::JoinRequest join;
    join.service = form.queryItemValue(QStringLiteral("service"), QUrl::FullyDecoded).toLongLong();
    // A phone that came without its cookie counts for its address only.
    join.phone = newPhone ? QByteArray() : phone;
    join.place = RateLimiter::clientKey(request.remoteAddress());
    join.language =
        joinpage::visitorLanguage(form.queryItemValue(QStringLiteral("lang"), QUrl::FullyDecoded), accepted);
    join.joinsPerHour = m_config.joinsPerHour;
    answerOnReader(socket, number, close, request.remoteAddress(),
                   [&clock, join, withCookie](Database& db, Settings&) {
                       try {
                           return withCookie(joinpage::joinAnswer(db, clock, join));
                       } catch (const DbError&) {
                           return unavailable();
                       }
                   });
}

void WebServer::send(QTcpSocket* socket, qint64 number, const WebAnswer& answer, bool close)
{
    guardOf(socket)->answer(socket, number, httpMessage(answer, close), close);
}

bool WebServer::staffRequest(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close)
{
    const QString path = request.url().path(QUrl::FullyEncoded);
    const bool onStaff = m_staffGuard && guardOf(socket) == m_staffGuard;
    if (!isStaffPath(path)) {
        // The staff address serves the staff page and its files only.
        if (onStaff && !path.startsWith(QLatin1String("/static/"))) {
            send(socket, number, notFound(), close);
            return true;
        }
        return false;
    }
    if (m_staffGuard && !onStaff) {
        send(socket, number, notFound(), close);
        return true;
    }
    const bool post = request.method() == QHttpServerRequest::Method::Post;
    const bool form = path == QLatin1String("/manager/login") || path == QLatin1String("/manager/logout");
    if (path == QLatin1String("/manager") && request.method() == QHttpServerRequest::Method::Get) {
        send(socket, number, m_staff.page(request.value("cookie")), close);
        return true;
    }
    if (!form || !post) {
        WebAnswer a = form ? textAnswer(405, tr("Method not allowed").toUtf8()) : notFound();
        a.allow = form ? "POST" : QByteArray();
        send(socket, number, a, close);
        return true;
    }
    // A form posted from a page of another site (a cross-site request) is refused: browsers name the
    // page's origin on every POST, so one without it comes from no page of this server.
    const OriginPolicy& origins = onStaff ? *m_staffOrigins : *m_origins;
    const QString origin = QString::fromUtf8(request.value("origin"));
    if (origin.isEmpty() || !origins.allows(origin)) {
        send(socket, number, textAnswer(403, tr("Cross-site form refused").toUtf8()), close);
        return true;
    }
    if (path == QLatin1String("/manager/logout")) {
        m_staff.end(ManagerSessions::idIn(request.value("cookie")));
        send(socket, number, StaffPages::toPage(ManagerSessions::setCookie(QByteArray(), overTls(request))),
             close);
        return true;
    }
    logIn(request, socket, number, close);
    return true;
}

void WebServer::logIn(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close)
{
    const QUrlQuery form(QString::fromUtf8(request.body()).replace(QLatin1Char('+'), QLatin1Char(' ')));
    const QString user = form.queryItemValue(QStringLiteral("user"), QUrl::FullyDecoded);
    const QString password = form.queryItemValue(QStringLiteral("password"), QUrl::FullyDecoded);
    const QString client = RateLimiter::clientKey(request.remoteAddress());
    const qint64 wait = m_staff.sessions().waitMs(client, user, m_clock.now());
    if (wait > 0) {
        const int seconds = int((wait + 999) / 1000);
        WebAnswer a = StaffPages::loginPage(
            QCoreApplication::translate("StaffPages", "Too many wrong tries: wait %1 s and try again.")
                .arg(seconds),
            429);
        a.retryAfter = seconds;
        send(socket, number, a, close);
        return;
    }
    if (user.isEmpty() || password.isEmpty()) {
        send(socket, number,
             StaffPages::loginPage(
                 QCoreApplication::translate("StaffPages", "Enter the user name and the password."), 400),
             close);
        return;
    }
    // The password's hash is checked on a reader: it takes a noticeable moment by design.
    const bool secure = overTls(request);
    QPointer<QTcpSocket> guarded(socket);
    QPointer<WebServer> self(this);
    // The database keeps its own waits after wrong tries, per name and for every workstation: a try it
    // refuses as too early is answered as the server's own wait is.
    const auto answer = [self, guarded, number, close, client, user, secure](std::optional<bool> ok,
                                                                             qint64 storeWaitMs) {
        if (!self)
            return;
        WebAnswer a;
        if (!ok) {
            a = unavailable();
        } else if (*ok) {
            self->m_staff.sessions().succeeded(client, user);
            a = StaffPages::toPage(ManagerSessions::setCookie(self->m_staff.sessions().open(), secure));
        } else if (storeWaitMs > 0) {
            const int seconds = int((storeWaitMs + 999) / 1000);
            a = StaffPages::loginPage(
                QCoreApplication::translate("StaffPages", "Too many wrong tries: wait %1 s and try again.")
                    .arg(seconds),
                429);
            a.retryAfter = seconds;
        } else {
            self->m_staff.sessions().failed(client, user, self->m_clock.now());
            a = StaffPages::loginPage(
                QCoreApplication::translate("StaffPages", "Wrong user name or password."), 403);
        }
        if (guarded)
            self->send(guarded, number, a, close);
    };
    const bool queued = m_readers->run(
        this,
        [user, password, answer](Database& db, Settings&) -> std::function<void()> {
            std::optional<bool> ok;
            users::LoginRefusal refusal;
            try {
                ok = users::checkAdministrator(db, user, password, &refusal).has_value();
            } catch (const DbError&) {
            }
            const qint64 storeWait = refusal.tooEarly ? qMax<qint64>(refusal.waitMs, 1) : 0;
            return [answer, ok, storeWait] { answer(ok, storeWait); };
        },
        [answer] { answer(std::nullopt, 0); });
    if (!queued)
        send(socket, number, unavailable(), close);
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
        if (!socket)
            continue;
        const QString peer = peerKey(socket->peerAddress(), socket->peerPort());
        if (m_upgradeSessions.contains(peer)) {
            m_staff.take(std::move(socket), m_upgradeSessions.take(peer));
            continue;
        }
        m_pages.take(std::move(socket));
    }
}
