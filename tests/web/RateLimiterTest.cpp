#include "web/RateLimiter.h"
#include "web/WebConfig.h"

#include <gtest/gtest.h>

namespace {

TEST(RateLimiterTest, ClientsHaveTheirOwnBucketsAndIdleOnesAreForgotten)
{
    RateLimiter limiter(3, 60);
    const QHostAddress a(QStringLiteral("192.168.1.20"));
    const QHostAddress b(QStringLiteral("192.168.1.21"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(limiter.allow(a, 0));
    EXPECT_FALSE(limiter.allow(a, 0));
    EXPECT_EQ(limiter.retryAfter(a, 0), 1);
    EXPECT_TRUE(limiter.allow(b, 0)) << "another phone is not held up";
    // The same IPv4 client seen through an IPv6 socket shares the bucket.
    EXPECT_FALSE(limiter.allow(QHostAddress(QStringLiteral("::ffff:192.168.1.20")), 10));
    EXPECT_EQ(limiter.trackedClients(), 2);
    // One request a second comes back; full buckets are forgotten: the table holds only busy clients.
    EXPECT_TRUE(limiter.allow(a, 1000));
    EXPECT_FALSE(limiter.allow(a, 1000));
    EXPECT_EQ(limiter.trackedClients(), 1) << "b's bucket is full again";
    limiter.allow(b, 60000);
    EXPECT_EQ(limiter.trackedClients(), 1) << "a's bucket is full again";
}

TEST(RateLimiterTest, AnIpv6ClientCountsByItsOwnAddressNotItsNetwork)
{
    // Phones on one guest Wi-Fi share a /64: one phone's burst must not lock the others out.
    RateLimiter limiter(2, 1);
    const QHostAddress phone(QStringLiteral("2001:db8:1:2::1"));
    const QHostAddress neighbour(QStringLiteral("2001:db8:1:2:ffff::9"));
    EXPECT_NE(RateLimiter::clientKey(phone), RateLimiter::clientKey(neighbour));
    EXPECT_EQ(RateLimiter::clientKey(phone),
              RateLimiter::clientKey(QHostAddress(QStringLiteral("2001:DB8:1:2:0::1"))));
    EXPECT_TRUE(limiter.allow(phone, 0));
    EXPECT_TRUE(limiter.allow(phone, 0));
    EXPECT_FALSE(limiter.allow(phone, 0));
    EXPECT_TRUE(limiter.allow(neighbour, 0));
    EXPECT_TRUE(limiter.allow(QHostAddress(QStringLiteral("2001:db8:1:2:1234::5")), 0));
    EXPECT_EQ(limiter.retryAfter(phone, 0), 60);
    EXPECT_EQ(limiter.trackedClients(), 3);
    // The scope of a link-local address names the interface, not another client.
    QHostAddress scoped(QStringLiteral("fe80::1"));
    scoped.setScopeId(QStringLiteral("wlan0"));
    EXPECT_EQ(RateLimiter::clientKey(scoped),
              RateLimiter::clientKey(QHostAddress(QStringLiteral("fe80::1"))));
}

TEST(WebConfigTest, OptionsOverrideAndBadValuesAreRefused)
{
    WebConfig c;
    EXPECT_EQ(c.address, QHostAddress(QHostAddress::LocalHost)) << "nothing on the network until named";
    QStringList args{QStringLiteral("--address"), QStringLiteral("10.0.0.5"), QStringLiteral("--port"),
                     QStringLiteral("8081"),      QStringLiteral("--rate"),   QStringLiteral("30")};
    EXPECT_EQ(c.applyOptions(args), QString());
    EXPECT_TRUE(args.isEmpty());
    EXPECT_EQ(c.address, QHostAddress(QStringLiteral("10.0.0.5")));
    EXPECT_EQ(c.port, 8081);
    EXPECT_EQ(c.perMinute, 30);
    QStringList origins{QStringLiteral("--origin"), QStringLiteral("https://queue.example.org"),
                        QStringLiteral("--origin"), QStringLiteral("http://10.0.0.5:8081")};
    EXPECT_EQ(c.applyOptions(origins), QString());
    EXPECT_EQ(c.origins, (QStringList{QStringLiteral("https://queue.example.org"),
                                      QStringLiteral("http://10.0.0.5:8081")}));
    // The connection limits stay below the file limit (1024 by default under systemd).
    c.fitFileLimit(1024);
    EXPECT_EQ(c.connectionsInAll, 1024 - weblimits::FileHandlesKept);
    EXPECT_LT(c.socketsInAll, c.connectionsInAll);

    for (const QStringList& bad :
         {QStringList{QStringLiteral("--address"), QStringLiteral("hall-server")},
          QStringList{QStringLiteral("--port"), QStringLiteral("70000")},
          QStringList{QStringLiteral("--port"), QStringLiteral("-1")}, QStringList{QStringLiteral("--port")},
          QStringList{QStringLiteral("--rate"), QStringLiteral("0")},
          QStringList{QStringLiteral("--origin"), QStringLiteral("hall.example")},
          QStringList{QStringLiteral("--origin"), QStringLiteral("javascript:alert(1)")}}) {
        QStringList args2 = bad;
        EXPECT_FALSE(WebConfig().applyOptions(args2).isEmpty()) << bad.join(QLatin1Char(' ')).toStdString();
    }
}

} // namespace
