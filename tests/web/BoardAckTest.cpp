// Web boards telling the server which calls they drew: what is recorded for which screen, and what a
// page that is not a board, or a page that makes things up, gets recorded (nothing).
#include "PageSocket.h"
#include "WebTestSupport.h"
#include "core/CallDelivery.h"
#include "core/CommandRegistry.h"
#include "display/DisplayTestSupport.h"
#include "testsupport/KindLogins.h"
#include "web/BoardAcks.h"
#include "web/BoardPage.h"

namespace {

class BoardAckTest : public WebFixture
{
protected:
    void feedCall(qint64 key, qint64 counter, const QString& label, qint64 stamp)
    {
        CallRow c;
        c.callAuto = key;
        c.counter = counter;
        c.label = label;
        c.displayName = QStringLiteral("Room %1").arg(counter);
        c.stamp = stamp;
        feed.add(c);
    }
    static QString shown(const QString& key)
    {
        return QStringLiteral("{\"t\":\"shown\",\"key\":\"%1\"}").arg(key);
    }
    // The screens that recorded that showing, by name.
    QStringList screensThatShowed(Database& db, qint64 callAuto, qint64 stamp)
    {
        const ResultSet rs = db.query(QStringLiteral("select screen from brivane_shown where callauto=? and "
                                                     "stamp=? order by screen"),
                                      {callAuto, stamp});
        QStringList names;
        for (int i = 0; i < rs.size(); ++i)
            names.append(rs.text(i, 0));
        return names;
    }
    QHash<QString, delivery::Screen> screens()
    {
        QHash<QString, delivery::Screen> byName;
        for (const delivery::Screen& s : delivery::screens(env->db))
            byName.insert(s.name, s);
        return byName;
    }
    qint64 shownRows()
    {
        return env->db.query(QStringLiteral("select count(*) from brivane_shown")).number(0, 0);
    }
};

// A TV's board page under the name the hall gave it, a page without a name, a page under a hostile
// name, a ticket page and a page that tells of calls it was never sent.
TEST_P(BoardAckTest, ABoardPageRecordsTheCallsItDrewUnderItsScreenAndNothingElse)
{
    startServer();
    PageSocket tv;
    tv.open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=Hall%20TV%201"));
    ASSERT_TRUE(tv.waitForMessages(1));
    // The screen is known at once, with the counters its theme shows.
    ASSERT_TRUE(screens().contains(QStringLiteral("Hall TV 1")));
    const delivery::Screen announced = screens().value(QStringLiteral("Hall TV 1"));
    EXPECT_EQ(announced.kind, delivery::ScreenKind::Web);
    EXPECT_TRUE(announced.shows(hall.counter1));
    EXPECT_TRUE(announced.shows(hall.counter2));
    EXPECT_FALSE(announced.shows(hall.counter3));

    // A call of its counters comes; the page tells it drew it: one row for the screen.
    feedCall(41, hall.counter1, QStringLiteral("A1"), 501);
    ASSERT_TRUE(tv.waitForMessages(2));
    tv.send(shown(QStringLiteral("41.501")));
    EXPECT_TRUE(waitFor([&] { return !screensThatShowed(env->db, 41, 501).isEmpty(); }));
    EXPECT_EQ(screensThatShowed(env->db, 41, 501), QStringList{QStringLiteral("Hall TV 1")});
    // Told twice, a key it never got, another board's call, something that is no key: nothing more.
    feedCall(42, hall.counter3, QStringLiteral("B1"), 502);
    tv.send(shown(QStringLiteral("41.501")));
    tv.send(shown(QStringLiteral("999.1")));
    tv.send(shown(QStringLiteral("42.502")));
    tv.send(QStringLiteral("{\"t\":\"shown\",\"key\":\"41.501; drop table tblCall\"}"));
    tv.send(QStringLiteral("not even JSON"));
    // A recall (the same call, a new stamp) is a showing of its own.
    feedCall(41, hall.counter1, QStringLiteral("A1"), 503);
    ASSERT_TRUE(tv.waitForMessages(3));
    tv.send(shown(QStringLiteral("41.503")));
    EXPECT_TRUE(waitFor([&] { return !screensThatShowed(env->db, 41, 503).isEmpty(); }));
    EXPECT_EQ(shownRows(), 2);
    EXPECT_FALSE(tv.closed);

    // A page that gives no name tells under its address and theme; one that gives a hostile name
    // tells under the readable part of it, cut to a screen name's length.
    PageSocket unnamed;
    unnamed.open(port, QStringLiteral("/ws/board?theme=Hall&since="));
    ASSERT_TRUE(unnamed.waitForMessages(1));
    PageSocket hostile;
    hostile.open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=%E2%80%AEVT%00%0A%20") +
                           QString(60, QLatin1Char('x')));
    ASSERT_TRUE(hostile.waitForMessages(1));
    const QString cut = QStringLiteral("VT ") + QString(37, QLatin1Char('x'));
    EXPECT_TRUE(screens().contains(QStringLiteral("Web board 127.0.0.1 Hall")));
    EXPECT_TRUE(screens().contains(cut));
    feedCall(43, hall.counter2, QStringLiteral("A2"), 504);
    ASSERT_TRUE(unnamed.waitForMessages(2));
    ASSERT_TRUE(hostile.waitForMessages(2));
    unnamed.send(shown(QStringLiteral("43.504")));
    hostile.send(shown(QStringLiteral("43.504")));
    // A key another page was sent and this one was not.
    unnamed.send(shown(QStringLiteral("41.503")));
    EXPECT_TRUE(waitFor([&] { return screensThatShowed(env->db, 43, 504).size() == 2; }));
    EXPECT_EQ(screensThatShowed(env->db, 43, 504), (QStringList{QStringLiteral("VT ") + QString(37, 'x'),
                                                                QStringLiteral("Web board 127.0.0.1 Hall")}));
    EXPECT_EQ(screensThatShowed(env->db, 41, 503), QStringList{QStringLiteral("Hall TV 1")});

