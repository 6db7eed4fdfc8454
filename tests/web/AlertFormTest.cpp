// The near-turn alert's form over plain HTTP, as a browser without scripts posts it (and as the
// page's script does, asking for JSON).
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "core/AlertTables.h"
#include "testsupport/KindLogins.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

class AlertFormTest : public WebFixture
{
protected:
    HttpReply post(const QString& code, const QByteArray& form, const QByteArray& origin = QByteArray(),
                   bool json = false)
    {
        const QByteArray from = origin.isNull() ? "http://127.0.0.1:" + QByteArray::number(port) : origin;
        QByteArray request = "POST /t/" + code.toLatin1() +
                             "/alert HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                             "\r\nConnection: close\r\nContent-Type: application/x-www-form-urlencoded\r\n";
        if (!from.isEmpty())
            request += "Origin: " + from + "\r\n";
        if (json)
            request += "Accept: application/json\r\n";
        request += "Content-Length: " + QByteArray::number(form.size()) + "\r\n\r\n" + form;
        return httpRaw(port, request);
    }
    QString phoneOf(qint64 ticket)
    {
        return env->db.query(QStringLiteral("select phone from brivane_phone where tickauto=?"), {ticket})
            .text(0, 0);
    }
};

// A visitor without scripts asks, changes and takes back an alert; every form the page cannot send
// is refused with the reason on the page, and posts from another site or too often are refused.
TEST_P(AlertFormTest, AVisitorWithoutScriptsAsksChangesAndTakesBackTheAlert)
{
    const IssuedForWeb ahead = issueTicket(*env, hall.consultation);
    const IssuedForWeb mine = issueTicket(*env, hall.consultation);
    const IssuedForWeb yesterday = issueTicket(*env, hall.consultation, -1);
    startServer();

    const HttpReply page = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_TRUE(page.body.contains(("action=\"/t/" + mine.code + "/alert\"").toLatin1()))
        << page.body.constData();
    EXPECT_TRUE(page.body.contains("value=\"10\" checked"));
    EXPECT_FALSE(page.body.contains("{{"));

    // Refused, with the reason on the ticket page; nothing is kept.
    const struct
    {
        QByteArray form;
        const char* reason;
    } bad[] = {
        {"when=7", "Choose 5, 10 or 15 minutes, or when you are next."},
        {"when=", "Choose 5, 10 or 15 minutes, or when you are next."},
        {"phone=0170555123", "Choose 5, 10 or 15 minutes, or when you are next."},
        {"when=5&when=10", "Choose 5, 10 or 15 minutes, or when you are next."},
        {"when=10&phone=0170%2F555", "This is not a phone number"},
        {"when=10&phone=12345", "This is not a phone number"},
        {"when=10&phone=%3Cscript%3E", "This is not a phone number"},
        {"when=10&phone=0170555123&phone=0170555124", "This is not a phone number"},
    };
    for (const auto& b : bad) {
        const HttpReply r = post(mine.code, b.form);
        EXPECT_EQ(r.status, 400) << b.form.constData();
        EXPECT_TRUE(r.body.contains(b.reason)) << b.form.constData();
        EXPECT_TRUE(r.body.contains("<span id=\"token\">A2</span>")) << b.form.constData();
        EXPECT_FALSE(r.body.contains("<script>"));
    }
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from brivane_alert")).number(0, 0), 0);
    // Not a waiting token of today, or no token at all.
    EXPECT_EQ(post(yesterday.code, "when=5").status, 404);
    EXPECT_EQ(post(QStringLiteral("A2"), "when=5").status, 404);
    // Not from a page of this server: refused before anything is read.
    EXPECT_EQ(post(mine.code, "when=5", "http://evil.example").status, 403);
    EXPECT_EQ(post(mine.code, "when=5", "").status, 403);
    EXPECT_EQ(httpGet(port, QStringLiteral("/t/") + mine.code + QStringLiteral("/alert")).status, 405);

    // A minute later the visitor's budget of changes is full again.
    monotonicMs += 60000;

    // Asked: back to the page, which shows the choice.
    HttpReply r = post(mine.code, "when=15&phone=%2B49+151-123+456+78");
    EXPECT_EQ(r.status, 303);
    EXPECT_EQ(r.header("location"), ("/t/" + mine.code).toLatin1());
    EXPECT_EQ(phoneOf(mine.key), QStringLiteral("+4915112345678"));
    r = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_TRUE(r.body.contains(
        "You will be told about 15 minutes before your turn. A text message will be sent too."))
        << r.body.constData();
    EXPECT_TRUE(r.body.contains("value=\"15\" checked"));
    EXPECT_FALSE(r.body.contains("value=\"10\" checked"));
    EXPECT_FALSE(r.body.contains("151")) << "the number is shown on no page";
    // Changed by the page's script: the ticket's state comes back; the number given before is kept.
    r = post(mine.code, "when=next&phone=", QByteArray(), true);
    EXPECT_EQ(r.status, 200);
    const QJsonObject state = QJsonDocument::fromJson(r.body).object();
    EXPECT_EQ(state.value(QStringLiteral("t")).toString(), QStringLiteral("ticket"));
    EXPECT_EQ(state.value(QStringLiteral("alert")).toObject().value(QStringLiteral("lead")).toString(),
              QStringLiteral("next"));
    EXPECT_EQ(state.value(QStringLiteral("alert")).toObject().value(QStringLiteral("status")).toString(),
              QStringLiteral("You will be told when you are next. A text message will be sent too."));
    EXPECT_EQ(phoneOf(mine.key), QStringLiteral("+4915112345678"));
    r = post(mine.code, "when=12", QByteArray(), true);
    EXPECT_EQ(r.status, 400);
    EXPECT_EQ(QJsonDocument::fromJson(r.body).object().value(QStringLiteral("error")).toString(),
              QStringLiteral("Choose 5, 10 or 15 minutes, or when you are next."));

    // Taken back (the take-back button is posted with the chosen lead): no alert, no number.
    EXPECT_EQ(post(mine.code, "when=next&when=off").status, 303);
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from brivane_alert")).number(0, 0), 0);
    EXPECT_EQ(env->db.query(QStringLiteral("select count(*) from brivane_phone")).number(0, 0), 0);
    r = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_TRUE(r.body.contains("<p id=\"alertStatus\" aria-live=\"polite\"></p>")) << r.body.constData();

    // Asked again, then the token ahead is called: the alert fires, and a page opened afterwards
    // shows it (no choice any more).
    EXPECT_EQ(post(mine.code, "when=next").status, 303);
    Session counter;
    callingtest::logInCounter(counter, env->db, hall.counter1);
    CallEngine engine(env->db, env->settings(), env->clock, counter);
    engine.callNext();
    server->pages().alerts().check();
    r = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_TRUE(r.body.contains("<div id=\"alertFired\" role=\"alert\">Your turn is near. Please come back "
                                "to the hall now.</div>"))
        << r.body.constData();
    EXPECT_TRUE(r.body.contains("<form id=\"alertForm\" method=\"post\" action=\"/t/" + mine.code.toLatin1() +
                                "/alert\" hidden>"));
    r = post(mine.code, "when=5");
    EXPECT_EQ(r.status, 409);
    EXPECT_TRUE(r.body.contains("The alert has already been given."));
    // Once called, the token asks for nothing more.
    engine.callNext();
    r = post(mine.code, "when=5");
    EXPECT_EQ(r.status, 409);
    EXPECT_TRUE(r.body.contains("This token is no longer waiting."));
    Q_UNUSED(ahead);

    // A visitor who posts again and again is told to wait.
    monotonicMs += 60000;
    int refused = 0;
    for (int i = 0; i < 12 && refused == 0; ++i) {
        r = post(mine.code, "when=5");
        refused = r.status == 429 ? i + 1 : 0;
    }
    EXPECT_GT(refused, 0);
    EXPECT_TRUE(r.body.contains("Too many changes"));
    EXPECT_FALSE(r.header("retry-after").isEmpty());
}

