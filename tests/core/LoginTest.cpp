#include "FakeScreens.h"
#include "core/FirstAdministrator.h"
#include "core/MDI.h"
#include "core/PasswordHash.h"
#include "core/frmLogin.h"
#include "core/frmSplash.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Queue = QStringLiteral("Queue");
const QString Login = QStringLiteral("Login");

struct LoginFixture : StoreTest
{
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        registerFakeScreens(*env);
    }
    std::unique_ptr<frmLogin> form() { return std::make_unique<frmLogin>(*env->ctx); }
    QString setting(const QString& key)
    {
        return env->settings().get(Queue, Login, key, QStringLiteral("<none>"));
    }
    Hall hall;
};

} // namespace

class LoginTest : public LoginFixture
{
};

TEST_P(LoginTest, AdministratorReachesTheMainWindowWithCallDisabled)
{
    // A hall with a display theme: the main window has no new hall to offer.
    env->db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("HR1")}});
    auto login = form();
    EXPECT_TRUE(login->optAdmin->isChecked());
    EXPECT_TRUE(login->cmbCounter->isHidden());
    QTest::keyClicks(login->txtUser, QStringLiteral("admin"));
    QTest::keyClicks(login->txtPass, QStringLiteral("secret"));
    login->txtPass->ensurePolished();
    EXPECT_EQ(login->txtPass->displayText(), QStringLiteral("******"));
    QWidget* shown = login->Command1_Click();
    auto* mdi = qobject_cast<MDI*>(shown);
    ASSERT_NE(mdi, nullptr);
    EXPECT_TRUE(env->session.isAdmin);
    EXPECT_EQ(env->session.adminUserId, hall.admin);
    EXPECT_FALSE(mdi->call->isEnabled());
    EXPECT_EQ(mdi->windowTitle(), QStringLiteral("Brivane"));
    EXPECT_TRUE(env->dialogs.shown().isEmpty()) << env->dialogs.last().toStdString();
    // Memorize was not ticked: name and password are forgotten, Rem stays as it was.
    EXPECT_EQ(setting(QStringLiteral("Name")), QString());
    EXPECT_EQ(setting(QStringLiteral("Pass")), QString());
    EXPECT_EQ(setting(QStringLiteral("Rem")), QStringLiteral("<none>"));
    mdi->close();
    delete mdi;
}

