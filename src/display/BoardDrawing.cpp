#include "display/BoardDrawing.h"

#include "ui/Twips.h"

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

QString shown(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

} // namespace boardDrawing
