#include "display/ThemeDefaults.h"

#include "ui/Twips.h"

#include <QCoreApplication>
#include <QtMath>

namespace themeDefaults {

QMap<QString, QColor> newThemeColors()
{
    const QColor ink(0x20, 0x20, 0x20);
    const QColor navy(0x10, 0x2a, 0x5c);
    const QColor paper(Qt::white);
    return {
        {QStringLiteral("ttlcolor"), navy},                     // title, on the screen
        {QStringLiteral("clrtime"), navy},                      // text clock, on the screen
        {QStringLiteral("screenbg"), QColor(0xf0, 0xf0, 0xf0)}, // the board behind everything
        {QStringLiteral("backgroundclr"), paper},               // table and even rows
        {QStringLiteral("altcolr"), QColor(0xe6, 0xee, 0xf8)},  // odd rows
        {QStringLiteral("linecolor"), QColor(0x80, 0x80, 0x80)},
        {QStringLiteral("hdclrbg"), QColor(0xc8, 0xd4, 0xe4)},
        {QStringLiteral("hdfntclr"), Qt::black},
        {QStringLiteral("clrcrr"), Qt::black}, // token column text
        {QStringLiteral("bgcrr"), paper},
        {QStringLiteral("clrval"), ink}, // caption column text
        {QStringLiteral("bgval"), paper},
        // News messages are black unless their editor gives them another colour.
        {QStringLiteral("newsBG"), QColor(0xff, 0xf8, 0xdc)},
    };
}

QMap<QString, QString> newThemeFonts(const QStringList& families)
{
    const QString family =
        families.contains(QStringLiteral("Liberation Sans")) ? QStringLiteral("Liberation Sans") : QString();
    return {
        {QStringLiteral("ttlfont"), family},  {QStringLiteral("ttlsize"), QStringLiteral("36")},
        {QStringLiteral("fonttime"), family}, {QStringLiteral("sizetime"), QStringLiteral("28")},
        {QStringLiteral("hdfont"), family},   {QStringLiteral("hdfntsize"), QStringLiteral("28")},
        {QStringLiteral("fntcrr"), family},   {QStringLiteral("sizecrr"), QStringLiteral("56")},
        {QStringLiteral("fntval"), family},   {QStringLiteral("sizeval"), QStringLiteral("40")},
    };
}

QSize hallSurface(const QSize& screenPixels)
{
    // Landscape whatever the screen reports, at least 640 x 360.
    const int wide = qMax(qMax(screenPixels.width(), screenPixels.height()), 640);
    const int high = qMax(qMin(screenPixels.width(), screenPixels.height()), 360);
    return QSize(int(twips::fromPixels(wide) / 2), int(twips::fromPixels(high) / 2));
}

Layout hallLayout(const QSize& surfaceTwips)
{
    Layout l = defaultLayout(surfaceTwips);
    const int w = qMax(surfaceTwips.width(), 0);
    const int h = qMax(surfaceTwips.height(), 0);
    const int m = qMax(w / 96, 1);
    const int band = h * 8 / 100; // title, logo and clock: a title line's height and some air
    const int newsHeight = h * 6 / 100;
    for (const LayoutBlock b : {LayoutBlock::Logo, LayoutBlock::Time, LayoutBlock::Title})
        l[b].setHeight(qMax(band - m, 0));
    l[LayoutBlock::News] = QRect(0, h - newsHeight, w, newsHeight);
    const int top = band + m;
    const int middle = qMax(h - newsHeight - m - top, 0);
    QRect& table = l[LayoutBlock::Table];
    table = QRect(table.left(), top, table.width(), middle);
    QRect& video = l[LayoutBlock::Video];
    video = QRect(video.left(), top, video.width(), qMin(middle, video.width() * 3 / 4));
    return l;
}

QMap<QString, QVariant> hallTheme(const QSize& screenPixels, const QStringList& families)
{
    const QString family =
        families.contains(QStringLiteral("Liberation Sans")) ? QStringLiteral("Liberation Sans") : QString();
    const QSize surface = hallSurface(screenPixels);
    const int high = qMax(qMin(screenPixels.width(), screenPixels.height()), 360);
    const QRect table = hallLayout(surface)[LayoutBlock::Table];
    const int rows = 6;
    // The frame drawn round the table takes a little of the block.
    const int inner = qMax(table.width() - 40, 200);
    const int tokenWidth = inner * 38 / 100;
    const int rowHeight = qMax((table.height() - 40) / (rows + 1), 100);
    // Font sizes in points follow the screen's height: 86 pt token text (about 79-pixel capitals, as
    // large as the rows under a low header allow) on a 1080-line screen; the counter text keeps the
    // proportion to it a web board follows too.
    const auto size = [high](double at1080) {
        return QString::number(qMax(8, qRound(at1080 * high / 1080.0)));
    };

    const auto colour = [](int r, int g, int b) { return colorNumber::fromColor(QColor(r, g, b)); };
    const qint64 board = colour(0x0e, 0x1c, 0x2b), even = colour(0x13, 0x26, 0x3b),
                 odd = colour(0x1b, 0x34, 0x50), white = colour(0xff, 0xff, 0xff),
                 gold = colour(0xff, 0xd2, 0x4a), header = colour(0x2f, 0x5f, 0x8f),
                 line = colour(0x3c, 0x5a, 0x78), news = colour(0x05, 0x0d, 0x16);
    return {
        {QStringLiteral("themename"), hallThemeName},
        {QStringLiteral("colums"), QStringLiteral("2")},
        {QStringLiteral("rows"), QString::number(rows)},
        {QStringLiteral("colwidth"), QStringLiteral("%1;%2").arg(tokenWidth).arg(inner - tokenWidth)},
        {QStringLiteral("rowheight"), QString::number(rowHeight)},
        {QStringLiteral("logo"), QString()},
        {QStringLiteral("displaytime"), 1},
        {QStringLiteral("clockfile"), QString()},
        {QStringLiteral("fonttime"), family},
        {QStringLiteral("sizetime"), size(28)},
        {QStringLiteral("clrtime"), white},
        {QStringLiteral("backgroundclr"), even},
        {QStringLiteral("linecolor"), line},
        {QStringLiteral("altcolr"), odd},
        {QStringLiteral("bgimage"), QString()},
        {QStringLiteral("hdfont"), family},
        {QStringLiteral("hdclrbg"), header},
        {QStringLiteral("hdfntclr"), white},
        {QStringLiteral("hdfntsize"), size(26)},
        {QStringLiteral("fntcrr"), family},
        {QStringLiteral("sizecrr"), size(86)},
        {QStringLiteral("clrcrr"), gold},
        {QStringLiteral("bgcrr"), even},
        {QStringLiteral("fntval"), family},
        {QStringLiteral("sizeval"), size(68)},
        {QStringLiteral("clrval"), white},
        {QStringLiteral("bgval"), even},
        {QStringLiteral("type"), QStringLiteral("Horrizontal")},
        {QStringLiteral("screenbg"), board},
        {QStringLiteral("linewidth"), QStringLiteral("2")},
        {QStringLiteral("video"), QString()},
        {QStringLiteral("onlinevideo"), QString()},
        {QStringLiteral("volume"), QStringLiteral("5")},
        {QStringLiteral("movie"), 0},
        {QStringLiteral("ttlname"), QCoreApplication::translate("ThemeDefaults", "Welcome")},
        {QStringLiteral("ttlfont"), family},
        {QStringLiteral("ttlcolor"), white},
        {QStringLiteral("ttlsize"), size(36)},
        {QStringLiteral("scroll"), 0},
        {QStringLiteral("tformat"), QStringLiteral("dd-MMM-yyyy HH:mm")},
        {QStringLiteral("enableH"), 1},
        // The captions a new board shows, in the language of the workstation that makes it.
        {QStringLiteral("Column1"), QCoreApplication::translate("ThemeDefaults", "Token")},
        {QStringLiteral("Column2"), QCoreApplication::translate("ThemeDefaults", "Counter")},
        {QStringLiteral("img1"), QString()},
        {QStringLiteral("img2"), QString()},
        {QStringLiteral("newsBG"), news},
    };
}

QMap<QString, QString> newThemeTable()
{
    return {{QStringLiteral("rows"), QStringLiteral("8")}};
}

} // namespace themeDefaults
