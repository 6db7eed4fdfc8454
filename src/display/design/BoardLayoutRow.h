#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>

class Database;

// The blocks of a display board, in the order their rectangles take in a theme's tblpos row: each
// takes four positions (left, top, width, height) from position 2 on. Window is the designer
// window's own rectangle (positions 18 to 21), whose size the board doubles into its own.
enum class LayoutBlock { Logo, Time, Table, Video, Window, Title, News };
constexpr int LayoutBlockCount = 7;

// A board's layout at the stored scale: twips, half the size of the screen the board fills.
// Block rectangles are relative to the window's inner area.
struct Layout
{
    std::array<QRect, LayoutBlockCount> rects;

    QRect& operator[](LayoutBlock b) { return rects[size_t(b)]; }
    const QRect& operator[](LayoutBlock b) const { return rects[size_t(b)]; }
};

// Where the blocks go when a theme has no layout yet, on a surface of that size in twips: the title
// strip along the top between the logo (left corner) and the clock (right corner), the call table in
// the middle with the video beside it (below it on an upright surface), the news strip along the
// bottom. The designer starts from it and the board of a theme without a layout uses it.
Layout defaultLayout(const QSize& surfaceTwips);

// The values of a theme's tblpos row, each kept only when it can be applied: a number, not negative
// for a width or height, and no larger than any screen. Values that cannot be applied are left out
// one by one, so the rest of the row still counts.
struct LayoutRow
{
    bool found = false;
    qint64 key = 0; // posAuto
    // By position in the row (0 and 1 are the keys and stay empty).
    std::array<std::optional<int>, 30> values;
    QColor newsBg; // invalid when the row has none

    // Every value the row holds replaces the layout's.
    void applyTo(Layout& layout) const;
};

// The largest length a stored layout value may have, in twips (about 13,000 pixels).
constexpr int MaxLayoutTwips = 200000;

// "select * from tblpos where themeauto=" the theme: found is false when there is no row or the
// query fails.
LayoutRow readLayoutRow(Database& db, qint64 themeId);

// Writes positions 2 to 29 from the layout into the theme's row, adding the row with the theme's key
// in position 1 when there is none. Throws DbError when the store refuses.
void saveLayoutRow(Database& db, qint64 themeId, const Layout& layout);
