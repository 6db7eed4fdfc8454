#include "WebTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QWebSocket>

namespace {

QByteArray post(quint16 port, const QByteArray& path, const QByteArray& body, const QByteArray& origin,
                const QByteArray& more = QByteArray())
{
    QByteArray r =
        "POST " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
        "\r\nConnection: close\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
        QByteArray::number(body.size()) + "\r\n";
    if (!origin.isEmpty())
        r += "Origin: " + origin + "\r\n";
    return r + more + "\r\n" + body;
}

QByteArray getWithCookie(quint16 port, const QByteArray& path, const QByteArray& cookie)
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
           "\r\nConnection: close\r\nCookie: " + cookie + "\r\n\r\n";
}

// "brivane_staff=ID" of a Set-Cookie value.
QByteArray cookieOf(const HttpReply& r)
{
    return r.header("set-cookie").split(';').value(0);
}

struct StaffSocket
{
    QWebSocket socket;
    QVector<QJsonObject> messages;
    bool closed = false;
    StaffSocket(quint16 port, const QByteArray& cookie)
    {
        QObject::connect(&socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            messages.append(QJsonDocument::fromJson(m.toUtf8()).object());
        });
        QObject::connect(&socket, &QWebSocket::disconnected, [this] { closed = true; });
        QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/manager/ws").arg(port)));
        request.setRawHeader("Origin", "http://127.0.0.1:" + QByteArray::number(port));
        request.setRawHeader("Cookie", cookie);
        socket.open(request);
    }
    // The latest hall message's row of that service.
    QStringList row(const QString& service) const
    {
        for (auto m = messages.crbegin(); m != messages.crend(); ++m) {
            if (m->value(QStringLiteral("kind")).toString() != QLatin1String("hall"))
                continue;
            for (const QJsonValue& r : m->value(QStringLiteral("rows")).toArray()) {
                QStringList cells;
                for (const QJsonValue& c : r.toObject().value(QStringLiteral("cells")).toArray())
                    cells.append(c.toString());
                if (cells.value(0) == service)
                    return cells;
            }
        }
        return {};
    }
};

} // namespace

class StaffPageTest : public WebFixture
{
};

