#include "tickets/TicketPrint.h"

#include "core/AppContext.h"
#include "core/Database.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "tickets/Numbering.h"
#include "tickets/QrCode.h"
#include "tickets/WaitEstimate.h"
#include "ui/Clock.h"
#include "ui/Language.h"
#include "ui/PrintSurface.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>
#include <QRectF>
#include <cmath>

namespace {
const QString Arial = QStringLiteral("Arial");
const QString SansSerif = QStringLiteral("MS Sans Serif");
} // namespace

TicketHeader getcompDet(Database& db)
{
    TicketHeader header;
    const ResultSet rs = db.query(QStringLiteral("Select * from tblcomp where compAuto=1"));
    if (!rs.isEmpty()) {
        header.line1 = rs.text(0, 1);
        header.line2 = rs.text(0, 2);
    }
    return header;
}

PrintJob::PrintJob(PrintSurface& surface) : m_surface(surface) {}

void PrintJob::applyFont()
{
    m_surface.setFont(m_fontName, m_fontSize, m_bold);
}

void PrintJob::setFont(const QString& name, double points)
{
    m_fontName = name;
    m_fontSize = points;
    applyFont();
}

void PrintJob::setBold(bool bold)
{
    m_bold = bold;
    applyFont();
}

void PrintJob::printAligned(const QString& text, int mode)
{
    switch (mode) {
    case 0:
        currentX = 0;
        break;
    case 1:
        currentX = m_surface.pageWidth() - m_surface.textWidth(text);
        break;
    case 2: {
        // Whole twips first, then halved the way integer division does it (toward zero), so a text
        // wider than the page starts left of the edge.
        const qint64 spare = qint64(std::llround(m_surface.pageWidth() - m_surface.textWidth(text)));
        currentX = double(spare / 2);
        break;
    }
    default:
        break;
    }
    m_surface.printText(currentX, currentY, text);
    currentX = 0;
    currentY += m_surface.textHeight(text.isEmpty() ? QStringLiteral(" ") : text);
}

void PrintJob::newLine()
{
    currentX = 0;
    currentY += m_surface.textHeight(QStringLiteral(" "));
}

namespace {

// The estimated wait and the QR code of the ticket's page, centred, the code with its quiet zone.
void printPageCode(PrintJob& job, const TicketContent& ticket, const Language& words)
{
    job.setFont(Arial, 10);
    if (ticket.estimateMinutes)
        job.printAligned(words.translate("TicketPrint", "Estimated wait : ") +
                             waiting::waitText(ticket.estimateMinutes, words),
                         2);
    const std::optional<QrCode> code = QrCode::encode(ticket.pageAddress);
    if (!code)
        return;
    const double side = (code->size + 2 * qrQuietZone) * qrModuleTwips;
    const double left = double(qint64(std::llround(job.surface().pageWidth() - side)) / 2);
    drawQrCode(job.surface(), *code, left + qrQuietZone * qrModuleTwips,
               job.currentY + qrQuietZone * qrModuleTwips, qrModuleTwips);
    job.currentY += side;
    job.printAligned(words.translate("TicketPrint", "Scan to follow your turn"), 2);
}

} // namespace

QRectF logoBox(TicketLayout layout)
{
    return QRectF(10, layout == TicketLayout::FullScreen ? 10 : 20, 3920, 1085);
}

QRectF logoPlace(TicketLayout layout, const QSize& picture)
{
    const QRectF box = logoBox(layout);
    if (picture.isEmpty())
        return box;
    const QSizeF fitted = QSizeF(picture).scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.x() + (box.width() - fitted.width()) / 2,
                  box.y() + (box.height() - fitted.height()) / 2, fitted.width(), fitted.height());
}

