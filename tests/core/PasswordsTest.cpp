#include "FakeScreens.h"
#include "core/PasswordHash.h"
#include "core/WrongTries.h"
#include "core/frmLogin.h"
#include "core/users/Credentials.h"
#include "testsupport/TestEnv.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

TEST(Passwords, HashesAreSaltedAndCheckedAndClearOnesStillMatchOnce)
{
    const QString a = passwords::hash(QStringLiteral("secret"));
    const QString b = passwords::hash(QStringLiteral("secret"));
    EXPECT_TRUE(a.startsWith(QStringLiteral("$argon2id$")));
    EXPECT_NE(a, b); // each hash has its own salt
    EXPECT_FALSE(a.contains(QStringLiteral("secret")));
    EXPECT_TRUE(passwords::matches(a, QStringLiteral("secret")));
    EXPECT_FALSE(passwords::matches(a, QStringLiteral("Secret")));
    EXPECT_FALSE(passwords::matches(a, QString()));
    EXPECT_FALSE(passwords::needsRehash(a));

    // Passwords an older version kept in clear: matched in full, and due for hashing.
    EXPECT_TRUE(passwords::matches(QStringLiteral("pw"), QStringLiteral("pw")));
    EXPECT_FALSE(passwords::matches(QStringLiteral("pw"), QStringLiteral("pw ")));
    EXPECT_FALSE(passwords::matches(QStringLiteral("pw"), QString()));
    EXPECT_TRUE(passwords::matches(QString(), QString()));
    EXPECT_TRUE(passwords::needsRehash(QStringLiteral("pw")));

    // An empty password is hashed too, and non-ASCII ones keep every character.
    const QString empty = passwords::hash(QString());
    EXPECT_TRUE(passwords::matches(empty, QString()));
    EXPECT_FALSE(passwords::matches(empty, QStringLiteral(" ")));
    const QString hindi = passwords::hash(QStringLiteral("काउंटर"));
    EXPECT_TRUE(passwords::matches(hindi, QStringLiteral("काउंटर")));
    EXPECT_FALSE(passwords::matches(hindi, QStringLiteral("काउंट")));
}

TEST(WrongTries, EachWrongTryDoublesTheWaitUpToThirtySeconds)
{
    const QList<qint64> waits{WrongTries::waitAfter(0), WrongTries::waitAfter(1), WrongTries::waitAfter(2),
                              WrongTries::waitAfter(3), WrongTries::waitAfter(5), WrongTries::waitAfter(6),
                              WrongTries::waitAfter(40)};
    EXPECT_EQ(waits, (QList<qint64>{0, 1000, 2000, 4000, 16000, 30000, 30000}));

    const QDateTime t0(QDate(2026, 1, 5), QTime(9, 0));
    WrongTries tries;
    EXPECT_EQ(tries.remainingMs(t0), 0);
    tries.failed(t0);
    tries.failed(t0.addSecs(1));
    EXPECT_EQ(tries.remainingSeconds(t0.addSecs(1)), 2);
    EXPECT_EQ(tries.remainingMs(t0.addMSecs(2500)), 500);
    EXPECT_EQ(tries.remainingSeconds(t0.addMSecs(2500)), 1);
    EXPECT_EQ(tries.remainingMs(t0.addSecs(3)), 0);
    tries.succeeded();
    tries.failed(t0.addSecs(10));
    EXPECT_EQ(tries.remainingMs(t0.addSecs(10)), 1000); // a right password starts the count again
}

class PasswordLogin : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db); // passwords in clear, as an older version kept them
        registerFakeScreens(*env);
    }
    QString stored(const QString& sql, qint64 key) { return env->db.query(sql, {key}).text(0, 0); }
    Hall hall;
};

