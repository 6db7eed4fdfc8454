#include "FakeScreens.h"
#include "core/MDI.h"
#include "core/frmLogin.h"
#include "core/frmSql.h"
#include "testsupport/StoreOutage.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <functional>

namespace {

// Lets the connection screen's look for the server run until it reports.
bool waitForRestore(frmSql& sql, QSignalSpy& restored, int ms = 30000)
{
    QElapsedTimer t;
    t.start();
    sql.retryNow();
    while (restored.isEmpty() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!sql.tmrRetry->isActive() && restored.isEmpty() && !sql.lblReason->isHidden())
            sql.retryNow();
    }
    return !restored.isEmpty();
}

bool plain(const QString& text)
{
    return !text.contains(QStringLiteral("object is closed")) && !text.isEmpty();
}

QList<QPointer<MDI>> mainWindows()
{
    QList<QPointer<MDI>> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* mdi = qobject_cast<MDI*>(w); mdi && mdi->isVisible())
            shown.append(mdi);
    }
    return shown;
}

// The log-in window as the program opens it (deleted when closed), with the administrator's log-in
// typed.
QPointer<frmLogin> openLogin(TestEnv& env)
{
    auto* login = new frmLogin(*env.ctx);
    login->setAttribute(Qt::WA_DeleteOnClose);
    login->show();
    login->optAdmin->setChecked(true);
    login->txtUser->setText(QStringLiteral("admin"));
    login->txtPass->setText(QStringLiteral("secret"));
    return login;
}

// Presses Login while the store is away and keeps its message open; `bringBack` makes the store
// answer again while the message is open. The connection screen's look then finds it, and the log-in
// goes through by itself and closes the log-in window under its own message. Checks that the window
// lives until the message has returned, that the message ends with its window, and that exactly one
// main window opens.
void pressLoginAndBringTheStoreBackWhileItsMessageIsOpen(TestEnv& env, const std::function<void()>& bringBack)
{
    QPointer<frmLogin> login = openLogin(env);
    ASSERT_TRUE(env.screens.existing(QStringLiteral("connect"))) << "the connection screen is up";
    bool broughtBack = false;
    env.dialogs.holdNextMessageOpen(
        [&] {
            if (!broughtBack) {
                broughtBack = true;
                bringBack();
            }
            return false; // only its window closing ends it
        },
        30000);
    login->Command1->click();

    EXPECT_TRUE(broughtBack);
    EXPECT_EQ(env.dialogs.endedByTheirWindow, 1) << "the message ends when its window is replaced";
    EXPECT_TRUE(plain(env.dialogs.shown().first().text)) << env.dialogs.shown().first().text.toStdString();
    EXPECT_TRUE(env.session.loggedIn);
    EXPECT_TRUE(env.session.isAdmin);
    ASSERT_FALSE(login.isNull()) << "kept until the function that opened the message has returned";
    EXPECT_FALSE(login->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(login.isNull()) << "and deleted after that";
    const QList<QPointer<MDI>> shown = mainWindows();
    EXPECT_EQ(shown.size(), 1);
    for (const QPointer<MDI>& mdi : shown)
        delete mdi.data();
}

} // namespace

