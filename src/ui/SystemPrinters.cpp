#include "ui/PrintSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// The fonts the tickets and documents name, and what stands in for them here.
QString installedFamily(const QString& family)
{
    static const QStringList sansFamilies{QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"),
                                          QStringLiteral("Helvetica"),
                                          QStringLiteral("Microsoft Sans Serif")};
    for (const QString& f : sansFamilies) {
        if (family.compare(f, Qt::CaseInsensitive) == 0) {
            if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans")))
                return QStringLiteral("Liberation Sans");
            break;
        }
    }
    return family;
}

// A page of a QPrinter, addressed in twips from the top-left of the printable area.
class PrinterSurface : public PrintSurface
{
public:
    explicit PrinterSurface(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer))
    {
        m_perTwip = m_printer->resolution() / 1440.0;
        m_font = QFont(installedFamily(QStringLiteral("Arial")));
        m_font.setPointSizeF(10);
    }
    ~PrinterSurface() override
    {
        if (m_painter.isActive())
            m_painter.end();
    }

    bool begin()
    {
        if (!m_painter.begin(m_printer.get()))
            return false;
        m_painter.setFont(m_font);
        m_painter.setPen(Qt::black);
        return true;
    }

    void setFont(const QString& family, double points, bool bold) override
    {
        QFont font(installedFamily(family));
        if (points > 0)
            font.setPointSizeF(points);
        font.setBold(bold);
        m_font = font;
        if (m_painter.isActive())
            m_painter.setFont(m_font);
    }
    double textWidth(const QString& text) override
    {
        return QFontMetricsF(m_font, m_printer.get()).horizontalAdvance(text) / m_perTwip;
    }
    double textHeight(const QString&) override
    {
        return QFontMetricsF(m_font, m_printer.get()).height() / m_perTwip;
    }
    void printText(double x, double y, const QString& text) override
    {
        if (!m_painter.isActive() || text.isEmpty())
            return;
        const QFontMetricsF metrics(m_font, m_printer.get());
        m_painter.drawText(QPointF(x * m_perTwip, y * m_perTwip + metrics.ascent()), text);
    }
    void drawPicture(const QString& file, const QRectF& r) override
    {
        if (!m_painter.isActive())
            return;
        const QImage image(file);
        if (image.isNull())
            return;
        m_painter.drawImage(
            QRectF(r.x() * m_perTwip, r.y() * m_perTwip, r.width() * m_perTwip, r.height() * m_perTwip),
            image);
    }
    void fillRect(const QRectF& r) override
    {
        if (!m_painter.isActive())
            return;
        m_painter.fillRect(
            QRectF(r.x() * m_perTwip, r.y() * m_perTwip, r.width() * m_perTwip, r.height() * m_perTwip),
            Qt::black);
    }
    double pageWidth() override
    {
        return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).width() / m_perTwip;
    }
    bool endDoc() override
    {
        if (!m_painter.isActive())
            return false;
        return m_painter.end();
    }

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QFont m_font;
    double m_perTwip = 1;
};

// Reserves a new file name in the folder (two workstations may share it) and returns it.
QString reservePdfFile(const QString& folder)
{
    static int next = 1;
    const QDir dir(folder);
    for (int tries = 0; tries < 100000; ++tries, ++next) {
        const QString name = dir.filePath(QStringLiteral("ticket-%1.pdf").arg(next, 5, 10, QLatin1Char('0')));
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            ++next;
            return name;
        }
    }
    return QString();
}

class SystemPrinters : public Printers
{
public:
    QStringList names() override { return QPrinterInfo::availablePrinterNames(); }

    std::unique_ptr<PrintSurface> open(const QString& deviceName) override
    {
        std::unique_ptr<QPrinter> printer;
        if (!deviceName.isEmpty() && QFileInfo(deviceName).isDir()) {
            const QString file = reservePdfFile(deviceName);
            if (file.isEmpty())
                return nullptr;
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(file);
            // A receipt roll: 80 mm wide with 4 mm margins, long enough for one ticket with the QR code
            // of its page.
            printer->setPageLayout(
                QPageLayout(QPageSize(QSizeF(80, 140), QPageSize::Millimeter, QStringLiteral("Receipt")),
                            QPageLayout::Portrait, QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter));
        } else {
            const QPrinterInfo info =
                deviceName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(deviceName);
            if (info.isNull())
                return nullptr;
            printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
        auto surface = std::make_unique<PrinterSurface>(std::move(printer));
        if (!surface->begin())
            return nullptr;
        return surface;
    }
};

} // namespace

std::unique_ptr<Printers> createSystemPrinters()
{
    return std::make_unique<SystemPrinters>();
}
