#include "display/ThemeRules.h"

#include "display/BoardTheme.h"

#include <QRegularExpression>
#include <algorithm>

namespace themeRules {

bool isNumeric(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    return number.match(text).hasMatch();
}

void fixColumns(QString& columns, QString& colWidth)
{
    if (!isNumeric(columns))
        columns = QStringLiteral("2");
    // An empty list, or one still holding only the default width for another number of columns,
    // gets the default for these columns.
    const QStringList parts = colWidth.split(QLatin1Char(';'));
    const bool untouched = std::all_of(parts.cbegin(), parts.cend(),
                                       [](const QString& p) { return p.trimmed() == QLatin1String("2500"); });
    if (colWidth.isEmpty() || (untouched && double(parts.size()) != leadingNumber(columns))) {
        const int n = int(qBound(0.0, leadingNumber(columns), 64.0));
        QString widths = QStringLiteral("2500");
        for (int i = 1; i < n && i < 64; ++i)
            widths += QStringLiteral(";2500");
        colWidth = widths;
    }
}

QString fixRows(const QString& rows)
{
    return isNumeric(rows) ? rows : QStringLiteral("2");
}

QString fixRowHeight(const QString& height)
{
    return isNumeric(height) ? height : QStringLiteral("200");
}

QString fixLineWidth(const QString& width)
{
    return (!isNumeric(width) || width.trimmed().toDouble() < 1) ? QStringLiteral("1") : width;
}

QString fixVolume(const QString& volume)
{
    return (!isNumeric(volume) || volume.trimmed().toDouble() > 10) ? QStringLiteral("5") : volume;
}

QString fixDuration(const QString& seconds)
{
    return isNumeric(seconds) ? seconds : QStringLiteral("5");
}

bool chkVal(const QString& colWidth, const QString& columns)
{
    const QStringList parts = colWidth.split(QLatin1Char(';'));
    // Every width is a number of its own: an empty or negative part would hide its column.
    for (const QString& part : parts) {
        if (!isNumeric(part) || part.trimmed().toDouble() < 0)
            return false;
    }
    return double(parts.size()) == leadingNumber(columns);
}

QString dialogFilter(const QString& pipeFilter)
{
    const QStringList items = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i < items.size(); i += 2) {
        QString name = items.at(i).trimmed();
        const QString pattern = i + 1 < items.size() ? items.at(i + 1).trimmed() : name;
        if (name.isEmpty() && pattern.isEmpty())
            continue;
        const int paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name = name.left(paren).trimmed();
        QStringList patterns;
        for (const QString& p : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns.append(p.trimmed());
        if (name.isEmpty() || name.startsWith(QLatin1Char('*')))
            name = QStringLiteral("Files");
        filters.append(QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace themeRules
