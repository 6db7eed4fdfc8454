#include "web/WebAnswers.h"

#include <QFile>
#include <QHash>

namespace {

// The files the pages are made of, by the name they are asked for, with their types.
const QHash<QString, QByteArray>& ownFiles()
{
    static const QHash<QString, QByteArray> files{
        {QStringLiteral("board.html"), "text/html; charset=utf-8"},
        {QStringLiteral("board.css"), "text/css; charset=utf-8"},
        {QStringLiteral("board.js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("boards.css"), "text/css; charset=utf-8"},
        {QStringLiteral("clock.js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("live.js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("ticket.html"), "text/html; charset=utf-8"},
        {QStringLiteral("ticket.css"), "text/css; charset=utf-8"},
        {QStringLiteral("ticket.js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("alert.js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("manager.html"), "text/html; charset=utf-8"},
        {QStringLiteral("manager.css"), "text/css; charset=utf-8"},
        {QStringLiteral("manager.js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("join.html"), "text/html; charset=utf-8"},
        {QStringLiteral("join.css"), "text/css; charset=utf-8"},
    };
    return files;
}

} // namespace

QByteArray contentSecurityPolicy(bool form)
{
    return QByteArray("default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self' data:; "
                      "connect-src 'self'; font-src 'self'; base-uri 'none'; form-action ") +
           (form ? "'self'" : "'none'") + "; frame-ancestors 'none'";
}

HeaderList strictHeaders(const WebAnswer& answer)
{
    HeaderList h{
        {"Content-Security-Policy", contentSecurityPolicy(answer.form)},
        {"X-Content-Type-Options", "nosniff"},
        {"X-Frame-Options", "DENY"},
        // A page with a form names itself to this server only: with no referrer at all a browser
        // posts the form with the origin "null", which the server refuses as it would another site's.
        {"Referrer-Policy", answer.form ? "same-origin" : "no-referrer"},
        {"Cross-Origin-Opener-Policy", "same-origin"},
        {"Cross-Origin-Resource-Policy", "same-origin"},
        {"Permissions-Policy", "camera=(), microphone=(), geolocation=(), payment=()"},
    };
    if (answer.noStore) {
        h.append(HeaderList::value_type("Cache-Control", QByteArray("no-store, max-age=0")));
        h.append(HeaderList::value_type("Pragma", QByteArray("no-cache")));
    } else {
        h.append(HeaderList::value_type("Cache-Control", QByteArray("no-cache")));
    }
    if (answer.retryAfter > 0)
        h.append(HeaderList::value_type("Retry-After", QByteArray::number(answer.retryAfter)));
    if (!answer.allow.isEmpty())
        h.append(HeaderList::value_type("Allow", answer.allow));
    h.append(answer.extra);
    return h;
}

QByteArray httpMessage(const WebAnswer& answer, bool close)
{
    static const QHash<int, QByteArray> reasons{
        {200, "OK"},
        {303, "See Other"},
        {400, "Bad Request"},
        {403, "Forbidden"},
        {404, "Not Found"},
        {409, "Conflict"},
        {405, "Method Not Allowed"},
        {408, "Request Timeout"},
        {413, "Content Too Large"},
        {414, "URI Too Long"},
        {429, "Too Many Requests"},
        {431, "Request Header Fields Too Large"},
        {503, "Service Unavailable"},
    };
    QByteArray m = "HTTP/1.1 " + QByteArray::number(answer.status) + ' ' +
                   reasons.value(answer.status, "Status") + "\r\nContent-Type: " + answer.mimeType +
                   "\r\nContent-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    for (const auto& header : strictHeaders(answer))
        m += header.first + ": " + header.second + "\r\n";
    if (close)
        m += "Connection: close\r\n";
    m += "\r\n";
    m += answer.body;
    return m;
}

WebAnswer textAnswer(int status, const QByteArray& text)
{
    WebAnswer a;
    a.status = status;
    a.body = text + '\n';
    return a;
}

WebAnswer notFound()
{
    return textAnswer(404, "Not found");
}

WebAnswer jsonAnswer(const QByteArray& json)
{
    WebAnswer a;
    a.mimeType = "application/json";
    a.body = json;
    return a;
}

QByteArray ownFileText(const QString& name)
{
    if (!ownFiles().contains(name))
        return QByteArray();
    QFile file(QStringLiteral(":/web/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

WebAnswer ownFile(const QString& name)
{
    const auto type = ownFiles().constFind(name);
    if (type == ownFiles().cend())
        return notFound();
    WebAnswer a;
    a.mimeType = *type;
    a.body = ownFileText(name);
    a.noStore = false;
    return a;
}

QByteArray htmlEscaped(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;")).toUtf8();
}
