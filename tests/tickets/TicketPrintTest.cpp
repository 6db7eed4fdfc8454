#include "TicketsSupport.h"

#include "core/Settings.h"
#include "tickets/QrCode.h"
#include "tickets/TicketCode.h"
#include "tickets/TicketPrint.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <cmath>

using namespace ticketstest;

namespace {

// Centring as the tickets do it: whole twips, then halved toward zero.
double centred(double pageWidth, double textWidth)
{
    return double(qint64(std::llround(pageWidth - textWidth)) / 2);
}

// The recording surface measures 0.55 em a character and 1.15 em a line.
double width(const QString& text, double points)
{
    return text.size() * points * 20.0 * 0.55;
}
double lineHeight(double points)
{
    return points * 20.0 * 1.15;
}

const double page = 4082;

class TicketPrint : public testing::Test
{
protected:
    TicketContent content()
    {
        TicketContent c;
        c.label = QStringLiteral("A12");
        c.serviceId = 1;
        c.serviceName = QStringLiteral("Consultation");
        c.serviceDescription = QStringLiteral("Ground floor");
        return c;
    }

    void print(TicketLayout layout, const QImage& logo, const TicketHeader& header,
               const QString& nowServing = {}, const TicketContent& ticket = {})
    {
        std::unique_ptr<PrintSurface> surface = env.printers.open(QString());
        PrintJob job(*surface);
        TicketHeader withLogo = header;
        withLogo.logo = logo;
        layoutTicket(job, layout, withLogo, ticket.label.isEmpty() ? content() : ticket, nowServing,
                     QStringLiteral("04/03/2024 10:15:30"));
    }
    // A logo in the proportions of the ticket's logo box.
    static QImage wideLogo()
    {
        QImage logo(784, 217, QImage::Format_RGB32);
        logo.fill(Qt::darkBlue);
        return logo;
    }

    RecordingPrinters::Call textCall(const QString& text)
    {
        for (const RecordingPrinters::Call& c : printed(env.printers)) {
            if (c.text == text)
                return c;
        }
        ADD_FAILURE() << "not printed: " << text.toStdString();
        return {};
    }

    TestEnv env;
    TicketHeader header{QStringLiteral("City Care Clinic"), QStringLiteral("12 Harbour Road"), {}};
};

TEST_F(TicketPrint, WindowedTicketWithLogo)
{
    print(TicketLayout::Windowed, wideLogo(), header, QStringLiteral("A9"));
    const auto pictures = printed(env.printers, QStringLiteral("picture"));
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].rect, QRectF(10, 20, 3920, 1085));

    const auto company = textCall(header.line1);
    EXPECT_EQ(company.y, 700);
    EXPECT_EQ(company.font, QStringLiteral("Arial"));
    EXPECT_EQ(company.size, 12);
    EXPECT_EQ(company.x, centred(page, width(header.line1, 12)));

    const auto second = textCall(header.line2);
    EXPECT_EQ(second.size, 10);
    EXPECT_EQ(second.x, 10 * width(QStringLiteral("0"), 10));
    EXPECT_EQ(second.y, 700 + lineHeight(12));

    // Service name, then the label, then the description.
    const QStringList texts = printedTexts(env.printers);
    const QStringList expected{header.line1,
                               header.line2,
                               QStringLiteral("04/03/2024 10:15:30"),
                               QStringLiteral("Consultation"),
                               QStringLiteral("A12"),
                               QStringLiteral("Ground floor"),
                               QStringLiteral("Now Serving : A9"),
                               QStringLiteral("Thank you for waiting"),
                               QString(51, QLatin1Char('-')),
                               QString(51, QLatin1Char('-'))};
    EXPECT_EQ(texts, expected);

    const auto name = textCall(QStringLiteral("Consultation"));
    EXPECT_EQ(name.size, 14);
    EXPECT_FALSE(name.bold);
    const auto label = textCall(QStringLiteral("A12"));
    EXPECT_EQ(label.font, QStringLiteral("Arial"));
    EXPECT_EQ(label.size, 42);
    EXPECT_TRUE(label.bold);
    EXPECT_EQ(label.x, centred(page, width(QStringLiteral("A12"), 42)));
    EXPECT_EQ(label.y, name.y + lineHeight(14));
    // Bold carries on to the end of the ticket.
    const auto after = printed(env.printers);
    for (int i = texts.indexOf(QStringLiteral("A12")); i < after.size(); ++i)
        EXPECT_TRUE(after[i].bold) << after[i].text.toStdString();
    EXPECT_EQ(textCall(QStringLiteral("Ground floor")).size, 10);
    // The two rules start at the left edge.
    EXPECT_EQ(after.last().x, 0);
    EXPECT_EQ(env.printers.calls.last().what, QStringLiteral("end"));
    EXPECT_EQ(env.printers.documents, 1);
}