    // A ticket page tells nothing, and one that keeps sending is closed.
    const IssuedForWeb mine = issueTicket(*env, hall.consultation);
    PageSocket ticket;
    ticket.open(port, QStringLiteral("/ws/t/") + mine.code);
    ASSERT_TRUE(ticket.waitForMessages(1));
    feedCall(44, hall.counter1, QStringLiteral("A3"), 505);
    ASSERT_TRUE(tv.waitForMessages(4));
    for (int i = 0; i < 20 && !ticket.closed; ++i) {
        ticket.send(shown(QStringLiteral("44.505")));
        waitFor([] { return false; }, 20);
    }
    EXPECT_TRUE(ticket.waitForClose());
    EXPECT_TRUE(screensThatShowed(env->db, 44, 505).isEmpty());
    // The same of a board page that makes keys up.
    for (int i = 0; i < 20 && !hostile.closed; ++i) {
        hostile.send(shown(QStringLiteral("%1.1").arg(1000 + i)));
        waitFor([] { return false; }, 20);
    }
    EXPECT_TRUE(hostile.waitForClose());
    EXPECT_EQ(shownRows(), 4);
}

// The names one address may tell under, a desktop board's name, and the page's board as ever.
TEST_P(BoardAckTest, APageMayNotTellUnderADesktopScreensNameNorUnderEverNewNames)
{
    delivery::announceScreen(env->db, env->clock, QStringLiteral("Entrance"), delivery::ScreenKind::Board,
                             {});
    startServer();
    std::vector<std::unique_ptr<PageSocket>> pages;
    const auto open = [&](const QString& name) -> PageSocket& {
        pages.push_back(std::make_unique<PageSocket>());
        pages.back()->open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=") + name);
        EXPECT_TRUE(pages.back()->waitForMessages(1)) << qPrintable(name);
        return *pages.back();
    };
    PageSocket& desk = open(QStringLiteral("Entrance"));
    for (int i = 1; i <= 5; ++i)
        open(QStringLiteral("TV%1").arg(i));
    feedCall(51, hall.counter1, QStringLiteral("A1"), 601);
    for (auto& page : pages) {
        ASSERT_TRUE(page->waitForMessages(2)); // every page shows the call all the same
        page->send(shown(QStringLiteral("51.601")));
    }
    // Four names from one address; the desktop board's name stays its own.
    EXPECT_TRUE(waitFor([&] { return screensThatShowed(env->db, 51, 601).size() == 4; }));
    waitFor([] { return false; }, 200);
    EXPECT_EQ(screensThatShowed(env->db, 51, 601),
              (QStringList{QStringLiteral("TV1"), QStringLiteral("TV2"), QStringLiteral("TV3"),
                           QStringLiteral("TV4")}));
    EXPECT_FALSE(screens().contains(QStringLiteral("TV5")));
    EXPECT_EQ(screens().value(QStringLiteral("Entrance")).kind, delivery::ScreenKind::Board);
    EXPECT_FALSE(desk.closed);

    // A page that closes gives its name back: the fifth TV tells once one of the four has gone.
    pages[1]->close();
    open(QStringLiteral("TV5"));
    feedCall(52, hall.counter1, QStringLiteral("A2"), 602);
    ASSERT_TRUE(pages.back()->waitForMessages(2));
    pages.back()->send(shown(QStringLiteral("52.602")));
    EXPECT_TRUE(waitFor([&] { return !screensThatShowed(env->db, 52, 602).isEmpty(); }));
    EXPECT_EQ(screensThatShowed(env->db, 52, 602), QStringList{QStringLiteral("TV5")});
}

