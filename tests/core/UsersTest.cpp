#include "core/users/Users.h"
#include "core/PasswordHash.h"
#include "testsupport/TestEnv.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

QStringList names(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

QListWidgetItem* itemNamed(QListWidget* list, const QString& name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class UsersTest : public StoreTest
{
protected:
    template <typename T> T* open(const char* name)
    {
        auto* w = qobject_cast<T*>(env->screens.open(QString::fromLatin1(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString passwordOf(qint64 userAuto)
    {
        return env->db.query(QStringLiteral("select password from tbluser where userAuto=?"), {userAuto})
            .text(0, 0);
    }
};

TEST_P(UsersTest, AddChecksDetailsAndNamesAndTakesEmptyPasswords)
{
    seedHall(env->db);
    auto* screen = open<frmUserLst>("userLst");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("User List"));
    EXPECT_EQ(screen->Combo1->currentText(), QStringLiteral("Admin"));
    EXPECT_EQ(names(screen->lstUser), QStringList{QStringLiteral("admin")});

    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Enter all Details                "));
    screen->Text1->setText(QStringLiteral("clerk"));
    screen->Combo1->setCurrentText(QString());
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Enter all Details                "));
    screen->Combo1->setCurrentText(QStringLiteral("Admin"));
    screen->Text1->setText(QStringLiteral("admin"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Existing User, select another Name"));
    EXPECT_EQ(env->db.query(QStringLiteral("select * from tbluser")).size(), 1);

    // A quote in the name is just a character; an empty password is allowed.
    env->dialogs.clear();
    screen->Text1->setText(QStringLiteral("d'souza"));
    screen->Text2->clear();
    screen->Combo1->setCurrentText(QStringLiteral("User"));
    screen->Command1->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(names(screen->lstUser), (QStringList{QStringLiteral("admin"), QStringLiteral("d'souza")}));
    EXPECT_TRUE(screen->Text1->text().isEmpty());
    const ResultSet rs =
        env->db.query(QStringLiteral("select * from tbluser where username=?"), {QStringLiteral("d'souza")});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("User"));
    // Stored as an empty text, so a log-in with an empty password finds it.
    EXPECT_EQ(users::checkAdministrator(env->db, QStringLiteral("d'souza"), QString()), rs.number(0, 0));
    screen->Text1->setText(QStringLiteral("d'souza"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Existing User, select another Name"));
}

TEST_P(UsersTest, DeleteNeedsAClickAnAnswerAndNeverTakesTheLastUser)
{
    const Hall hall = seedHall(env->db);
    auto* screen = open<frmUserLst>("userLst");
    ASSERT_TRUE(screen);
    // One user: nothing happens, not even the question.
    screen->Command3->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());

    ASSERT_EQ(
        users::addUser(env->db, QStringLiteral("second"), QStringLiteral("pw"), QStringLiteral("Admin")),
        users::AddResult::Added);
    screen->fillList();
    // No user clicked since the screen opened: nothing is removed.
    screen->Command3->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Do you want to Remove the Selected User"));
    EXPECT_EQ(screen->lstUser->count(), 2);

    screen->lstUser_Click(itemNamed(screen->lstUser, QStringLiteral("admin")));
    EXPECT_EQ(screen->tag(), hall.admin);
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    screen->Command3->click();
    EXPECT_EQ(screen->lstUser->count(), 2);
    screen->Command3->click();
    EXPECT_EQ(names(screen->lstUser), QStringList{QStringLiteral("second")});
    EXPECT_TRUE(
        env->db.query(QStringLiteral("select * from tbluser where userAuto=?"), {hall.admin}).isEmpty());

    // And the one left stays.
    screen->lstUser_Click(itemNamed(screen->lstUser, QStringLiteral("second")));
    env->dialogs.clear();
    screen->Command3->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(env->db.query(QStringLiteral("select * from tbluser")).size(), 1);
}

TEST_P(UsersTest, DeleteRemovesTheUserReachedWithTheArrowKeys)
{
    const Hall hall = seedHall(env->db);
    const auto add = [&](const char* name) {
        ASSERT_EQ(
            users::addUser(env->db, QString::fromLatin1(name), QStringLiteral("pw"), QStringLiteral("User")),
            users::AddResult::Added);
    };
    add("second");
    add("third");
    auto* screen = open<frmUserLst>("userLst");
    ASSERT_TRUE(screen);
    QTest::mouseClick(
        screen->lstUser->viewport(), Qt::LeftButton, {},
        screen->lstUser->visualItemRect(itemNamed(screen->lstUser, QStringLiteral("admin"))).center());
    EXPECT_EQ(screen->tag(), hall.admin);
    QTest::keyClick(screen->lstUser, Qt::Key_Down);
    ASSERT_EQ(screen->lstUser->currentItem()->text(), QStringLiteral("second"));

    screen->Command3->click();
    EXPECT_EQ(names(screen->lstUser), (QStringList{QStringLiteral("admin"), QStringLiteral("third")}));
}

// Delete acts on the table and on the user highlighted now: after Add fills the list again nothing is
// highlighted, and a list made stale by another workstation cannot remove the last administrator.
TEST_P(UsersTest, DeleteNeverActsOnAStaleListOrSelection)
{
    const Hall hall = seedHall(env->db);
    ASSERT_EQ(
        users::addUser(env->db, QStringLiteral("second"), QStringLiteral("pw"), QStringLiteral("Admin")),
        users::AddResult::Added);
    auto* screen = open<frmUserLst>("userLst");
    ASSERT_TRUE(screen);
    screen->lstUser_Click(itemNamed(screen->lstUser, QStringLiteral("second")));
    screen->Text1->setText(QStringLiteral("third"));
    screen->Command1->click();
    ASSERT_EQ(screen->lstUser->count(), 3);
    EXPECT_TRUE(screen->lstUser->selectedItems().isEmpty());
    EXPECT_EQ(screen->tag(), 0);
    screen->Command3->click();
    EXPECT_EQ(users::userCount(env->db), 3);

    // Another workstation removes two of them; this list still shows three.
    env->secondConnection()->exec(QStringLiteral("delete from tbluser where userAuto<>?"), {hall.admin});
    screen->lstUser_Click(itemNamed(screen->lstUser, QStringLiteral("admin")));
    env->dialogs.clear();
    screen->Command3->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    EXPECT_EQ(users::userCount(env->db), 1);
    EXPECT_EQ(users::removeUser(env->db, hall.admin), users::RemoveResult::LastUser);
    EXPECT_EQ(users::userCount(env->db), 1);
}

TEST_P(UsersTest, AdministratorPasswordChange)
{
    const Hall hall = seedHall(env->db);
    env->session.adminUserId = hall.admin;
    auto* screen = open<frmAdminPass>("chPass");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Change Admin Password"));
    EXPECT_EQ(screen->Command1->text(), QStringLiteral("Chanage"));

    screen->txtOld->setText(QStringLiteral("secret"));
    screen->Text1->setText(QStringLiteral("new'one"));
    screen->Text2->setText(QStringLiteral("new'two"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Passwords are not same"));
    screen->txtOld->setText(QStringLiteral("' or '1'='1"));
    screen->Text2->setText(QStringLiteral("new'one"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid old password"));
    EXPECT_TRUE(passwords::matches(passwordOf(hall.admin), QStringLiteral("secret")));

    // A wrong old password makes the name wait, as a wrong log-in does; the screen says so.
    screen->txtOld->setText(QStringLiteral("secret"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please wait 1 seconds before the next try."));
    EXPECT_TRUE(passwords::matches(passwordOf(hall.admin), QStringLiteral("secret")));
    endLoginWaits(env->db);
    // Enter in the confirmation box presses the button.
    QMetaObject::invokeMethod(screen->Text2, "returnPressed");
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Password Changed "));
    EXPECT_TRUE(passwords::matches(passwordOf(hall.admin), QStringLiteral("new'one")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env->screens.existing(QStringLiteral("chPass")), nullptr);

    // An empty new password is stored, and then an empty old password matches it.
    EXPECT_TRUE(users::changeAdminPassword(env->db, hall.admin, QStringLiteral("new'one"), QString()));
    EXPECT_TRUE(passwords::matches(passwordOf(hall.admin), QString()));
    EXPECT_FALSE(
        users::changeAdminPassword(env->db, hall.admin, QStringLiteral("new'one"), QStringLiteral("x")));
    endLoginWaits(env->db);
    EXPECT_TRUE(users::changeAdminPassword(env->db, hall.admin, QString(), QStringLiteral("back")));
    EXPECT_TRUE(passwords::matches(passwordOf(hall.admin), QStringLiteral("back")));

    // Removed meanwhile by another workstation: the old password can no longer be valid.
    env->db.exec(QStringLiteral("delete from tbluser where userAuto=?"), {hall.admin});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    screen = open<frmAdminPass>("chPass");
    ASSERT_TRUE(screen);
    screen->txtOld->setText(QStringLiteral("back"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please enter a valid old password"));
}

TEST_P(UsersTest, CounterPasswordChangeActsOnTheServingCounter)
{
    const Hall hall = seedHall(env->db);
    env->session.counterId = hall.counter1;
    env->session.servingCounterId = hall.counter2;
    auto* screen = open<frmChPass>("frmChPass");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Change Password"));
    screen->txtOld->setText(QStringLiteral("pw"));
    screen->Text1->setText(QStringLiteral("O'Brien"));
    screen->Text2->setText(QStringLiteral("O'Brien"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Password Changed "));
    auto pass = [&](qint64 id) {
        return env->db.query(QStringLiteral("select pass from tblCounter where cntAuto=?"), {id}).text(0, 0);
    };
    EXPECT_TRUE(passwords::matches(pass(hall.counter2), QStringLiteral("O'Brien")));
    EXPECT_TRUE(passwords::matches(pass(hall.counter1), QStringLiteral("pw")));
    EXPECT_FALSE(
        users::changeCounterPassword(env->db, hall.counter2, QStringLiteral("pw"), QStringLiteral("x")));
    endLoginWaits(env->db);
    EXPECT_TRUE(users::changeCounterPassword(env->db, hall.counter2, QStringLiteral("O'Brien"), QString()));
    EXPECT_TRUE(users::changeCounterPassword(env->db, hall.counter2, QString(), QStringLiteral("pw2")));
    EXPECT_TRUE(passwords::matches(pass(hall.counter2), QStringLiteral("pw2")));
}

BRIVANE_STORE_TEST_SUITE(UsersTest);