// The web server runs as a board: its login keeps the choice and fires the alert. A hall its owner
// has not opened since the alerts came has no tables for them: the page offers none and a post is
// told so, and everything else works on.
TEST_P(AlertFormTest, TheBoardLoginKeepsAlertsAndAHallWithoutTheirTablesOffersNone)
{
    issueTicket(*env, hall.consultation);
    const IssuedForWeb mine = issueTicket(*env, hall.consultation);
    if (GetParam() == Store::Postgres) {
        KindLogins logins(*env);
        if (logins.available()) {
            Database& board = logins.workstation(kinds::Kind::Board);
            WebConfig config;
            config.address = QHostAddress(QHostAddress::LocalHost);
            config.port = 0;
            server = std::make_unique<WebServer>(board, env->settings(), env->clock, feed, config);
            ASSERT_EQ(server->start(), QString());
            port = server->port();
            EXPECT_EQ(post(mine.code, "when=next&phone=0170555123").status, 303);
            EXPECT_EQ(phoneOf(mine.key), QStringLiteral("0170555123"));
            Session counter;
            callingtest::logInCounter(counter, env->db, hall.counter1);
            CallEngine(env->db, env->settings(), env->clock, counter).callNext();
            qint64 texted = 0;
            server->pages().alerts().textDue = [&](qint64 ticket) { texted = ticket; };
            EXPECT_EQ(server->pages().alerts().check(), QList<qint64>{mine.key});
            EXPECT_EQ(texted, mine.key);
            EXPECT_EQ(
                env->db.query(QStringLiteral("select sms from brivane_alert where tickauto=?"), {mine.key})
                    .text(0, 0),
                QStringLiteral("due"));
            EXPECT_EQ(post(mine.code, "when=off").status, 409); // fired: nothing to take back
            server.reset();
        }
    }

    alerttables::dropTables(env->db);
    startServer();
    const HttpReply page = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("<section id=\"alert\" hidden>")) << page.body.constData();
    const HttpReply refused = post(mine.code, "when=5", QByteArray(), true);
    EXPECT_EQ(refused.status, 503);
    EXPECT_EQ(QJsonDocument::fromJson(refused.body).object().value(QStringLiteral("error")).toString(),
              QStringLiteral("Alerts cannot be kept now. Please try again later."));
    EXPECT_TRUE(server->pages().alerts().check().isEmpty());
}

} // namespace

BRIVANE_STORE_TEST_SUITE(AlertFormTest);
