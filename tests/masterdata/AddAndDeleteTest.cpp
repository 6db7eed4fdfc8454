#include "masterdata/Counters.h"
#include "masterdata/Departments.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include "core/Lookups.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

int count(Database& db, const QString& sql, const QVariantList& params = {})
{
    return int(db.query(sql, params).number(0, 0));
}

// Visible top-level windows of that form, as the administrator would see them.
int windowsNamed(const QString& name)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            ++n;
    }
    return n;
}

template <typename T> T* editScreen(TestEnv& env, const char* name)
{
    return qobject_cast<T*>(env.screens.existing(QString::fromLatin1(name)));
}

} // namespace

class AddAndDeleteTest : public StoreTest
{
};

// Add on a list whose edit screen is open on a row starts a new, empty row; that row is left as it was.
// Pressing Add again while the new row is being typed keeps one window and stores one row.
TEST_P(AddAndDeleteTest, AddAlwaysStartsANewRowInOneWindow)
{
    const Hall hall = seedHall(env->db);

    auto* depts = qobject_cast<frmDeptLst*>(env->screens.open(QStringLiteral("deptLst")));
    ASSERT_TRUE(depts);
    ASSERT_TRUE(depts->selectKey(hall.emergencyDept));
    depts->FG_DblClick();
    auto* dept = editScreen<frmDept>(*env, "frmDept");
    ASSERT_TRUE(dept);
    ASSERT_EQ(dept->txtDept->text(), QStringLiteral("Casualty"));
    dept->chkActive->setChecked(false);
    depts->Command3->click();
    EXPECT_EQ(editScreen<frmDept>(*env, "frmDept"), dept);
    EXPECT_TRUE(dept->lblRef->text().isEmpty());
    EXPECT_TRUE(dept->txtDept->text().isEmpty());
    EXPECT_TRUE(dept->txtDesc->currentText().isEmpty());
    EXPECT_TRUE(dept->chkActive->isChecked());
    dept->txtDept->setText(QStringLiteral("Dental"));
    dept->txtDesc->setCurrentText(QStringLiteral("Walk-In"));
    depts->Command3->click(); // a second Add
    EXPECT_EQ(editScreen<frmDept>(*env, "frmDept"), dept);
    EXPECT_EQ(windowsNamed(QStringLiteral("frmDept")), 1);
    EXPECT_EQ(dept->txtDept->text(), QStringLiteral("Dental"));
    dept->Command2->click();
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 5);
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept where deptName='Dental'")), 1);
    EXPECT_EQ(lookups::deptNameById(env->db, hall.emergencyDept), QStringLiteral("Casualty"));

    auto* services = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(services);
    ASSERT_TRUE(services->selectKey(hall.lab));
    services->FG_DblClick();
    auto* service = editScreen<frmService>(*env, "frmService");
    ASSERT_TRUE(service);
    ASSERT_EQ(service->txtNo->text(), QStringLiteral("100"));
    services->Command3->click();
    EXPECT_TRUE(service->lblRef->text().isEmpty());
    EXPECT_TRUE(service->cmbDept->currentText().isEmpty());
    EXPECT_TRUE(service->txtServ->text().isEmpty());
    EXPECT_TRUE(service->txtDesc->text().isEmpty());
    EXPECT_EQ(service->txtNo->text(), QStringLiteral("0"));
    EXPECT_EQ(service->txtEnd->text(), QStringLiteral("0"));
    EXPECT_TRUE(service->txtAbr->text().isEmpty());

    // The counter case loses an operator's log-in without the mend.
    auto* counters = qobject_cast<frmCntLst*>(env->screens.open(QStringLiteral("Counter")));
    ASSERT_TRUE(counters);
    ASSERT_TRUE(counters->selectKey(hall.counter3));
    counters->FG_DblClick();
    auto* counter = editScreen<frmCounter>(*env, "frmCounter");
    ASSERT_TRUE(counter);
    ASSERT_EQ(counter->txtUser->text(), QStringLiteral("op3"));
    counters->Command3->click();
    EXPECT_TRUE(counter->lblRef->text().isEmpty());
    for (QLineEdit* box : {counter->txtName, counter->txtDesc, counter->txtUser, counter->txtPass,
                           counter->txtPass1, counter->txtNameA, counter->txtDescA})
        EXPECT_TRUE(box->text().isEmpty()) << qPrintable(box->objectName());
    EXPECT_TRUE(counter->cmbServ->currentText().isEmpty());
    counter->cmbServ->setCurrentText(QStringLiteral("Lab"));
    counter->txtName->setText(QStringLiteral("Counter 4"));
    counter->txtUser->setText(QStringLiteral("op4"));
    counter->txtPass->setText(QStringLiteral("new"));
    counter->txtPass1->setText(QStringLiteral("new"));
    counter->Command2->click();
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblCounter")), 4);
    const ResultSet c3 = env->db.query(
        QStringLiteral("select contName, username, pass from tblCounter where cntAuto=?"), {hall.counter3});
    EXPECT_EQ(c3.text(0, 0), QStringLiteral("Counter 3"));
    EXPECT_EQ(c3.text(0, 1), QStringLiteral("op3"));
    EXPECT_EQ(c3.text(0, 2), QStringLiteral("pw"));
}