bool layoutTicket(PrintJob& job, TicketLayout layout, const TicketHeader& header, const TicketContent& ticket,
                  const QString& nowServing, const QString& dateTimeText)
{
    const bool full = layout == TicketLayout::FullScreen;
    // The ticket speaks the visitor's language, whatever the workstation's is.
    const Language words(ticket.language);
    job.setFont(Arial, 10);
    if (!header.logo.isNull()) {
        job.surface().drawPicture(header.logo, logoPlace(layout, header.logo.size()));
        job.currentX = 0;
        job.currentY = full ? 600 : 700;
    } else {
        job.newLine();
        job.newLine();
    }
    if (full) {
        job.newLine();
        job.newLine();
    }
    if (!header.line1.isEmpty()) {
        job.setFont(Arial, 12);
        job.printAligned(header.line1, 2);
    }
    if (!header.line2.isEmpty()) {
        job.setFont(Arial, 10);
        job.currentX = job.surface().textWidth(QStringLiteral("0")) * 10;
        job.printAligned(header.line2, 3);
    }
    job.newLine();
    job.setFont(Arial, 10);
    job.printAligned(dateTimeText, 2);
    job.newLine();
    if (full) {
        job.setFont(SansSerif, 14);
        job.printAligned(ticket.serviceName, 2);
        job.setFont(SansSerif, 14);
        job.printAligned(ticket.serviceDescription, 2);
        job.setFont(Arial, 42);
        job.setBold(true);
        job.printAligned(ticket.label, 2);
    } else {
        job.setFont(Arial, 14);
        job.printAligned(ticket.serviceName, 2);
        job.setFont(Arial, 42);
        job.setBold(true);
        job.printAligned(ticket.label, 2);
        job.setFont(Arial, 10);
        job.printAligned(ticket.serviceDescription, 2);
    }
    // Bold is not switched off again: everything from the label on is bold.
    job.setFont(Arial, 10);
    if (!ticket.appointmentTime.isEmpty())
        job.printAligned(words.translate("TicketPrint", "Appointment : %1").arg(ticket.appointmentTime), 2);
    if (!ticket.counterName.isEmpty())
        job.printAligned(words.translate("TicketPrint", "Counter : %1").arg(ticket.counterName), 2);
    // Before the first call of the day there is nobody to name.
    if (!nowServing.isEmpty())
        job.printAligned(words.translate("TicketPrint", "Now Serving : ") + nowServing, 2);
    if (!ticket.pageAddress.isEmpty())
        printPageCode(job, ticket, words);
    job.setFont(Arial, 10);
    job.printAligned(words.translate("TicketPrint", "Thank you for waiting"), 2);
    const QString rule(51, QLatin1Char('-'));
    if (full) {
        job.setFont(Arial, 10);
        job.printAligned(QLatin1Char(' ') + rule, 2);
        job.newLine();
    } else {
        job.setFont(Arial, 10);
        job.printAligned(rule, 0);
        job.printAligned(rule, 0);
        job.newLine();
        job.newLine();
        job.newLine();
    }
    return job.surface().endDoc();
}

QString ticketDateTimeText(const QDateTime& when, const QLocale& locale)
{
    // The locale's long time without its time-zone name (unquoted 't'), so seconds and the 12- or
    // 24-hour clock follow the system.
    const QString longTime = locale.timeFormat(QLocale::LongFormat);
    QString timeFormat;
    bool quoted = false;
    for (const QChar c : longTime) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            timeFormat.append(c);
    }
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormat.trimmed());
}

QString ticketPrinterName(AppContext& ctx)
{
    const QString wanted =
        ctx.settings.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name"));
    const auto available = [&ctx](const QString& name) {
        return ctx.printers.names().contains(name) || QFileInfo(name).isDir();
    };
    if (!wanted.isEmpty() && available(wanted))
        ctx.session.ticketPrinter = wanted;
    // A name that matches nothing keeps the printer chosen earlier, unless that one is gone since.
    else if (!ctx.session.ticketPrinter.isEmpty() && !available(ctx.session.ticketPrinter))
        ctx.session.ticketPrinter.clear();
    return ctx.session.ticketPrinter;
}

bool startPrint(AppContext& ctx, TicketLayout layout, const TicketHeader& header, const TicketContent& ticket)
{
    QString nowServing;
    try {
        nowServing = numbering::getNowServing(ctx.db, ctx.clock, ticket.serviceId);
    } catch (const DbError&) {
        // The line then ends after its caption, as for a service nobody has called yet.
    }
    try {
        std::unique_ptr<PrintSurface> surface = ctx.printers.open(ticketPrinterName(ctx));
        if (!surface)
            return false;
        PrintJob job(*surface);
        // A token issued for another day carries that day, with the time it was printed.
        QDateTime printedWhen = ctx.clock.now();
        if (ticket.issueDate.isValid())
            printedWhen.setDate(ticket.issueDate);
        return layoutTicket(job, layout, header, ticket, nowServing, ticketDateTimeText(printedWhen));
    } catch (const std::exception&) {
        // A printer that fails part-way leaves the rest of the ticket out; the issue goes on.
        return false;
    }
}