// A hall upgrades by itself: a password found in clear is replaced by its hash at the first log-in
// that matches it, and the remembered log-in (kept as typed) still works afterwards.
TEST_P(PasswordLogin, ClearPasswordsBecomeHashesAtTheFirstLogInAndRememberedLogInsGoOn)
{
    const QString adminPass = QStringLiteral("select password from tbluser where userAuto=?");
    const QString counterPass = QStringLiteral("select pass from tblCounter where cntAuto=?");
    EXPECT_EQ(stored(adminPass, hall.admin), QStringLiteral("secret"));
    {
        frmLogin login(*env->ctx);
        login.txtUser->setText(QStringLiteral("admin"));
        login.txtPass->setText(QStringLiteral("secret"));
        login.chkRem->setChecked(true);
        delete login.Command1_Click();
    }
    EXPECT_TRUE(passwords::isHash(stored(adminPass, hall.admin)));
    EXPECT_TRUE(passwords::matches(stored(adminPass, hall.admin), QStringLiteral("secret")));
    {
        frmLogin again(*env->ctx);
        EXPECT_EQ(again.txtPass->text(), QStringLiteral("secret"));
        QWidget* shown = again.Command1_Click();
        EXPECT_NE(shown, nullptr) << env->dialogs.last().toStdString();
        delete shown;
    }

    const auto counter = users::checkCounter(env->db, QStringLiteral("Counter 2"), QStringLiteral("op2"),
                                             QStringLiteral("pw"));
    ASSERT_TRUE(counter.has_value());
    EXPECT_EQ(counter->cntAuto, hall.counter2);
    EXPECT_TRUE(passwords::isHash(stored(counterPass, hall.counter2)));
    EXPECT_EQ(stored(counterPass, hall.counter1), QStringLiteral("pw")); // not logged in yet
    EXPECT_FALSE(users::checkCounter(env->db, QStringLiteral("Counter 1"), QStringLiteral("op2"),
                                     QStringLiteral("pw")));
    endLoginWaits(env->db);
    EXPECT_TRUE(users::checkCounter(env->db, QStringLiteral("Counter 2"), QStringLiteral("op2"),
                                    QStringLiteral("pw")));

    // Changing a password checks the old one against the hash and stores the new one's hash.
    EXPECT_FALSE(
        users::changeAdminPassword(env->db, hall.admin, QStringLiteral("wrong"), QStringLiteral("x")));
    endLoginWaits(env->db);
    EXPECT_TRUE(
        users::changeAdminPassword(env->db, hall.admin, QStringLiteral("secret"), QStringLiteral("new")));
    EXPECT_TRUE(passwords::matches(stored(adminPass, hall.admin), QStringLiteral("new")));
    EXPECT_FALSE(users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("secret")));
    endLoginWaits(env->db);
    EXPECT_EQ(users::checkAdministrator(env->db, QStringLiteral("admin"), QStringLiteral("new")), hall.admin);
}

// After a wrong password the log-in waits 1 s, then 2 s, 4 s … as the store tells; the window counts
// it down by the program's clock and is never held: Login is switched off and comes back when the
// wait is over. The screen's wait holds whichever name is typed next.
TEST_P(PasswordLogin, WrongPasswordsMakeTheNextTryWaitLonger)
{
    frmLogin login(*env->ctx);
    login.txtUser->setText(QStringLiteral("admin"));
    login.txtPass->setText(QStringLiteral("wrong"));
    EXPECT_EQ(login.Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid username and password"));
    EXPECT_FALSE(login.Command1->isEnabled());
    EXPECT_FALSE(login.lblWait->isHidden());
    EXPECT_TRUE(login.tmrWait->isActive());

    // Too early (Enter, or the automatic log-in): refused without looking at the password.
    login.txtPass->setText(QStringLiteral("secret"));
    EXPECT_EQ(login.Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please wait 1 seconds before the next try."));

    // The name's wait is kept in the store, by its clock: the test ends it there as the screen's clock moves.
    env->clock.advanceSecs(1);
    endLoginWaits(env->db);
    login.updateWait();
    EXPECT_TRUE(login.Command1->isEnabled());
    EXPECT_TRUE(login.lblWait->isHidden());
    login.txtPass->setText(QStringLiteral("wrong again"));
    EXPECT_EQ(login.Command1_Click(), nullptr);
    EXPECT_EQ(env->session.loginTries.remainingSeconds(env->clock.now()), 2);

    // The screen's wait holds for the counter log-in too: switching the kind does not start afresh.
    login.optCounter->click();
    env->clock.advanceSecs(1);
    login.cmbCounter->setCurrentText(QStringLiteral("Counter 1"));
    login.txtUser->setText(QStringLiteral("op1"));
    login.txtPass->setText(QStringLiteral("pw"));
    EXPECT_EQ(login.Command1_Click(), nullptr);
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please wait 1 seconds before the next try."));
    env->clock.advanceSecs(1);
    QWidget* shown = login.Command1_Click();
    ASSERT_NE(shown, nullptr) << env->dialogs.last().toStdString();
    EXPECT_EQ(env->session.loginTries.failures(), 0);
    delete shown;
}

// Unticking Memorize on a counter log-in forgets the remembered password.
TEST_P(PasswordLogin, UntickedMemorizeForgetsTheCounterPassword)
{
    env->settings().set(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Pass"),
                        QStringLiteral("pw"));
    frmLogin login(*env->ctx);
    login.optCounter->click();
    login.cmbCounter->setCurrentText(QStringLiteral("Counter 1"));
    login.txtUser->setText(QStringLiteral("op1"));
    login.txtPass->setText(QStringLiteral("pw"));
    login.chkRem->setChecked(false);
    QWidget* shown = login.Command1_Click();
    ASSERT_NE(shown, nullptr);
    delete shown;
    EXPECT_EQ(env->settings().get(QStringLiteral("Queue"), QStringLiteral("Login"), QStringLiteral("Pass")),
              QString());
}

BRIVANE_STORE_TEST_SUITE(PasswordLogin);
