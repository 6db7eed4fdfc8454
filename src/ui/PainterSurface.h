#pragma once

#include "ui/PrintSurface.h"

#include <QFont>
#include <QPaintDevice>
#include <QPainter>
#include <memory>

// A page drawn with a painter on a paint device (a printer, a picture), addressed in twips from the
// top-left of its printable area. Arial and MS Sans Serif are drawn in Liberation Sans where it is
// installed.
class PainterSurface : public PrintSurface
{
public:
    // dotsPerInch: the device's resolution; pageWidthTwips: the width of its printable area.
    PainterSurface(std::unique_ptr<QPaintDevice> device, double dotsPerInch, double pageWidthTwips);
    ~PainterSurface() override;

    // Starts painting; false when the device refuses (a printer that cannot be opened).
    bool begin();

    void setFont(const QString& family, double points, bool bold) override;
    double textWidth(const QString& text) override;
    double textHeight(const QString& text) override;
    void printText(double x, double y, const QString& text) override;
    void drawPicture(const QImage& picture, const QRectF& twipsRect) override;
    void fillRect(const QRectF& twipsRect) override;
    double pageWidth() override { return m_pageWidth; }
    bool endDoc() override;

protected:
    QPaintDevice* device() const { return m_device.get(); }

private:
    QRectF toDevice(const QRectF& twipsRect) const;

    std::unique_ptr<QPaintDevice> m_device;
    QPainter m_painter;
    QFont m_font;
    double m_perTwip = 1;
    double m_pageWidth = 0;
};

// A ticket-wide page drawn into a picture, for a preview of what a printer would print: white, of
// the given width in twips, at the given resolution, as long as `heightTwips`.
class PictureSurface : public PainterSurface
{
public:
    PictureSurface(double widthTwips, double heightTwips, double dotsPerInch);

    // The page so far, down to `usedTwips` (the whole page when 0 or more than its height).
    QImage picture(double usedTwips = 0) const;

private:
    double m_perTwip;
};
