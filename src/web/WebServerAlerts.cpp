#include "web/WebServer.h"

#include "core/Database.h"
#include "web/AlertForm.h"

#include <QHttpServerRequest>
#include <QPointer>
#include <QTcpSocket>

// The near-turn alert's form of the ticket page, posted to /t/CODE/alert.

void WebServer::alertPost(const QHttpServerRequest& request, QTcpSocket* socket, qint64 number, bool close,
                          const QString& code)
{
    if (request.method() != QHttpServerRequest::Method::Post) {
        WebAnswer a = textAnswer(405, tr("Method not allowed").toUtf8());
        a.allow = "POST";
        send(socket, number, a, close);
        return;
    }
    // As the staff page's forms: a post from a page of another site, or from no page, is refused.
    const QString origin = QString::fromUtf8(request.value("origin"));
    if (origin.isEmpty() || !m_origins->allows(origin)) {
        send(socket, number, textAnswer(403, tr("Cross-site form refused").toUtf8()), close);
        return;
    }
    const bool json = request.value("accept").contains("application/json");
    const QHostAddress client = request.remoteAddress();
    if (!m_alertPosts.allow(client, m_ms())) {
        send(socket, number, alertform::tooMany(json, m_alertPosts.retryAfter(client, m_ms())), close);
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    QPointer<WebServer> self(this);
    const auto done = [self, guarded, number, close](const WebAnswer& a, qint64 kept) {
        if (!self)
            return;
        // The choice may be due at once; the token's open pages show it either way.
        if (kept != 0)
            self->m_pages.alertChosen(kept);
        if (guarded)
            self->send(guarded, number, a, close);
    };
    const Clock& clock = m_clock;
    const QByteArray body = request.body();
    const bool queued = m_readers->run(
        this,
        [&clock, code, body, json, done](Database& db, Settings&) -> std::function<void()> {
            qint64 kept = 0;
            WebAnswer a;
            try {
                a = alertform::answer(db, clock, code, body, json, kept);
            } catch (const DbError&) {
                a = alertform::unreachable(json);
            }
            return [done, a, kept] { done(a, kept); };
        },
        [done, json] { done(alertform::unreachable(json), 0); });
    if (!queued)
        send(socket, number, alertform::unreachable(json), close);
}
