#pragma once

#include "display/design/BoardLayoutRow.h"

#include <QSize>

class Database;

// The size a block of a theme's layout takes to fit what it shows, at the layout's stored scale
// (twips, half the board's): the call table its columns and rows (every row high enough for its
// token labels), the video a 16:9 picture as wide as the block, the logo its picture's proportions,
// the title and the text clock one line of their font, the news strip one line of its largest
// message. `current` is the block as it is; a block with nothing to fit keeps its size.
QSize fittedBlockSize(Database& db, qint64 themeId, LayoutBlock block, const QSize& current);

// The hall screen a layout is made for, in pixels, from a size typed as "1920x1080" (or with "×" or
// blanks); an invalid size when the text is not one.
QSize targetSizeFromText(const QString& text);
