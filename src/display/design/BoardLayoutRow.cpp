#include "display/design/BoardLayoutRow.h"

#include "core/Database.h"
#include "ui/Twips.h"

#include <QtGlobal>
#include <cmath>

namespace {

// The column names of positions 2 to 29, block by block.
constexpr const char* Columns[LayoutBlockCount][4] = {
    {"logoleft", "logotop", "logowidth", "logoheight"},
    {"timeleft", "timetop", "timewidth", "timeheight"},
    {"tblleft", "tbltop", "tblwidth", "tblheight"},
    {"videoleft", "videotop", "videowidth", "videoheight"},
    {"meleft", "metop", "mewidth", "meheight"},
    {"ttlleft", "ttltop", "ttlwidth", "ttlheight"},
    {"newsleft", "newstop", "newswidth", "newsheight"},
};

int position(int block, int part)
{
    return 2 + 4 * block + part;
}

// A stored value as a length, or nothing when it cannot be applied.
std::optional<int> length(const QVariant& v, bool isSize)
{
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    if (std::fabs(d) > MaxLayoutTwips || (isSize && d < 0))
        return std::nullopt;
    return int(std::lround(d));
}

} // namespace

Layout defaultLayout(const QSize& surfaceTwips)
{
    const int w = qMax(surfaceTwips.width(), 0);
    const int h = qMax(surfaceTwips.height(), 0);
    const bool upright = h > w;
    const int m = qMax(w / 96, 1);                 // margin between blocks
    const int band = h * (upright ? 8 : 12) / 100; // title strip with logo and clock
    const int newsHeight = h * (upright ? 5 : 8) / 100;

    Layout l;
    l[LayoutBlock::Window] = QRect(0, 0, w, h);
    const int cornerHeight = qMax(band - m, 0);
    l[LayoutBlock::Logo] = QRect(m, m, w * (upright ? 22 : 14) / 100, cornerHeight);
    const int timeWidth = w * (upright ? 30 : 20) / 100;
    l[LayoutBlock::Time] = QRect(w - m - timeWidth, m, timeWidth, cornerHeight);
    const int titleLeft = l[LayoutBlock::Logo].left() + l[LayoutBlock::Logo].width() + m;
    l[LayoutBlock::Title] =
        QRect(titleLeft, m, qMax(l[LayoutBlock::Time].left() - m - titleLeft, 0), cornerHeight);
    l[LayoutBlock::News] = QRect(0, h - newsHeight, w, newsHeight);

    const int top = band + m;
    const int middle = qMax(h - newsHeight - m - top, 0);
    if (upright) {
        const int tableHeight = middle * 60 / 100;
        l[LayoutBlock::Table] = QRect(m, top, w - 2 * m, tableHeight);
        l[LayoutBlock::Video] = QRect(m, top + tableHeight + m, w - 2 * m, qMax(middle - tableHeight - m, 0));
    } else {
        const int tableWidth = (w - 3 * m) * 62 / 100;
        l[LayoutBlock::Table] = QRect(m, top, tableWidth, middle);
        const int videoLeft = m + tableWidth + m;
        const int videoWidth = qMax(w - m - videoLeft, 0);
        l[LayoutBlock::Video] = QRect(videoLeft, top, videoWidth, qMin(middle, videoWidth * 3 / 4));
    }
    return l;
}

void LayoutRow::applyTo(Layout& layout) const
{
    for (int b = 0; b < LayoutBlockCount; ++b) {
        QRect& r = layout.rects[size_t(b)];
        if (const auto& v = values[size_t(position(b, 0))])
            r.moveLeft(*v);
        if (const auto& v = values[size_t(position(b, 1))])
            r.moveTop(*v);
        if (const auto& v = values[size_t(position(b, 2))])
            r.setWidth(*v);
        if (const auto& v = values[size_t(position(b, 3))])
            r.setHeight(*v);
    }
}

LayoutRow readLayoutRow(Database& db, qint64 themeId)
{
    LayoutRow row;
    ResultSet rs;
    try {
        rs = db.query(QStringLiteral("select * from tblpos where themeauto=? order by posAuto"), {themeId});
    } catch (const DbError&) {
        return row;
    }
    if (rs.isEmpty())
        return row;
    row.found = true;
    try {
        row.key = rs.number(0, 0);
    } catch (const DbError&) {
    }
    for (int b = 0; b < LayoutBlockCount; ++b) {
        for (int part = 0; part < 4; ++part) {
            try {
                row.values[size_t(position(b, part))] =
                    length(rs.value(0, QString::fromLatin1(Columns[b][part])), part >= 2);
            } catch (const DbError&) {
                // a column the row does not have is skipped like a value that does not fit
            }
        }
    }
    try {
        bool ok = false;
        const qint64 n = rs.text(0, QStringLiteral("newsBG")).trimmed().toLongLong(&ok);
        if (ok && n >= 0 && n <= 0xffffff)
            row.newsBg = colorNumber::toColor(n);
    } catch (const DbError&) {
    }
    return row;
}

void saveLayoutRow(Database& db, qint64 themeId, const Layout& layout)
{
    QVariantMap values;
    for (int b = 0; b < LayoutBlockCount; ++b) {
        const QRect& r = layout.rects[size_t(b)];
        const int parts[4] = {r.left(), r.top(), r.width(), r.height()};
        for (int part = 0; part < 4; ++part)
            values.insert(QString::fromLatin1(Columns[b][part]), parts[part]);
    }
    const ResultSet rs =
        db.query(QStringLiteral("select * from tblpos where themeauto=? order by posAuto"), {themeId});
    if (!rs.isEmpty()) {
        db.update(QStringLiteral("tblpos"), rs.number(0, 0), values);
        return;
    }
    values.insert(QStringLiteral("themeauto"), themeId);
    db.insert(QStringLiteral("tblpos"), values);
}
