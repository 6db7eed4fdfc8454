#include "ui/PrintSurface.h"

#include "ui/PainterSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A page of a QPrinter.
std::unique_ptr<PainterSurface> printerSurface(std::unique_ptr<QPrinter> printer)
{
    const double dotsPerInch = printer->resolution();
    const double width =
        printer->pageLayout().paintRectPixels(printer->resolution()).width() * 1440.0 / dotsPerInch;
    return std::make_unique<PainterSurface>(std::move(printer), dotsPerInch, width);
}

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
        auto surface = printerSurface(std::move(printer));
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
