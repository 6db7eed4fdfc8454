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

double capHeight(const QFont& font)
{
    return QFontMetricsF(font).capHeight();
}

} // namespace boardTableFit
