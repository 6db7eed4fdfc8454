// brivane-web as a hall runs it, looked at by a real browser: the program on a database of its own,
// headless Chromium on its pages, and calls made by a counter while the pages stay open.
#include "BrowserSupport.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "core/ConnectionFiles.h"
#include "display/NewHall.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWebSocket>

namespace {

class BrowserTest : public StoreTest
{
};

// An administrator logs in on the staff page in a real browser: a wrong password is told on the form,
// the right one shows the hall's figures, which follow an issue without a reload; the page says when
// the server is gone; log-out brings the form back. (With BRIVANE_SHOT_DIR set, the page is saved as
// seen on a laptop and on a phone.)
TEST_P(BrowserTest, AnAdministratorLogsInOnTheStaffPageAndSeesTheHallNow)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    TestEnv& env = *this->env;
    env.writeFile(QStringLiteral("path.txt"), connectionFiles::pathLine(env.session.connection).toUtf8());
    env.clock.set(QDateTime::currentDateTime());
    const Hall hall = seedHall(env.db);
    env.db.exec(QStringLiteral("update tblService set targetpct=80, targetwait=10 where servAuto=?"),
                {hall.consultation});
    issueTicket(env, hall.consultation);

    WebProgram web;
    ASSERT_EQ(web.start(env.path(QStringLiteral("path.txt")), env.path(QStringLiteral("web.ini"))),
              QString());
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(web.port);
    Chromium browser;
    ASSERT_EQ(browser.start(chromium, base + QStringLiteral("/manager"), QSize(1366, 768)), QString());
    ASSERT_TRUE(waitFor(
        [&] { return browser.evaluate(QStringLiteral("!!document.getElementById('user')")).toBool(); }));
    EXPECT_FALSE(
        browser.evaluate(QStringLiteral("document.body.textContent.includes('Consultation')")).toBool());
    const QString logIn = QStringLiteral("document.getElementById('user').value = 'admin';"
                                         "document.getElementById('password').value = '%1';"
                                         "document.getElementById('login').submit(); 'sent'");

    browser.evaluate(logIn.arg(QStringLiteral("wrong")));
    EXPECT_EQ(browser.waitForText(QStringLiteral("(document.getElementById('message')||{}).textContent"),
                                  QStringLiteral("Wrong user name or password.")),
              QStringLiteral("Wrong user name or password."));
    QTest::qWait(1100); // the wait after one wrong try
    browser.evaluate(logIn.arg(QStringLiteral("secret")));
    const QString waiting = QStringLiteral(
        "(Array.from(document.querySelectorAll('#hall tbody tr')).find(r => r.cells[0].textContent == "
        "'Consultation') || {cells: [0, {}]}).cells[1].textContent");
    EXPECT_EQ(browser.waitForText(waiting, QStringLiteral("1")), QStringLiteral("1"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.cookie")).toString(), QString()); // HttpOnly
    browser.evaluate(QStringLiteral("window.sameLoad = 'yes'"));
    issueTicket(env, hall.consultation);
    EXPECT_EQ(browser.waitForText(waiting, QStringLiteral("2")), QStringLiteral("2"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("window.sameLoad")).toString(), QStringLiteral("yes"));

    const QString shots = qEnvironmentVariable("BRIVANE_SHOT_DIR");
    if (!shots.isEmpty()) {
        const auto save = [&](const QString& name, int width, int height, bool mobile) {
            browser.emulateScreen(width, height, 1, mobile);
            QTest::qWait(300);
            QFile out(shots + name);
            if (out.open(QIODevice::WriteOnly))
                out.write(browser.screenshot());
        };
        save(QStringLiteral("/staff-1366x768.png"), 1366, 768, false);
        save(QStringLiteral("/staff-phone.png"), 390, 844, true);
    }

    browser.evaluate(QStringLiteral("document.getElementById('logout').click(); 'out'"));
    EXPECT_TRUE(waitFor(
        [&] { return browser.evaluate(QStringLiteral("!!document.getElementById('login')")).toBool(); }));
    browser.navigate(base + QStringLiteral("/manager"));
    QTest::qWait(300);
    EXPECT_FALSE(
        browser.evaluate(QStringLiteral("document.body.textContent.includes('Consultation')")).toBool());

    // Logged in again, the page says so when the server goes away.
    browser.evaluate(logIn.arg(QStringLiteral("secret")));
    EXPECT_EQ(browser.waitForText(waiting, QStringLiteral("2")), QStringLiteral("2"));
    web.stop();
    EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('offline').hidden ? '' : "
                                                 "document.getElementById('offline').textContent"),
                                  QStringLiteral("No connection to the server")),
              QStringLiteral("No connection to the server"));
}