// A double click on another row replaces the screen's contents, even when that row is gone by now.
TEST_P(AddAndDeleteTest, OpeningARowGoneElsewhereShowsNothingOfTheRowBefore)
{
    const Hall hall = seedHall(env->db);
    auto* counters = qobject_cast<frmCntLst*>(env->screens.open(QStringLiteral("Counter")));
    ASSERT_TRUE(counters);
    ASSERT_TRUE(counters->selectKey(hall.counter3));
    counters->FG_DblClick();
    ASSERT_TRUE(counters->selectKey(hall.counter1));
    env->db.exec(QStringLiteral("delete from tblCounter where cntAuto=?"), {hall.counter1});
    counters->FG_DblClick();
    auto* counter = editScreen<frmCounter>(*env, "frmCounter");
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->lblRef->text().toLongLong(), hall.counter1);
    EXPECT_TRUE(counter->txtName->text().isEmpty());
    EXPECT_TRUE(counter->txtUser->text().isEmpty());
    EXPECT_TRUE(counter->txtPass->text().isEmpty());
}

// A service that counters still serve stays, so those counters are never cut off from the counter list
// while log-in still offers them; once the counters are gone, the service can go.
TEST_P(AddAndDeleteTest, ServiceWithCountersIsNotDeleted)
{
    const Hall hall = seedHall(env->db);
    auto* services = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(services);
    ASSERT_TRUE(services->selectKey(hall.lab));
    services->Command2->click();
    EXPECT_EQ(env->dialogs.texts(),
              (QStringList{QStringLiteral("Do you want to delete "),
                           QStringLiteral("Cannot delete: counters still serve this service. Give them "
                                          "another service or delete them first.")}));
    EXPECT_TRUE(
        lookups::rowExists(env->db, QStringLiteral("tblService"), QStringLiteral("servAuto"), hall.lab));

    auto* counters = qobject_cast<frmCntLst*>(env->screens.open(QStringLiteral("Counter")));
    ASSERT_TRUE(counters);
    ASSERT_TRUE(counters->selectKey(hall.counter3));
    counters->Command2->click();
    ASSERT_FALSE(
        lookups::rowExists(env->db, QStringLiteral("tblCounter"), QStringLiteral("cntAuto"), hall.counter3));
    services->refresh();
    ASSERT_TRUE(services->selectKey(hall.lab));
    services->Command2->click();
    EXPECT_FALSE(
        lookups::rowExists(env->db, QStringLiteral("tblService"), QStringLiteral("servAuto"), hall.lab));
}

BRIVANE_STORE_TEST_SUITE(AddAndDeleteTest);
