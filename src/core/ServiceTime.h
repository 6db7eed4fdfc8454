#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Service times as the reports and the clearing screen show them. Times of day are stored as text
// ("HH:mm:ss"), so the arithmetic is done here, the same on every store.
namespace serviceTime {

// Minutes since midnight, ignoring seconds, of "HH:mm", "HH:mm:ss" or "yyyy-MM-dd HH:mm:ss";
// nullopt when the text is not a time of day.
std::optional<int> minuteOfDay(const QString& time);

// Whole minutes between two times of day, counted as minute boundaries passed: 09:10:59 to 09:11:00
// is one minute. nullopt when either time is missing or unreadable.
std::optional<int> minutesBetween(const QString& from, const QString& to);

// The average of the durations over all rows, an empty or unreadable duration counting 0; nullopt
// when there are no rows.
std::optional<double> averageDuration(const QStringList& durations);

} // namespace serviceTime
