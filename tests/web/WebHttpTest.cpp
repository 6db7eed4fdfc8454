#include "WebTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>

namespace {

class WebHttpTest : public WebFixture
{
};

// Every answer, found or not, carries the strict headers. A page with a form (the ticket page's
// near-turn alert) names itself to this server only, so that its post carries the page's origin.
void expectStrictHeaders(const HttpReply& r, const QString& what, bool form = false)
{
    SCOPED_TRACE(what.toStdString());
    const QByteArray csp = r.header("content-security-policy");
    EXPECT_TRUE(csp.contains("default-src 'none'")) << csp.constData();
    EXPECT_TRUE(csp.contains("script-src 'self'"));
    EXPECT_TRUE(csp.contains("connect-src 'self'"));
    EXPECT_TRUE(csp.contains("frame-ancestors 'none'"));
    EXPECT_FALSE(csp.contains("unsafe"));
    EXPECT_EQ(r.header("x-content-type-options"), QByteArray("nosniff"));
    EXPECT_EQ(r.header("x-frame-options"), QByteArray("DENY"));
    EXPECT_EQ(r.header("referrer-policy"), QByteArray(form ? "same-origin" : "no-referrer"));
    EXPECT_TRUE(csp.contains(form ? "form-action 'self'" : "form-action 'none'")) << csp.constData();
    EXPECT_FALSE(r.header("cache-control").isEmpty());
}

TEST_P(WebHttpTest, TheBoardItsFilesAndItsThemeComeWithStrictHeaders)
{
    startServer();
    const HttpReply page = httpGet(port, QStringLiteral("/board?theme=Hall"));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.header("content-type").startsWith("text/html"));
    EXPECT_TRUE(page.body.contains("/static/board.js"));
    expectStrictHeaders(page, QStringLiteral("board"));

    const HttpReply script = httpGet(port, QStringLiteral("/static/board.js"));
    EXPECT_EQ(script.status, 200);
    EXPECT_TRUE(script.header("content-type").startsWith("text/javascript"));
    EXPECT_TRUE(script.body.contains("since="));
    expectStrictHeaders(script, QStringLiteral("script"));

    const HttpReply look = httpGet(port, QStringLiteral("/api/board?theme=Hall"));
    EXPECT_EQ(look.status, 200);
    EXPECT_EQ(look.header("content-type"), QByteArray("application/json"));
    EXPECT_TRUE(look.header("cache-control").contains("no-store"));
    const QJsonObject o = QJsonDocument::fromJson(look.body).object();
    EXPECT_EQ(o.value(QStringLiteral("title")).toString(), QStringLiteral("Welcome"));
    EXPECT_EQ(o.value(QStringLiteral("rows")).toInt(), 4);
    EXPECT_EQ(o.value(QStringLiteral("columns")).toInt(), 2);
    EXPECT_EQ(o.value(QStringLiteral("headers")).toArray(),
              (QJsonArray{QStringLiteral("Token"), QStringLiteral("Counter")}));
    // The theme's colour numbers are BGR: 65535 is yellow, 65280 green.
    EXPECT_EQ(o.value(QStringLiteral("tokenColor")).toString(), QStringLiteral("#ffff00"));
    EXPECT_EQ(o.value(QStringLiteral("altColor")).toString(), QStringLiteral("#00ff00"));
    // Yellow and white words read too faintly on the green rows (1.3 : 1): those rows get black words.
    EXPECT_EQ(o.value(QStringLiteral("tokenColorAlt")).toString(), QStringLiteral("#000000"));
    EXPECT_EQ(o.value(QStringLiteral("valueColorAlt")).toString(), QStringLiteral("#000000"));
    EXPECT_EQ(o.value(QStringLiteral("valueColor")).toString(), QStringLiteral("#ffffff"));
    // The widths 1250;1500 in per cent of the table.
    EXPECT_EQ(o.value(QStringLiteral("widths")).toArray(), (QJsonArray{45.5, 54.5}));

    env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Open till 5")},
                                                 {QStringLiteral("active"), 1},
                                                 {QStringLiteral("direction"), QStringLiteral("Right")}});
    env->db.insert(QStringLiteral("tblscroll"), {{QStringLiteral("message"), QStringLiteral("Not shown")},
                                                 {QStringLiteral("active"), 0},
                                                 {QStringLiteral("direction"), QStringLiteral("Left")}});
    const QJsonObject news =
        QJsonDocument::fromJson(httpGet(port, QStringLiteral("/api/news")).body).object();
    EXPECT_EQ(news.value(QStringLiteral("right")).toArray(), QJsonArray{QStringLiteral("Open till 5")});
    EXPECT_TRUE(news.value(QStringLiteral("left")).toArray().isEmpty());
}

