#include "web/CallFollower.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "testsupport/KindLogins.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

class CallFollowerTest : public StoreTest
{
};

QStringList labelsOf(const QVector<ShownCall>& calls)
{
    QStringList l;
    for (const ShownCall& c : calls)
        l.append(c.call.label);
    return l;
}

// The web server's follower sees every call and recall the hall makes, takes none from the hall's
// boards, starts from the calls made before it, and starts afresh with a new day.
TEST_P(CallFollowerTest, TheFeedFollowsTheHallsCallsAndRecallsWithoutTakingThem)
{
    const Hall hall = seedHall(env->db);
    for (int i = 0; i < 3; ++i)
        issueTicket(*env, hall.consultation);
    Session counter;
    callingtest::logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(env->db, env->settings(), env->clock, counter);
    engine.callNext(); // A1, before the server starts

    auto db = env->secondConnection();
    CallFeed feed;
    QSignalSpy pushed(&feed, &CallFeed::shown);
    CallFollower follower(*db, env->clock, feed);
    follower.start();
    EXPECT_EQ(labelsOf(feed.latest(5, CounterSet{})), QStringList{QStringLiteral("A1")});

    engine.callNext(); // A2
    ASSERT_TRUE(waitFor([&] { return pushed.count() == 1; }));
    engine.updateRc(); // A2 again
    ASSERT_TRUE(waitFor([&] { return pushed.count() == 2; }));
    const auto after = feed.since(CallFeed::keyOf(feed.latest(5, CounterSet{}).last().call), CounterSet{});
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(labelsOf(*after), (QStringList{QStringLiteral("A2"), QStringLiteral("A2")}));
    EXPECT_NE(after->at(0).key, after->at(1).key) << "a recall is a showing of its own";
    // Nothing was taken from the hall's boards.
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from tblCall where status1='1'")).number(0, 0),
              0);

    QSignalSpy cleared(&feed, &CallFeed::cleared);
    env->clock.advanceSecs(24 * 3600);
    ASSERT_TRUE(waitFor([&] { return cleared.count() == 1; }));
    EXPECT_TRUE(feed.latest(5, CounterSet{}).isEmpty());
}

// Calls any login makes up with pg_notify reach no web page; a flood of them leaves the feed and the
// follower as they were, and the counter's calls still come without a read.
TEST_P(CallFollowerTest, AMadeUpCallReachesNoPage)
{
    if (GetParam() != Store::Postgres)
        GTEST_SKIP() << "only a server announces calls";
    const Hall hall = seedHall(env->db);
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    auto kiosk = logins.open(kinds::Kind::Kiosk);
    auto board = logins.open(kinds::Kind::Board);
    auto counter = logins.open(kinds::Kind::Counter);
    {
        CallFeed feed;
        QSignalSpy pushed(&feed, &CallFeed::shown);
        CallFollower follower(*board, env->clock, feed);
        follower.start();
        follower.wakeup().timer()->stop(); // no safety read: what shows came from a notification

        const int flood = 5000;
        kiosk->query(
            QStringLiteral("select pg_notify(?, json_build_array((1000000 + g)::text, "
                           "(900000000000 + g)::text, ?::text, '1', ?::text, 'X' || g, "
                           "'EVACUATE NOW - use exit B', '', '', '')::text) from generate_series(1, ?) g"),
            {Database::callChannel(), hall.counter1, env->clock.todayText(), flood});
        ASSERT_TRUE(waitFor([&] { return follower.wakeup().notifications() >= quint64(flood); }));
        const QString today = env->clock.todayText();
        addCall(*counter, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
        ASSERT_TRUE(waitFor([&] { return pushed.count() == 1; }));
        QTest::qWait(100);
        EXPECT_EQ(pushed.count(), 1);
        EXPECT_EQ(labelsOf(feed.latest(5, CounterSet{})), QStringList{QStringLiteral("A1")});
        EXPECT_EQ(feed.size(), 1);
        EXPECT_EQ(follower.wakeup().reads(), 0u);
    }
    kiosk.reset();
    board.reset();
    counter.reset();
}

BRIVANE_STORE_TEST_SUITE(CallFollowerTest);

} // namespace
