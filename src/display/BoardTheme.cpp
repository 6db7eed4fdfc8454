#include "display/BoardTheme.h"

#include "core/Database.h"
#include "display/design/BoardLayoutRow.h"
#include "display/media/TimeFormat.h"
#include "ui/Twips.h"

#include <functional>

double leadingNumber(const QString& text)
{
    const QString t = text.trimmed();
    int end = 0;
    bool digits = false;
    bool dot = false;
    if (end < t.size() && (t[end] == QLatin1Char('-') || t[end] == QLatin1Char('+')))
        ++end;
    while (end < t.size()) {
        const QChar c = t[end];
        if (c.isDigit()) {
            digits = true;
        } else if (c == QLatin1Char('.') && !dot) {
            dot = true;
        } else {
            break;
        }
        ++end;
    }
    if (!digits)
        return 0;
    return t.left(end).toDouble();
}

namespace {

// A field the row cannot give is skipped and the value keeps its default.
void read(const std::function<void()>& step)
{
    try {
        step();
    } catch (const DbError&) {
    }
}

QString text(const ResultSet& rs, const char* name)
{
    return rs.text(0, QString::fromLatin1(name));
}

double number(const ResultSet& rs, const char* name)
{
    return leadingNumber(text(rs, name));
}

// A stored value as a whole number within the bounds the board can use; a text such as
// "99999999999999999999" must not overflow.
int bounded(double value, int low, int high)
{
    if (!(value >= low))
        return low;
    if (value > high)
        return high;
    return int(value);
}

// Lengths in twips; a million twips is far wider than any screen.
constexpr int MaxLength = 1000000;
int length(double twips)
{
    return bounded(twips, -MaxLength, MaxLength);
}

// The most call rows and data columns a board lays out.
constexpr int MaxRows = 1000;
constexpr int MaxColumns = 100;

QColor color(const ResultSet& rs, const char* name)
{
    const double value = leadingNumber(text(rs, name));
    return colorNumber::toColor(value > 0 && value < 1e18 ? qint64(value) : 0);
}

bool isOne(const ResultSet& rs, const char* name)
{
    return number(rs, name) == 1;
}

} // namespace

BoardTheme loadBoardTheme(Database& db, qint64 themeId)
{
    BoardTheme t;
    t.headers = QStringList(t.cols, QString());
    t.colWidths = QVector<int>(t.cols, 0);
    ResultSet rs;
    try {
        rs = db.query(QStringLiteral("select * from tbltheme where themeauto=?"), {themeId});
    } catch (const DbError&) {
        return t;
    }
    if (rs.isEmpty())
        return t;
    t.found = true;

    read([&] { t.title = text(rs, "ttlname"); });
    read([&] { t.titleFont = text(rs, "ttlfont"); });
    read([&] { t.titleColor = color(rs, "ttlcolor"); });
    read([&] { t.titleSize = number(rs, "ttlsize"); });
    read([&] { t.scrollTitle = isOne(rs, "scroll"); });

    read([&] { t.showTime = isOne(rs, "displaytime"); });
    read([&] { t.clockFile = text(rs, "clockfile"); });
    read([&] { t.timeFont = text(rs, "fonttime"); });
    read([&] { t.timeSize = number(rs, "sizetime"); });
    read([&] { t.timeColor = color(rs, "clrtime"); });
    read([&] { t.timeFormat = boardTimeFormat(text(rs, "tformat")); });
    read([&] { t.logo = text(rs, "logo"); });

    read([&] { t.bgImage = text(rs, "bgimage"); });
    read([&] { t.screenBg = color(rs, "screenbg"); });

    read([&] { t.cols = bounded(number(rs, "colums"), 0, MaxColumns) + 1; });
    read([&] { t.dataRows = bounded(number(rs, "rows"), 0, MaxRows); });
    t.headers = QStringList(t.cols, QString());
    read([&] {
        if (isOne(rs, "enableH")) {
            t.headerOn = true;
            const QString c1 = text(rs, "Column1");
            const QString c2 = text(rs, "Column2");
            for (int c = 1; c < t.cols && c <= 3; ++c)
                t.headers[c] = c == 1 ? c1 : c2;
        }
    });

    read([&] { t.lineColor = color(rs, "linecolor"); });
    read([&] { t.tableBg = color(rs, "backgroundclr"); });
    read([&] { t.headerBg = color(rs, "hdclrbg"); });
    read([&] { t.rowHeight = length(2 * number(rs, "rowheight")); });

    t.colWidths = QVector<int>(t.cols, 0);
    t.colWidths[0] = 1;
    read([&] {
        const QStringList parts = text(rs, "colwidth").split(QLatin1Char(';'));
        // A list shorter than the table leaves the remaining columns as they are.
        for (int c = 1; c < t.cols && c - 1 < parts.size(); ++c)
            t.colWidths[c] = qMax(0, length(2 * leadingNumber(parts.at(c - 1))));
    });
    read([&] { t.altColor = color(rs, "altcolr"); });
    read([&] { t.tokenFont = text(rs, "fntcrr"); });
    read([&] { t.tokenSize = number(rs, "sizecrr"); });
    read([&] { t.tokenColor = color(rs, "clrcrr"); });
    read([&] { t.headerFont = text(rs, "hdfont"); });
    read([&] { t.headerSize = number(rs, "hdfntsize"); });
    read([&] { t.headerFore = color(rs, "hdfntclr"); });
    read([&] { t.valueFont = text(rs, "fntval"); });
    read([&] { t.valueColor = color(rs, "clrval"); });
    read([&] { t.valueSize = number(rs, "sizeval"); });
    read([&] { t.img1 = text(rs, "img1"); });
    read([&] { t.img2 = text(rs, "img2"); });
    read([&] { t.lineWidth = bounded(number(rs, "linewidth"), 0, 100); });
    read([&] { t.movie = isOne(rs, "movie"); });
    read([&] { t.volume = bounded(number(rs, "volume"), 0, 10); });
    read([&] { t.newsBg = color(rs, "newsBG"); });
    return t;
}

BoardLayout loadBoardLayout(Database& db, qint64 themeId, const QSize& screenTwips)
{
    // The default layout for the screen, at the stored scale, under whatever the row can give.
    Layout stored = defaultLayout(screenTwips / 2);
    const LayoutRow row = readLayoutRow(db, themeId);
    row.applyTo(stored);
    const auto twice = [&](LayoutBlock b) {
        const QRect& r = stored[b];
        return QRect(2 * r.left(), 2 * r.top(), 2 * r.width(), 2 * r.height());
    };
    BoardLayout l;
    l.found = row.found;
    l.logo = twice(LayoutBlock::Logo);
    l.time = twice(LayoutBlock::Time);
    l.table = twice(LayoutBlock::Table);
    l.video = twice(LayoutBlock::Video);
    l.title = twice(LayoutBlock::Title);
    l.news = twice(LayoutBlock::News);
    l.width = 2 * stored[LayoutBlock::Window].width();
    l.height = 2 * stored[LayoutBlock::Window].height();
    l.newsBg = row.newsBg;
    return l;
}

void applyHeaderCaptions(Database& db, qint64 themeId, BoardTheme& theme)
{
    try {
        const ResultSet rs = db.query(
            QStringLiteral("select * from tblheader where themeauto=? order by headAuto limit 1"), {themeId});
        if (rs.isEmpty())
            return;
        for (int c = 1; c < theme.cols && c < theme.headers.size(); ++c) {
            read([&] { theme.headers[c] = rs.text(0, QStringLiteral("head%1").arg(c)); });
        }
    } catch (const DbError&) {
    }
}
