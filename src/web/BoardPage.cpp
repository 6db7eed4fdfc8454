#include "web/BoardPage.h"

#include "content/ContentStore.h"
#include "core/Database.h"
#include "core/ThemeChoice.h"
#include "core/ThemeCounters.h"
#include "display/BoardTheme.h"
#include "ui/Clock.h"

#include <QJsonArray>
#include <cmath>

namespace {

QString css(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

// Black or white, whichever reads better on that background.
QColor readableOn(const QColor& background)
{
    const double luminance =
        0.2126 * background.redF() + 0.7152 * background.greenF() + 0.0722 * background.blueF();
    return luminance > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
}

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The theme's colour for words on that background, unless it reads too faintly there (under 4.5 : 1):
// then black or white, whichever reads better. A hall's theme may pair any colours; the page is read
// by people who see little too.
QColor readableText(const QColor& text, const QColor& background)
{
    return contrast(text, background) >= 4.5 ? text : readableOn(background);
}

// The mark of the newest call: a yellow that stands out unless the table is already yellowish,
// then a deep blue.
QColor markFor(const QColor& table, const QColor& alternate)
{
    const QColor yellow(0xff, 0xd4, 0x00);
    const auto near = [&](const QColor& c) {
        return qAbs(c.hue() - yellow.hue()) < 30 && c.saturation() > 120 && c.value() > 150;
    };
    return near(table) || near(alternate) ? QColor(0x1a, 0x3f, 0xb0) : yellow;
}

QJsonObject lookOf(const BoardTheme& t)
{
    QJsonObject o;
    o.insert(QStringLiteral("title"), t.title);
    o.insert(QStringLiteral("titleColor"), css(readableText(t.titleColor, t.screenBg)));
    o.insert(QStringLiteral("titleFont"), t.titleFont);
    o.insert(QStringLiteral("showTime"), t.showTime);
    o.insert(QStringLiteral("timeFormat"), t.timeFormat);
    o.insert(QStringLiteral("timeColor"), css(readableText(t.timeColor, t.screenBg)));
    o.insert(QStringLiteral("timeFont"), t.timeFont);
    o.insert(QStringLiteral("screenBg"), css(t.screenBg));
    o.insert(QStringLiteral("tableBg"), css(t.tableBg));
    o.insert(QStringLiteral("altColor"), css(t.altColor));
    o.insert(QStringLiteral("lineColor"), css(t.lineColor));
    o.insert(QStringLiteral("lineWidth"), qBound(0, t.lineWidth, 10));
    o.insert(QStringLiteral("headerOn"), t.headerOn);
    o.insert(QStringLiteral("headerBg"), css(t.headerBg));
    o.insert(QStringLiteral("headerFore"), css(readableText(t.headerFore, t.headerBg)));
    o.insert(QStringLiteral("headerFont"), t.headerFont);
    o.insert(QStringLiteral("tokenFont"), t.tokenFont);
    // The rows alternate between two backgrounds: each has its own readable colours.
    o.insert(QStringLiteral("tokenColor"), css(readableText(t.tokenColor, t.tableBg)));
    o.insert(QStringLiteral("tokenColorAlt"), css(readableText(t.tokenColor, t.altColor)));
    o.insert(QStringLiteral("valueFont"), t.valueFont);
    o.insert(QStringLiteral("valueColor"), css(readableText(t.valueColor, t.tableBg)));
    o.insert(QStringLiteral("valueColorAlt"), css(readableText(t.valueColor, t.altColor)));
    // The token's letters against the captions' as the theme sizes them, within reason.
    const double scale = t.tokenSize > 0 && t.valueSize > 0 ? t.tokenSize / t.valueSize : 1.0;
    o.insert(QStringLiteral("tokenScale"), qBound(0.8, scale, 1.3));
    const QColor mark = markFor(t.tableBg, t.altColor);
    o.insert(QStringLiteral("markColor"), css(mark));
    o.insert(QStringLiteral("markText"), css(readableOn(mark)));
    o.insert(QStringLiteral("newsBg"), css(t.newsBg));
    o.insert(QStringLiteral("newsColor"), css(readableOn(t.newsBg)));

    // The board fills columns 1 to 3 (token, caption, caption in the second language).
    const int columns = qBound(1, t.cols - 1, 3);
    o.insert(QStringLiteral("columns"), columns);
    o.insert(QStringLiteral("rows"), qBound(1, t.dataRows, 50));
    QJsonArray headers;
    QJsonArray widths;
    int total = 0;
    for (int c = 1; c <= columns; ++c)
        total += c < t.colWidths.size() ? qMax(0, t.colWidths[c]) : 0;
    for (int c = 1; c <= columns; ++c) {
        headers.append(c < t.headers.size() ? t.headers[c] : QString());
        const int w = c < t.colWidths.size() ? qMax(0, t.colWidths[c]) : 0;
        widths.append(total > 0 && w > 0 ? qRound(1000.0 * w / total) / 10.0 : 0);
    }
    o.insert(QStringLiteral("headers"), headers);
    o.insert(QStringLiteral("widths"), widths);
    return o;
}

} // namespace

CounterSet countersShown(Database& db, Settings& settings, qint64 themeId)
{
    CounterSet set;
    const QStringList keys = themeCounters::load(db, settings, themeId);
    for (const QString& text : keys) {
        bool ok = false;
        const qint64 key = text.trimmed().toLongLong(&ok);
        if (ok)
            set.keys.insert(key);
    }
    // A choice none of whose parts is a counter key shows no counter rather than every one.
    set.all = keys.isEmpty();
    return set;
}

std::optional<WebBoard> webBoard(Database& db, Settings& settings, const QString& themeName)
{
    const HallTheme chosen = themechoice::boardTheme(db, themeName);
    if (chosen.id == 0)
        return std::nullopt;
    WebBoard board;
    board.themeId = chosen.id;
    BoardTheme theme = loadBoardTheme(db, board.themeId);
    applyHeaderCaptions(db, board.themeId, theme);
    board.look = lookOf(theme);
    board.rows = board.look.value(QStringLiteral("rows")).toInt();
    board.counters = countersShown(db, settings, board.themeId);
    return board;
}

QJsonObject newsMessages(Database& db)
{
    QJsonArray left;
    QJsonArray right;
    for (const content::NewsRow& row : content::listNews(db, true)) {
        const QString text = row.message.simplified();
        if (text.isEmpty())
            continue;
        (row.direction.compare(QLatin1String("Right"), Qt::CaseInsensitive) == 0 ? right : left).append(text);
    }
    return QJsonObject{{QStringLiteral("left"), left}, {QStringLiteral("right"), right}};
}

QJsonObject callJson(const ShownCall& shown)
{
    const CallRow& c = shown.call;
    const QString nl = QStringLiteral("\n");
    const bool second = !c.contName.isEmpty();
    return QJsonObject{
        {QStringLiteral("key"), shown.key},
        {QStringLiteral("label"), c.label},
        {QStringLiteral("caption"), second ? c.displayName + nl + c.contName : c.displayName},
        {QStringLiteral("caption2"), second ? c.displayNameA + nl + c.countNameA : c.displayNameA},
    };
}

void addServerTime(QJsonObject& message, const Clock& clock)
{
    const QDateTime now = clock.now();
    message.insert(QStringLiteral("now"), double(now.toMSecsSinceEpoch()));
    message.insert(QStringLiteral("utcOffset"), now.offsetFromUtc() / 60);
}
