#include "web/CallFeed.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

CallRow call(qint64 key, qint64 counter, const QString& label, qint64 stamp)
{
    CallRow c;
    c.callAuto = key;
    c.counter = counter;
    c.ticket = 100 + key;
    c.label = label;
    c.stamp = stamp;
    return c;
}

QStringList keys(const QVector<ShownCall>& calls)
{
    QStringList k;
    for (const ShownCall& c : calls)
        k.append(c.key);
    return k;
}

const CounterSet every;

TEST(CallFeedTest, APageResumesAfterItsLastKeyWithExactlyWhatItMissed)
{
    CallFeed feed;
    QSignalSpy pushed(&feed, &CallFeed::shown);
    feed.addHistory({call(1, 7, QStringLiteral("A1"), 0), call(2, 8, QStringLiteral("B1"), 20)});
    EXPECT_EQ(pushed.count(), 0) << "history is not pushed";
    feed.add(call(3, 7, QStringLiteral("A2"), 30));
    feed.add(call(1, 7, QStringLiteral("A1"), 40)); // a recall: the same call with a new stamp
    feed.add(call(3, 7, QStringLiteral("A2"), 30)); // the same showing again (history and follower both)
    EXPECT_EQ(pushed.count(), 2);

    EXPECT_EQ(keys(*feed.since(QStringLiteral("1"), every)),
              (QStringList{QStringLiteral("2.20"), QStringLiteral("3.30"), QStringLiteral("1.40")}));
    EXPECT_EQ(keys(*feed.since(QStringLiteral("1.40"), every)), QStringList());
    const CounterSet only7{false, {7}};
    EXPECT_EQ(keys(*feed.since(QStringLiteral("1"), only7)),
              (QStringList{QStringLiteral("3.30"), QStringLiteral("1.40")}));
    EXPECT_FALSE(feed.since(QStringLiteral("9.1"), every).has_value()) << "an unknown key starts afresh";
    EXPECT_FALSE(feed.since(QString(), every).has_value());
    EXPECT_EQ(feed.lastKeyOfTicket(101), QStringLiteral("1.40"));

    feed.clear();
    EXPECT_FALSE(feed.since(QStringLiteral("1"), every).has_value()) << "a new day";
    EXPECT_TRUE(feed.latest(5, every).isEmpty());
    EXPECT_TRUE(feed.lastKeyOfTicket(101).isEmpty());
}

TEST(CallFeedTest, TheLatestCallsAreListedAsABoardShowsThem)
{
    CallFeed feed;
    feed.add(call(1, 7, QStringLiteral("A1"), 1));
    feed.add(call(2, 7, QStringLiteral("A2"), 2));
    feed.add(call(3, 8, QStringLiteral("B1"), 3));
    feed.add(call(2, 7, QStringLiteral("A2"), 4)); // recalled at once: it stays in the top row
    feed.add(call(2, 7, QStringLiteral("A2"), 5));
    feed.add(call(4, 7, QStringLiteral("A3"), 6));
    EXPECT_EQ(keys(feed.latest(10, CounterSet{false, {7}})),
              (QStringList{QStringLiteral("4.6"), QStringLiteral("2.5"), QStringLiteral("1.1")}));
    EXPECT_EQ(keys(feed.latest(3, every)),
              (QStringList{QStringLiteral("4.6"), QStringLiteral("2.5"), QStringLiteral("3.3")}));
}

TEST(CallFeedTest, OldCallsBeyondWhatItKeepsAreForgotten)
{
    CallFeed feed(3);
    for (int i = 1; i <= 5; ++i)
        feed.add(call(i, 7, QStringLiteral("A%1").arg(i), i));
    EXPECT_FALSE(feed.since(QStringLiteral("2.2"), every).has_value());
    EXPECT_EQ(keys(*feed.since(QStringLiteral("3.3"), every)),
              (QStringList{QStringLiteral("4.4"), QStringLiteral("5.5")}));
    EXPECT_EQ(feed.size(), 3);
}

} // namespace
