#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

// Small conversions the display board draws with.
namespace boardDrawing {

// Twips of the screen to pixels.
int px(double twipsValue);
QRect pxRect(const QRect& twipsRect);
QString cssColor(const QColor& c);
// The base font with a family and point size when they are given, bold or not.
QFont makeFont(const QString& family, double size, bool bold, const QFont& base);
// A table text as the grid shows it: the CR LF of a two-line caption becomes a line break.
QString shown(const QString& text);

} // namespace boardDrawing
