#include "tickets/HallTicket.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Settings.h"
#include "masterdata/CompanyLogo.h"
#include "tickets/Numbering.h"
#include "tickets/TicketCode.h"
#include "ui/Clock.h"
#include "ui/PainterSurface.h"

#include <QCoreApplication>

namespace {

// The resolution of the preview: a receipt roll is about 380 pixels wide.
constexpr double previewDotsPerInch = 134;
// Long enough for any ticket; the picture is cut after its last line.
constexpr double previewPageTwips = 14000;

} // namespace

TicketHeader ticketHeader(AppContext& ctx)
{
    TicketHeader header;
    QByteArray stored;
    try {
        header = getcompDet(ctx.db);
        stored = company::storedLogo(ctx.db);
    } catch (const DbError&) {
        header = {};
    }
    header.logo = company::printedLogo(ctx, stored);
    return header;
}

QImage previewTicket(AppContext& ctx, const QString& name, const QString& address, const QByteArray& logo)
{
    TicketHeader header;
    header.line1 = name;
    header.line2 = address;
    header.logo = company::printedLogo(ctx, logo);
    TicketContent content;
    content.serviceName = QCoreApplication::translate("HallTicket", "General Service");
    content.serviceDescription = QCoreApplication::translate("HallTicket", "Please wait for your number");
    content.label = QStringLiteral("A1");
    try {
        const ResultSet rs = ctx.db.query(
            QStringLiteral("select servName,ServDesc,abrno,startno from tblservice where active='1' "
                           "order by deptAuto, startno limit 1"));
        if (!rs.isEmpty()) {
            content.serviceName = rs.text(0, 0);
            content.serviceDescription = rs.text(0, 1);
            content.label = numbering::tokenLabel(rs.text(0, 2), qMax<qint64>(rs.number(0, 3), 1));
        }
    } catch (const DbError&) {
    }
    // With the hall's web address set, the ticket carries its page's code; any code shows the size.
    content.pageAddress = ticketcode::pageAddress(ticketcode::webAddress(ctx.settings),
                                                  QStringLiteral("0123456789abcdef0123456789abcdef"));
    PictureSurface page(4082, previewPageTwips, previewDotsPerInch);
    PrintJob job(page);
    layoutTicket(job, TicketLayout::FullScreen, header, content, QString(),
                 ticketDateTimeText(ctx.clock.now()));
    return page.picture(job.currentY + 120);
}
