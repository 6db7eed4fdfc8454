#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// One HTTP answer of brivane-web, before it is written to the socket.
struct WebAnswer
{
    int status = 200;
    QByteArray mimeType = "text/plain; charset=utf-8";
    QByteArray body;
    // Pages about one visitor's ticket and every live answer are never kept by a browser or proxy;
    // the fixed files of the pages may be kept but are checked again each time.
    bool noStore = true;
    int retryAfter = 0; // seconds, for 429 and 503
    QByteArray allow;   // for 405
    // A page with a form, posted to this server only (the staff log-in); every other page has none.
    bool form = false;
    // Set-Cookie and Location of the staff pages.
    QList<QPair<QByteArray, QByteArray>> extra;
};

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

// The headers every answer carries: the content security policy (scripts, styles and connections
// only from this server, no frames around the pages, no plug-ins, no forms), no type sniffing, no
// referrer, and the caching rule of the answer.
HeaderList strictHeaders(const WebAnswer& answer);

// The policy on its own, as the pages are held to it.
QByteArray contentSecurityPolicy(bool form = false);

WebAnswer textAnswer(int status, const QByteArray& text);
// The whole HTTP/1.1 message of the answer: status line, type, length, the strict headers, body.
// `close` adds "Connection: close" (the server closes the connection after it).
QByteArray httpMessage(const WebAnswer& answer, bool close);
WebAnswer notFound();
WebAnswer jsonAnswer(const QByteArray& json);

// One of the server's own files (built into the program); 404 for any other name. Names are looked
// up as they are, so "..", slashes and encodings lead nowhere.
WebAnswer ownFile(const QString& name);
// The text of one of the server's own files; empty when there is none.
QByteArray ownFileText(const QString& name);

// Text for HTML: &, <, >, " and ' as entities.
QByteArray htmlEscaped(const QString& text);
