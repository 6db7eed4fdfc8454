// The ticket page and the board page as a screen reader and a zoomed-in reader meet them: headings,
// a live region that says each call, a title that follows the call, the database's loss told, axe-core
// finding no WCAG 2.2 A or AA violation in any state of either page, and a ticket page that reflows at
// 400 % zoom. Each check runs for every language a page is shown in.
#include "BrowserSupport.h"
#include "WebTestSupport.h"
#include "calling/CallEngine.h"
#include "calling/CallingSupport.h"
#include "tickets/PhoneJoin.h"
#include "ui/Language.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// A language the pages are shown in: its code (the page's lang) and its writing direction.
struct PageLanguage
{
    QString code;
    QString dir;
};

QList<PageLanguage> shippedLanguages()
{
    return {{QStringLiteral("en"), QStringLiteral("ltr")},
            {QStringLiteral("hi"), QStringLiteral("ltr")},
            {QStringLiteral("ar"), QStringLiteral("rtl")}};
}

// A page's text as it reads in that language.
QString word(const PageLanguage& language, const char* english)
{
    return Language(language.code).translate("WebPages", english);
}

// A waiting ticket whose page is in that language, as the kiosk stores the visitor's choice.
IssuedForWeb ticketIn(TestEnv& env, qint64 service, const PageLanguage& language)
{
    return issueTicketIn(env, service, language.code);
}

// The board's address for that language.
QString boardPath(const PageLanguage& language)
{
    return QStringLiteral("/board?theme=Hall&lang=") + language.code;
}

