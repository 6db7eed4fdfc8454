// Taking a token from the phone: the page /join lists the services open to it, a tap takes a token
// through the kiosks' own issue and opens its page, and each phone and each address keeps to its budget.
#include "tickets/PhoneJoin.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "testsupport/CommandRun.h"
#include "testsupport/KindLogins.h"

namespace {

class PhoneJoinTest : public WebFixture
{
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        env->clock.set(QDateTime(QDate(2024, 1, 15), QTime(9, 0)));
    }

    // A tap on a service's button, as the page's form posts it: from the page's origin, with the
    // phone's cookie (none when empty).
    HttpReply tap(qint64 service, const QByteArray& cookie, const QByteArray& origin = QByteArray(),
                  const QByteArray& language = "en")
    {
        const QByteArray body = "lang=" + language + "&service=" + QByteArray::number(service);
        const QByteArray from = origin.isEmpty() ? "http://127.0.0.1:" + QByteArray::number(port) : origin;
        QByteArray request = "POST /join HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                             "\r\nConnection: close\r\nOrigin: " + from +
                             "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                             QByteArray::number(body.size()) + "\r\n";
        if (!cookie.isEmpty())
            request += "Cookie: " + cookie + "\r\n";
        return httpRaw(port, request + "\r\n" + body);
    }

    // The cookie a phone is given with the page: "brivane_phone=…".
    QByteArray phoneCookie()
    {
        const HttpReply page = httpGet(port, QStringLiteral("/join"));
        const QByteArray set = page.header("set-cookie");
        return set.left(set.indexOf(';'));
    }

    static QString codeOf(const HttpReply& reply)
    {
        const QByteArray location = reply.header("location");
        return location.startsWith("/t/") ? QString::fromLatin1(location.mid(3)) : QString();
    }

    QString tokenOfCode(const QString& code, QString* origin = nullptr, QString* language = nullptr)
    {
        const ResultSet rs = env->db.query(
            QStringLiteral("select no_abr, origin, lang from tblTicket where webcode=?"), {code});
        if (origin)
            *origin = rs.text(0, 1);
        if (language)
            *language = rs.text(0, 2);
        return rs.text(0, 0);
    }
};

