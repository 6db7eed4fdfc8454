#include "display/ThemeDefaults.h"

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

QMap<QString, QString> newThemeTable()
{
    return {{QStringLiteral("rows"), QStringLiteral("8")}};
}

} // namespace themeDefaults
