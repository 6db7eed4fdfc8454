#include "web/TicketPage.h"

#include "tickets/TicketCode.h"
#include "tickets/WaitEstimate.h"
#include "ui/Clock.h"
#include "ui/Language.h"
#include "web/AlertSection.h"
#include "web/CallFeed.h"
#include "web/PageWords.h"
#include "web/WebAnswers.h"

namespace {

const QString NoValue = QStringLiteral("\u2013");

} // namespace

std::optional<TicketView> ticketView(Database& db, const Clock& clock, const CallFeed* feed,
                                     const QString& code)
{
    const auto ticket = ticketcode::ticketByCode(db, code);
    if (!ticket || ticket->tickDate != clock.todayText())
        return std::nullopt;
    TicketView v;
    v.key = ticket->tickAuto;
    v.service = ticket->serviceId;
    v.token = ticket->label;
    v.serviceName = ticket->serviceName;
    v.language = ticket->language;
    v.code = code;
    v.alerts = alertchoice::stateOf(db, v.key);
    if (ticket->callKey != 0) {
        v.calledTo = ticket->counterDisplayName;
        // The feed's key tells a recall from the first call; before the feed has seen the call, the
        // call row's own key stands in.
        if (feed)
            v.callKey = feed->lastKeyOfTicket(v.key);
        if (v.callKey.isEmpty())
            v.callKey = QString::number(ticket->callKey);
    } else if (!ticket->called) {
        const waiting::Estimate estimate = waiting::WaitEstimator(db, clock).forTicket(v.key);
        v.ahead = estimate.peopleAhead;
        v.wait = estimate.minutes;
    }
    return v;
}

QJsonObject ticketJson(const TicketView& v)
{
    QJsonObject o{{QStringLiteral("t"), QStringLiteral("ticket")},
                  {QStringLiteral("token"), v.token},
                  {QStringLiteral("service"), v.serviceName},
                  {QStringLiteral("ahead"), v.ahead ? QJsonValue(double(*v.ahead)) : QJsonValue()},
                  {QStringLiteral("wait"), v.wait ? QJsonValue(*v.wait) : QJsonValue()},
                  {QStringLiteral("waitText"), waiting::waitText(v.wait, Language(v.language))}};
    const QJsonObject alert = alertsection::json(v.alerts, Language(v.language));
    if (!alert.isEmpty())
        o.insert(QStringLiteral("alert"), alert);
    if (!v.calledTo.isEmpty()) {
        o.insert(QStringLiteral("called"),
                 QJsonObject{{QStringLiteral("counter"), v.calledTo}, {QStringLiteral("key"), v.callKey}});
    }
    return o;
}

QByteArray ticketPage(const TicketView& v, const QString& alertError)
{
    // The page speaks the language the visitor chose at the kiosk.
    const Language language(v.language);
    QByteArray page = pagewords::translated(ownFileText(QStringLiteral("ticket.html")), language);
    page.replace("{{token}}", htmlEscaped(v.token));
    page.replace("{{service}}", htmlEscaped(v.serviceName));
    page.replace("{{ahead}}", htmlEscaped(v.ahead ? QString::number(*v.ahead) : NoValue));
    const QString wait = waiting::waitText(v.wait, language);
    page.replace("{{wait}}", htmlEscaped(wait.isEmpty() ? NoValue : wait));
    page.replace("{{code}}", htmlEscaped(v.code));
    alertsection::fill(page, v.alerts, !v.calledTo.isEmpty() || !v.ahead, language, alertError);
    return page;
}
