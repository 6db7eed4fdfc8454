#include "tickets/Issue.h"

#include "core/AppContext.h"
#include "core/Session.h"
#include "tickets/TokenOnScreen.h"
#include "ui/Dialogs.h"

#include <QImageReader>

numbering::IssuedTicket issueAndPrint(AppContext& ctx, const numbering::IssueRequest& request,
                                      const TicketStyle& style, const QString& printedName, QWidget* parent,
                                      const std::function<void()>& afterPrinted)
{
    const numbering::IssuedTicket ticket = numbering::storeTicket(ctx.db, ctx.clock, request);
    if (ticket.status == numbering::IssuedTicket::Status::Limit) {
        ctx.dialogs.message(QStringLiteral("Limit"), Dialogs::Buttons::Ok, Dialogs::Icon::None, {}, parent);
        return ticket;
    }
    if (!ticket.issued()) {
        ctx.dialogs.message(QStringLiteral("This service is no longer offered"), Dialogs::Buttons::Ok,
                            Dialogs::Icon::Warning, {}, parent);
        return ticket;
    }
    TicketContent content;
    content.label = ticket.label;
    content.serviceId = request.serviceId;
    content.serviceName = printedName.isEmpty() ? ticket.service.name : printedName;
    content.serviceDescription = ticket.service.description;
    content.issueDate = request.issueDate;
    bool printed = false;
    for (qint64 copy = 0; copy < ctx.session.printCopies; ++copy)
        printed = startPrint(ctx, style.layout, style.header, style.logoFile, content) || printed;
    // A visitor without a paper ticket still sees the number.
    if (!printed)
        TokenOnScreen::showToken(ticket.label, content.serviceName, parent);
    else if (afterPrinted)
        afterPrinted();
    return ticket;
}

QString loadableLogo(const AppContext& ctx)
{
    const QString file = ctx.installPath(QStringLiteral("logo.jpg"));
    QImageReader reader(file);
    return reader.canRead() ? file : QString();
}
