#include "ui/Clock.h"

#include <gtest/gtest.h>

#include <ctime>

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

// The zone file is read once when the environment names no zone, to the same local time; a zone the
// environment names, even the empty one (UTC to the C library), is left as it is.
TEST(LocalZone, IsReadOnceOnlyWhereTheEnvironmentNamesNone)
{
    const QByteArray given = qgetenv("TZ");
    const bool wasSet = qEnvironmentVariableIsSet("TZ");
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();

    qunsetenv("TZ");
    tzset();
    const QDateTime before = QDateTime::fromMSecsSinceEpoch(ms);
    readLocalZoneOnce();
    EXPECT_EQ(qgetenv("TZ"), QByteArray(":/etc/localtime"));
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(ms).toString(Qt::ISODate), before.toString(Qt::ISODate));
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc(), before.offsetFromUtc());

    for (const QByteArray& named : {QByteArray(""), QByteArray("Asia/Tokyo")}) {
        qputenv("TZ", named);
        readLocalZoneOnce();
        EXPECT_EQ(qgetenv("TZ"), named);
    }

    if (wasSet)
        qputenv("TZ", given);
    else
        qunsetenv("TZ");
    tzset();
}
