#pragma once

#include "core/WrongTries.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <functional>

// The staff page's log-ins: sessions kept in memory under random ids, each ending a day after it began
// or at log-out, at most MaxSessions (the oldest goes first); and the growing waits after wrong tries,
// per client address and per user name, as the desktop log-in has them.
class ManagerSessions
{
public:
    static constexpr int MaxSessions = 256;        // staff of a hall, each on a few devices
    static constexpr qint64 LifetimeMs = 86400000; // a day
    static constexpr int MaxTried = 4096;          // addresses and names with a wait kept
    static constexpr const char* CookieName = "brivane_staff";

    // `ms` gives a monotonic clock in milliseconds.
    explicit ManagerSessions(std::function<qint64()> ms) : m_ms(std::move(ms)) {}

    QByteArray open();
    bool valid(const QByteArray& id) const;
    void close(const QByteArray& id);

    // The session id in a Cookie header; empty when none.
    static QByteArray idIn(const QByteArray& cookieHeader);
    // The Set-Cookie value that gives the session, or (empty id) ends it.
    static QByteArray setCookie(const QByteArray& id, bool secure);

    // Milliseconds until the next try of that client or name is taken; 0 when it may be made now.
    qint64 waitMs(const QString& client, const QString& user, const QDateTime& now) const;
    void failed(const QString& client, const QString& user, const QDateTime& now);
    void succeeded(const QString& client, const QString& user);

private:
    std::function<qint64()> m_ms;
    QHash<QByteArray, qint64> m_started; // session id → start, ms
    QHash<QString, WrongTries> m_tries;  // "c:" + client, "u:" + name
};
