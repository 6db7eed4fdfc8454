#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <mutex>
#include <optional>

// Every "now" and "today" of the program comes from a Clock, so tests can set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    virtual QDate today() const { return now().date(); }
    QTime time() const { return now().time(); }
    // The forms the database keeps: dates yyyy-MM-dd, times HH:mm:ss.
    QString todayText() const { return today().toString(QStringLiteral("yyyy-MM-dd")); }
    QString timeText() const { return time().toString(QStringLiteral("HH:mm:ss")); }
};

// Reads the local time zone once for the program's run, where the environment does not name one:
// without TZ the C library looks at its zone file again each time Qt works out a local time, under a
// lock of its own, which made a tenth of the work of a kiosk issuing without pause. Daylight saving
// comes from the file's rules as before; a zone the system is set to while the program runs is taken
// at its next start. Call it before any thread starts.
void readLocalZoneOnce();

// The date at a moment, in local time or in a given zone. The date is worked out again only when a
// moment falls outside the day last worked out: reading the local time means reading the time zone
// rules (the system checks its zone file each time), which a board asking for today's date every
// 10 ms would otherwise do 100 times a second.
class DayOfMoment
{
public:
    DayOfMoment() = default;
    explicit DayOfMoment(const QTimeZone& zone) : m_zone(zone) {}
    QDate at(qint64 msSinceEpoch);
    // How often the day was worked out anew.
    int workedOut() const { return m_workedOut; }

private:
    std::optional<QTimeZone> m_zone; // none: local time
    qint64 m_start = 0;              // the day last worked out: [m_start, m_end)
    qint64 m_end = 0;
    QDate m_day;
    int m_workedOut = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    QDate today() const override;

private:
    mutable std::mutex m_lock;
    mutable DayOfMoment m_day;
};

// A clock that stands still until it is set or advanced.
class ManualClock : public Clock
{
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2024, 1, 15), QTime(9, 0)))
        : m_now(std::move(start))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void setTime(const QTime& t) { m_now.setTime(t); }
    void advanceSecs(qint64 s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};