TEST_P(LoginTest, WrongPasswordsGetTheirMessagesAndTheScreenStays)
{
    auto login = form();
    login->txtUser->setText(QStringLiteral("admin"));
    login->txtPass->setText(QStringLiteral("wrong"));
    EXPECT_EQ(login->Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid username and password"));
    env->clock.advanceSecs(1); // the wait after a wrong password

    login->optCounter->click();
    login->cmbCounter->setCurrentText(QStringLiteral("Counter 1"));
    login->txtUser->setText(QStringLiteral("op2")); // op2 works at Counter 2, not 1
    login->txtPass->setText(QStringLiteral("pw"));
    EXPECT_EQ(login->Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid Username and Password"));
    EXPECT_FALSE(env->session.isAdmin);
    EXPECT_EQ(env->session.counterId, 0);
}

TEST_P(LoginTest, CounterLoginSetsEveryCounterValueAndRemembersIt)
{
    env->db.exec(QStringLiteral("update tblCounter set active='0' where cntAuto=?"), {hall.counter3});
    auto login = form();
    login->optCounter->click();
    EXPECT_FALSE(login->cmbCounter->isHidden());
    QStringList offered;
    for (int i = 0; i < login->cmbCounter->count(); ++i)
        offered << login->cmbCounter->itemText(i);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Counter 1"), QStringLiteral("Counter 2")}));
    login->cmbCounter->setCurrentIndex(1);
    login->txtUser->setText(QStringLiteral("op2"));
    login->txtPass->setText(QStringLiteral("pw"));
    login->chkRem->setChecked(true);
    QWidget* shown = login->Command1_Click();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->objectName(), QStringLiteral("frmCall"));
    const Session& s = env->session;
    EXPECT_FALSE(s.isAdmin);
    EXPECT_EQ(s.counterId, hall.counter2);
    EXPECT_EQ(s.servingCounterId, hall.counter2);
    EXPECT_EQ(s.serviceId, hall.consultation);
    EXPECT_EQ(s.counterNameA, QStringLiteral("Counter 2 (2)"));
    EXPECT_EQ(s.counterDisplayNameA, QStringLiteral("Room 2 (2)"));
    EXPECT_EQ(setting(QStringLiteral("type")), QStringLiteral("optCounter"));
    EXPECT_EQ(setting(QStringLiteral("Counter")), QStringLiteral("Counter 2"));
    EXPECT_EQ(setting(QStringLiteral("Rem")), QStringLiteral("1"));

    // The next start shows the remembered counter log-in.
    auto next = form();
    EXPECT_TRUE(next->optCounter->isChecked());
    EXPECT_FALSE(next->cmbCounter->isHidden());
    EXPECT_EQ(next->cmbCounter->currentText(), QStringLiteral("Counter 2"));
    EXPECT_EQ(next->txtUser->text(), QStringLiteral("op2"));
    EXPECT_EQ(next->txtPass->text(), QStringLiteral("pw"));
}

TEST_P(LoginTest, MemorizeOnThenOffLeavesTheBoxTickedWithEmptyFields)
{
    {
        auto login = form();
        login->txtUser->setText(QStringLiteral("admin"));
        login->txtPass->setText(QStringLiteral("secret"));
        login->chkRem->setChecked(true);
        delete login->Command1_Click();
        EXPECT_EQ(setting(QStringLiteral("Name")), QStringLiteral("admin"));
        EXPECT_EQ(setting(QStringLiteral("Pass")), QStringLiteral("secret"));
    }
    {
        auto login = form();
        EXPECT_TRUE(login->chkRem->isChecked());
        EXPECT_EQ(login->txtUser->text(), QStringLiteral("admin"));
        login->chkRem->setChecked(false);
        delete login->Command1_Click();
    }
    auto login = form();
    EXPECT_TRUE(login->chkRem->isChecked());
    EXPECT_EQ(login->txtUser->text(), QString());
    EXPECT_EQ(login->txtPass->text(), QString());
}

TEST_P(LoginTest, QuotesInNamesAndPasswordsJustWork)
{
    env->db.insert(QStringLiteral("tbluser"),
                   {{QStringLiteral("username"), QStringLiteral("O'Brien")},
                    {QStringLiteral("password"), QStringLiteral("it's ' or '1'='1")},
                    {QStringLiteral("userType"), QStringLiteral("Admin")}});
    auto login = form();
    login->txtUser->setText(QStringLiteral("O'Brien"));
    login->txtPass->setText(QStringLiteral("' or '1'='1"));
    EXPECT_EQ(login->Command1_Click(), nullptr);
    env->clock.advanceSecs(1);
    endLoginWaits(env->db);
    login->txtPass->setText(QStringLiteral("it's ' or '1'='1"));
    QWidget* mdi = login->Command1_Click();
    EXPECT_NE(mdi, nullptr);
    delete mdi;
}

TEST_P(LoginTest, EnterMovesThroughTheFieldsAndSubmits)
{
    auto login = form();
    login->show();
    login->txtUser->setFocus();
    login->txtUser->setText(QStringLiteral("admin"));
    QTest::keyClick(login->txtUser, Qt::Key_Return);
    EXPECT_TRUE(login->txtPass->hasFocus() || QApplication::focusWidget() == nullptr);
    login->txtPass->setText(QStringLiteral("nope"));
    QTest::keyClick(login->txtPass, Qt::Key_Return);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid username and password"));
}

TEST_P(LoginTest, AnEmptyUserTableOffersTheFirstAdministratorAndLogsInWithIt)
{
    env->db.exec(QStringLiteral("delete from tbluser"));
    auto login = form();
    login->show();
    ASSERT_TRUE(login->firstAdmin->isVisible());
    FirstAdminPanel* panel = login->firstAdmin;

    QTest::keyClicks(panel->txtNewUser, QStringLiteral("chief"));
    QTest::keyClicks(panel->txtNewPass, QStringLiteral("Hall-2024"));
    QTest::keyClicks(panel->txtNewPass2, QStringLiteral("Hall-2025"));
    QTest::mouseClick(panel->cmdCreate, Qt::LeftButton);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("The two passwords differ"));
    EXPECT_TRUE(env->db.query(QStringLiteral("select * from tbluser")).isEmpty());

    // Logging in before creating one says what to do.
    login->txtUser->setText(QStringLiteral("admin"));
    login->txtPass->setText(QStringLiteral("secret"));
    EXPECT_EQ(login->Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("There is no administrator yet: create the first one."));

    panel->txtNewPass2->clear();
    QTest::keyClicks(panel->txtNewPass2, QStringLiteral("Hall-2024"));
    QTest::keyClick(panel->txtNewPass2, Qt::Key_Return);
    const ResultSet users = env->db.query(QStringLiteral("select username,password,userType from tbluser"));
    ASSERT_EQ(users.size(), 1);
    EXPECT_EQ(users.text(0, 0), QStringLiteral("chief"));
    EXPECT_TRUE(passwords::matches(users.text(0, 1), QStringLiteral("Hall-2024")));
    EXPECT_TRUE(passwords::isHash(users.text(0, 1)));
    EXPECT_EQ(users.text(0, 2), QStringLiteral("Admin"));
    EXPECT_TRUE(env->session.isAdmin);
    MDI* mdi = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* m = qobject_cast<MDI*>(w); m && m->isVisible())
            mdi = m;
    }
    ASSERT_NE(mdi, nullptr);
    mdi->close();
    delete mdi;

    // Once a user exists nobody is offered to create one, and the logic refuses a late second.
    EXPECT_TRUE(form()->firstAdmin->isHidden());
    EXPECT_EQ(
        createFirstAdministrator(env->db, QStringLiteral("late"), QStringLiteral("x"), QStringLiteral("x")),
        QStringLiteral("An administrator exists already: log in with it"));
}

