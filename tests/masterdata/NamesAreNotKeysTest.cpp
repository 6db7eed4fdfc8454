#include "core/PasswordHash.h"
#include "masterdata/Counters.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

class NamesAreNotKeysTest : public StoreTest
{
protected:
    template <typename T> T* editRow(const char* listName, const char* editName, qint64 key)
    {
        auto* list = qobject_cast<MasterList*>(env->screens.open(QString::fromLatin1(listName)));
        EXPECT_TRUE(list && list->selectKey(key)) << listName;
        if (!list)
            return nullptr;
        list->FG_DblClick();
        return qobject_cast<T*>(env->screens.existing(QString::fromLatin1(editName)));
    }
    qint64 number(const QString& sql, qint64 key) { return env->db.query(sql, {key}).number(0, 0); }
    QString text(const QString& sql, qint64 key) { return env->db.query(sql, {key}).text(0, 0); }
};

// Two services (or departments) of one name: Save keeps the one the row had, and a choice in the
// list keeps the entry chosen, not the first of that name.
TEST_P(NamesAreNotKeysTest, SaveKeepsTheChosenServiceOrDepartmentWhenNamesRepeat)
{
    const Hall hall = seedHall(env->db);
    const qint64 dept2 =
        env->db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("General")},
                                                   {QStringLiteral("active"), 1}});
    const qint64 first = env->db.insert(QStringLiteral("tblService"),
                                        {{QStringLiteral("deptAuto"), hall.walkInDept},
                                         {QStringLiteral("servName"), QStringLiteral("Registration")},
                                         {QStringLiteral("active"), 1},
                                         {QStringLiteral("startno"), 1},
                                         {QStringLiteral("endno"), 99},
                                         {QStringLiteral("abrno"), QStringLiteral("G")}});
    const qint64 second = env->db.insert(QStringLiteral("tblService"),
                                         {{QStringLiteral("deptAuto"), dept2},
                                          {QStringLiteral("servName"), QStringLiteral("Registration")},
                                          {QStringLiteral("active"), 1},
                                          {QStringLiteral("startno"), 1},
                                          {QStringLiteral("endno"), 99},
                                          {QStringLiteral("abrno"), QStringLiteral("H")}});
    env->db.update(QStringLiteral("tblCounter"), hall.counter3, {{QStringLiteral("servAuto"), second}});

    auto* counter = editRow<frmCounter>("Counter", "frmCounter", hall.counter3);
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->cmbServ->currentText(), QStringLiteral("Registration"));
    counter->Command2->click();
    EXPECT_EQ(number(QStringLiteral("select servAuto from tblCounter where cntAuto=?"), hall.counter3),
              second);

    // Choosing the first "Registration" entry in the list moves it there, and back.
    counter = editRow<frmCounter>("Counter", "frmCounter", hall.counter3);
    counter->cmbServ->setCurrentIndex(counter->cmbServ->findData(first));
    counter->Command2->click();
    EXPECT_EQ(number(QStringLiteral("select servAuto from tblCounter where cntAuto=?"), hall.counter3),
              first);

    auto* service = editRow<frmService>("Servlst", "frmService", second);
    ASSERT_TRUE(service);
    EXPECT_EQ(service->cmbDept->currentText(), QStringLiteral("General"));
    service->Command2->click();
    EXPECT_EQ(number(QStringLiteral("select deptAuto from tblService where servAuto=?"), second), dept2);
}

// A counter's password is never shown; empty boxes keep it, a typed one replaces it with its hash.
TEST_P(NamesAreNotKeysTest, TheCounterScreenNeverShowsThePassword)
{
    const Hall hall = seedHall(env->db);
    const QString passOf = QStringLiteral("select pass from tblCounter where cntAuto=?");
    auto* counter = editRow<frmCounter>("Counter", "frmCounter", hall.counter1);
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->txtPass->text(), QString());
    EXPECT_EQ(counter->txtPass1->text(), QString());
    counter->txtDesc->setText(QStringLiteral("Room 1A"));
    counter->Command2->click();
    EXPECT_EQ(text(passOf, hall.counter1), QStringLiteral("pw"));

    counter = editRow<frmCounter>("Counter", "frmCounter", hall.counter1);
    counter->txtPass->setText(QStringLiteral("n3w"));
    counter->txtPass1->setText(QStringLiteral("n3w"));
    counter->Command2->click();
    EXPECT_TRUE(passwords::isHash(text(passOf, hall.counter1)));
    EXPECT_TRUE(passwords::matches(text(passOf, hall.counter1), QStringLiteral("n3w")));
}

// A negative start number would be printed and spoken as part of the token.
TEST_P(NamesAreNotKeysTest, NegativeStartNumbersAreRefused)
{
    const Hall hall = seedHall(env->db);
    auto* service = editRow<frmService>("Servlst", "frmService", hall.lab);
    ASSERT_TRUE(service);
    service->txtNo->setText(QStringLiteral("-3"));
    service->txtEnd->setText(QStringLiteral("2"));
    env->dialogs.clear();
    service->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Cannot Save. Enter a valid Starting number"));
    EXPECT_EQ(number(QStringLiteral("select startno from tblService where servAuto=?"), hall.lab), 100);
}

BRIVANE_STORE_TEST_SUITE(NamesAreNotKeysTest);