// "/" lists the hall's boards; a board without a theme, or with one the hall lacks, is the hall's only
// one; with several, the list is shown instead.
TEST_P(WebHttpTest, TheHallsBoardsAreListedAndTheOnlyOneNeedsNoName)
{
    startServer();
    const HttpReply list = httpGet(port, QStringLiteral("/"));
    EXPECT_EQ(list.status, 200);
    EXPECT_TRUE(list.header("content-type").startsWith("text/html"));
    EXPECT_TRUE(list.body.contains("<a href=\"/board?theme=Hall\">Hall</a>")) << list.body.constData();
    EXPECT_TRUE(list.body.contains("/static/boards.css"));
    expectStrictHeaders(list, QStringLiteral("list"));
    EXPECT_EQ(httpGet(port, QStringLiteral("/static/boards.css")).status, 200);

    for (const QString& path : {QStringLiteral("/board"), QStringLiteral("/board?theme="),
                                QStringLiteral("/board?theme=Black%20H")}) {
        const HttpReply r = httpGet(port, path);
        EXPECT_EQ(r.status, 200) << path.toStdString();
        EXPECT_TRUE(r.body.contains("/static/board.js")) << path.toStdString();
    }
    const QJsonObject look =
        QJsonDocument::fromJson(httpGet(port, QStringLiteral("/api/board?theme=")).body).object();
    EXPECT_EQ(look.value(QStringLiteral("title")).toString(), QStringLiteral("Welcome"));

    // A second board, with a name that needs escaping in the page and in its link.
    env->db.insert(QStringLiteral("tbltheme"),
                   {{QStringLiteral("themename"), QStringLiteral("Lobby <2> & Co")}});
    const HttpReply two = httpGet(port, QStringLiteral("/"));
    EXPECT_TRUE(two.body.contains("<a href=\"/board?theme=Hall\">Hall</a>"));
    EXPECT_TRUE(
        two.body.contains("<a href=\"/board?theme=Lobby%20%3C2%3E%20%26%20Co\">Lobby &lt;2&gt; &amp; Co</a>"))
        << two.body.constData();
    EXPECT_EQ(httpGet(port, QStringLiteral("/board?theme=Lobby%20%3C2%3E%20%26%20Co")).status, 200);
    EXPECT_EQ(httpGet(port, QStringLiteral("/api/board?theme=Lobby%20%3C2%3E%20%26%20Co")).status, 200);

    const HttpReply choose = httpGet(port, QStringLiteral("/board"));
    EXPECT_EQ(choose.status, 200);
    EXPECT_FALSE(choose.body.contains("board.js"));
    EXPECT_TRUE(choose.body.contains("/board?theme=Hall"));
    const HttpReply missing = httpGet(port, QStringLiteral("/board?theme=Nothing"));
    EXPECT_EQ(missing.status, 404);
    EXPECT_TRUE(missing.body.contains("This hall has no board called &quot;Nothing&quot;."))
        << missing.body.constData();
    EXPECT_TRUE(missing.body.contains("/board?theme=Hall"));
    expectStrictHeaders(missing, QStringLiteral("missing"));
    for (const QString& path :
         {QStringLiteral("/api/board?theme=Nothing"), QStringLiteral("/api/board?theme=")}) {
        const HttpReply r = httpGet(port, path);
        EXPECT_EQ(r.status, 404) << path.toStdString();
        expectStrictHeaders(r, path);
    }
}

TEST_P(WebHttpTest, NoFileOutsideItsOwnAndNothingButReading)
{
    startServer();
    for (const QString& path :
         {QStringLiteral("/static/"), QStringLiteral("/static/../CMakeLists.txt"),
          QStringLiteral("/static/%2e%2e/%2e%2e/etc/passwd"),
          QStringLiteral("/static/..%2f..%2fetc%2fpasswd"), QStringLiteral("/etc/passwd"),
          QStringLiteral("/static/web.qrc"), QStringLiteral("/static//board.js"), QStringLiteral("/board.js"),
          QStringLiteral("/path.txt"), QStringLiteral("/ws/board")}) {
        const HttpReply r = httpGet(port, path);
        EXPECT_EQ(r.status, 404) << path.toStdString();
        EXPECT_FALSE(r.body.contains("root:")) << path.toStdString();
        expectStrictHeaders(r, path);
    }
    for (const QByteArray& method : {QByteArray("POST"), QByteArray("PUT"), QByteArray("DELETE")}) {
        const HttpReply r = httpRequest(port, method, QStringLiteral("/board?theme=Hall"));
        EXPECT_EQ(r.status, 405) << method.constData();
        EXPECT_EQ(r.header("allow"), QByteArray("GET"));
    }
}

