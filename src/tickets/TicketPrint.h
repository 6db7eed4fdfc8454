#pragma once

#include <QDateTime>
#include <QImage>
#include <QLocale>
#include <QString>
#include <optional>

struct AppContext;
class Database;
class PrintSurface;

// The head of every ticket: the company's name, its second line and the hall's logo.
struct TicketHeader
{
    QString line1;
    QString line2;
    QImage logo; // null: no logo is printed
};
// Reads the header lines from the company row; both empty when there is none. The logo is left to
// ticketHeader (HallTicket.h).
TicketHeader getcompDet(Database& db);

// The windowed kiosk's ticket (also bulk issue) and the full-screen kiosk's ticket.
enum class TicketLayout { Windowed, FullScreen };

// One document as the ticket drives it: a current font and a current position in twips, like a
// printer object, over a PrintSurface.
class PrintJob
{
public:
    explicit PrintJob(PrintSurface& surface);

    void setFont(const QString& name, double points);
    // Bold stays as set for every later font change until it is switched off.
    void setBold(bool bold);

    // Prints one line at the position the mode chooses (0 left edge, 1 right-aligned, 2 centred,
    // anything else the current position), then moves to the start of the next line.
    void printAligned(const QString& text, int mode);
    // An empty line in the current font.
    void newLine();

    double currentX = 0;
    double currentY = 0;
    PrintSurface& surface() { return m_surface; }

private:
    void applyFont();

    PrintSurface& m_surface;
    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 10;
    bool m_bold = false;
};

struct TicketContent
{
    QString label;
    qint64 serviceId = 0;
    QString serviceName;
    QString serviceDescription;
    QDate issueDate; // the day the token is for, printed with the time; today when not set
    // With the hall's web address set: the address of the ticket's page, printed as a QR code under
    // the now-serving line, with the wait estimated at issue above it. Empty: neither is printed.
    QString pageAddress;
    std::optional<int> estimateMinutes;
    // A token directed at issue: the counter it waits at and, for an appointment, its time ("HH:mm").
    QString counterName;
    QString appointmentTime;
    // The visitor's language the ticket is printed in; empty: the workstation's.
    QString language;
};

// The QR code's module on paper: 40 twips (0.7 mm, about five dots of a 203-dpi receipt printer),
// which a phone reads from a hand's length; a ticket's address makes a code of about 1.2 inches.
constexpr double qrModuleTwips = 40;

// The logo's box on the ticket, in twips, and the part of it a picture of that size takes: as large
// as fits, in its own proportions, centred in the box.
QRectF logoBox(TicketLayout layout);
QRectF logoPlace(TicketLayout layout, const QSize& picture);

// Lays one ticket out on the surface and ends the document. "Now Serving" is printed only with a
// label (nowServing not empty). Returns whatever ending the document returned.
bool layoutTicket(PrintJob& job, TicketLayout layout, const TicketHeader& header, const TicketContent& ticket,
                  const QString& nowServing, const QString& dateTimeText);

// Prints one ticket on the printer the printer-name setting names (a folder there receives PDF
// files; a name that matches nothing leaves the default printer). Every failure is swallowed: a
// ticket that cannot be printed never stops an issue. True when the document reached the printer.
bool startPrint(AppContext& ctx, TicketLayout layout, const TicketHeader& header,
                const TicketContent& ticket);

// The device name the next ticket goes to: the setting when it names an installed printer or an
// existing folder; otherwise the printer chosen so far in this run ("" is the default printer).
QString ticketPrinterName(AppContext& ctx);

// The general date-and-time text printed on tickets: the locale's short date and long time.
QString ticketDateTimeText(const QDateTime& when, const QLocale& locale = QLocale::system());
