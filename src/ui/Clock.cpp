#include "ui/Clock.h"

#include <ctime>

void readLocalZoneOnce()
{
    // The C library's and Qt's own name for "the system's zone file".
    if (!qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", ":/etc/localtime");
        tzset();
    }
}

QDate DayOfMoment::at(qint64 msSinceEpoch)
{
    if (msSinceEpoch >= m_start && msSinceEpoch < m_end)
        return m_day;
    const QDateTime moment = m_zone ? QDateTime::fromMSecsSinceEpoch(msSinceEpoch, *m_zone)
                                    : QDateTime::fromMSecsSinceEpoch(msSinceEpoch);
    m_day = moment.date();
    // Midnight is taken from the zone's rules, so days of 23 or 25 hours end where they do.
    m_start = m_zone ? m_day.startOfDay(*m_zone).toMSecsSinceEpoch() : m_day.startOfDay().toMSecsSinceEpoch();
    m_end = m_zone ? m_day.addDays(1).startOfDay(*m_zone).toMSecsSinceEpoch()
                   : m_day.addDays(1).startOfDay().toMSecsSinceEpoch();
    ++m_workedOut;
    return m_day;
}

QDate SystemClock::today() const
{
    // A clock set back or on lies outside the day last worked out, so it is worked out anew.
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const std::lock_guard<std::mutex> hold(m_lock);
    return m_day.at(ms);
}
