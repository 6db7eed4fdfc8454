#include "web/JoinPage.h"

#include "tickets/Issue.h"
#include "ui/Clock.h"
#include "ui/Language.h"
#include "web/PageWords.h"

#include <QRandomGenerator>

namespace joinpage {

namespace {

const char* const Words = "WebPages";

// "Estimated wait: about 12 minutes (3 people ahead of you)" as a kiosk prints it; without an
// estimate, the people ahead.
QString waitOf(const waiting::Estimate& estimate, const Language& language)
{
    const QString line = waitLine(estimate, language);
    if (!line.isEmpty())
        return line;
    return estimate.peopleAhead == 1
               ? language.translate("Issue", "1 person ahead of you")
               : language.translate("Issue", "%1 people ahead of you").arg(estimate.peopleAhead);
}

QByteArray serviceButtons(const QVector<phonejoin::Joinable>& services, const Language& language)
{
    QByteArray out;
    for (const phonejoin::Joinable& s : services) {
        out += "<li><button type=\"submit\" name=\"service\" value=\"" + QByteArray::number(s.service) +
               "\"><span class=\"name\">" + htmlEscaped(s.name) + "</span><span class=\"wait\">" +
               htmlEscaped(waitOf(s.estimate, language)) + "</span></button></li>";
    }
    return out;
}

// The page in the visitor's language, with a message above the services (none when empty) and, for a
// phone that already waits, the link to its ticket.
WebAnswer page(Database& db, const Clock& clock, const QString& code, int status, const QString& message,
               const QString& ticketCode = QString())
{
    const Language language(code);
    const QVector<phonejoin::Joinable> services = phonejoin::joinableServices(db, clock);
    QByteArray body = pagewords::translated(ownFileText(QStringLiteral("join.html")), language);
    QByteArray said;
    if (!message.isEmpty()) {
        said = "<div id=\"message\" role=\"alert\"><p>" + htmlEscaped(message) + "</p>";
        if (!ticketCode.isEmpty())
            said += "<a href=\"/t/" + htmlEscaped(ticketCode) + "\">" +
                    htmlEscaped(language.translate(Words, "Open your token")) + "</a>";
        said += "</div>";
    }
    if (services.isEmpty())
        said += "<p id=\"none\">" +
                htmlEscaped(language.translate(Words, "No service can be joined from a phone now.")) + "</p>";
    body.replace("{{message}}", said);
    body.replace("{{services}}", serviceButtons(services, language));
    body.replace("{{code}}", htmlEscaped(Language::known(code)));
    WebAnswer a;
    a.status = status;
    a.mimeType = "text/html; charset=utf-8";
    a.form = true;
    a.body = body;
    return a;
}

} // namespace

QByteArray phoneIn(const QByteArray& cookieHeader)
{
    const QByteArray name = QByteArray(CookieName) + '=';
    for (const QByteArray& part : cookieHeader.split(';')) {
        const QByteArray p = part.trimmed();
        if (!p.startsWith(name))
            continue;
        const QByteArray value = p.mid(name.size());
        // Only a value this server makes: 32 hex digits.
        if (value.size() != 32)
            return QByteArray();
        for (char c : value) {
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
                return QByteArray();
        }
        return value;
    }
    return QByteArray();
}

QByteArray newPhone()
{
    quint32 bits[4];
    QRandomGenerator::system()->fillRange(bits);
    return QByteArray(reinterpret_cast<const char*>(bits), sizeof bits).toHex();
}

QByteArray setCookie(const QByteArray& phone, bool secure)
{
    // A day covers the tokens of the day it was given on.
    QByteArray c =
        QByteArray(CookieName) + '=' + phone + "; Path=/join; HttpOnly; SameSite=Lax; Max-Age=86400";
    if (secure)
        c += "; Secure";
    return c;
}

QString visitorLanguage(const QString& asked, const QByteArray& acceptLanguage)
{
    const QString code = Language::known(asked);
    if (!code.isEmpty())
        return code;
    // "hi-IN,hi;q=0.9,en;q=0.8": the browser lists them most wanted first.
    for (const QByteArray& part : acceptLanguage.split(',')) {
        const QString tag = QString::fromLatin1(part.split(';').first().trimmed());
        const QString known = Language::known(tag.section(QLatin1Char('-'), 0, 0));
        if (!known.isEmpty())
            return known;
    }
    return QString();
}

WebAnswer listPage(Database& db, const Clock& clock, const QString& language)
{
    return page(db, clock, language, 200, QString());
}

WebAnswer joinAnswer(Database& db, const Clock& clock, const phonejoin::JoinRequest& request)
{
    const Language language(request.language);
    const phonejoin::JoinResult result = phonejoin::join(db, clock, request);
    using Status = phonejoin::JoinResult::Status;
    switch (result.status) {
    case Status::Joined: {
        WebAnswer a;
        a.status = 303;
        a.extra = {{"Location", "/t/" + result.webCode.toLatin1()}};
        return a;
    }
    case Status::PhoneHasOne:
        return page(db, clock, request.language, 409,
                    language.translate(Words, "You already have a token for this service."), result.webCode);
    case Status::PlaceBudget: {
        WebAnswer a = page(
            db, clock, request.language, 429,
            language.translate(Words, "Too many tokens were taken from this connection in the last hour. "
                                      "Please take one at the kiosk."));
        a.retryAfter = 600;
        return a;
    }
    case Status::Limit:
        return page(db, clock, request.language, 409,
                    language.translate(Words, "This service gives no more tokens today."));
    case Status::Unavailable: {
        WebAnswer a = page(db, clock, request.language, 503,
                           language.translate(Words, "Tokens cannot be taken from a phone at the moment. "
                                                     "Please take one at the kiosk."));
        a.retryAfter = 60;
        return a;
    }
    case Status::NotOpen:
        break;
    }
    return page(db, clock, request.language, 404,
                language.translate(Words, "This service cannot be joined from a phone now."));
}

} // namespace joinpage