TEST_F(TicketPrint, WindowedTicketWithoutLogoOrHeaderLines)
{
    print(TicketLayout::Windowed, QImage(), TicketHeader{QStringLiteral("City Care Clinic"), QString(), {}});
    EXPECT_TRUE(printed(env.printers, QStringLiteral("picture")).isEmpty());
    // Two empty lines, then the company name.
    EXPECT_EQ(textCall(QStringLiteral("City Care Clinic")).y, 2 * lineHeight(10));
    // Nobody called yet: no "Now Serving" line without a label to follow it.
    EXPECT_EQ(printedTexts(env.printers).size(), 8);
    for (const QString& line : printedTexts(env.printers))
        EXPECT_FALSE(line.startsWith(QStringLiteral("Now Serving"))) << line.toStdString();

    env.printers.calls.clear();
    print(TicketLayout::Windowed, QImage(), TicketHeader{});
    EXPECT_EQ(printedTexts(env.printers).first(), QStringLiteral("04/03/2024 10:15:30"));
}

TEST_F(TicketPrint, FullScreenTicket)
{
    print(TicketLayout::FullScreen, wideLogo(), header, QStringLiteral("A3"));
    const auto pictures = printed(env.printers, QStringLiteral("picture"));
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].rect, QRectF(10, 10, 3920, 1085));
    // Two empty lines after the logo's text start.
    EXPECT_EQ(textCall(header.line1).y, 600 + 2 * lineHeight(10));

    const QStringList texts = printedTexts(env.printers);
    const QString rule = QLatin1Char(' ') + QString(51, QLatin1Char('-'));
    const QStringList expected{header.line1,
                               header.line2,
                               QStringLiteral("04/03/2024 10:15:30"),
                               QStringLiteral("Consultation"),
                               QStringLiteral("Ground floor"),
                               QStringLiteral("A12"),
                               QStringLiteral("Now Serving : A3"),
                               QStringLiteral("Thank you for waiting"),
                               rule};
    EXPECT_EQ(texts, expected);
    for (const QString& t : {QStringLiteral("Consultation"), QStringLiteral("Ground floor")}) {
        const auto c = textCall(t);
        EXPECT_EQ(c.font, QStringLiteral("MS Sans Serif"));
        EXPECT_EQ(c.size, 14);
        EXPECT_EQ(c.x, centred(page, width(t, 14)));
    }
    const auto closing = textCall(rule);
    EXPECT_TRUE(closing.bold);
    EXPECT_EQ(closing.x, centred(page, width(rule, 10)));
}

// A logo of other proportions keeps them: as large as the box allows, centred in it. A directed
// ticket names its counter and an appointment its time, above the now-serving line.
TEST_F(TicketPrint, SquareLogoKeepsItsShapeAndADirectedTicketNamesItsCounterAndTime)
{
    QImage square(300, 300, QImage::Format_RGB32);
    square.fill(Qt::red);
    TicketContent appointment = content();
    appointment.label = QStringLiteral("P1");
    appointment.counterName = QStringLiteral("Desk 1");
    appointment.appointmentTime = QStringLiteral("10:30");
    print(TicketLayout::Windowed, square, header, QString(), appointment);
    const auto pictures = printed(env.printers, QStringLiteral("picture"));
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].rect, QRectF(10 + (3920 - 1085) / 2.0, 20, 1085, 1085));
    EXPECT_EQ(pictures[0].picture.pixelColor(0, 0), QColor(Qt::red));
    const QStringList texts = printedTexts(env.printers);
    const int label = int(texts.indexOf(QStringLiteral("P1")));
    ASSERT_GE(label, 0);
    EXPECT_EQ(texts.mid(label + 2, 3),
              (QStringList{QStringLiteral("Appointment : 10:30"), QStringLiteral("Counter : Desk 1"),
                           QStringLiteral("Thank you for waiting")}));
}