// The staff page shows nothing of the hall without a session. A log-in from another site is refused;
// a wrong password makes the next try wait, growing; the right one gives a day's session in a cookie
// the page's scripts cannot read; the page is pushed the figures as the hall changes; log-out ends it.
TEST_P(StaffPageTest, LogInWrongPasswordWaitsSessionAndLogOut)
{
    startServer();
    const QByteArray origin = "http://127.0.0.1:" + QByteArray::number(port);
    HttpReply r = httpGet(port, QStringLiteral("/manager"));
    EXPECT_EQ(r.status, 200);
    EXPECT_TRUE(r.body.contains("action=\"/manager/login\""));
    EXPECT_FALSE(r.body.contains("Consultation"));
    EXPECT_TRUE(r.header("content-security-policy").contains("form-action 'self'"));

    // Not from the page itself: refused before the password is looked at.
    EXPECT_EQ(httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", "http://evil.example"))
                  .status,
              403);
    EXPECT_EQ(httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", QByteArray())).status,
              403);
    // A form body over the limit, and a body on any other path, are refused unread.
    EXPECT_EQ(httpRaw(port, post(port, "/manager/login", QByteArray(5000, 'x'), origin)).status, 413);
    EXPECT_EQ(httpRaw(port, post(port, "/api/board", "a=b", origin)).status, 405);

    r = httpRaw(port, post(port, "/manager/login", "user=admin&password=wrong", origin));
    EXPECT_EQ(r.status, 403);
    EXPECT_TRUE(r.body.contains("Wrong user name or password."));
    // Even the right password waits its turn: 1 s after one wrong try, 2 s after two.
    r = httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", origin));
    EXPECT_EQ(r.status, 429);
    EXPECT_TRUE(r.body.contains("wait 1 s")) << r.body.constData();
    env->clock.advanceSecs(1);
    endLoginWaits(env->db); // the database's own waits run on the server's clock
    EXPECT_EQ(httpRaw(port, post(port, "/manager/login", "user=admin&password=wrong", origin)).status, 403);
    env->clock.advanceSecs(1);
    endLoginWaits(env->db); // the database's own waits run on the server's clock
    r = httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", origin));
    EXPECT_EQ(r.status, 429);
    EXPECT_EQ(r.header("retry-after"), "1");
    env->clock.advanceSecs(1);
    endLoginWaits(env->db); // the database's own waits run on the server's clock
    // A counter operator is no administrator.
    EXPECT_EQ(httpRaw(port, post(port, "/manager/login", "user=op1&password=pw", origin)).status, 403);
    env->clock.advanceSecs(30);
    endLoginWaits(env->db);

    r = httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", origin));
    ASSERT_EQ(r.status, 303);
    EXPECT_EQ(r.header("location"), "/manager");
    const QByteArray setCookie = r.header("set-cookie");
    EXPECT_TRUE(setCookie.contains("; HttpOnly")) << setCookie.constData();
    EXPECT_TRUE(setCookie.contains("; SameSite=Strict"));
    EXPECT_TRUE(setCookie.contains("; Max-Age=86400"));
    EXPECT_FALSE(setCookie.contains("Secure"));
    const QByteArray cookie = cookieOf(r);
    EXPECT_GE(cookie.size(), 40);

    // Behind a TLS proxy the cookie is for TLS only; each log-in gets a session of its own.
    r = httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", origin,
                           "X-Forwarded-Proto: https\r\n"));
    EXPECT_TRUE(r.header("set-cookie").endsWith("; Secure"));
    EXPECT_NE(cookieOf(r), cookie);

    r = httpRaw(port, getWithCookie(port, "/manager", cookie));
    EXPECT_TRUE(r.body.contains("/static/manager.js"));
    EXPECT_TRUE(r.body.contains("/manager/logout"));
    EXPECT_EQ(
        httpRaw(port, getWithCookie(port, "/manager", "brivane_staff=guessed")).body.contains("manager.js"),
        false);

    // The figures come over the page's pushed connection, and again within a second of an issue.
    StaffSocket page(port, cookie);
    ASSERT_TRUE(waitFor([&] { return !page.row(QStringLiteral("Consultation")).isEmpty(); }));
    EXPECT_EQ(page.row(QStringLiteral("Consultation")).value(1), QStringLiteral("0"));
    issueTicket(*env, hall.consultation);
    QElapsedTimer shown;
    shown.start();
    ASSERT_TRUE(
        waitFor([&] { return page.row(QStringLiteral("Consultation")).value(1) == QLatin1String("1"); }));
    EXPECT_LT(shown.elapsed(), 1000);
    // Without the session's cookie, no figures.
    StaffSocket stranger(port, "brivane_staff=guessed");
    EXPECT_TRUE(waitFor([&] { return stranger.closed; }));
    EXPECT_TRUE(stranger.messages.isEmpty());

    r = httpRaw(port, post(port, "/manager/logout", QByteArray(), origin, "Cookie: " + cookie + "\r\n"));
    EXPECT_EQ(r.status, 303);
    EXPECT_TRUE(r.header("set-cookie").contains("Max-Age=0"));
    EXPECT_TRUE(waitFor([&] { return page.closed; }));
    EXPECT_FALSE(httpRaw(port, getWithCookie(port, "/manager", cookie)).body.contains("manager.js"));

    // A session ends a day after it began.
    r = httpRaw(port, post(port, "/manager/login", "user=admin&password=secret", origin));
    const QByteArray second = cookieOf(r);
    EXPECT_TRUE(httpRaw(port, getWithCookie(port, "/manager", second)).body.contains("manager.js"));
    monotonicMs += 86400000;
    EXPECT_FALSE(httpRaw(port, getWithCookie(port, "/manager", second)).body.contains("manager.js"));
}

// With an address of its own the staff page is there only, and the visitors' address knows nothing of it.
TEST_P(StaffPageTest, AStaffAddressOfItsOwn)
{
    WebConfig config;
    config.staffAddress = QHostAddress(QHostAddress::LocalHost);
    config.staffPort = 0;
    startServer(1000, 100000, config);
    const quint16 staff = server->staffPort();
    ASSERT_NE(staff, 0);
    ASSERT_NE(staff, port);
    EXPECT_EQ(httpGet(port, QStringLiteral("/manager")).status, 404);
    EXPECT_EQ(httpRaw(port, post(port, "/manager/login", "user=admin&password=secret",
                                 "http://127.0.0.1:" + QByteArray::number(port)))
                  .status,
              404);
    EXPECT_EQ(httpGet(staff, QStringLiteral("/manager")).status, 200);
    EXPECT_EQ(httpGet(staff, QStringLiteral("/board")).status, 404);
    EXPECT_EQ(httpGet(staff, QStringLiteral("/static/manager.css")).status, 200);
    const HttpReply r = httpRaw(staff, post(staff, "/manager/login", "user=admin&password=secret",
                                            "http://127.0.0.1:" + QByteArray::number(staff)));
    EXPECT_EQ(r.status, 303);

    WebConfig bad;
    QStringList args{QStringLiteral("--staff-listen"), QStringLiteral("10.0.0.1")};
    EXPECT_FALSE(bad.applyOptions(args).isEmpty());
    args = {QStringLiteral("--staff-listen"), QStringLiteral("[::1]:8081")};
    EXPECT_EQ(bad.applyOptions(args), QString());
    EXPECT_EQ(bad.staffPort, 8081);
    EXPECT_EQ(bad.staffAddress, QHostAddress(QHostAddress::LocalHostIPv6));
}

BRIVANE_STORE_TEST_SUITE(StaffPageTest);
