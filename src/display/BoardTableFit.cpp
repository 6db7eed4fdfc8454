#include "display/BoardTableFit.h"

#include <QFontMetricsF>
#include <cmath>

namespace boardTableFit {

QVector<int> share(int total, const QVector<int>& weights)
{
    QVector<int> out(weights.size(), 0);
    qint64 sum = 0;
    for (int w : weights)
        sum += qMax(0, w);
    if (sum <= 0 || total <= 0)
        return out;
    // Each share rounded down, then the pixels left over one by one from the first column on.
    int given = 0;
    for (int i = 0; i < weights.size(); ++i) {
        out[i] = int(qint64(total) * qMax(0, weights.at(i)) / sum);
        given += out[i];
    }
    for (int i = 0; given < total; i = (i + 1) % int(weights.size())) {
        if (weights.at(i) > 0) {
            ++out[i];
            ++given;
        }
    }
    return out;
}

QVector<int> rowHeights(int total, int rows)
{
    return share(total, QVector<int>(qMax(0, rows), 1));
}

QFont fitted(const QFont& font, int height, int lines)
{
    // Room for the line(s) and a little air above and below.
    const double room = height - 4;
    QFont f = font;
    const double size = f.pointSizeF();
    if (size <= 0 || room <= 0)
        return f;
    const double needed = QFontMetricsF(f).lineSpacing() * qMax(1, lines);
    if (needed <= room)
        return f;
    double next = size * room / needed;
    f.setPointSizeF(qMax(1.0, std::floor(next * 4) / 4));
    // Font sizes do not scale the line exactly: step down until it fits.
    while (f.pointSizeF() > 1 && QFontMetricsF(f).lineSpacing() * qMax(1, lines) > room)
        f.setPointSizeF(qMax(1.0, f.pointSizeF() - 0.5));
    return f;
}

int headerHeight(int total, int dataRows, const QFont& headerFont)
{
    const int share = rowHeights(total, dataRows + 1).value(0, 0);
    const int needed = int(std::ceil(QFontMetricsF(headerFont).lineSpacing() * 1.4)) + 4;
    return qMin(share, needed);
}

namespace {

// How far two spans [a1, a2) and [b1, b2) share, in pixels (negative: the gap between them).
int overlap(int a1, int a2, int b1, int b2)
{
    return qMin(a2, b2) - qMax(a1, b1);
}

} // namespace

QRect overEmptyBlock(const QRect& block, const QRect& empty, const QVector<QRect>& others)
{
    if (block.isEmpty() || empty.isEmpty() || block.intersects(empty))
        return block;
    const int across = overlap(block.top(), block.bottom() + 1, empty.top(), empty.bottom() + 1);
    const int along = overlap(block.left(), block.right() + 1, empty.left(), empty.right() + 1);
    // Neighbours: side by side over at least half the empty block's height (or one above the other
    // over half its width), with no more than a tenth of the block between them.
    QRect grown = block;
    if (across * 2 >= empty.height() && -along <= block.width() / 10) {
        grown.setLeft(qMin(block.left(), empty.left()));
        grown.setRight(qMax(block.right(), empty.right()));
    } else if (along * 2 >= empty.width() && -across <= block.height() / 10) {
        grown.setTop(qMin(block.top(), empty.top()));
        grown.setBottom(qMax(block.bottom(), empty.bottom()));
    } else {
        return block;
    }
    for (const QRect& other : others) {
        if (!other.isEmpty() && grown.intersects(other) && !block.intersects(other))
            return block;
    }
    return grown;
}

double capHeight(const QFont& font)
{
    return QFontMetricsF(font).capHeight();
}

} // namespace boardTableFit