TEST_F(TicketPrint, PrintAlignedModes)
{
    std::unique_ptr<PrintSurface> surface = env.printers.open(QString());
    PrintJob job(*surface);
    job.setFont(QStringLiteral("Arial"), 10);
    job.printAligned(QStringLiteral("left"), 0);
    job.printAligned(QStringLiteral("right"), 1);
    job.currentX = 123;
    job.printAligned(QStringLiteral("kept"), 7);
    // Wider than the page: centred to a negative position, halved toward zero.
    const QString wide(81, QLatin1Char('W'));
    job.printAligned(wide, 2);
    const auto calls = printed(env.printers);
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls[0].x, 0);
    EXPECT_EQ(calls[1].x, page - width(QStringLiteral("right"), 10));
    EXPECT_EQ(calls[2].x, 123);
    // 4082 - 8910 = -4828 -> -2414
    EXPECT_EQ(calls[3].x, -2414);
    EXPECT_EQ(calls[3].y, 3 * lineHeight(10));
}

TEST_F(TicketPrint, PrinterChosenByDeviceName)
{
    auto setName = [this](const QString& name) {
        env.settings().set(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name"), name);
    };
    env.printers.printerNames = {QStringLiteral("Front Desk"), QStringLiteral("Kiosk Receipts")};
    // Nothing chosen yet: a name that matches no printer leaves the default printer.
    setName(QStringLiteral("Nowhere"));
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    setName(QStringLiteral("Kiosk Receipts"));
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    // Once chosen, the printer stays in force when the name later matches nothing or is cleared.
    setName(QStringLiteral("Nowhere"));
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    setName(QString());
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    // A folder receives PDF files.
    setName(env.dir.path());
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    EXPECT_EQ(env.printers.opened,
              (QStringList{QString(), QStringLiteral("Kiosk Receipts"), QStringLiteral("Kiosk Receipts"),
                           QStringLiteral("Kiosk Receipts"), env.dir.path()}));
    EXPECT_EQ(env.printers.documents, 5);
    // A chosen printer that has since been removed gives way to the default printer.
    setName(QStringLiteral("Kiosk Receipts"));
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    env.printers.printerNames = {QStringLiteral("Front Desk")};
    startPrint(*env.ctx, TicketLayout::Windowed, header, content());
    EXPECT_EQ(env.printers.opened.last(), QString());
}

TEST(TicketDateTime, FollowsTheLocaleWithoutATimeZone)
{
    const QDateTime when(QDate(2024, 3, 4), QTime(14, 5, 9));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QString american = ticketDateTimeText(when, us);
    EXPECT_TRUE(american.startsWith(us.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ')));
    EXPECT_TRUE(american.contains(QStringLiteral("2:05:09"))) << american.toStdString();
    EXPECT_TRUE(american.endsWith(QStringLiteral("PM"))) << american.toStdString();
    const QString german = ticketDateTimeText(when, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(german.endsWith(QStringLiteral(" 14:05:09"))) << german.toStdString();
}

TEST(SystemPrinters, MissingPrinterGivesNoSurface)
{
    auto printers = createSystemPrinters();
    EXPECT_EQ(printers->open(QStringLiteral("No Such Printer 4711")), nullptr);
    EXPECT_EQ(printers->open(QStringLiteral("/no/such/folder/4711")), nullptr);
}

TEST(SystemPrinters, FolderReceivesOnePdfPerTicket)
{
    TestEnv env;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QDir().mkpath(env.path(QStringLiteral("tickets")));
    const QString folder = env.path(QStringLiteral("tickets"));
    writeLogo(env);

    auto printers = createSystemPrinters();
    TicketContent c;
    c.label = QStringLiteral("A12");
    c.serviceName = QStringLiteral("Consultation");
    c.serviceDescription = QStringLiteral("Ground floor");
    for (TicketLayout layout : {TicketLayout::Windowed, TicketLayout::FullScreen}) {
        std::unique_ptr<PrintSurface> surface = printers->open(folder);
        ASSERT_NE(surface, nullptr);
        // A receipt roll: 80 mm less two 4 mm margins.
        EXPECT_NEAR(surface->pageWidth(), 72 / 25.4 * 1440, 30);
        PrintJob job(*surface);
        EXPECT_TRUE(
            layoutTicket(job, layout,
                         TicketHeader{QStringLiteral("City Care Clinic"), QStringLiteral("Harbour Road"),
                                      QImage(env.path(QStringLiteral("logo.jpg")))},
                         c, QStringLiteral("A9"), QStringLiteral("04/03/2024 10:15")));
    }
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 2);
    if (tool.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QProcess process;
    process.start(tool,
                  {QStringLiteral("-layout"), QDir(folder).filePath(files.first()), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& expected :
         {QStringLiteral("City Care Clinic"), QStringLiteral("Harbour Road"),
          QStringLiteral("04/03/2024 10:15"), QStringLiteral("Consultation"), QStringLiteral("A12"),
          QStringLiteral("Ground floor"), QStringLiteral("Now Serving : A9"),
          QStringLiteral("Thank you for waiting")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << " missing in:\n"
                                             << text.toStdString();
    // Order on paper: company above the label, label above the closing line.
    EXPECT_LT(text.indexOf(QStringLiteral("City Care Clinic")), text.indexOf(QStringLiteral("A12")));
    EXPECT_LT(text.indexOf(QStringLiteral("A12")), text.indexOf(QStringLiteral("Thank you for waiting")));
}

} // namespace

namespace {

// The dark modules the recorded rectangles cover, as a grid of the given size from (x, y).
QVector<bool> modulesDrawn(const RecordingPrinters& printers, int size, double x, double y, double module)
{
    QVector<bool> dark(size * size, false);
    for (const RecordingPrinters::Call& c : printed(printers, QStringLiteral("rect"))) {
        const int row = int(std::lround((c.rect.y() - y) / module));
        const int first = int(std::lround((c.rect.x() - x) / module));
        const int count = int(std::lround(c.rect.width() / module));
        EXPECT_NEAR(c.rect.height(), module, 1e-9);
        for (int col = first; col < first + count; ++col) {
            if (row < 0 || row >= size || col < 0 || col >= size) {
                ADD_FAILURE() << "a module outside the code at " << col << "," << row;
                continue;
            }
            EXPECT_FALSE(dark[row * size + col]) << "drawn twice";
            dark[row * size + col] = true;
        }
    }
    return dark;
}

TEST_F(TicketPrint, WithAPageAddressTheTicketCarriesItsCodeAndTheEstimatedWait)
{
    TicketContent c = content();
    c.pageAddress = QStringLiteral("http://192.168.1.10:8080/t/abcdefghijklmnopqrstuvwxyz");
    c.estimateMinutes = 12;
    std::unique_ptr<PrintSurface> surface = env.printers.open(QString());
    PrintJob job(*surface);
    layoutTicket(job, TicketLayout::FullScreen, header, c, QStringLiteral("A9"),
                 QStringLiteral("04/03/2024 10:15:30"));

    const QStringList texts = printedTexts(env.printers);
    const qsizetype nowServing = texts.indexOf(QStringLiteral("Now Serving : A9"));
    ASSERT_GE(nowServing, 0);
    ASSERT_LT(nowServing + 3, texts.size());
    EXPECT_EQ(texts[nowServing + 1], QStringLiteral("Estimated wait : about 12 minutes"));
    EXPECT_EQ(texts[nowServing + 2], QStringLiteral("Scan to follow your turn"));
    EXPECT_EQ(texts[nowServing + 3], QStringLiteral("Thank you for waiting"));

    // The code is the page's address, centred under the wait line, with its quiet zone around it.
    const std::optional<QrCode> code = QrCode::encode(c.pageAddress);
    ASSERT_TRUE(code);
    const double side = (code->size + 2 * qrQuietZone) * qrModuleTwips;
    const double left = centred(page, side) + qrQuietZone * qrModuleTwips;
    const RecordingPrinters::Call wait = textCall(QStringLiteral("Estimated wait : about 12 minutes"));
    const double top = wait.y + lineHeight(10) + qrQuietZone * qrModuleTwips;
    EXPECT_EQ(modulesDrawn(env.printers, code->size, left, top, qrModuleTwips), code->dark);
    const RecordingPrinters::Call scan = textCall(QStringLiteral("Scan to follow your turn"));
    EXPECT_NEAR(scan.y, wait.y + lineHeight(10) + side, 1e-9);

    // Without an estimate only the code is printed; without an address the ticket is as before.
    env.printers.calls.clear();
    c.estimateMinutes.reset();
    const std::unique_ptr<PrintSurface> secondSurface = env.printers.open(QString());
    PrintJob second(*secondSurface);
    layoutTicket(second, TicketLayout::Windowed, header, c, QString(), QString());
    EXPECT_FALSE(
        printedTexts(env.printers).join(QLatin1Char('|')).contains(QStringLiteral("Estimated wait")));
    EXPECT_FALSE(printed(env.printers, QStringLiteral("rect")).isEmpty());
    env.printers.calls.clear();
    c.pageAddress.clear();
    c.estimateMinutes = 12;
    const std::unique_ptr<PrintSurface> thirdSurface = env.printers.open(QString());
    PrintJob third(*thirdSurface);
    layoutTicket(third, TicketLayout::Windowed, header, c, QString(), QString());
    EXPECT_TRUE(printed(env.printers, QStringLiteral("rect")).isEmpty());
    EXPECT_FALSE(
        printedTexts(env.printers).join(QLatin1Char('|')).contains(QStringLiteral("Estimated wait")));
}

TEST(SystemPrinters, TicketWithItsPageCodeFitsTheReceiptAndTheCodeReadsAsItsAddress)
{
    TestEnv env;
    QDir().mkpath(env.path(QStringLiteral("tickets")));
    const QString folder = env.path(QStringLiteral("tickets"));
    writeLogo(env);
    auto printers = createSystemPrinters();
    TicketContent c;
    c.label = QStringLiteral("A12");
    c.serviceName = QStringLiteral("Consultation");
    c.serviceDescription = QStringLiteral("Ground floor");
    c.pageAddress = QStringLiteral("http://192.168.1.10:8080/t/") + ticketcode::newCode();
    c.estimateMinutes = 12;
    for (TicketLayout layout : {TicketLayout::Windowed, TicketLayout::FullScreen}) {
        std::unique_ptr<PrintSurface> surface = printers->open(folder);
        ASSERT_NE(surface, nullptr);
        PrintJob job(*surface);
        EXPECT_TRUE(
            layoutTicket(job, layout,
                         TicketHeader{QStringLiteral("City Care Clinic"), QStringLiteral("Harbour Road"),
                                      QImage(env.path(QStringLiteral("logo.jpg")))},
                         c, QStringLiteral("A9"), QStringLiteral("04/03/2024 10:15")));
        // Everything down to the last rule lies on the one receipt page (140 mm less two 4 mm margins).
        EXPECT_LT(job.currentY, (140 - 2 * 4) / 25.4 * 1440);
    }
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 2);
    const QString keep = qEnvironmentVariable("BRIVANE_KEEP_TICKETS");
    for (const QString& f : files) {
        if (!keep.isEmpty())
            QFile::copy(QDir(folder).filePath(f), QDir(keep).filePath(f));
    }
    // The printed code, rendered at a receipt printer's 203 dpi, reads back as the page's address.
    const QString render = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("zbarimg"));
    if (render.isEmpty() || reader.isEmpty())
        GTEST_SKIP() << "pdftoppm or zbarimg is not installed";
    for (const QString& f : files) {
        const QString png = QDir(folder).filePath(f + QStringLiteral(".png"));
        QProcess toPng;
        toPng.start(render, {QStringLiteral("-r"), QStringLiteral("203"), QStringLiteral("-mono"),
                             QStringLiteral("-singlefile"), QStringLiteral("-png"), QDir(folder).filePath(f),
                             png.chopped(4)});
        ASSERT_TRUE(toPng.waitForFinished(30000));
        QProcess read;
        read.start(reader, {QStringLiteral("-q"), QStringLiteral("--raw"), png});
        ASSERT_TRUE(read.waitForFinished(30000));
        EXPECT_EQ(QString::fromUtf8(read.readAllStandardOutput()).trimmed(), c.pageAddress)
            << f.toStdString();
    }
}

} // namespace