// axe.min.js as the set-up script keeps it (scripts/setup.sh), or the file BRIVANE_AXE names.
QString axeScript()
{
    const QString named = qEnvironmentVariable("BRIVANE_AXE");
    if (!named.isEmpty())
        return named;
    QString cache = qEnvironmentVariable("BRIVANE_CACHE");
    if (cache.isEmpty()) {
        const QString xdg = qEnvironmentVariable("XDG_CACHE_HOME");
        cache =
            (xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.cache") : xdg) + QStringLiteral("/brivane");
    }
    const QStringList versions =
        QDir(cache).entryList({QStringLiteral("axe-core-*")}, QDir::Dirs, QDir::Name | QDir::Reversed);
    return versions.isEmpty() ? QString()
                              : cache + QLatin1Char('/') + versions.first() + QStringLiteral("/axe.min.js");
}

class PagesAccessibility : public WebFixture
{
protected:
    void SetUp() override
    {
        WebFixture::SetUp();
        chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
        QFile axe(axeScript());
        if (axe.open(QIODevice::ReadOnly))
            axeSource = QString::fromUtf8(axe.readAll());
        if (chromium.isEmpty() || axeSource.isEmpty()) {
            // The set-up script installs both: a run that has been through it must not skip.
            ASSERT_TRUE(qEnvironmentVariableIsEmpty("CI")) << "chromium or axe-core is missing";
            GTEST_SKIP() << "chromium or axe-core is missing (scripts/setup.sh installs them)";
        }
        startServer();
    }

    // The page's WCAG 2.2 A and AA violations, one line each: the rule and the elements it found.
    QStringList violations(Chromium& browser)
    {
        // A new call flashes for a few seconds; the colours are judged as they stay.
        waitFor(
            [&] { return browser.evaluate(QStringLiteral("document.getAnimations().length")).toInt() == 0; },
            15000);
        if (browser.evaluate(QStringLiteral("typeof axe")).toString() != QLatin1String("object"))
            browser.evaluate(axeSource);
        const QJsonValue found = browser.evaluateAsync(QStringLiteral(
            "axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', "
            "'wcag22aa']}}).then(function (r) { return r.violations.map(function (v) { return v.id + ': ' + "
            "v.nodes.map(function (n) { return n.target.join(' ') + ' (' + n.any.concat(n.all).map(function "
            "(c) { "
            "return c.message; }).join(' ') + ')'; }).join(', '); }); })"));
        if (!found.isArray())
            return {QStringLiteral("axe-core did not run")};
        QStringList lines;
        for (const QJsonValue& v : found.toArray())
            lines << v.toString();
        return lines;
    }

    // Keeps a picture of the page when BRIVANE_SHOTS names a folder.
    void keepShot(Chromium& browser, const QString& name)
    {
        const QString folder = qEnvironmentVariable("BRIVANE_SHOTS");
        if (folder.isEmpty())
            return;
        QFile file(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        if (file.open(QIODevice::WriteOnly))
            file.write(browser.screenshot());
    }

    // The counter calls the next token and the feed shows the call, as the server's follower would.
    void callNext(CallEngine& engine, const Session& counter, qint64 stamp)
    {
        engine.callNext();
        const ResultSet rs = env->db.query(
            QStringLiteral("select callauto from tblCall where tickAuto=? order by callauto desc limit 1"),
            {engine.state.currentKey()});
        CallRow c;
        c.callAuto = rs.number(0, 0);
        c.counter = hall.counter1;
        c.ticket = engine.state.currentKey();
        c.label = engine.state.lblToken;
        c.stamp = stamp;
        c.displayName = counter.counterDisplayName;
        feed.add(c);
    }

    QString chromium;
    QString axeSource;
};

} // namespace

TEST_P(PagesAccessibility, TheTicketPageIsFollowedByAScreenReaderAndReflowsAt400Percent)
{
    for (const PageLanguage& language : shippedLanguages()) {
        SCOPED_TRACE(language.code.toStdString());
        const IssuedForWeb first = ticketIn(*env, hall.consultation, language);
        const IssuedForWeb mine = ticketIn(*env, hall.consultation, language);
        Chromium browser;
        ASSERT_EQ(browser.start(chromium, QStringLiteral("http://127.0.0.1:%1/t/%2").arg(port).arg(mine.code),
                                QSize(1280, 1024)),
                  QString());
        ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
                  QStringLiteral("1"));
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.documentElement.lang")).toString(),
                  language.code);
        EXPECT_EQ(browser.evaluate(QStringLiteral("getComputedStyle(document.documentElement).direction"))
                      .toString(),
                  language.dir);
        // One heading names the page's token; the call will be said by a live region.
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('h1').length")).toInt(), 1);
        EXPECT_TRUE(browser.evaluate(QStringLiteral("document.querySelector('h1').textContent"))
                        .toString()
                        .contains(mine.label));
        EXPECT_EQ(
            browser.evaluate(QStringLiteral("document.getElementById('spoken').getAttribute('aria-live')"))
                .toString(),
            QStringLiteral("assertive"));
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.title")).toString(), mine.label);
        EXPECT_EQ(violations(browser), QStringList()) << "waiting";

        // 400 % zoom of a 1280-pixel window: 320 CSS pixels wide, and nothing to scroll sideways.
        browser.emulateScreen(320, 256, 4, false);
        EXPECT_TRUE(waitFor(
            [&] {
                return browser
                    .evaluate(QStringLiteral("document.documentElement.scrollWidth <= "
                                             "document.documentElement.clientWidth"))
                    .toBool();
            },
            5000))
            << browser.evaluate(QStringLiteral("document.documentElement.scrollWidth")).toInt();
        EXPECT_EQ(browser.evaluate(QStringLiteral("window.innerWidth")).toInt(), 320);
        keepShot(browser, QStringLiteral("ticket-400-percent-") + language.code);
        // A phone.
        browser.emulateScreen(390, 844, 3, true);
        EXPECT_TRUE(browser
                        .evaluate(QStringLiteral("document.documentElement.scrollWidth <= "
                                                 "document.documentElement.clientWidth"))
                        .toBool());
        keepShot(browser, QStringLiteral("ticket-phone-") + language.code);

        // The call: the live region says where to go, and the title says it too.
        Session counter;
        callingtest::logInCounter(counter, env->db, hall.counter1);
        CallEngine engine(env->db, env->settings(), env->clock, counter);
        callNext(engine, counter, 100);
        ASSERT_EQ(engine.state.lblToken, first.label);
        callNext(engine, counter, 101);
        ASSERT_EQ(engine.state.lblToken, mine.label);
        const QString go = word(language, "Please go to") + QLatin1Char(' ') + counter.counterDisplayName;
        EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('spoken').textContent"), go),
                  go);
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.title")).toString(),
                  go + QStringLiteral(" \u2013 ") + mine.label);
        keepShot(browser, QStringLiteral("ticket-called-") + language.code);
        EXPECT_EQ(violations(browser), QStringList()) << "called";
        // A recall is said again: the region is emptied and filled anew.
        browser.evaluate(QStringLiteral("window.heard = []; new MutationObserver(function () { "
                                        "heard.push(document.getElementById('spoken').textContent); })"
                                        ".observe(document.getElementById('spoken'), {childList: true, "
                                        "characterData: true, subtree: true})"));
        engine.updateRc();
        const ResultSet rs = env->db.query(
            QStringLiteral("select callauto from tblCall where tickAuto=? order by callauto desc limit 1"),
            {engine.state.currentKey()});
        CallRow again;
        again.callAuto = rs.number(0, 0);
        again.counter = hall.counter1;
        again.ticket = engine.state.currentKey();
        again.label = mine.label;
        again.stamp = 102;
        again.displayName = counter.counterDisplayName;
        feed.add(again);
        EXPECT_TRUE(waitFor(
            [&] { return browser.evaluate(QStringLiteral("heard.join('|')")).toString().endsWith(go); }));

        // The server loses its database: the page says so, where a screen reader hears it.
        server->pages().setStoreReachable(false);
        EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('dbLost').hidden ? '' : "
                                                     "document.getElementById('dbLost').textContent"),
                                      word(language, "The server cannot reach the database")),
                  word(language, "The server cannot reach the database"));
        EXPECT_EQ(browser
                      .evaluate(QStringLiteral("document.getElementById('dbLost').closest('[role=status]') "
                                               "!== null"))
                      .toBool(),
                  true);
        EXPECT_EQ(violations(browser), QStringList()) << "database lost";
        server->pages().setStoreReachable(true);
        EXPECT_EQ(browser.waitForText(QStringLiteral("String(document.getElementById('dbLost').hidden)"),
                                      QStringLiteral("true")),
                  QStringLiteral("true"));
    }
}

