#include "core/WrongTries.h"

#include <QtGlobal>

qint64 WrongTries::waitAfter(int failures)
{
    if (failures <= 0)
        return 0;
    const int doublings = qMin(failures - 1, 5); // 1, 2, 4, 8, 16, then the 30 s cap
    return qMin<qint64>(qint64(1000) << doublings, 30000);
}

qint64 WrongTries::remainingMs(const QDateTime& now) const
{
    if (!m_until.isValid())
        return 0;
    return qMax<qint64>(0, now.msecsTo(m_until));
}

int WrongTries::remainingSeconds(const QDateTime& now) const
{
    return int((remainingMs(now) + 999) / 1000);
}

void WrongTries::failed(const QDateTime& now)
{
    ++m_failures;
    m_until = now.addMSecs(waitAfter(m_failures));
}

void WrongTries::succeeded()
{
    m_failures = 0;
    m_until = QDateTime();
}

void WrongTries::waitFor(const QDateTime& now, qint64 ms)
{
    m_until = ms > 0 ? now.addMSecs(ms) : QDateTime();
}
