#pragma once

#include <QColor>

// Lengths on screens and paper are kept in twips (1/1440 inch), colours as colour numbers
// (red + 256 * green + 65536 * blue). These helpers convert them for Qt.
namespace twips {

constexpr int perInch = 1440;

// Logical DPI of the primary screen (96 when there is no screen yet).
double screenDpi();

int toPixels(double twips, double dpi);
int toPixels(double twips);
double fromPixels(int pixels, double dpi);
double fromPixels(int pixels);

} // namespace twips

namespace colorNumber {

QColor toColor(qint64 number);
qint64 fromColor(const QColor& color);

} // namespace colorNumber