TEST_P(PagesAccessibility, TheBoardPageSaysEachCallAndPassesAxe)
{
    for (const PageLanguage& language : shippedLanguages()) {
        SCOPED_TRACE(language.code.toStdString());
        ticketIn(*env, hall.consultation, language);
        Chromium browser;
        ASSERT_EQ(browser.start(chromium,
                                QStringLiteral("http://127.0.0.1:%1").arg(port) + boardPath(language),
                                QSize(1280, 720)),
                  QString());
        ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
                  QStringLiteral("1"));
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.documentElement.lang")).toString(),
                  language.code);
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelectorAll('h1').length")).toInt(), 1);
        EXPECT_EQ(violations(browser), QStringList()) << "empty board";

        Session counter;
        callingtest::logInCounter(counter, env->db, hall.counter1);
        CallEngine engine(env->db, env->settings(), env->clock, counter);
        callNext(engine, counter, 100);
        const QString words = engine.state.lblToken + QStringLiteral(": ") + word(language, "Please go to") +
                              QLatin1Char(' ') + counter.counterDisplayName;
        EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('spoken').textContent"), words),
                  words);
        EXPECT_TRUE(browser.evaluate(QStringLiteral("document.title")).toString().startsWith(words));
        EXPECT_EQ(violations(browser), QStringList()) << "a call shown";

        server->pages().setStoreReachable(false);
        EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('offline').hidden ? '' : "
                                                     "document.getElementById('offline').textContent"),
                                      word(language, "The server cannot reach the database")),
                  word(language, "The server cannot reach the database"));
        EXPECT_EQ(violations(browser), QStringList()) << "database lost";
        // At 400 % the board still fits its screen: the calls are never cut off sideways.
        browser.emulateScreen(320, 180, 4, false);
        EXPECT_TRUE(waitFor(
            [&] {
                return browser
                    .evaluate(QStringLiteral("document.documentElement.scrollWidth <= "
                                             "document.documentElement.clientWidth"))
                    .toBool();
            },
            5000));
        server->pages().setStoreReachable(true);
    }
}

