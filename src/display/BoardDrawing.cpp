#include "display/BoardDrawing.h"

#include "ui/Twips.h"

#include <cmath>

namespace boardDrawing {

int px(double twipsValue)
{
    return twips::toPixels(twipsValue);
}

QRect pxRect(const QRect& twipsRect)
{
    return QRect(px(twipsRect.left()), px(twipsRect.top()), px(twipsRect.width()), px(twipsRect.height()));
}

QString cssColor(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

QFont makeFont(const QString& family, double size, bool bold, const QFont& base)
{
    QFont f = base;
    if (!family.isEmpty())
        f.setFamily(family);
    if (size > 0)
        f.setPointSizeF(size);
    f.setBold(bold);
    return f;
}

namespace {

double luminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor readableOn(const QColor& text, const QColor& ground, double minRatio)
{
    if (!ground.isValid() || (text.isValid() && contrastRatio(text, ground) >= minRatio))
        return text;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

bool namesBoldFace(const QString& family)
{
    return family.contains(QLatin1String("Bold"), Qt::CaseInsensitive) ||
           family.contains(QLatin1String("Black"), Qt::CaseInsensitive) ||
           family.contains(QLatin1String("Heavy"), Qt::CaseInsensitive);
}

QString shown(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace boardDrawing
