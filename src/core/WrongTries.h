#pragma once

#include <QDateTime>

// The growing wait after wrong passwords: 1 s after the first wrong try, then 2, 4, 8 … s, at most
// 30 s, until a right one. Read against the program's clock; the screens never wait on their thread,
// they refuse a try that comes too early. The log-in's waits are kept per name in the database (see
// users/LoginRoutines.h); a screen shows the one the last check told with waitFor().
class WrongTries
{
public:
    // How long a try is refused after that many wrong ones in a row.
    static qint64 waitAfter(int failures);

    // Milliseconds until the next try is taken; 0 when it may be made now.
    qint64 remainingMs(const QDateTime& now) const;
    // Whole seconds to wait, rounded up, for messages.
    int remainingSeconds(const QDateTime& now) const;
    void failed(const QDateTime& now);
    void succeeded();
    // The next try waits that long from now (as the store told), the count of wrong tries unchanged.
    void waitFor(const QDateTime& now, qint64 ms);
    int failures() const { return m_failures; }

private:
    int m_failures = 0;
    QDateTime m_until;
};
