#include "core/ServiceTime.h"

#include <QRegularExpression>

namespace serviceTime {

namespace {

// "HH:mm:ss" and "HH:mm", as times are stored, read without the pattern: a long report reads two a
// ticket. False for any other form.
bool plainTime(const QString& t, int& hour, int& minute)
{
    const qsizetype n = t.size();
    const auto digit = [&t](qsizetype i) {
        return t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9');
    };
    if ((n != 5 && n != 8) || !digit(0) || !digit(1) || t.at(2) != QLatin1Char(':') || !digit(3) || !digit(4))
        return false;
    if (n == 8 && (t.at(5) != QLatin1Char(':') || !digit(6) || !digit(7)))
        return false;
    hour = t.at(0).digitValue() * 10 + t.at(1).digitValue();
    minute = t.at(3).digitValue() * 10 + t.at(4).digitValue();
    return true;
}

} // namespace

std::optional<int> minuteOfDay(const QString& time)
{
    int hour = 0, minute = 0;
    if (plainTime(time, hour, minute)) {
        if (hour > 23 || minute > 59)
            return std::nullopt;
        return hour * 60 + minute;
    }
    static const QRegularExpression form(
        QStringLiteral("^\\s*(?:\\d{4}-\\d{2}-\\d{2}[ T])?(\\d{1,2}):(\\d{2})(?::\\d{2}(?:\\.\\d+)?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(time);
    if (!m.hasMatch())
        return std::nullopt;
    hour = m.captured(1).toInt();
    minute = m.captured(2).toInt();
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
