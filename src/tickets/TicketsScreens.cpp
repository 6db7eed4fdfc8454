#include "tickets/TicketsScreens.h"

#include "core/AppContext.h"
#include "core/CommandRegistry.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/ScreenRegistry.h"
#include "masterdata/frmCompany.h"
#include "tickets/EstimateAccuracy.h"
#include "tickets/HallTicket.h"
#include "tickets/Numbering.h"
#include "tickets/PhoneJoinCommand.h"
#include "tickets/TicketCode.h"
#include "tickets/frmBulk.h"
#include "tickets/frmServNo.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "tickets/frmTransfer.h"
#include "ui/Clock.h"
#include "ui/Language.h"

#include <QDate>

namespace {

const char* issueUsage = "issue SERVICE [--date yyyy-MM-dd] [--url] [--lang CODE]";

int issueCommand(AppContext& ctx, const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QStringList args = arguments;
    const bool hasDate = args.contains(QStringLiteral("--date"));
    const QString dateText = takeOption(args, QStringLiteral("--date"));
    const QDate date = hasDate ? dayArgument(dateText) : ctx.clock.today();
    const bool withUrl = takeFlag(args, QStringLiteral("--url"));
    // The visitor's language, as a kiosk's language row sets it.
    const bool hasLanguage = args.contains(QStringLiteral("--lang"));
    const QString language = Language::known(takeOption(args, QStringLiteral("--lang")));
    if (args.size() != 1 || !date.isValid()) {
        err << "usage: brivane-ctl " << issueUsage << Qt::endl;
        return 2;
    }
    if (hasLanguage && language.isEmpty()) {
        err << "No texts in that language; known: " << Language::shipped().join(QStringLiteral(", "))
            << Qt::endl;
        return 2;
    }
    // The page's address needs the hall's web address: without it nothing is issued.
    const QString webAddress = ticketcode::webAddress(ctx.settings);
    if (withUrl && webAddress.isEmpty()) {
        err << "The web address is not set (brivane-ctl setting " << ticketcode::webAddressApp << ' '
            << ticketcode::webAddressSection << ' ' << ticketcode::webAddressKey << " http://HOST:PORT)"
            << Qt::endl;
        return 1;
    }
    qint64 service = lookups::serviceIdByName(ctx.db, args.first());
    if (service == 0) {
        bool numeric = false;
        const qint64 id = args.first().toLongLong(&numeric);
        if (numeric &&
            lookups::rowExists(ctx.db, QStringLiteral("tblService"), QStringLiteral("servAuto"), id))
            service = id;
    }
    if (service == 0) {
        err << "No service is named " << args.first() << Qt::endl;
        return 1;
    }
    numbering::IssueRequest request;
    request.serviceId = service;
    request.number = numbering::nextNumber;
    request.issueDate = date;
    request.writeAppTime = true;
    request.language = language;
    const numbering::IssuedTicket ticket = numbering::storeTicket(ctx.db, ctx.clock, request);
    if (ticket.status == numbering::IssuedTicket::Status::Limit) {
        err << "Limit" << Qt::endl;
        return 1;
    }
    if (!ticket.issued()) {
        err << "No service is named " << args.first() << Qt::endl;
        return 1;
    }
    out << ticket.label << Qt::endl;
    if (withUrl)
        out << ticketcode::pageAddress(webAddress, ticket.webCode) << Qt::endl;
    return 0;
}

} // namespace

void registerTickets(ScreenRegistry& screens, CommandRegistry& commands)
{
    screens.add(QStringLiteral("frmTicket"), WorkstationRights::Act::Issue,
                [](AppContext& ctx) { return new frmTicket(ctx); });
    screens.add(QStringLiteral("frmTicketF"), WorkstationRights::Act::Issue,
                [](AppContext& ctx) { return new frmTicketF(ctx); });
    screens.add(QStringLiteral("frmPass"), WorkstationRights::Act::Issue,
                [](AppContext& ctx) { return new frmPass(ctx); });
    screens.add(QStringLiteral("frmTT"), WorkstationRights::Act::Issue,
                [](AppContext& ctx) { return new frmTT(ctx); });
    screens.add(QStringLiteral("bulk"), [](AppContext& ctx) { return new frmBulk(ctx); });
    screens.add(QStringLiteral("servStartNo"), [](AppContext& ctx) { return new frmServNo(ctx); });
    screens.add(QStringLiteral("frmSerNo"), [](AppContext& ctx) { return new frmSerNo(ctx); });
    screens.add(QStringLiteral("frmTransfer"), WorkstationRights::Act::Issue,
                [](AppContext& ctx) { return new frmTransfer(ctx); });
    // The company details screen shows the ticket its details make, drawn by the kiosks' printout.
    screens.add(QStringLiteral("compdet"), [](AppContext& ctx) {
        auto* screen = new frmCompany(ctx);
        screen->setTicketPreview(previewTicket);
        return screen;
    });
    commands.add(QStringLiteral("issue"), QString::fromLatin1(issueUsage), WorkstationRights::Act::Issue,
                 issueCommand);
    waiting::registerEstimateReport(commands);
    phonejoin::registerJoinCommand(commands);
}
