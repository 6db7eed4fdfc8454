#pragma once

#include <QFont>
#include <QRect>
#include <QVector>

// How the board's call table fills its block: the columns share the block's width in the
// proportions the theme gives them, the rows share its height, and what is left of a pixel goes to
// the first columns and rows, so the table ends exactly on the block's edges with no half row.
namespace boardTableFit {

// `total` pixels shared by `weights` (a weight of 0 or less gets nothing); the shares add up to
// `total` whenever any weight is positive.
QVector<int> share(int total, const QVector<int>& weights);

// The heights of `rows` rows sharing `total` pixels equally.
QVector<int> rowHeights(int total, int rows);

// The font, made smaller where it must be, so that one line of it fits `height` pixels and a text
// of `lines` lines fits too.
QFont fitted(const QFont& font, int height, int lines = 1);

// The height of the header row of a table of `total` pixels with `dataRows` rows under it: what its
// font needs (a line and some air), never more than an equal share of the table.
int headerHeight(int total, int dataRows, const QFont& headerFont);

// A block grown over a neighbouring block that has nothing to show (the call table over a video
// block with nothing to play, the title over the place of a logo the theme has none of): sideways
// when they stand side by side, downwards or upwards when one is above the other, as long as it then
// covers none of the `others` blocks it did not cover before. The block itself when the two are
// not neighbours.
QRect overEmptyBlock(const QRect& block, const QRect& empty, const QVector<QRect>& others);

// The height of the capitals of a font, in pixels.
double capHeight(const QFont& font);

} // namespace boardTableFit
