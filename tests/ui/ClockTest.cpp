#include "ui/Clock.h"

#include <gtest/gtest.h>

namespace {

const QTimeZone& berlin()
{
    static const QTimeZone zone("Europe/Berlin");
    return zone;
}

qint64 at(const QString& localBerlin)
{
    QDateTime t = QDateTime::fromString(localBerlin, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    t.setTimeZone(berlin());
    return t.toMSecsSinceEpoch();
}

QDate day(const char* text)
{
    return QDate::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd"));
}

} // namespace

// The date is worked out once a day, yet changes exactly at local midnight, also on the days the clocks
// go forward (23 hours) or back (25 hours), and follows a clock set back.
TEST(DayOfMoment, ChangesAtLocalMidnightAndIsWorkedOutOnceADay)
{
    if (!berlin().isValid())
        GTEST_SKIP() << "no time zone data";
    DayOfMoment d(berlin());
    EXPECT_EQ(d.at(at(QStringLiteral("2024-03-30 08:00:00.000"))), day("2024-03-30"));
    EXPECT_EQ(d.at(at(QStringLiteral("2024-03-30 23:59:59.999"))), day("2024-03-30"));
    EXPECT_EQ(d.workedOut(), 1);
    EXPECT_EQ(d.at(at(QStringLiteral("2024-03-31 00:00:00.000"))), day("2024-03-31"));
    EXPECT_EQ(d.at(at(QStringLiteral("2024-03-31 12:00:00.000"))), day("2024-03-31"));
    EXPECT_EQ(d.workedOut(), 2);
    // 23 hours long: the next day starts 23 hours after this one did.
    EXPECT_EQ(d.at(at(QStringLiteral("2024-03-31 23:59:59.999"))), day("2024-03-31"));
    EXPECT_EQ(d.at(at(QStringLiteral("2024-04-01 00:30:00.000"))), day("2024-04-01"));

    // 25 hours long.
    EXPECT_EQ(d.at(at(QStringLiteral("2024-10-27 00:10:00.000"))), day("2024-10-27"));
    EXPECT_EQ(d.at(at(QStringLiteral("2024-10-27 23:30:00.000"))), day("2024-10-27"));
    EXPECT_EQ(d.at(at(QStringLiteral("2024-10-28 00:00:00.000"))), day("2024-10-28"));

    // The clock set back a day, and on again.
    const int before = d.workedOut();
    EXPECT_EQ(d.at(at(QStringLiteral("2024-10-27 18:00:00.000"))), day("2024-10-27"));
    EXPECT_EQ(d.at(at(QStringLiteral("2024-10-28 09:00:00.000"))), day("2024-10-28"));
    EXPECT_EQ(d.workedOut(), before + 2);
}

TEST(DayOfMoment, LocalTimeGivesTheDateTheSystemGives)
{
    DayOfMoment d;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    for (const qint64 ms : {now, now - 86'400'000, now + 3 * 86'400'000})
        EXPECT_EQ(d.at(ms), QDateTime::fromMSecsSinceEpoch(ms).date()) << ms;
    SystemClock clock;
    const QDate a = QDate::currentDate();
    const QDate today = clock.today();
    EXPECT_TRUE(today == a || today == QDate::currentDate()) << "the day may turn between the two";
}
