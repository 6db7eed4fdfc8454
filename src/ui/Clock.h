#pragma once

#include <QDateTime>

// Every "now" and "today" of the program comes from a Clock, so tests can set the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    QDate today() const { return now().date(); }
    QTime time() const { return now().time(); }
    // The forms the database keeps: dates yyyy-MM-dd, times HH:mm:ss.
    QString todayText() const { return today().toString(QStringLiteral("yyyy-MM-dd")); }
    QString timeText() const { return time().toString(QStringLiteral("HH:mm:ss")); }
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
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
