#include "WebTestSupport.h"
#include "testsupport/KindLogins.h"

#include <QProcess>
#include <QTextStream>

namespace {

// brivane-web on a PostgreSQL hall whose workstations connect with their kind's login: a board login
// is all it needs.
class WebKindLoginTest : public WebFixture
{
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        if (GetParam() == Store::Sqlite)
            GTEST_SKIP() << "an embedded hall has no kinds of workstation";
        logins = std::make_unique<KindLogins>(*env);
        if (!logins->available())
            GTEST_SKIP() << "the test server's role may not create roles";
    }
    void TearDown() override
    {
        server.reset();
        logins.reset();
        WebFixture::TearDown();
    }

    // The real program started with a connection file naming that login; its exit code and what it
    // told on stderr, or -1 when it was still serving after a while (then it is stopped).
    std::pair<int, QString> runProgram(const QString& login)
    {
        const QString pathFile = env->path(login + QStringLiteral(".txt"));
        ConnectionValues values;
        pgServerFromEnvironment(values);
        env->writeFile(login + QStringLiteral(".txt"),
                       QStringLiteral("%1;%2;%3;%4;\n")
                           .arg(values.host, logins->database(), login, QLatin1String(KindLogins::password))
                           .toUtf8());
        QProcess web;
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("BRIVANE_SETTINGS"), env->path(QStringLiteral("web.ini")));
        web.setProcessEnvironment(e);
        web.start(QStringLiteral(BRIVANE_WEB_PROGRAM),
                  {QStringLiteral("--path-file"), pathFile, QStringLiteral("--address"),
                   QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QStringLiteral("0")});
        QByteArray out;
        waitFor(
            [&] {
                out += web.readAllStandardOutput();
                return out.contains('\n') || web.state() == QProcess::NotRunning;
            },
            30000);
        if (web.state() != QProcess::NotRunning) {
            web.terminate();
            web.waitForFinished(10000);
            return {-1, QString::fromUtf8(out)};
        }
        return {web.exitCode(), QString::fromUtf8(web.readAllStandardError()).trimmed()};
    }

    std::unique_ptr<KindLogins> logins;
};

TEST_P(WebKindLoginTest, ABoardLoginServesTheBoardAndTheTicketPagesAndAKioskLoginIsTurnedAway)
{
    const IssuedForWeb mine = issueTicket(*env, hall.consultation);
    Database& board = logins->workstation(kinds::Kind::Board);
    WebConfig config;
    config.address = QHostAddress(QHostAddress::LocalHost);
    config.port = 0;
    server = std::make_unique<WebServer>(board, env->settings(), env->clock, feed, config);
    ASSERT_EQ(server->start(), QString());
    port = server->port();

    EXPECT_EQ(httpGet(port, QStringLiteral("/board?theme=Hall")).status, 200);
    const HttpReply look = httpGet(port, QStringLiteral("/api/board?theme=Hall"));
    EXPECT_EQ(look.status, 200);
    EXPECT_TRUE(look.body.contains("\"rows\"")) << look.body.constData();
    EXPECT_EQ(httpGet(port, QStringLiteral("/api/news")).status, 200);
    const HttpReply page = httpGet(port, QStringLiteral("/t/") + mine.code);
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains("<span id=\"token\">A1</span>")) << page.body.constData();
    server.reset();

    // The program itself: it serves as a board login, and turns a kiosk's away in its one sentence.
    const auto asBoard = runProgram(board.query(QStringLiteral("select current_user")).text(0, 0));
    EXPECT_EQ(asBoard.first, -1) << qPrintable(asBoard.second);
    EXPECT_TRUE(asBoard.second.startsWith(QLatin1String("brivane-web: http://127.0.0.1:")))
        << qPrintable(asBoard.second);
    // A login that may only read every table, as a hall's administrator may have made one for it.
    const QString reader = logins->makeLogin(QStringLiteral("webreader"));
    env->db.exec(QStringLiteral("grant select on all tables in schema public to %1").arg(reader));
    EXPECT_EQ(runProgram(reader).first, -1);
    const QString kiosk = logins->makeLogin(QStringLiteral("webkiosk"));
    ASSERT_EQ(kinds::grantKind(env->db, kinds::Kind::Kiosk, kiosk), QString());
    const auto asKiosk = runProgram(kiosk);
    EXPECT_EQ(asKiosk.first, 1);
    EXPECT_EQ(asKiosk.second, QStringLiteral("This workstation may only issue tokens"));
}

} // namespace

BRIVANE_STORE_TEST_SUITE(WebKindLoginTest);
