#include "web/RateLimiter.h"

#include <cmath>

QString RateLimiter::clientKey(const QHostAddress& client)
{
    bool isV4 = false;
    const quint32 v4 = client.toIPv4Address(&isV4);
    if (isV4)
        return QHostAddress(v4).toString();
    // Without the scope: one host seen through two interfaces is still one client.
    return QHostAddress(client.toIPv6Address()).toString();
}

double RateLimiter::refilled(const Bucket& b, qint64 nowMs) const
{
    const double gained = double(qMax<qint64>(0, nowMs - b.at)) * m_perMinute / 60000.0;
    return qMin(double(m_burst), b.tokens + gained);
}

bool RateLimiter::allow(const QHostAddress& client, qint64 nowMs)
{
    forgetIdle(nowMs);
    const QString key = clientKey(client);
    auto it = m_buckets.find(key);
    if (it == m_buckets.end())
        it = m_buckets.insert(key, Bucket{double(m_burst), nowMs});
    it->tokens = refilled(*it, nowMs);
    it->at = nowMs;
    if (it->tokens < 1.0)
        return false;
    it->tokens -= 1.0;
    return true;
}

int RateLimiter::retryAfter(const QHostAddress& client, qint64 nowMs) const
{
    const auto it = m_buckets.constFind(clientKey(client));
    if (it == m_buckets.cend())
        return 1;
    const double missing = 1.0 - refilled(*it, nowMs);
    if (missing <= 0)
        return 1;
    return qMax(1, int(std::ceil(missing * 60.0 / m_perMinute)));
}

void RateLimiter::forgetIdle(qint64 nowMs)
{
    // A sweep at most once a second keeps each request's cost flat.
    if (nowMs - m_lastSweep < 1000 && nowMs >= m_lastSweep)
        return;
    m_lastSweep = nowMs;
    for (auto it = m_buckets.begin(); it != m_buckets.end();) {
        if (refilled(*it, nowMs) >= m_burst)
            it = m_buckets.erase(it);
        else
            ++it;
    }
}