// A visitor takes a token on the phone at /join and asks to be told when next; the counter calls the
// token before: the page shows
// the alert where a screen reader hears it, vibrates, and shows it again after a reload without
// ringing twice. The choice and the alert pass axe in every language; the phone's screen never
// scrolls sideways. (With BRIVANE_SHOTS set, the choice and the alert are kept as seen at 390×844.)
TEST_P(PagesAccessibility, AVisitorAsksToBeToldAndThePageAlertsWhenTheTurnIsNear)
{
    // Every vibration the page asks for, on each page load.
    const QString stub = QStringLiteral(
        "window.vibrated = []; Object.defineProperty(navigator, 'vibrate', {configurable: true, value: "
        "function (p) { window.vibrated.push(p); return true; }});");
    const auto fits = [](Chromium& browser) {
        return browser
            .evaluate(QStringLiteral("document.documentElement.scrollWidth <= "
                                     "document.documentElement.clientWidth"))
            .toBool();
    };
    const QString fired = QStringLiteral("document.getElementById('alertFired').textContent");
    phonejoin::setOpen(env->db, hall.consultation, true);
    for (const PageLanguage& language : shippedLanguages()) {
        SCOPED_TRACE(language.code.toStdString());
        // Someone took a token at the kiosk; the visitor takes the next one from the phone.
        const IssuedForWeb first = ticketIn(*env, hall.consultation, language);
        Chromium browser;
        ASSERT_EQ(browser.start(chromium, QStringLiteral("about:blank"), QSize(390, 844)), QString());
        browser.command(QStringLiteral("Page.enable"), {});
        browser.command(QStringLiteral("Page.addScriptToEvaluateOnNewDocument"),
                        {{QStringLiteral("source"), stub}});
        browser.emulateScreen(390, 844, 1, true);
        browser.navigate(QStringLiteral("http://127.0.0.1:%1/join?lang=%2").arg(port).arg(language.code));
        ASSERT_TRUE(waitFor([&] {
            return browser.evaluate(QStringLiteral("!!document.querySelector('#services button')")).toBool();
        }));
        browser.evaluate(QStringLiteral("document.querySelector('#services button').click(); 'tapped'"));
        ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
                  QStringLiteral("1"));
        const QString path = browser.evaluate(QStringLiteral("location.pathname")).toString();
        ASSERT_TRUE(path.startsWith(QStringLiteral("/t/"))) << path.toStdString();
        const ResultSet joined =
            env->db.query(QStringLiteral("select no_abr from tblTicket where webcode=?"), {path.mid(3)});
        ASSERT_EQ(joined.size(), 1);
        const QString mine = joined.text(0, 0);
        const QString address = QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path);
        // Every choice is a labelled control of one group.
        EXPECT_EQ(browser
                      .evaluate(QStringLiteral("document.querySelectorAll('#alert fieldset input[name=when]')"
                                               ".length"))
                      .toInt(),
                  4);
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('phone').labels.length")).toInt(),
                  1);
        EXPECT_EQ(
            browser.evaluate(QStringLiteral("document.getElementById('alertFired').getAttribute('role')"))
                .toString(),
            QStringLiteral("alert"));
        EXPECT_TRUE(fits(browser));
        keepShot(browser, QStringLiteral("alert-form-") + language.code);
        EXPECT_EQ(violations(browser), QStringList()) << "the choice";

        // A number that is none is refused on the page, in its language.
        browser.evaluate(QStringLiteral("document.getElementById('phone').value = '0170/55'; "
                                        "document.getElementById('alertAsk').click(); 'sent'"));
        const QString badPhone =
            word(language, "This is not a phone number: use digits only, with + in front "
                           "for another country.");
        EXPECT_EQ(browser.waitForText(QStringLiteral("document.getElementById('alertError').hidden ? '' : "
                                                     "document.getElementById('alertError').textContent"),
                                      badPhone),
                  badPhone);
        browser.evaluate(QStringLiteral("document.getElementById('phone').value = ''; "
                                        "document.querySelector('input[name=when][value=next]').click(); "
                                        "document.getElementById('alertAsk').click(); 'sent'"));
        const QString told = word(language, "You will be told when you are next.");
        EXPECT_EQ(
            browser.waitForText(QStringLiteral("document.getElementById('alertStatus').textContent"), told),
            told);
        EXPECT_TRUE(
            browser.evaluate(QStringLiteral("document.getElementById('alertError').hidden")).toBool());
        EXPECT_FALSE(browser.evaluate(QStringLiteral("document.getElementById('alertOff').hidden")).toBool());
        EXPECT_EQ(browser.evaluate(QStringLiteral("window.vibrated.length")).toInt(), 0);

        // The counter calls the token ahead: nobody is ahead any more, and the page alerts.
        Session counter;
        callingtest::logInCounter(counter, env->db, hall.counter1);
        CallEngine engine(env->db, env->settings(), env->clock, counter);
        callNext(engine, counter, 200);
        ASSERT_EQ(engine.state.lblToken, first.label);
        const QString near = word(language, "Your turn is near. Please come back to the hall now.");
        EXPECT_EQ(browser.waitForText(fired, near), near);
        EXPECT_TRUE(waitFor([&] {
            return browser.evaluate(QStringLiteral("window.vibrated.length")).toInt() == 1;
        })) << browser.evaluate(QStringLiteral("JSON.stringify(window.vibrated) + typeof navigator.vibrate"))
                   .toString()
                   .toStdString();
        EXPECT_TRUE(browser.evaluate(QStringLiteral("document.getElementById('alertForm').hidden")).toBool());
        EXPECT_TRUE(fits(browser));
        keepShot(browser, QStringLiteral("alert-fired-") + language.code);
        EXPECT_EQ(violations(browser), QStringList()) << "the alert";

        // Opened again: the alert is still shown, and the phone does not ring a second time.
        browser.navigate(address);
        ASSERT_EQ(browser.waitForText(QStringLiteral("document.body.dataset.live"), QStringLiteral("1")),
                  QStringLiteral("1"));
        EXPECT_EQ(browser.evaluate(fired).toString(), near);
        EXPECT_EQ(browser.evaluate(QStringLiteral("window.vibrated.length")).toInt(), 0);

        // Called: the call box says it all.
        callNext(engine, counter, 201);
        ASSERT_EQ(engine.state.lblToken, mine);
        EXPECT_EQ(
            browser.waitForText(QStringLiteral("getComputedStyle(document.getElementById('alert')).display"),
                                QStringLiteral("none")),
            QStringLiteral("none"));
        EXPECT_EQ(
            browser
                .evaluate(QStringLiteral("getComputedStyle(document.getElementById('alertFired')).display"))
                .toString(),
            QStringLiteral("none"));
    }
}