TEST_P(LoginTest, AutomaticStartWithARememberedAdministratorRunsTheDisplayMinimized)
{
    Settings& s = env->settings();
    s.set(Queue, Login, QStringLiteral("Rem"), QStringLiteral("1"));
    s.set(Queue, Login, QStringLiteral("type"), QStringLiteral("optAdmin"));
    s.set(Queue, Login, QStringLiteral("Name"), QStringLiteral("admin"));
    s.set(Queue, Login, QStringLiteral("Pass"), QStringLiteral("secret"));
    s.set(Queue, QStringLiteral("Display"), QStringLiteral("Auto"), QStringLiteral("1"));
    s.set(Queue, QStringLiteral("theme"), QStringLiteral("theme"), QStringLiteral("Hall"));
    env->db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Hall")}});

    frmSplash splash(*env->ctx);
    splash.Timer1_Timer();
    MDI* mdi = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* m = qobject_cast<MDI*>(w); m && m->isVisible())
            mdi = m;
    }
    ASSERT_NE(mdi, nullptr);
    EXPECT_TRUE(mdi->displayRunning());
    EXPECT_EQ(mdi->display->text(), QStringLiteral("Stop Display"));
    EXPECT_TRUE(mdi->isMinimized());
    EXPECT_EQ(FakeBoard::opened, 1);
    mdi->display_Click();
    mdi->close();
    delete mdi;
}

TEST_P(LoginTest, AutomaticStartWithARememberedCounterOpensOnlyTheCounterScreen)
{
    Settings& s = env->settings();
    s.set(Queue, Login, QStringLiteral("Rem"), QStringLiteral("1"));
    s.set(Queue, Login, QStringLiteral("type"), QStringLiteral("optCounter"));
    s.set(Queue, Login, QStringLiteral("Name"), QStringLiteral("op1"));
    s.set(Queue, Login, QStringLiteral("Pass"), QStringLiteral("pw"));
    s.set(Queue, Login, QStringLiteral("Counter"), QStringLiteral("Counter 1"));
    s.set(Queue, QStringLiteral("Display"), QStringLiteral("Auto"), QStringLiteral("1"));
    frmSplash splash(*env->ctx);
    splash.Timer1_Timer();
    EXPECT_EQ(env->session.counterId, hall.counter1);
    EXPECT_NE(env->screens.existing(QStringLiteral("frmCall")), nullptr);
    EXPECT_EQ(FakeBoard::opened, 0);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<MDI*>(w) && w->isVisible());
}

TEST_P(LoginTest, AutomaticStartWithNothingRememberedWaitsAtTheLogIn)
{
    env->settings().set(Queue, QStringLiteral("Display"), QStringLiteral("Auto"), QStringLiteral("1"));
    frmSplash splash(*env->ctx);
    QWidget* login = splash.Timer1_Timer();
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid username and password"));
    login->close();
}

TEST_P(LoginTest, LeavingTheLogInWithoutLoggingInEndsTheProgram)
{
    {
        auto login = form();
        login->show();
        login->Command2->click();
        EXPECT_TRUE(env->programEnded);
    }
    env->programEnded = false;
    {
        // The window's own close button, as the window manager sends it.
        auto login = form();
        login->show();
        QCloseEvent close;
        QCoreApplication::sendEvent(login.get(), &close);
        EXPECT_TRUE(env->programEnded);
    }
    env->programEnded = false;
    {
        // A log-in hands over to the main window; the program goes on.
        auto login = form();
        login->show();
        login->txtUser->setText(QStringLiteral("admin"));
        login->txtPass->setText(QStringLiteral("secret"));
        std::unique_ptr<QWidget> mdi(login->Command1_Click());
        ASSERT_NE(mdi, nullptr);
        EXPECT_FALSE(login->isVisible());
        EXPECT_FALSE(env->programEnded);
        mdi->close();
    }
}

BRIVANE_STORE_TEST_SUITE(LoginTest);
