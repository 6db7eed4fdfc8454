#include "display/design/BlockFit.h"

#include "core/Database.h"
#include "display/BoardDrawing.h"
#include "display/BoardTheme.h"
#include "ui/Twips.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QRegularExpression>
#include <cmath>

namespace {

// One line of a font with some air, in twips at the stored (half) scale.
int lineHeight(const QString& family, double points, bool bold)
{
    const QFont f = boardDrawing::makeFont(family, points, bold, QFont());
    const double pixels = QFontMetricsF(f).lineSpacing() + 8;
    return int(std::lround(twips::fromPixels(int(std::ceil(pixels))) / 2));
}

QSize tableSize(Database& db, qint64 themeId, const QSize& current)
{
    BoardTheme t = loadBoardTheme(db, themeId);
    if (!t.found)
        return current;
    applyHeaderCaptions(db, themeId, t);
    int width = 0;
    for (int c = 1; c < t.cols && c < t.colWidths.size(); ++c)
        width += t.colWidths.at(c);
    bool header = !t.img1.isEmpty();
    for (int c = 1; c < t.headers.size(); ++c)
        header = header || !t.headers.at(c).trimmed().isEmpty();
    // Every row holds its token label at the theme's size.
    const int row = qMax(t.rowHeight / 2, lineHeight(t.tokenFont, t.tokenSize, true));
    const int rows = t.dataRows + (header ? 1 : 0);
    return QSize(width > 0 ? width / 2 : current.width(), rows > 0 ? rows * row : current.height());
}

int largestMessageLine(Database& db)
{
    int height = 0;
    try {
        const ResultSet rs =
            db.query(QStringLiteral("select font, size, bold from tblscroll where active='1'"));
        for (int r = 0; r < rs.size(); ++r) {
            height = qMax(height, lineHeight(rs.text(r, 0), leadingNumber(rs.text(r, 1)),
                                             Database::flag(rs.value(r, 2)) == QLatin1String("1")));
        }
    } catch (const DbError&) {
    }
    return height;
}

} // namespace

QSize fittedBlockSize(Database& db, qint64 themeId, LayoutBlock block, const QSize& current)
{
    switch (block) {
    case LayoutBlock::Table:
        return tableSize(db, themeId, current);
    case LayoutBlock::Video:
        return QSize(current.width(), current.width() * 9 / 16);
    case LayoutBlock::Logo: {
        const BoardTheme t = loadBoardTheme(db, themeId);
        const QSize picture = QImageReader(t.logo).size();
        if (!picture.isValid() || picture.isEmpty())
            return current;
        return QSize(current.width(),
                     int(std::lround(double(current.width()) * picture.height() / picture.width())));
    }
    case LayoutBlock::Title: {
        const BoardTheme t = loadBoardTheme(db, themeId);
        return QSize(current.width(),
                     lineHeight(t.titleFont, t.titleSize, boardDrawing::namesBoldFace(t.titleFont)));
    }
    case LayoutBlock::Time: {
        const BoardTheme t = loadBoardTheme(db, themeId);
        if (!t.clockFile.isEmpty()) // a clock face is round
            return QSize(qMin(current.width(), current.height()), qMin(current.width(), current.height()));
        return QSize(current.width(), lineHeight(t.timeFont, t.timeSize, true));
    }
    case LayoutBlock::News: {
        const int line = largestMessageLine(db);
        return line > 0 ? QSize(current.width(), line) : current;
    }
    case LayoutBlock::Window:
        break;
    }
    return current;
}

QSize targetSizeFromText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{3,5})\\s*[xX×*]\\s*(\\d{3,5})\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < 320 || size.height() < 240 || size.width() > 16384 || size.height() > 16384)
        return {};
    return size;
}
