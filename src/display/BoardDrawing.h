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
// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), by their relative
// luminance as web accessibility rules measure it.
double contrastRatio(const QColor& a, const QColor& b);
// The text colour itself when it stands out from its ground by at least `minRatio`, otherwise black
// or white, whichever stands out more.
QColor readableOn(const QColor& text, const QColor& ground, double minRatio = 4.5);
// Whether a font name names a bold face ("Arial Black", "DejaVu Sans Bold").
bool namesBoldFace(const QString& family);
// A table text as the grid shows it: the CR LF of a two-line caption becomes a line break.
QString shown(const QString& text);

} // namespace boardDrawing
