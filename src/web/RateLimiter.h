#pragma once

#include <QHash>
#include <QHostAddress>

// How many requests each client address may make: a bucket of `burst` requests per address that
// refills at `perMinute`. Addresses whose bucket is full again are forgotten, so the table stays as
// small as the number of clients that are busy now. Times are milliseconds of a monotonic clock,
// handed in so tests set them.
class RateLimiter
{
public:
    RateLimiter(int burst, int perMinute) : m_burst(qMax(1, burst)), m_perMinute(qMax(1, perMinute)) {}

    // Counts one request; false when the client has used up its bucket (nothing is counted then).
    bool allow(const QHostAddress& client, qint64 nowMs);
    // Seconds until the client may ask again (at least 1).
    int retryAfter(const QHostAddress& client, qint64 nowMs) const;
    int trackedClients() const { return int(m_buckets.size()); }

    // One address per client: an IPv4 address seen as IPv6 (::ffff:a.b.c.d) is the IPv4 one, and an
    // IPv6 client counts by its own full address. (Not by its /64: on a guest Wi-Fi every phone has
    // an address in one /64, and one phone's burst would lock all the others out.)
    static QString clientKey(const QHostAddress& client);

private:
    struct Bucket
    {
        double tokens = 0;
        qint64 at = 0;
    };
    double refilled(const Bucket& b, qint64 nowMs) const;
    void forgetIdle(qint64 nowMs);

    int m_burst;
    int m_perMinute;
    QHash<QString, Bucket> m_buckets;
    qint64 m_lastSweep = 0;
};