// A hall that names its TVs' addresses: board pages from other addresses (a visitor's phone) show the
// calls as ever and tell nothing.
TEST_P(BoardAckTest, WhenTheHallNamesItsTvsOnlyTheirPagesTell)
{
    WebConfig config;
    QStringList args{QStringLiteral("--board-address"), QStringLiteral("10.9.9.9")};
    ASSERT_EQ(config.applyOptions(args), QString());
    QStringList bad{QStringLiteral("--board-address"), QStringLiteral("tv-1.hall")};
    EXPECT_FALSE(WebConfig().applyOptions(bad).isEmpty());
    startServer(1000, 100000, config);
    PageSocket phone;
    phone.open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=Hall%20TV%201"));
    ASSERT_TRUE(phone.waitForMessages(1));
    feedCall(81, hall.counter1, QStringLiteral("A1"), 901);
    ASSERT_TRUE(phone.waitForMessages(2));
    phone.send(shown(QStringLiteral("81.901")));
    waitFor([] { return false; }, 200);
    EXPECT_FALSE(phone.closed);
    EXPECT_TRUE(screens().isEmpty());
    EXPECT_EQ(shownRows(), 0);

    // The TV itself (here the loopback address) tells.
    env->settings().set(QStringLiteral("Queue"), QStringLiteral("Web"), QStringLiteral("boards"),
                        QStringLiteral("10.9.9.9; 127.0.0.1"));
    startServer(1000, 100000, WebConfig::fromSettings(env->settings()));
    PageSocket tv;
    tv.open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=Hall%20TV%201"));
    ASSERT_TRUE(tv.waitForMessages(1));
    feedCall(82, hall.counter1, QStringLiteral("A2"), 902);
    ASSERT_TRUE(tv.waitForMessages(2));
    tv.send(shown(QStringLiteral("82.902")));
    EXPECT_TRUE(waitFor([&] { return shownRows() == 1; }));
}