TEST_P(WebHttpTest, TheTicketPageShowsTheTicketToItsCodeOnly)
{
    issueTicket(*env, hall.consultation);
    const IssuedForWeb mine = issueTicket(*env, hall.consultation);
    ASSERT_EQ(mine.label, QStringLiteral("A2"));
    // What a kiosk may keep about a person stays off the page.
    env->db.exec(QStringLiteral("update tblTicket set ref='Mrs Example 0170 555' where tickAuto=?"),
                 {mine.key});
    const IssuedForWeb yesterday = issueTicket(*env, hall.consultation, -1);
    startServer();

    const HttpReply page = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_EQ(page.status, 200);
    expectStrictHeaders(page, QStringLiteral("ticket"), true);
    EXPECT_TRUE(page.header("cache-control").contains("no-store"));
    // The token is the page's heading, for a screen reader to find.
    EXPECT_TRUE(
        page.body.contains("<h1><span class=\"label\">Your token</span> <span id=\"token\">A2</span></h1>"))
        << page.body.constData();
    EXPECT_TRUE(page.body.contains("<div id=\"service\">Consultation</div>"));
    EXPECT_TRUE(page.body.contains("<dd id=\"ahead\">1</dd>"));
    EXPECT_FALSE(page.body.contains("Example"));
    EXPECT_FALSE(page.body.contains("{{"));

    // A label, a guessed code (one character changed), a code of another day, a code's prefix or
    // more than a code: nothing.
    QString guessed = mine.code;
    guessed[guessed.size() - 1] = guessed.endsWith(QLatin1Char('a')) ? QLatin1Char('b') : QLatin1Char('a');
    for (const QString& path :
         {QStringLiteral("/t/A2"), QStringLiteral("/t/") + guessed, QStringLiteral("/t/") + yesterday.code,
          QStringLiteral("/t/") + mine.code.left(20),
          QStringLiteral("/t/") + mine.code + QStringLiteral("/x"),
          QStringLiteral("/t/") + mine.code.toUpper(),
          QStringLiteral("/t/%27%20or%20%271%27=%271aaaaaaaaaaaaaaaa"), QStringLiteral("/t/")}) {
        const HttpReply r = httpGet(port, path);
        EXPECT_EQ(r.status, 404) << path.toStdString();
        EXPECT_FALSE(r.body.contains("A2")) << path.toStdString();
        expectStrictHeaders(r, path);
    }
    EXPECT_EQ(httpRequest(port, "POST", QStringLiteral("/t/") + mine.code).status, 405);
}

TEST_P(WebHttpTest, EachClientHasABudgetOfRequests)
{
    startServer(5, 60); // a burst of 5, then one a second
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(httpGet(port, QStringLiteral("/static/board.css")).status, 200) << i;
    const HttpReply refused = httpGet(port, QStringLiteral("/static/board.css"));
    EXPECT_EQ(refused.status, 429);
    EXPECT_EQ(refused.header("retry-after"), QByteArray("1"));
    expectStrictHeaders(refused, QStringLiteral("429"));
    monotonicMs += 1000;
    EXPECT_EQ(httpGet(port, QStringLiteral("/static/board.css")).status, 200);
    EXPECT_EQ(httpGet(port, QStringLiteral("/static/board.css")).status, 429);
}

TEST_P(WebHttpTest, ItListensOnTheConfiguredAddressOnly)
{
    startServer();
    const QList<QTcpServer*> listening = server->servers();
    ASSERT_EQ(listening.size(), 1);
    EXPECT_EQ(listening.first()->serverAddress(), QHostAddress(QHostAddress::LocalHost));

    // A port that is taken is reported, not silently moved.
    WebConfig taken;
    taken.port = port;
    WebServer second(env->db, env->settings(), env->clock, feed, taken);
    EXPECT_TRUE(second.start().startsWith(QStringLiteral("cannot listen on 127.0.0.1 port ")));
}

BRIVANE_STORE_TEST_SUITE(WebHttpTest);

} // namespace
