#pragma once

#include "display/design/BoardLayoutRow.h"

#include <QColor>
#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

// What a new theme starts with where the editor has no initial text: dark text on light grounds,
// grey lines and a slightly tinted alternate row, and fonts large enough for a hall, so a theme
// saved without choosing any of them still gives a readable board.
namespace themeDefaults {

// The colour of every colour column of tbltheme, by column name.
QMap<QString, QColor> newThemeColors();

// The font names and sizes a new theme starts with, by column name: Liberation Sans where the
// machine has it (among `families`), otherwise no name (the board's own font), and sizes a hall
// screen can be read by.
QMap<QString, QString> newThemeFonts(const QStringList& families);

// The name of the theme a new hall starts with.
inline const QString hallThemeName = QStringLiteral("Hall Board");

// The landscape surface, in the layout's stored (half) twips, of a board on a screen of
// screenPixels (either way round, at least 640 x 360).
QSize hallSurface(const QSize& screenPixels);

// The layout a new hall starts with on a surface of that size: the default layout with a narrower
// title strip and news band, so the call table gets the height of the screen; the video block
// stays beside it (the board gives its place to the calls while it has nothing to play).
Layout hallLayout(const QSize& surfaceTwips);

// Every column of the theme a new hall starts with, by column name, for a landscape board that fills
// a screen of screenPixels: light text on a dark board, the call table sized to the block hallLayout
// gives it on that screen (token and counter columns, six rows under a header), token capitals of
// about 80 pixels on a 1080-line screen, a clock, and a news band the usual white messages read on.
QMap<QString, QVariant> hallTheme(const QSize& screenPixels, const QStringList& families);

// The call table a new theme starts with, by column name: as many rows as a 1080-line screen shows
// with token labels whose capitals read from across a hall (about 50 pixels).
QMap<QString, QString> newThemeTable();

} // namespace themeDefaults