// The service's setting opens and closes it; a joined token is numbered and called in order with the
// kiosk's, marked as taken from a phone, in the visitor's language; a second tap of the same phone is
// pointed to its open token; a cross-site form is refused.
TEST_P(PhoneJoinTest, AJoinedTokenTakesItsPlaceAmongTheKiosksAndEachPhoneWaitsOnce)
{
    startServer();
    const HttpReply closed = httpGet(port, QStringLiteral("/join"));
    EXPECT_EQ(closed.status, 200);
    EXPECT_TRUE(closed.body.contains("No service can be joined from a phone now."))
        << closed.body.constData();
    EXPECT_FALSE(closed.body.contains("Consultation"));
    const QByteArray cookie = phoneCookie();
    ASSERT_TRUE(cookie.startsWith("brivane_phone=")) << cookie.constData();
    EXPECT_EQ(tap(hall.consultation, cookie).status, 404); // not open to joining

    QString out;
    QString err;
    EXPECT_EQ(
        runCommand(*env, QStringLiteral("join"), {QStringLiteral("Nothing"), QStringLiteral("on")}, out, err),
        1);
    EXPECT_EQ(err.trimmed(), QStringLiteral("No service is named Nothing"));
    EXPECT_EQ(runCommand(*env, QStringLiteral("join"),
                         {QStringLiteral("Consultation"), QStringLiteral("maybe")}, out, err),
              2);
    ASSERT_EQ(runCommand(*env, QStringLiteral("join"), {QStringLiteral("Consultation"), QStringLiteral("on")},
                         out, err),
              0);
    EXPECT_EQ(out.trimmed(),
              QStringLiteral("Consultation: visitors may take tokens from their phones at /join"));
    // By key too.
    ASSERT_EQ(
        runCommand(*env, QStringLiteral("join"), {QString::number(hall.lab), QStringLiteral("on")}, out, err),
        0);

    const IssuedForWeb kiosk1 = issueTicket(*env, hall.consultation);
    const HttpReply page = httpGet(port, QStringLiteral("/join"));
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("Consultation")) << page.body.constData();
    EXPECT_TRUE(page.body.contains("Lab"));
    EXPECT_FALSE(page.body.contains("Reports"));
    // Without history the page says who is ahead, as the kiosk would.
    EXPECT_TRUE(page.body.contains("1 person ahead of you")) << page.body.constData();
    EXPECT_TRUE(page.header("content-security-policy").contains("form-action 'self'"));
    const QByteArray set = page.header("set-cookie");
    EXPECT_TRUE(set.contains("HttpOnly")) << set.constData();
    EXPECT_TRUE(set.contains("SameSite=Lax"));
    EXPECT_TRUE(set.contains("Path=/join"));

    // A form from another site is refused and takes nothing.
    EXPECT_EQ(tap(hall.consultation, cookie, "http://evil.example").status, 403);

    const HttpReply joined = tap(hall.consultation, cookie, QByteArray(), "hi");
    ASSERT_EQ(joined.status, 303) << joined.body.constData();
    const QString code = codeOf(joined);
    QString origin;
    QString language;
    EXPECT_EQ(tokenOfCode(code, &origin, &language), QStringLiteral("A2"));
    EXPECT_EQ(origin, QStringLiteral("phone"));
    EXPECT_EQ(language, QStringLiteral("hi"));
    EXPECT_EQ(joined.header("set-cookie"), QByteArray()); // the phone keeps its cookie
    const HttpReply ticketPage = httpGet(port, QStringLiteral("/t/") + code);
    EXPECT_EQ(ticketPage.status, 200);
    EXPECT_TRUE(ticketPage.body.contains("<span id=\"token\">A2</span>"));
    EXPECT_TRUE(ticketPage.body.contains("lang=\"hi\""));
    const IssuedForWeb kiosk3 = issueTicket(*env, hall.consultation);
    EXPECT_EQ(kiosk3.label, QStringLiteral("A3"));
    EXPECT_EQ(env->db.query(QStringLiteral("select origin from tblTicket where tickAuto=?"), {kiosk1.key})
                  .text(0, 0),
              QString());

    // The same phone again: pointed to the token it has.
    const HttpReply again = tap(hall.consultation, cookie);
    EXPECT_EQ(again.status, 409);
    EXPECT_TRUE(again.body.contains("You already have a token for this service.")) << again.body.constData();
    EXPECT_TRUE(again.body.contains("href=\"/t/" + code.toLatin1() + "\""));
    // Another service is another budget.
    const HttpReply lab = tap(hall.lab, cookie);
    ASSERT_EQ(lab.status, 303);
    EXPECT_EQ(tokenOfCode(codeOf(lab)), QStringLiteral("B100"));

    // Called in number order with the kiosk's tokens; once its token is called the phone may join again.
    Session counter;
    callingtest::logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(env->db, env->settings(), env->clock, counter);
    QStringList called;
    for (int i = 0; i < 3; ++i) {
        engine.callNext();
        called << engine.state.lblToken;
    }
    EXPECT_EQ(called, QStringList({QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}));
    const HttpReply later = tap(hall.consultation, cookie);
    ASSERT_EQ(later.status, 303);
    EXPECT_EQ(tokenOfCode(codeOf(later)), QStringLiteral("A4"));

    // Closed again: off the list, and refused.
    ASSERT_EQ(runCommand(*env, QStringLiteral("join"),
                         {QStringLiteral("Consultation"), QStringLiteral("off")}, out, err),
              0);
    EXPECT_FALSE(httpGet(port, QStringLiteral("/join")).body.contains("Consultation"));
    const HttpReply refused = tap(hall.consultation, phoneCookie(), QByteArray(), "ar");
    EXPECT_EQ(refused.status, 404);
    EXPECT_TRUE(refused.body.contains("dir=\"rtl\"")); // said in the visitor's language
}

