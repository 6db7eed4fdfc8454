#include "web/AlertForm.h"

#include "ui/Language.h"
#include "web/AlertChoice.h"
#include "web/AlertSection.h"
#include "web/TicketPage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

namespace alertform {

namespace {

WebAnswer refusedAnswer(int status, const QString& text, bool json, const std::optional<TicketView>& view)
{
    if (json) {
        WebAnswer a = jsonAnswer(QJsonDocument(QJsonObject{{QStringLiteral("t"), QStringLiteral("error")},
                                                           {QStringLiteral("error"), text}})
                                     .toJson(QJsonDocument::Compact));
        a.status = status;
        return a;
    }
    if (!view)
        return textAnswer(status, text.toUtf8());
    WebAnswer a;
    a.status = status;
    a.mimeType = "text/html; charset=utf-8";
    a.form = true;
    a.body = ticketPage(*view, text);
    return a;
}

} // namespace

std::optional<QString> codeOfPath(const QString& path)
{
    static const QString start = QStringLiteral("/t/");
    static const QString end = QStringLiteral("/alert");
    if (!path.startsWith(start) || !path.endsWith(end) || path.size() <= start.size() + end.size())
        return std::nullopt;
    return path.mid(start.size(), path.size() - start.size() - end.size());
}

Request read(const QByteArray& body)
{
    Request r;
    const QUrlQuery form(QString::fromUtf8(body).replace(QLatin1Char('+'), QLatin1Char(' ')));
    const QStringList when = form.allQueryItemValues(QStringLiteral("when"), QUrl::FullyDecoded);
    const QStringList phones = form.allQueryItemValues(QStringLiteral("phone"), QUrl::FullyDecoded);
    // The take-back button is posted with the radio button chosen: it alone counts then.
    if (when.contains(QLatin1String(alertchoice::withdrawal))) {
        r.withdraw = true;
        return r;
    }
    const auto lead = when.size() == 1 ? alertchoice::leadOf(when.first()) : std::nullopt;
    if (!lead) {
        r.refusal = alertsection::BadLead;
        return r;
    }
    r.lead = *lead;
    const auto phone = phones.size() <= 1 ? alertchoice::phoneOf(phones.value(0)) : std::nullopt;
    if (!phone) {
        r.refusal = alertsection::BadPhone;
        return r;
    }
    r.phone = *phone;
    return r;
}

WebAnswer answer(Database& db, const Clock& clock, const QString& code, const QByteArray& body, bool json,
                 qint64& kept)
{
    std::optional<TicketView> view = ticketView(db, clock, nullptr, code);
    if (!view) {
        return refusedAnswer(404, alertsection::refusal(alertsection::NoToken, Language()), json,
                             std::nullopt);
    }
    const Language language(view->language);
    const auto refuse = [&](int status, const char* sentence) {
        return refusedAnswer(status, alertsection::refusal(sentence, language), json, view);
    };
    if (!view->alerts.available)
        return refuse(503, alertsection::Unavailable);
    if (!view->calledTo.isEmpty() || !view->ahead)
        return refuse(409, alertsection::NotWaiting);
    const Request r = read(body);
    if (r.refusal)
        return refuse(400, r.refusal);
    const alertchoice::Outcome outcome = r.withdraw ? alertchoice::withdraw(db, clock, view->key)
                                                    : alertchoice::ask(db, clock, view->key, r.lead, r.phone);
    switch (outcome) {
    case alertchoice::Outcome::Kept:
        break;
    case alertchoice::Outcome::NotWaiting:
        return refuse(409, alertsection::NotWaiting);
    case alertchoice::Outcome::AlreadyFired:
        return refuse(409, alertsection::AlreadyFired);
    case alertchoice::Outcome::Unavailable:
        return refuse(503, alertsection::Unavailable);
    }
    kept = view->key;
    if (!json) {
        // Back to the page, which shows the choice now kept.
        WebAnswer a;
        a.status = 303;
        a.extra = {{"Location", QByteArray("/t/") + code.toLatin1()}};
        return a;
    }
    view->alerts = alertchoice::stateOf(db, view->key);
    return jsonAnswer(QJsonDocument(ticketJson(*view)).toJson(QJsonDocument::Compact));
}

WebAnswer unreachable(bool json)
{
    WebAnswer a =
        refusedAnswer(503, alertsection::refusal(alertsection::Unavailable, Language()), json, std::nullopt);
    a.retryAfter = 5;
    return a;
}

WebAnswer tooMany(bool json, int retryAfter)
{
    WebAnswer a =
        refusedAnswer(429, alertsection::refusal(alertsection::TooMany, Language()), json, std::nullopt);
    a.retryAfter = retryAfter;
    return a;
}

} // namespace alertform