// A visitor on a phone (390 x 844) takes a token from /join: the page passes axe in every language, fits
// the phone, and a tap on a service opens the new token's page in that language. The scripts are switched
// off: the page is a plain form. (With BRIVANE_SHOTS set, the pages are kept as pictures.)
TEST_P(PagesAccessibility, APhoneTakesATokenFromTheJoinPage)
{
    phonejoin::setOpen(env->db, hall.consultation, true);
    phonejoin::setOpen(env->db, hall.lab, true);
    issueTicket(*env, hall.consultation);
    const auto scripts = [](Chromium& browser, bool on) {
        browser.command(QStringLiteral("Emulation.setScriptExecutionDisabled"),
                        {{QStringLiteral("value"), !on}});
    };
    const auto openJoin = [&](Chromium& browser, const PageLanguage& language) {
        browser.navigate(QStringLiteral("http://127.0.0.1:%1/join?lang=%2").arg(port).arg(language.code));
        return waitFor([&] {
            return browser.evaluate(QStringLiteral("document.querySelectorAll('#services button').length"))
                       .toInt() == 2;
        });
    };
    for (const PageLanguage& language : shippedLanguages()) {
        SCOPED_TRACE(language.code.toStdString());
        Chromium browser;
        ASSERT_EQ(browser.start(chromium, QStringLiteral("about:blank"), QSize(390, 844)), QString());
        browser.emulateScreen(390, 844, 3, true);
        scripts(browser, false);
        ASSERT_TRUE(openJoin(browser, language));
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.documentElement.lang")).toString(),
                  language.code);
        EXPECT_EQ(browser.evaluate(QStringLiteral("getComputedStyle(document.documentElement).direction"))
                      .toString(),
                  language.dir);
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.querySelector('h1').textContent")).toString(),
                  word(language, "Take a token"));
        EXPECT_TRUE(browser
                        .evaluate(QStringLiteral("document.documentElement.scrollWidth <= "
                                                 "document.documentElement.clientWidth"))
                        .toBool());
        // Each button is large enough to tap.
        EXPECT_GE(browser
                      .evaluate(QStringLiteral(
                          "document.querySelector('#services button').getBoundingClientRect().height"))
                      .toDouble(),
                  44.0);
        keepShot(browser, QStringLiteral("join-phone-") + language.code);
        scripts(browser, true);
        EXPECT_EQ(violations(browser), QStringList()) << "join page";
        scripts(browser, false);

        // The tap on the first service (by name: Consultation) opens its token's page.
        browser.evaluate(QStringLiteral("document.querySelector('#services button').click(); 'tapped'"));
        ASSERT_TRUE(waitFor(
            [&] {
                return browser.evaluate(QStringLiteral("location.pathname"))
                           .toString()
                           .startsWith(QStringLiteral("/t/")) &&
                       browser.evaluate(QStringLiteral("!!document.getElementById('token')")).toBool();
            },
            15000));
        const QString code = browser.evaluate(QStringLiteral("location.pathname")).toString().mid(3);
        const ResultSet rs = env->db.query(
            QStringLiteral("select no_abr, origin, lang from tblTicket where webcode=?"), {code});
        ASSERT_EQ(rs.size(), 1);
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.getElementById('token').textContent")).toString(),
                  rs.text(0, 0));
        EXPECT_EQ(rs.text(0, 1), QStringLiteral("phone"));
        EXPECT_EQ(rs.text(0, 2), language.code);
        EXPECT_EQ(browser.evaluate(QStringLiteral("document.documentElement.lang")).toString(),
                  language.code);
        keepShot(browser, QStringLiteral("join-ticket-") + language.code);

        // Back on the page, the same phone is pointed to its token.
        ASSERT_TRUE(openJoin(browser, language));
        browser.evaluate(QStringLiteral("document.querySelector('#services button').click(); 'tapped'"));
        ASSERT_TRUE(waitFor([&] {
            return browser.evaluate(QStringLiteral("!!document.querySelector('#message a')")).toBool();
        }));
        EXPECT_EQ(
            browser.evaluate(QStringLiteral("document.querySelector('#message a').getAttribute('href')"))
                .toString(),
            QStringLiteral("/t/") + code);
        keepShot(browser, QStringLiteral("join-again-") + language.code);
        scripts(browser, true);
        EXPECT_EQ(violations(browser), QStringList()) << "refused";
    }
}

BRIVANE_STORE_TEST_SUITE(PagesAccessibility);