// Phones that drop their cookie, or a script, fall under the address's joins of the hour, which a
// restart of the web server does not give back; an hour later the address may join again.
TEST_P(PhoneJoinTest, AnAddressHasAFewJoinsAnHourThatARestartDoesNotGiveBack)
{
    WebConfig config;
    config.joinsPerHour = 3;
    startServer(1000, 100000, config);
    phonejoin::setOpen(env->db, hall.consultation, true);
    for (int i = 0; i < 3; ++i) {
        const HttpReply joined = tap(hall.consultation, QByteArray());
        ASSERT_EQ(joined.status, 303) << i;
        // A phone without its cookie is given one.
        EXPECT_TRUE(joined.header("set-cookie").startsWith("brivane_phone="));
    }
    HttpReply refused = tap(hall.consultation, phoneCookie());
    EXPECT_EQ(refused.status, 429);
    EXPECT_TRUE(refused.body.contains("Too many tokens were taken from this connection"))
        << refused.body.constData();
    EXPECT_FALSE(refused.body.contains("href=\"/t/"));

    server.reset();
    startServer(1000, 100000, config);
    EXPECT_EQ(tap(hall.consultation, QByteArray()).status, 429);
    // What the budget keeps names no address.
    const ResultSet kept = env->db.query(QStringLiteral("select place, phone from brivane_phone_join"));
    ASSERT_EQ(kept.size(), 3);
    EXPECT_EQ(kept.text(0, 0).size(), 64);
    EXPECT_FALSE(kept.text(0, 0).contains(QStringLiteral("127.0.0.1")));

    env->clock.advanceSecs(3601);
    EXPECT_EQ(tap(hall.consultation, QByteArray()).status, 303);
    EXPECT_EQ(
        env->db.query(QStringLiteral("select count(*) from tblTicket where origin='phone'")).number(0, 0), 4);
}

// On PostgreSQL the web server runs as a board: its login issues the token, numbered by the hall's
// routine, and keeps the budget.
TEST_P(PhoneJoinTest, TheBoardLoginIssuesTheJoinedToken)
{
    if (GetParam() == Store::Sqlite)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    phonejoin::setOpen(env->db, hall.consultation, true);
    issueTicket(*env, hall.consultation);
    Database& board = logins.workstation(kinds::Kind::Board);
    WebConfig config;
    config.address = QHostAddress(QHostAddress::LocalHost);
    config.port = 0;
    server = std::make_unique<WebServer>(board, env->settings(), env->clock, feed, config);
    ASSERT_EQ(server->start(), QString());
    port = server->port();
    const QByteArray cookie = phoneCookie();
    const HttpReply joined = tap(hall.consultation, cookie);
    ASSERT_EQ(joined.status, 303) << joined.body.constData();
    QString origin;
    EXPECT_EQ(tokenOfCode(codeOf(joined), &origin), QStringLiteral("A2"));
    EXPECT_EQ(origin, QStringLiteral("phone"));
    EXPECT_EQ(tap(hall.consultation, cookie).status, 409);
    // The board writes a waiting walk-in only: never a token directed to a counter, nor a call.
    EXPECT_THROW(board.exec(QStringLiteral("update tblTicket set call='1' where no_abr='A1'")), DbError);
    EXPECT_THROW(
        board.exec(QStringLiteral("insert into tblTicket (servAuto, tickNo, tickDate, status) values "
                                  "(?, 50, '2024-01-15', 'Transferred')"),
                   {hall.consultation}),
        DbError);
}

} // namespace

BRIVANE_STORE_TEST_SUITE(PhoneJoinTest);
