#include "ui/PainterSurface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>

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

} // namespace

PainterSurface::PainterSurface(std::unique_ptr<QPaintDevice> device, double dotsPerInch,
                               double pageWidthTwips)
    : m_device(std::move(device)), m_perTwip(dotsPerInch / 1440.0), m_pageWidth(pageWidthTwips)
{
    m_font = QFont(installedFamily(QStringLiteral("Arial")));
    m_font.setPointSizeF(10);
}

PainterSurface::~PainterSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PainterSurface::begin()
{
    if (!m_painter.begin(m_device.get()))
        return false;
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.setFont(m_font);
    m_painter.setPen(Qt::black);
    return true;
}

void PainterSurface::setFont(const QString& family, double points, bool bold)
{
    QFont font(installedFamily(family));
    if (points > 0)
        font.setPointSizeF(points);
    font.setBold(bold);
    m_font = font;
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

double PainterSurface::textWidth(const QString& text)
{
    return QFontMetricsF(m_font, m_device.get()).horizontalAdvance(text) / m_perTwip;
}

double PainterSurface::textHeight(const QString&)
{
    return QFontMetricsF(m_font, m_device.get()).height() / m_perTwip;
}

void PainterSurface::printText(double x, double y, const QString& text)
{
    if (!m_painter.isActive() || text.isEmpty())
        return;
    const QFontMetricsF metrics(m_font, m_device.get());
    m_painter.drawText(QPointF(x * m_perTwip, y * m_perTwip + metrics.ascent()), text);
}

QRectF PainterSurface::toDevice(const QRectF& r) const
{
    return QRectF(r.x() * m_perTwip, r.y() * m_perTwip, r.width() * m_perTwip, r.height() * m_perTwip);
}

void PainterSurface::drawPicture(const QImage& picture, const QRectF& r)
{
    if (!m_painter.isActive() || picture.isNull())
        return;
    m_painter.drawImage(toDevice(r), picture);
}

void PainterSurface::fillRect(const QRectF& r)
{
    if (!m_painter.isActive())
        return;
    m_painter.fillRect(toDevice(r), Qt::black);
}

bool PainterSurface::endDoc()
{
    if (!m_painter.isActive())
        return false;
    return m_painter.end();
}

namespace {

std::unique_ptr<QPaintDevice> whitePage(double widthTwips, double heightTwips, double dotsPerInch)
{
    auto image = std::make_unique<QImage>(qMax(1, int(std::lround(widthTwips * dotsPerInch / 1440.0))),
                                          qMax(1, int(std::lround(heightTwips * dotsPerInch / 1440.0))),
                                          QImage::Format_RGB32);
    image->fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image->setDotsPerMeterX(dotsPerMeter);
    image->setDotsPerMeterY(dotsPerMeter);
    return image;
}

} // namespace

PictureSurface::PictureSurface(double widthTwips, double heightTwips, double dotsPerInch)
    : PainterSurface(whitePage(widthTwips, heightTwips, dotsPerInch), dotsPerInch, widthTwips),
      m_perTwip(dotsPerInch / 1440.0)
{
    begin();
}

QImage PictureSurface::picture(double usedTwips) const
{
    const auto* image = static_cast<const QImage*>(device());
    const int used = int(std::lround(usedTwips * m_perTwip));
    if (used <= 0 || used >= image->height())
        return *image;
    return image->copy(0, 0, image->width(), used);
}
