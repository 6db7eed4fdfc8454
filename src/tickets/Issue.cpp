#include "tickets/Issue.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "tickets/TicketCode.h"
#include "tickets/TokenOnScreen.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>

QString waitLine(const waiting::Estimate& estimate, const Language& language)
{
    const QString wait = waiting::waitText(estimate.minutes, language);
    if (wait.isEmpty())
        return {};
    const QString ahead =
        estimate.peopleAhead == 1
            ? language.translate("Issue", "1 person ahead of you")
            : language.translate("Issue", "%1 people ahead of you").arg(estimate.peopleAhead);
    return language.translate("Issue", "Estimated wait: %1 (%2)").arg(wait, ahead);
}

namespace {

// A directed ticket names its counter, and an appointment its time. The counter's name is only told
// to the visitor: a store that cannot answer leaves it off the ticket.
void directedTo(AppContext& ctx, const numbering::Direction& to, TicketContent& content)
{
    if (to.counter == 0)
        return;
    if (to.type == QLatin1String("A"))
        content.appointmentTime = to.appTime.left(5);
    try {
        const ResultSet rs = ctx.db.query(
            QStringLiteral("select displayName, contName from tblcounter where cntAuto=?"), {to.counter});
        if (!rs.isEmpty())
            content.counterName = rs.text(0, 0).trimmed().isEmpty() ? rs.text(0, 1) : rs.text(0, 0);
    } catch (const DbError&) {
    }
}

} // namespace

namespace {

numbering::IssuedTicket issueWith(AppContext& ctx, const numbering::IssueRequest& request,
                                  waiting::LoadCache* loads, const TicketStyle& style,
                                  const QString& printedName, QWidget* parent,
                                  const std::function<void()>& afterPrinted, bool* printedOut)
{
    if (printedOut)
        *printedOut = false;
    const numbering::IssuedTicket ticket = loads ? numbering::storeTicket(ctx.db, ctx.clock, request, *loads)
                                                 : numbering::storeTicket(ctx.db, ctx.clock, request);
    if (ticket.status == numbering::IssuedTicket::Status::Limit) {
        ctx.dialogs.message(QCoreApplication::translate("Issue", "Limit"), Dialogs::Buttons::Ok,
                            Dialogs::Icon::None, {}, parent);
        return ticket;
    }
    if (!ticket.issued()) {
        ctx.dialogs.message(QCoreApplication::translate("Issue", "This service is no longer offered"),
                            Dialogs::Buttons::Ok, Dialogs::Icon::Warning, {}, parent);
        return ticket;
    }
    TicketContent content;
    content.label = ticket.label;
    content.serviceId = request.serviceId;
    content.serviceName = printedName.isEmpty() ? ticket.service.name : printedName;
    content.serviceDescription = ticket.service.description;
    content.issueDate = request.issueDate;
    content.language = request.language;
    content.pageAddress = ticketcode::pageAddress(ticketcode::webAddress(ctx.settings), ticket.webCode);
    content.estimateMinutes = ticket.estimate.minutes;
    directedTo(ctx, request.direction, content);
    bool printed = false;
    for (qint64 copy = 0; copy < ctx.session.printCopies; ++copy)
        printed = startPrint(ctx, style.layout, style.header, content) || printed;
    if (printedOut)
        *printedOut = printed;
    // A visitor without a paper ticket still sees the number; one with a wait to expect sees it too.
    const QString wait = waiting::waitText(ticket.estimate.minutes);
    if (!printed) {
        TokenOnScreen::showToken(ticket.label, content.serviceName, parent, waitLine(ticket.estimate), false);
        return ticket;
    }
    if (afterPrinted)
        afterPrinted();
    if (style.showWait && !wait.isEmpty())
        TokenOnScreen::showToken(ticket.label, content.serviceName, parent, waitLine(ticket.estimate), true);
    return ticket;
}

} // namespace

numbering::IssuedTicket issueAndPrint(AppContext& ctx, const numbering::IssueRequest& request,
                                      const TicketStyle& style, const QString& printedName, QWidget* parent,
                                      const std::function<void()>& afterPrinted, bool* printed)
{
    return issueWith(ctx, request, nullptr, style, printedName, parent, afterPrinted, printed);
}

numbering::IssuedTicket issueAndPrint(AppContext& ctx, const numbering::IssueRequest& request,
                                      waiting::LoadCache& loads, const TicketStyle& style,
                                      const QString& printedName, QWidget* parent,
                                      const std::function<void()>& afterPrinted, bool* printed)
{
    return issueWith(ctx, request, &loads, style, printedName, parent, afterPrinted, printed);
}