TEST_P(BrowserTest, ABoardAndATicketPageFollowTheCallsWithoutAReload)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    TestEnv& env = *this->env;
    env.writeFile(QStringLiteral("path.txt"), connectionFiles::pathLine(env.session.connection).toUtf8());
    // The program runs on the system clock: the hall's day is today.
    env.clock.set(QDateTime::currentDateTime());
    const Hall hall = seedHall(env.db);
    addTheme(env.db, {{QStringLiteral("rows"), 5}});
    issueTicket(env, hall.consultation);
    issueTicket(env, hall.consultation);
    const QString code3 = issueTicket(env, hall.consultation).code;

    WebProgram web;
    ASSERT_EQ(web.start(env.path(QStringLiteral("path.txt")), env.path(QStringLiteral("web.ini"))),
              QString());
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(web.port);

    Chromium browser;
    ASSERT_EQ(browser.start(chromium, base + QStringLiteral("/board?theme=Hall"), QSize(1920, 1080)),
              QString());
    ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('#rows tr').length")).toInt(), 5);
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('title').textContent")).toString(),
              QStringLiteral("Welcome"));
    EXPECT_TRUE(browser.evaluate(QStringLiteral("document.getElementById('offline').hidden")).toBool());
    browser.evaluate(QStringLiteral("window.sameLoad = 'yes'"));

    // Counter 1 calls the first token: the open board shows it on top, marked, in the same page load.
    Session counter;
    callingtest::logInCounter(counter, env.db, hall.counter1);
    CallEngine engine(env.db, env.settings(), env.clock, counter);
    engine.callNext();
    ASSERT_EQ(engine.state.lblToken, QStringLiteral("A1"));
    EXPECT_EQ(browser.waitForText(
                  QStringLiteral("(document.querySelector('#rows tr.newest td.token')||{}).textContent"),
                  QStringLiteral("A1")),
              QStringLiteral("A1"));
    EXPECT_EQ(
        browser.evaluate(QStringLiteral("document.querySelector('#rows tr.newest td.caption').textContent"))
            .toString(),
        counter.counterDisplayName);
    EXPECT_EQ(browser.evaluate(QStringLiteral("window.sameLoad")).toString(), QStringLiteral("yes"));

    // The server goes away: the board says so. A call made meanwhile comes when it is back, once.
    web.stop();
    EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('offline').hidden ? '' : "
                                                 "document.getElementById('offline').textContent"),
                                  QStringLiteral("No connection to the server")),
              QStringLiteral("No connection to the server"));
    engine.callNext();
    ASSERT_EQ(engine.state.lblToken, QStringLiteral("A2"));
    ASSERT_EQ(web.start(env.path(QStringLiteral("path.txt")), env.path(QStringLiteral("web.ini")), web.port),
              QString());
    const QString tokens =
        QStringLiteral("Array.from(document.querySelectorAll('#rows td.token')).map(function (td) "
                       "{ return td.textContent; }).join(',')");
    EXPECT_EQ(browser.waitForText(tokens, QStringLiteral("A2,A1,,,")), QStringLiteral("A2,A1,,,"));
    EXPECT_TRUE(browser.evaluate(QStringLiteral("document.getElementById('offline').hidden")).toBool());
    EXPECT_EQ(browser.evaluate(QStringLiteral("window.sameLoad")).toString(), QStringLiteral("yes"));

    // The third visitor's page, open before the call: it says where to go the moment it comes.
    browser.navigate(base + QStringLiteral("/t/") + code3);
    ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
              QStringLiteral("1"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('token').textContent")).toString(),
              QStringLiteral("A3"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('service').textContent")).toString(),
              QStringLiteral("Consultation"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('ahead').textContent")).toString(),
              QStringLiteral("0"));
    EXPECT_TRUE(browser.evaluate(QStringLiteral("document.getElementById('call').hidden")).toBool());
    browser.evaluate(QStringLiteral("window.sameLoad = 'ticket'"));
    engine.callNext();
    ASSERT_EQ(engine.state.lblToken, QStringLiteral("A3"));
    EXPECT_EQ(browser.waitForText(QStringLiteral("String(document.getElementById('call').hidden)"),
                                  QStringLiteral("false")),
              QStringLiteral("false"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('go').textContent")).toString(),
              QStringLiteral("Please go to"));
    EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('counter').textContent")).toString(),
              counter.counterDisplayName);
    const QString firstCall = browser.evaluate(QStringLiteral("document.body.dataset.call")).toString();
    EXPECT_FALSE(firstCall.isEmpty());

    // A recall shows again: the page takes it as a new call.
    engine.updateRc();
    EXPECT_TRUE(waitFor(
        [&] {
            const QString now = browser.evaluate(QStringLiteral("document.body.dataset.call")).toString();
            return !now.isEmpty() && now != firstCall;
        },
        30000));
    EXPECT_EQ(browser.evaluate(QStringLiteral("window.sameLoad")).toString(), QStringLiteral("ticket"));
}

// The ready hall's web board on 1920 x 1080: the capitals of its token labels, which the desktop
// board of the same theme matches or passes (BoardLook measures 77 pixels or more there).
TEST_P(BrowserTest, TheReadyHallsWebBoardTokensAreNoTallerThanTheDesktopBoards)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    TestEnv& env = *this->env;
    env.writeFile(QStringLiteral("path.txt"), connectionFiles::pathLine(env.session.connection).toUtf8());
    env.clock.set(QDateTime::currentDateTime());
    const Hall hall = seedHall(env.db);
    const newHall::Made made = newHall::setUp(env.db, QSize(1920, 1080), QFontDatabase::families());
    for (int i = 1; i <= 6; ++i)
        addCall(env.db, hall.counter1, QStringLiteral("A10%1").arg(i), QStringLiteral("Room 1"),
                env.clock.todayText());

    WebProgram web;
    ASSERT_EQ(web.start(env.path(QStringLiteral("path.txt")), env.path(QStringLiteral("web.ini"))),
              QString());
    Chromium browser;
    ASSERT_EQ(browser.start(chromium,
                            QStringLiteral("http://127.0.0.1:%1/board?theme=%2")
                                .arg(web.port)
                                .arg(QString::fromUtf8(QUrl::toPercentEncoding(made.themeName))),
                            QSize(1920, 1080)),
              QString());
    ASSERT_EQ(
        browser.waitForText(QStringLiteral("(document.querySelector('#rows td.token')||{}).textContent"),
                            QStringLiteral("A106")),
        QStringLiteral("A106"));
    const auto pixels = [&] {
        return browser
            .evaluate(QStringLiteral("parseFloat(getComputedStyle(document.querySelector('#rows "
                                     "td.token')).fontSize)"))
            .toDouble();
    };
    // Without news the band goes and the table has the most room: the letters at their largest.
    waitFor(
        [&] { return browser.evaluate(QStringLiteral("document.getElementById('news').hidden")).toBool(); });
    browser.evaluate(QStringLiteral("window.dispatchEvent(new Event('resize'))"));
    waitFor([&] { return pixels() > 20; });
    QFont token(QStringLiteral("Liberation Sans"));
    token.setBold(true);
    token.setPixelSize(qRound(pixels()));
    EXPECT_GT(QFontMetricsF(token).capHeight(), 60) << "a web board that fills the screen";
    EXPECT_LE(QFontMetricsF(token).capHeight(), 77) << pixels() << " px letters";
}

BRIVANE_STORE_TEST_SUITE(BrowserTest);

// The web server only reads the hall: a connection file naming a database that is not there is
// refused, and no empty database is made in its place.
TEST(WebProgramStart, AMissingDatabaseIsRefusedAndNotMade)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile path(dir.filePath(QStringLiteral("path.txt")));
    ASSERT_TRUE(path.open(QIODevice::WriteOnly));
    path.write(";hall.db;;;\n");
    path.close();
    QProcess web;
    web.start(QStringLiteral(BRIVANE_WEB_PROGRAM), {QStringLiteral("--path-file"), path.fileName(),
                                                    QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(web.waitForFinished(30000));
    EXPECT_EQ(web.exitCode(), 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("hall.db"))));
}

} // namespace
