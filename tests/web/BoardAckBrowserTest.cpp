// A hall's TV running the web board in a real browser: each call it draws is recorded for its screen,
// and the listing of the day's calls names it beside a screen that missed the call.
#include "BrowserSupport.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "core/CallDelivery.h"
#include "core/ConnectionFiles.h"
#include "testsupport/CommandRun.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

class BoardAckBrowserTest : public StoreTest
{
protected:
    QStringList screensThatShowed(qint64 callAuto)
    {
        const ResultSet rs = env->db.query(
            QStringLiteral("select screen from brivane_shown where callauto=? order by screen"), {callAuto});
        QStringList names;
        for (int i = 0; i < rs.size(); ++i)
            names.append(rs.text(i, 0));
        return names;
    }
    qint64 lastCall()
    {
        return env->db.query(QStringLiteral("select max(callauto) from tblCall")).number(0, 0);
    }
};

TEST_P(BoardAckBrowserTest, ATvsBoardPageRecordsTheCallsItShowsAndTheListingNamesTheScreensThatMissedThem)
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
    const QString code = issueTicket(env, hall.consultation).code;
    // A second TV that is on but shows nothing (its browser hangs, say).
    delivery::announceScreen(env.db, env.clock, QStringLiteral("Hall TV 2"), delivery::ScreenKind::Web, {});

    WebProgram web;
    ASSERT_EQ(web.start(env.path(QStringLiteral("path.txt")), env.path(QStringLiteral("web.ini"))),
              QString());
    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(web.port);
    Chromium browser;
    ASSERT_EQ(browser.start(chromium, base + QStringLiteral("/board?theme=Hall&screen=Hall%20TV%201"),
                            QSize(1920, 1080)),
              QString());
    ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
              QStringLiteral("1"));

    // Counter 1 calls: the board draws the call and its screen has it on record.
    Session counter;
    callingtest::logInCounter(counter, env.db, hall.counter1);
    CallEngine engine(env.db, env.settings(), env.clock, counter);
    engine.callNext();
    ASSERT_EQ(engine.state.lblToken, QStringLiteral("A1"));
    const qint64 a1 = lastCall();
    EXPECT_EQ(browser.waitForText(
                  QStringLiteral("(document.querySelector('#rows tr.newest td.token')||{}).textContent"),
                  QStringLiteral("A1")),
              QStringLiteral("A1"));
    EXPECT_TRUE(waitFor([&] { return !screensThatShowed(a1).isEmpty(); }, 20000));
    EXPECT_EQ(screensThatShowed(a1), QStringList{QStringLiteral("Hall TV 1")});

    const QString shots = qEnvironmentVariable("BRIVANE_SHOT_DIR");
    if (!shots.isEmpty()) {
        QFile out(shots + QStringLiteral("/board-with-screen-name.png"));
        if (out.open(QIODevice::WriteOnly))
            out.write(browser.screenshot());
    }

    // The visitor's ticket page in the same browser hears of the next call and records nothing.
    browser.navigate(base + QStringLiteral("/t/") + code);
    ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
              QStringLiteral("1"));
    engine.callNext();
    ASSERT_EQ(engine.state.lblToken, QStringLiteral("A2"));
    EXPECT_EQ(browser.waitForText(QStringLiteral("String(document.getElementById('call').hidden)"),
                                  QStringLiteral("false")),
              QStringLiteral("false"));
    QTest::qWait(500);
    EXPECT_TRUE(screensThatShowed(lastCall()).isEmpty());

    // The day's listing: A1 shown on Hall TV 1 and missed on Hall TV 2.
    QString out, err;
    ASSERT_EQ(runCommand(env, QStringLiteral("calls"), {QStringLiteral("--delivery")}, out, err), 0)
        << qPrintable(err);
    QStringList a1Lines;
    for (const QString& line : out.split(QLatin1Char('\n'))) {
        if (line.startsWith(QString::number(a1) + QLatin1Char(',')))
            a1Lines.append(line.section(QLatin1Char(','), 5, 7));
    }
    EXPECT_EQ(a1Lines,
              (QStringList{QStringLiteral("Hall TV 1,web,shown"), QStringLiteral("Hall TV 2,web,missed")}))
        << qPrintable(out);
}

} // namespace

BRIVANE_STORE_TEST_SUITE(BoardAckBrowserTest);
