#include "display/BoardTheme.h"

#include "core/Database.h"
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

QColor color(const ResultSet& rs, const char* name)
{
    return colorNumber::toColor(qint64(leadingNumber(text(rs, name))));
}

bool isOne(const ResultSet& rs, const char* name)
{
    return number(rs, name) == 1;
}

QRect doubled(const ResultSet& rs, const char* left, const char* top, const char* width, const char* height)
{
    return QRect(int(2 * number(rs, left)), int(2 * number(rs, top)), int(2 * number(rs, width)),
                 int(2 * number(rs, height)));
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
    read([&] {
        const QString f = text(rs, "tformat");
        if (!f.isEmpty())
            t.timeFormat = f;
    });
    read([&] { t.logo = text(rs, "logo"); });

    read([&] { t.bgImage = text(rs, "bgimage"); });
    read([&] { t.screenBg = color(rs, "screenbg"); });

    read([&] { t.cols = qMax(1, int(number(rs, "colums")) + 1); });
    read([&] { t.dataRows = qMax(0, int(number(rs, "rows"))); });
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
    read([&] { t.rowHeight = int(2 * number(rs, "rowheight")); });

    t.colWidths = QVector<int>(t.cols, 0);
    t.colWidths[0] = 1;
    read([&] {
        const QStringList parts = text(rs, "colwidth").split(QLatin1Char(';'));
        // A list shorter than the table leaves the remaining columns as they are.
        for (int c = 1; c < t.cols && c - 1 < parts.size(); ++c)
            t.colWidths[c] = qMax(0, int(2 * leadingNumber(parts.at(c - 1))));
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
    read([&] { t.lineWidth = qMax(0, int(number(rs, "linewidth"))); });
    read([&] { t.movie = isOne(rs, "movie"); });
    read([&] { t.newsBg = color(rs, "newsBG"); });
    return t;
}

BoardLayout loadBoardLayout(Database& db, qint64 themeId)
{
    BoardLayout l;
    try {
        const ResultSet rs = db.query(QStringLiteral("select * from tblpos where themeauto=?"), {themeId});
        if (rs.isEmpty())
            return l;
        l.found = true;
        // The first value that cannot be read ends the layout; what was set so far stays.
        l.logo = doubled(rs, "logoleft", "logotop", "logowidth", "logoheight");
        l.time = doubled(rs, "timeleft", "timetop", "timewidth", "timeheight");
        l.width = int(2 * number(rs, "mewidth"));
        l.height = int(2 * number(rs, "meheight"));
        l.table = doubled(rs, "tblleft", "tbltop", "tblwidth", "tblheight");
        l.title = doubled(rs, "ttlleft", "ttltop", "ttlwidth", "ttlheight");
        l.video = doubled(rs, "videoleft", "videotop", "videowidth", "videoheight");
        l.news = doubled(rs, "newsleft", "newstop", "newswidth", "newsheight");
        l.newsBg = color(rs, "newsBG");
    } catch (const DbError&) {
    }
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
