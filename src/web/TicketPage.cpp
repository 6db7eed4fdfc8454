#include "web/TicketPage.h"

#include "core/Database.h"
#include "ui/Clock.h"
#include "web/CallFeed.h"
#include "web/WebAnswers.h"

#include <QRegularExpression>

bool plausibleCode(const QString& code)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_-]{16,64}$"));
    return form.match(code).hasMatch();
}

namespace {

std::optional<TicketView> viewOf(Database& db, const Clock& clock, const CallFeed& feed, const ResultSet& rs)
{
    if (rs.isEmpty())
        return std::nullopt;
    TicketView v;
    v.key = rs.number(0, 0);
    v.service = rs.number(0, 1);
    v.token = rs.text(0, 2);
    v.serviceName = rs.text(0, 3);
    const QString today = clock.todayText();
    const ResultSet call =
        db.query(QStringLiteral("select callauto, displayName, contName from tblCall where tickAuto=? and "
                                "tickDate=? order by callauto desc limit 1"),
                 {v.key, today});
    if (!call.isEmpty()) {
        v.calledTo = call.text(0, 1);
        if (!call.text(0, 2).isEmpty())
            v.calledTo += QLatin1Char('\n') + call.text(0, 2);
        v.callKey = feed.lastKeyOfTicket(v.key);
        if (v.callKey.isEmpty())
            v.callKey = QString::number(call.number(0, 0));
    }
    return v;
}

const QString TicketColumns = QStringLiteral(
    "select t.tickAuto, t.servAuto, t.no_abr, s.servName from tblTicket t left join tblService s on "
    "s.servAuto = t.servAuto ");

} // namespace

std::optional<TicketView> ticketView(Database& db, const Clock& clock, const CallFeed& feed,
                                     const QString& code)
{
    if (!plausibleCode(code))
        return std::nullopt;
    return viewOf(db, clock, feed,
                  db.query(TicketColumns + QStringLiteral("where t.webcode=? and t.tickDate=?"),
                           {code, clock.todayText()}));
}

std::optional<TicketView> ticketViewByKey(Database& db, const Clock& clock, const CallFeed& feed, qint64 key)
{
    return viewOf(db, clock, feed,
                  db.query(TicketColumns + QStringLiteral("where t.tickAuto=? and t.tickDate=?"),
                           {key, clock.todayText()}));
}

QJsonObject ticketJson(const TicketView& v)
{
    QJsonObject o{{QStringLiteral("t"), QStringLiteral("ticket")},
                  {QStringLiteral("token"), v.token},
                  {QStringLiteral("service"), v.serviceName},
                  {QStringLiteral("ahead"), v.ahead >= 0 ? QJsonValue(v.ahead) : QJsonValue()},
                  {QStringLiteral("wait"), v.wait >= 0 ? QJsonValue(v.wait) : QJsonValue()}};
    if (!v.calledTo.isEmpty()) {
        o.insert(QStringLiteral("called"),
                 QJsonObject{{QStringLiteral("counter"), v.calledTo}, {QStringLiteral("key"), v.callKey}});
    }
    return o;
}

QByteArray ticketPage(const TicketView& v)
{
    QByteArray page = ownFileText(QStringLiteral("ticket.html"));
    const QString dash = QStringLiteral("\u2013");
    page.replace("{{token}}", htmlEscaped(v.token));
    page.replace("{{service}}", htmlEscaped(v.serviceName));
    page.replace("{{ahead}}", htmlEscaped(v.ahead >= 0 ? QString::number(v.ahead) : dash));
    page.replace("{{wait}}", htmlEscaped(v.wait > 0    ? QString::number(v.wait) + QStringLiteral(" min")
                                         : v.wait == 0 ? QStringLiteral("now")
                                                       : dash));
    return page;
}
