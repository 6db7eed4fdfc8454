#include "core/ServiceTime.h"

#include <QRegularExpression>

namespace serviceTime {

std::optional<int> minuteOfDay(const QString& time)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(?:\\d{4}-\\d{2}-\\d{2}[ T])?(\\d{1,2}):(\\d{2})(?::\\d{2}(?:\\.\\d+)?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(time);
    if (!m.hasMatch())
        return std::nullopt;
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return hour * 60 + minute;
}

std::optional<int> minutesBetween(const QString& from, const QString& to)
{
    const std::optional<int> a = minuteOfDay(from);
    const std::optional<int> b = minuteOfDay(to);
    if (!a || !b)
        return std::nullopt;
    return *b - *a;
}

std::optional<double> averageDuration(const QStringList& durations)
{
    if (durations.isEmpty())
        return std::nullopt;
    qint64 sum = 0;
    for (const QString& d : durations) {
        bool ok = false;
        const qint64 minutes = d.trimmed().toLongLong(&ok);
        if (ok)
            sum += minutes;
    }
    return double(sum) / double(durations.size());
}

} // namespace serviceTime
