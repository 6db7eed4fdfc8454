#include "web/StaffPages.h"

#include "calling/HallNowFollower.h"
#include "calling/HallNowText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("StaffPages", text);
}

QByteArray filled(const QByteArray& scripts, const QByteArray& logout, const QByteArray& content)
{
    QByteArray html = ownFileText(QStringLiteral("manager.html"));
    html.replace("{{title}}", htmlEscaped(tr("Hall now")));
    html.replace("{{scripts}}", scripts);
    html.replace("{{logout}}", logout);
    html.replace("{{content}}", content);
    return html;
}

} // namespace

QByteArray hallMessage(const hallnow::Snapshot& snapshot)
{
    QJsonArray rows;
    for (const hallnow::Row& r : hallnow::rows(snapshot))
        rows.append(QJsonObject{{QStringLiteral("cells"), QJsonArray::fromStringList(r.cells)},
                                {QStringLiteral("outlook"), hallnow::outlookName(r.outlook)}});
    const QJsonObject m{{QStringLiteral("kind"), QStringLiteral("hall")},
                        {QStringLiteral("headers"), QJsonArray::fromStringList(hallnow::headers())},
                        {QStringLiteral("rows"), rows},
                        {QStringLiteral("stamp"),
                         tr("As of %1").arg(snapshot.at.time().toString(QStringLiteral("HH:mm:ss")))}};
    return QJsonDocument(m).toJson(QJsonDocument::Compact);
}

StaffPages::StaffPages(Database& db, const Clock& clock, std::function<qint64()> ms, QObject* parent)
    : QObject(parent), m_db(db), m_clock(clock), m_sessions(std::move(ms))
{
    // A sign of life every few seconds: the page counts a silent connection as lost.
    m_alive.setInterval(5000);
    connect(&m_alive, &QTimer::timeout, this, [this] {
        sendAll(QJsonDocument(QJsonObject{{QStringLiteral("kind"), QStringLiteral("alive")}})
                    .toJson(QJsonDocument::Compact));
    });
}

StaffPages::~StaffPages() = default;

WebAnswer StaffPages::loginPage(const QString& message, int status)
{
    WebAnswer a;
    a.status = status;
    a.mimeType = "text/html; charset=utf-8";
    a.form = true;
    QByteArray form = "<form id=\"login\" method=\"post\" action=\"/manager/login\">"
                      "<label for=\"user\">" +
                      htmlEscaped(tr("User name")) +
                      "</label><input id=\"user\" name=\"user\" autocomplete=\"username\" required autofocus>"
                      "<label for=\"password\">" +
                      htmlEscaped(tr("Password")) +
                      "</label><input id=\"password\" name=\"password\" type=\"password\" "
                      "autocomplete=\"current-password\" required>"
                      "<button type=\"submit\">" +
                      htmlEscaped(tr("Log in")) + "</button>";
    if (!message.isEmpty())
        form += "<p id=\"message\" role=\"alert\">" + htmlEscaped(message) + "</p>";
    form += "</form>";
    a.body = filled(QByteArray(), QByteArray(), form);
    return a;
}

WebAnswer StaffPages::toPage(const QByteArray& setCookie)
{
    WebAnswer a;
    a.status = 303;
    a.extra = {{"Location", "/manager"}, {"Set-Cookie", setCookie}};
    return a;
}

WebAnswer StaffPages::page(const QByteArray& cookieHeader) const
{
    if (!m_sessions.valid(ManagerSessions::idIn(cookieHeader)))
        return loginPage(QString());
    WebAnswer a;
    a.mimeType = "text/html; charset=utf-8";
    a.form = true;
    a.body =
        filled("<script src=\"/static/live.js\" defer></script>"
               "<script src=\"/static/manager.js\" defer></script>",
               "<form method=\"post\" action=\"/manager/logout\"><button id=\"logout\" type=\"submit\">" +
                   htmlEscaped(tr("Log out")) + "</button></form>",
               "<div id=\"offline\" role=\"alert\" hidden>" + htmlEscaped(tr("No connection to the server")) +
                   "</div><table id=\"hall\"><thead></thead><tbody></tbody></table><div id=\"stamp\"></div>");
    return a;
}

void StaffPages::take(std::unique_ptr<QWebSocket> socket, const QByteArray& session)
{
    if (!m_sessions.valid(session) || int(m_pages.size()) >= MaxPages) {
        socket->close(QWebSocketProtocol::CloseCodePolicyViolated);
        return;
    }
    QWebSocket* raw = socket.get();
    connect(raw, &QWebSocket::disconnected, this, [this, raw] { drop(raw); });
    // Pages send nothing that is acted on.
    raw->setReadBufferSize(1024);
    m_pages.push_back({std::move(socket), session});
    if (!m_follower) {
        m_follower = new HallNowFollower(m_db, m_clock, this);
        connect(m_follower, &HallNowFollower::changed, this, [this](const hallnow::Snapshot& s) {
            m_last = hallMessage(s);
            sendAll(m_last);
        });
        connect(m_follower, &HallNowFollower::lost, this, [this](const QString&) {
            sendAll(QJsonDocument(
                        QJsonObject{{QStringLiteral("kind"), QStringLiteral("offline")},
                                    {QStringLiteral("text"),
                                     tr("The figures are not current: the database cannot be reached")}})
                        .toJson(QJsonDocument::Compact));
        });
        m_follower->start();
        m_alive.start();
    } else if (!m_last.isEmpty()) {
        raw->sendTextMessage(QString::fromUtf8(m_last));
    }
}

void StaffPages::end(const QByteArray& session)
{
    m_sessions.close(session);
    const QByteArray ended = QJsonDocument(QJsonObject{{QStringLiteral("kind"), QStringLiteral("ended")}})
                                 .toJson(QJsonDocument::Compact);
    for (Page& p : m_pages) {
        if (p.session == session) {
            p.socket->sendTextMessage(QString::fromUtf8(ended));
            p.socket->close();
        }
    }
}

void StaffPages::sendAll(const QByteArray& message)
{
    const QString text = QString::fromUtf8(message);
    QList<QWebSocket*> expired;
    for (Page& p : m_pages) {
        if (!m_sessions.valid(p.session))
            expired.append(p.socket.get());
        else
            p.socket->sendTextMessage(text);
    }
    for (QWebSocket* s : expired)
        s->close();
}

void StaffPages::drop(QWebSocket* socket)
{
    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
        if (it->socket.get() == socket) {
            it->socket.release()->deleteLater();
            m_pages.erase(it);
            break;
        }
    }
    if (m_pages.empty() && m_follower) {
        m_alive.stop();
        m_follower->deleteLater();
        m_follower = nullptr;
        m_last.clear();
    }
}