// A workstation that starts while its server is down logs in as soon as the server answers, without a
// restart: the connection screen notices by itself, and the remembered log-in then goes through.
TEST(LoginAfterOutage, ARememberedLogInGoesThroughOnceTheServerAnswers)
{
    outage::OwnServer server;
    if (!server.available())
        GTEST_SKIP() << "needs the PostgreSQL server programs and BRIVANE_PG";
    Database::setReopenPause(0);
    TestEnv env;
    registerFakeScreens(env);
    {
        Database setUp;
        setUp.open(server.values(), QString());
        setUp.recreateSchema();
        seedHall(setUp);
    }
    env.session.connection = server.values();
    env.db.close();
    Settings& s = env.settings();
    s.set(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Rem"), QStringLiteral("1"));
    s.set(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Name"), QStringLiteral("admin"));
    s.set(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Pass"), QStringLiteral("secret"));

    server.stop();
    auto* login = new frmLogin(*env.ctx);
    auto* sql = qobject_cast<frmSql*>(env.screens.existing(QStringLiteral("connect")));
    ASSERT_TRUE(sql) << "the connection screen comes up when the server does not answer";
    EXPECT_FALSE(sql->lblReason->isHidden());
    EXPECT_TRUE(sql->tmrRetry->isActive());

    // Login during the outage: a plain message, and the screen stays.
    EXPECT_EQ(login->Command1_Click(), nullptr);
    EXPECT_TRUE(plain(env.dialogs.last())) << env.dialogs.last().toStdString();
    // Test Connection says what it found, and Save without the password typed is refused.
    sql->Command2->click();
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Connection Failed\n")));
    EXPECT_TRUE(plain(env.dialogs.last()));

    server.resume();
    QSignalSpy restored(sql, &frmSql::connectionRestored);
    ASSERT_TRUE(waitForRestore(*sql, restored)) << sql->lblReason->text().toStdString();
    EXPECT_TRUE(sql->lblReason->isHidden());
    EXPECT_FALSE(sql->tmrRetry->isActive());
    // The log-in pressed during the outage went through by itself.
    EXPECT_TRUE(env.session.isAdmin);
    EXPECT_TRUE(env.session.loggedIn);
    QList<QPointer<MDI>> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* mdi = qobject_cast<MDI*>(w))
            shown.append(mdi);
    }
    EXPECT_EQ(shown.size(), 1);
    for (const QPointer<MDI>& mdi : shown)
        delete mdi.data();
    delete login;
    Database::setReopenPause(1000);
}

// The same on the embedded store: the file is missing at start (a share not mounted yet); once it is
// there, Login works without a restart.
TEST(LoginAfterOutage, LogInWorksOnceTheDatabaseFileIsThere)
{
    TestEnv env;
    registerFakeScreens(env);
    env.db.close();
    env.session.connection.host.clear();
    env.session.connection.database = QStringLiteral("later.db");
    auto login = std::make_unique<frmLogin>(*env.ctx);
    auto* sql = qobject_cast<frmSql*>(env.screens.existing(QStringLiteral("connect")));
    ASSERT_TRUE(sql);
    EXPECT_TRUE(sql->lblReason->text().contains(QStringLiteral("later.db")));
    EXPECT_FALSE(QFile::exists(env.path(QStringLiteral("later.db")))) << "nothing is created by looking";

    login->txtUser->setText(QStringLiteral("admin"));
    login->txtPass->setText(QStringLiteral("secret"));
    EXPECT_EQ(login->Command1_Click(), nullptr);
    EXPECT_TRUE(plain(env.dialogs.last()));
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("later.db"))) << env.dialogs.last().toStdString();

    {
        Database made;
        made.open(env.session.connection, env.dir.path());
        seedHall(made);
    }
    QWidget* shown = login->Command1_Click();
    ASSERT_NE(shown, nullptr) << env.dialogs.last().toStdString();
    EXPECT_TRUE(sql->lblReason->isHidden());
    delete shown;
}

// The morning after a power cut on the embedded store: Login is pressed before the database file is
// there, and its message is still open when the file appears.
TEST(LoginAfterOutage, TheDatabaseAppearsWhileTheLogInMessageIsOpen)
{
    TestEnv env;
    registerFakeScreens(env);
    env.db.close();
    env.session.connection.host.clear();
    env.session.connection.database = QStringLiteral("later.db");
    pressLoginAndBringTheStoreBackWhileItsMessageIsOpen(env, [&] {
        Database made;
        made.open(env.session.connection, env.dir.path());
        seedHall(made);
    });
}

// The same with the hall's server: it is stopped when Login is pressed and starts again while the
// message is open. This aborted the program ("free(): invalid pointer" in the log-in's destructor).
TEST(LoginAfterOutage, TheServerComesBackWhileTheLogInMessageIsOpen)
{
    outage::OwnServer server;
    if (!server.available())
        GTEST_SKIP() << "needs the PostgreSQL server programs and BRIVANE_PG";
    Database::setReopenPause(0);
    TestEnv env;
    registerFakeScreens(env);
    {
        Database setUp;
        setUp.open(server.values(), QString());
        setUp.recreateSchema();
        seedHall(setUp);
    }
    env.session.connection = server.values();
    env.db.close();
    server.stop();
    pressLoginAndBringTheStoreBackWhileItsMessageIsOpen(env, [&] { server.resume(); });
    Database::setReopenPause(1000);
}
