#include "PageSocket.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWebSocket>

namespace {

class PushTest : public WebFixture
{
protected:
    CallRow call(qint64 key, qint64 counter, const QString& label, qint64 stamp = 0, qint64 ticket = 0)
    {
        CallRow c;
        c.callAuto = key;
        c.counter = counter;
        c.ticket = ticket;
        c.label = label;
        c.displayName = QStringLiteral("Room %1").arg(counter);
        c.stamp = stamp;
        return c;
    }
};

TEST_P(PushTest, ABoardGetsItsCountersCallsAndResumesWithoutLossOrRepeat)
{
    // Shown before the server started: the history pages start from.
    feed.addHistory({call(1, hall.counter1, QStringLiteral("A1"), 11),
                     call(2, hall.counter3, QStringLiteral("B1"), 12),
                     call(3, hall.counter2, QStringLiteral("A2"), 13)});
    startServer();
    PageSocket board;
    board.open(port, QStringLiteral("/ws/board?theme=Hall&since="));
    ASSERT_TRUE(board.waitForMessages(1));
    const QJsonObject reset = board.messages[0];
    EXPECT_EQ(reset.value(QStringLiteral("t")).toString(), QStringLiteral("reset"));
    // Newest first, and only the theme's counters (counter 3 is not among them).
    EXPECT_EQ(board.labels(0), (QStringList{QStringLiteral("A2"), QStringLiteral("A1")}));
    EXPECT_EQ(reset.value(QStringLiteral("key")).toString(), QStringLiteral("3.13"));
    EXPECT_TRUE(reset.value(QStringLiteral("db")).toBool());
    EXPECT_GT(reset.value(QStringLiteral("now")).toDouble(), 0);

    feed.add(call(4, hall.counter1, QStringLiteral("A3"), 14));
    feed.add(call(5, hall.counter3, QStringLiteral("B2"), 15)); // another board's counter
    ASSERT_TRUE(board.waitForMessages(2));
    EXPECT_EQ(board.messages[1].value(QStringLiteral("t")).toString(), QStringLiteral("calls"));
    EXPECT_EQ(board.labels(1), QStringList{QStringLiteral("A3")});
    const QString last = board.messages[1]
                             .value(QStringLiteral("calls"))
                             .toArray()
                             .first()
                             .toObject()
                             .value(QStringLiteral("key"))
                             .toString();
    board.close();

    // While the page is away: a new call, a recall of A3 (same call, new stamp), the same stamp again.
    feed.add(call(6, hall.counter2, QStringLiteral("A4"), 16));
    feed.add(call(4, hall.counter1, QStringLiteral("A3"), 17));
    feed.add(call(4, hall.counter1, QStringLiteral("A3"), 17));
    board.open(port, QStringLiteral("/ws/board?theme=Hall&since=") + last);
    ASSERT_TRUE(board.waitForMessages(1));
    EXPECT_EQ(board.messages[0].value(QStringLiteral("t")).toString(), QStringLiteral("calls"));
    EXPECT_EQ(board.labels(0), (QStringList{QStringLiteral("A4"), QStringLiteral("A3")}));

    // A key the server does not know (a page of another day): the page starts afresh.
    board.close();
    board.open(port, QStringLiteral("/ws/board?theme=Hall&since=999.1"));
    ASSERT_TRUE(board.waitForMessages(1));
    EXPECT_EQ(board.messages[0].value(QStringLiteral("t")).toString(), QStringLiteral("reset"));
    EXPECT_EQ(board.labels(0), (QStringList{QStringLiteral("A3"), QStringLiteral("A4"), QStringLiteral("A3"),
                                            QStringLiteral("A2")}));

    // The server loses the database: the open page hears it at once (and says so on screen).
    server->pages().setStoreReachable(false);
    ASSERT_TRUE(board.waitForMessages(2));
    EXPECT_EQ(board.messages[1].value(QStringLiteral("t")).toString(), QStringLiteral("alive"));
    EXPECT_FALSE(board.messages[1].value(QStringLiteral("db")).toBool(true));
}

TEST_P(PushTest, ATicketPageHearsOfItsCallAtOnceAndOfARecallAgain)
{
    const IssuedForWeb first = issueTicket(*env, hall.consultation);
    const IssuedForWeb mine = issueTicket(*env, hall.consultation);
    startServer();
    PageSocket page;
    page.open(port, QStringLiteral("/ws/t/") + mine.code);
    ASSERT_TRUE(page.waitForMessages(1));
    EXPECT_EQ(page.messages[0].value(QStringLiteral("t")).toString(), QStringLiteral("ticket"));
    EXPECT_EQ(page.messages[0].value(QStringLiteral("token")).toString(), QStringLiteral("A2"));
    EXPECT_EQ(page.messages[0].value(QStringLiteral("service")).toString(), QStringLiteral("Consultation"));
    EXPECT_EQ(page.messages[0].value(QStringLiteral("ahead")).toInt(), 1);
    EXPECT_FALSE(page.messages[0].contains(QStringLiteral("called")));

    Session counter;
    callingtest::logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(env->db, env->settings(), env->clock, counter);
    const auto shown = [&](qint64 stamp) {
        const ResultSet rs = env->db.query(
            QStringLiteral("select callauto from tblCall where tickAuto=? order by callauto desc limit 1"),
            {engine.state.currentKey()});
        CallRow c =
            call(rs.number(0, 0), hall.counter1, engine.state.lblToken, stamp, engine.state.currentKey());
        c.displayName = counter.counterDisplayName;
        feed.add(c);
    };
    engine.callNext(); // the first visitor: my page now has nobody ahead
    shown(100);
    ASSERT_TRUE(page.waitForMessages(2));
    EXPECT_EQ(page.messages[1].value(QStringLiteral("ahead")).toInt(), 0);
    EXPECT_FALSE(page.messages[1].contains(QStringLiteral("called")));
    Q_UNUSED(first);

    engine.callNext();
    shown(101);
    ASSERT_TRUE(page.waitForMessages(3));
    const QJsonObject called = page.messages[2].value(QStringLiteral("called")).toObject();
    EXPECT_EQ(called.value(QStringLiteral("counter")).toString(), counter.counterDisplayName);
    EXPECT_TRUE(page.messages[2].value(QStringLiteral("ahead")).isNull());

    engine.updateRc();
    shown(102);
    ASSERT_TRUE(page.waitForMessages(4));
    const QJsonObject again = page.messages[3].value(QStringLiteral("called")).toObject();
    EXPECT_EQ(again.value(QStringLiteral("counter")).toString(), counter.counterDisplayName);
    EXPECT_NE(again.value(QStringLiteral("key")).toString(), called.value(QStringLiteral("key")).toString());
}

TEST_P(PushTest, ConnectionsThatAreNotPagesOfThisServerAreClosed)
{
    startServer();
    // With two themes a name the hall lacks is no board (with one, it would be that one).
    env->db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Lobby")}});
    const QString code = QStringLiteral("zzzzzzzzzzzzzzzzzzzzzzzzzz");
    for (const QString& path : {QStringLiteral("/ws/board?theme=Nothing"), QStringLiteral("/ws/t/A1"),
                                QStringLiteral("/ws/t/") + code, QStringLiteral("/ws/other")}) {
        PageSocket page;
        page.open(port, path);
        EXPECT_TRUE(page.waitForClose()) << path.toStdString();
        EXPECT_TRUE(page.messages.isEmpty()) << path.toStdString();
    }
    PageSocket foreign(QStringLiteral("http://evil.example"));
    foreign.open(port, QStringLiteral("/ws/board?theme=Hall"));
    EXPECT_TRUE(foreign.waitForClose());
    EXPECT_TRUE(foreign.messages.isEmpty());
    EXPECT_EQ(server->pages().openPages(), 0);
}

TEST_P(PushTest, OneClientMayHoldOnlySoManyPages)
{
    WebConfig config;
    config.port = 0;
    config.socketsPerClient = 2;
    server = std::make_unique<WebServer>(env->db, env->settings(), env->clock, feed, config);
    ASSERT_EQ(server->start(), QString());
    PageSocket a, b, c;
    a.open(server->port(), QStringLiteral("/ws/board?theme=Hall"));
    b.open(server->port(), QStringLiteral("/ws/board?theme=Hall"));
    ASSERT_TRUE(a.waitForMessages(1));
    ASSERT_TRUE(b.waitForMessages(1));
    c.open(server->port(), QStringLiteral("/ws/board?theme=Hall"));
    EXPECT_TRUE(c.waitForClose());
    a.close();
    EXPECT_TRUE(waitFor([&] { return server->pages().openPages() == 1; }));
    c.open(server->port(), QStringLiteral("/ws/board?theme=Hall"));
    EXPECT_TRUE(c.waitForMessages(1));
}

BRIVANE_STORE_TEST_SUITE(PushTest);

} // namespace
