#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace twips {

double screenDpi()
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* screen = app->primaryScreen())
            return screen->logicalDotsPerInch();
    }
    return 96.0;
}

int toPixels(double value, double dpi)
{
    return int(std::lround(value * dpi / perInch));
}
int toPixels(double value)
{
    return toPixels(value, screenDpi());
}
double fromPixels(int pixels, double dpi)
{
    return pixels * perInch / dpi;
}
double fromPixels(int pixels)
{
    return fromPixels(pixels, screenDpi());
}

} // namespace twips

namespace colorNumber {

QColor toColor(qint64 number)
{
    if (number < 0)
        number = 0;
    return QColor(int(number & 0xff), int((number >> 8) & 0xff), int((number >> 16) & 0xff));
}

qint64 fromColor(const QColor& color)
{
    return qint64(color.red()) + 256 * qint64(color.green()) + 65536 * qint64(color.blue());
}

} // namespace colorNumber
