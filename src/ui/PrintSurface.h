#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

// A page being printed, addressed in twips (1440 per inch) from the top-left of the printable area.
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;
    virtual void setFont(const QString& family, double points, bool bold) = 0;
    virtual double textWidth(const QString& text) = 0;
    virtual double textHeight(const QString& text) = 0;
    virtual void printText(double x, double y, const QString& text) = 0;
    virtual void drawPicture(const QImage& picture, const QRectF& twipsRect) = 0;
    // A solid black rectangle (the modules of a QR code).
    virtual void fillRect(const QRectF& twipsRect) = 0;
    // Width of the printable area in twips. A surface that cannot tell gives a receipt roll's 72 mm.
    virtual double pageWidth() { return 4082; }
    // Ends the document and sends it to the printer; false when that failed.
    virtual bool endDoc() = 0;
};

// The machine's printers.
class Printers
{
public:
    virtual ~Printers() = default;
    virtual QStringList names() = 0;
    // A surface for the named printer (empty name: the default printer); nullptr when there is none.
    virtual std::unique_ptr<PrintSurface> open(const QString& deviceName) = 0;
};

// The machine's real printers (CUPS through Qt PrintSupport).
std::unique_ptr<Printers> createSystemPrinters();
