// brivane-web as a hall runs it, looked at by a real browser: the program on a database of its own,
// headless Chromium on its pages, and calls made by a counter while the pages stay open.
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

// A headless Chromium driven over its remote debugging protocol: the test reads the page's DOM while
// the page runs, so it sees a call arrive without a reload.
class Chromium
{
public:
    ~Chromium()
    {
        m_socket.close();
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString start(const QString& program, const QString& url, const QSize& window)
    {
        m_process.setProgram(program);
        m_process.setArguments(
            {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
             QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
             QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
             QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + m_profile.path(),
             QStringLiteral("--remote-debugging-port=0"),
             QStringLiteral("--window-size=%1,%2").arg(window.width()).arg(window.height()), url});
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice()); // its complaints about a missing D-Bus
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return QStringLiteral("chromium did not start");
        // The browser writes its debugging port into the profile folder once it listens.
        QFile portFile(m_profile.filePath(QStringLiteral("DevToolsActivePort")));
        if (!waitFor([&] { return portFile.exists() && portFile.size() > 0; }, 30000))
            return QStringLiteral("chromium opened no debugging port");
        portFile.open(QIODevice::ReadOnly);
        const quint16 port = quint16(portFile.readLine().trimmed().toUInt());
        QString socketUrl;
        waitFor(
            [&] {
                const QJsonArray targets =
                    QJsonDocument::fromJson(httpGet(port, QStringLiteral("/json/list")).body).array();
                for (const QJsonValue& t : targets) {
                    if (t.toObject().value(QStringLiteral("type")).toString() == QLatin1String("page"))
                        socketUrl = t.toObject().value(QStringLiteral("webSocketDebuggerUrl")).toString();
                }
                return !socketUrl.isEmpty();
            },
            30000);
        if (socketUrl.isEmpty())
            return QStringLiteral("chromium shows no page");
        QObject::connect(&m_socket, &QWebSocket::textMessageReceived, [this](const QString& m) {
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            if (o.contains(QStringLiteral("id")))
                m_replies.insert(o.value(QStringLiteral("id")).toInt(), o);
        });
        m_socket.open(QUrl(socketUrl));
        if (!waitFor([&] { return m_socket.state() == QAbstractSocket::ConnectedState; }, 10000))
            return QStringLiteral("no connection to the page");
        return QString();
    }

    QJsonObject command(const QString& method, const QJsonObject& params)
    {
        const int id = ++m_lastId;
        m_socket.sendTextMessage(
            QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("id"), id},
                                                        {QStringLiteral("method"), method},
                                                        {QStringLiteral("params"), params}})
                                  .toJson(QJsonDocument::Compact)));
        waitFor([&] { return m_replies.contains(id); }, 10000);
        return m_replies.take(id);
    }

    // The value of a JavaScript expression in the page.
    QJsonValue evaluate(const QString& expression)
    {
        const QJsonObject reply =
            command(QStringLiteral("Runtime.evaluate"),
                    {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}});
        return reply.value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("result"))
            .toObject()
            .value(QStringLiteral("value"));
    }

    // Waits until the expression gives that text; the last text it gave otherwise.
    QString waitForText(const QString& expression, const QString& wanted, int timeoutMs = 30000)
    {
        QString last;
        waitFor(
            [&] {
                last = evaluate(expression).toString();
                return last == wanted;
            },
            timeoutMs);
        return last;
    }

    void navigate(const QString& url)
    {
        command(QStringLiteral("Page.navigate"), {{QStringLiteral("url"), url}});
    }

    // Saves what the page shows as a PNG file, at that size of the window (a phone when `mobile`).
    void screenshot(const QString& file, const QSize& size, bool mobile)
    {
        command(QStringLiteral("Emulation.setDeviceMetricsOverride"),
                {{QStringLiteral("width"), size.width()},
                 {QStringLiteral("height"), size.height()},
                 {QStringLiteral("deviceScaleFactor"), 1},
                 {QStringLiteral("mobile"), mobile}});
        QTest::qWait(300);
        const QJsonObject reply = command(QStringLiteral("Page.captureScreenshot"), {});
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(QByteArray::fromBase64(reply.value(QStringLiteral("result"))
                                                 .toObject()
                                                 .value(QStringLiteral("data"))
                                                 .toString()
                                                 .toLatin1()));
    }

private:
    QTemporaryDir m_profile;
    QProcess m_process;
    QWebSocket m_socket;
    QHash<int, QJsonObject> m_replies;
    int m_lastId = 0;
};

// The brivane-web program on the test's database, on a free port of the loopback address.
class WebProgram
{
public:
    ~WebProgram()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(5000))
                m_process.kill();
        }
    }

    // The program finds the database as a workstation does: through a path.txt.
    QString start(const QString& pathFile, const QString& settingsFile, quint16 wantedPort = 0)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("BRIVANE_SETTINGS"), settingsFile);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(BRIVANE_WEB_PROGRAM),
                        {QStringLiteral("--path-file"), pathFile, QStringLiteral("--address"),
                         QStringLiteral("127.0.0.1"), QStringLiteral("--port"), QString::number(wantedPort)});
        // It prints its address once it listens.
        QByteArray line;
        waitFor(
            [&] {
                line += m_process.readAllStandardOutput();
                return line.contains('\n') || m_process.state() == QProcess::NotRunning;
            },
            30000);
        line = line.left(line.indexOf('\n')); // the address; the limits follow on a line of their own
        const int colon = int(line.lastIndexOf(':'));
        port = quint16(line.mid(colon + 1, line.indexOf('/', colon) - colon - 1).toUInt());
        return port ? QString() : QStringLiteral("brivane-web did not start: ") + QString::fromUtf8(line);
    }

    void stop()
    {
        m_process.terminate();
        m_process.waitForFinished(10000);
    }

    quint16 port = 0;

private:
    QProcess m_process;
};

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
        browser.screenshot(shots + QStringLiteral("/staff-1366x768.png"), QSize(1366, 768), false);
        browser.screenshot(shots + QStringLiteral("/staff-phone.png"), QSize(390, 844), true);
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