// brivane-web runs as a board login: its pages' showings are recorded with a board's rights.
TEST_P(BoardAckTest, OnABoardLoginTheShowingsAreRecorded)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    WebConfig config;
    config.address = QHostAddress(QHostAddress::LocalHost);
    config.port = 0;
    server = std::make_unique<WebServer>(logins.workstation(kinds::Kind::Board), env->settings(), env->clock,
                                         feed, config);
    ASSERT_EQ(server->start(), QString());
    port = server->port();
    PageSocket tv;
    tv.open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=TV"));
    ASSERT_TRUE(tv.waitForMessages(1));
    // A call the counter made (the store stamps it).
    const qint64 key = addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"),
                               env->clock.todayText());
    const qint64 stamp =
        env->db.query(QStringLiteral("select callstamp from tblCall where callauto=?"), {key}).number(0, 0);
    feedCall(key, hall.counter1, QStringLiteral("A1"), stamp);
    ASSERT_TRUE(tv.waitForMessages(2));
    tv.send(shown(QStringLiteral("%1.%2").arg(key).arg(stamp)));
    EXPECT_TRUE(waitFor([&] { return !screensThatShowed(env->db, key, stamp).isEmpty(); }));
    EXPECT_EQ(screens().value(QStringLiteral("TV")).kind, delivery::ScreenKind::Web);
    // Still there a few minutes later: the screen says so itself (the hall expects calls only on
    // screens seen lately).
    env->clock.advanceSecs(3 * 60);
    server->pages().screensStillThere();
    EXPECT_EQ(screens().value(QStringLiteral("TV")).lastSeen, env->clock.now());

    // A board workstation lists the day's showings with its own login.
    std::unique_ptr<Database> boardDb = logins.open(kinds::Kind::Board, QStringLiteral("lister"));
    ASSERT_TRUE(boardDb);
    WorkstationProgram board(*env, *boardDb);
    QString out, err;
    QTextStream o(&out), e(&err);
    ASSERT_EQ(runCommand(*board.commands.find(QStringLiteral("calls")), *board.ctx,
                         {QStringLiteral("--delivery")}, o, e),
              0)
        << qPrintable(err);
    o.flush();
    EXPECT_TRUE(out.contains(QStringLiteral(",A1,Room 1,1,"))) << qPrintable(out);
    EXPECT_TRUE(out.contains(QStringLiteral(",TV,web,shown,"))) << qPrintable(out);
}

// A hall whose owner has not opened it since the showings are kept has no tables for them: its web
// boards show the calls as ever and tell nothing that fails.
TEST_P(BoardAckTest, OnAHallWithoutTheTablesThePagesWorkAsEver)
{
    for (const QString& table : delivery::tables())
        env->db.exec(QStringLiteral("drop table %1").arg(table));
    startServer();
    PageSocket tv;
    tv.open(port, QStringLiteral("/ws/board?theme=Hall&since=&screen=TV"));
    ASSERT_TRUE(tv.waitForMessages(1));
    for (int i = 1; i <= 3; ++i) {
        feedCall(70 + i, hall.counter1, QStringLiteral("A%1").arg(i), 800 + i);
        ASSERT_TRUE(tv.waitForMessages(1 + i));
        tv.send(shown(QStringLiteral("%1.%2").arg(70 + i).arg(800 + i)));
    }
    EXPECT_EQ(tv.labels(3), QStringList{QStringLiteral("A3")});
    waitFor([] { return false; }, 200);
    EXPECT_FALSE(tv.closed);
    EXPECT_FALSE(delivery::present(env->db));
}

TEST(BoardAckNames, NamesAreCleanedAndCut)
{
    EXPECT_EQ(BoardAcks::cleanName(QStringLiteral("  Hall\tTV \u200b 1 ")), QStringLiteral("Hall TV 1"));
    EXPECT_EQ(BoardAcks::cleanName(QString(QChar(0x202e)) + QChar(0) + QChar(0x0a)), QString());
    // A character outside the basic plane is not cut in half.
    const QString longName = QString(39, QLatin1Char('a')) + QString::fromUtf8("\xF0\x9F\x93\xBA");
    EXPECT_EQ(BoardAcks::cleanName(longName), QString(39, QLatin1Char('a')));
    EXPECT_EQ(BoardAcks::fallbackName(QStringLiteral("10.0.0.7"), QString()),
              QStringLiteral("Web board 10.0.0.7"));
}

} // namespace

BRIVANE_STORE_TEST_SUITE(BoardAckTest);
