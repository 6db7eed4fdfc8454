// Saving a department, service or counter that another workstation deleted while it was being edited.
#include "masterdata/Counters.h"
#include "masterdata/Departments.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

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

// The grid row showing that text in that column; -1 when none does.
int rowWith(const Grid* grid, int col, const QString& text)
{
    for (int r = 1; r < grid->rows(); ++r) {
        if (grid->text(r, col) == text)
            return r;
    }
    return -1;
}

QString deletedMessage(const QString& kind, const QString& name, const QString& list)
{
    return QStringLiteral("The %1 \"%2\" has been deleted meanwhile, so the changes were not saved. To keep "
                          "them, choose Add in the %3 and save again.")
        .arg(kind, name, list);
}

} // namespace

class DeletedMeanwhileTest : public StoreTest
{
protected:
    template <typename Edit> Edit* openRow(MasterList* list, qint64 key, const char* editName)
    {
        EXPECT_TRUE(list->selectKey(key));
        list->FG_DblClick();
        auto* edit = qobject_cast<Edit*>(env->screens.existing(QString::fromLatin1(editName)));
        EXPECT_TRUE(edit && edit->isVisible()) << editName;
        return edit;
    }
};

// The whole way for a department: the message, the edits kept in the open screen, the list without the
// row, a second Save that still writes nothing, and Add that turns the kept edits into a new row.
TEST_P(DeletedMeanwhileTest, DepartmentEditsAreKeptAndAddStoresThemAsANewRow)
{
    const Hall hall = seedHall(env->db);
    auto* list = qobject_cast<frmDeptLst*>(env->screens.open(QStringLiteral("deptLst")));
    ASSERT_TRUE(list);
    auto* edit = openRow<frmDept>(list, hall.emergencyDept, "frmDept");
    ASSERT_TRUE(edit);
    ASSERT_EQ(edit->txtDept->text(), QStringLiteral("Casualty"));

    env->secondConnection()->exec(QStringLiteral("delete from tblDept where deptAuto=?"),
                                  {hall.emergencyDept});
    edit->txtDept->setText(QStringLiteral("Accident & Emergency"));
    edit->chkActive->setChecked(false);
    edit->Command2->click();

    const QString message =
        deletedMessage(QStringLiteral("department"), QStringLiteral("Accident & Emergency"),
                       QStringLiteral("Department List"));
    EXPECT_EQ(env->dialogs.texts(), QStringList{message});
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 3)
        << "nothing is made anew behind the user's back";
    EXPECT_TRUE(edit->isVisible()) << "the screen stays open with what was typed";
    EXPECT_EQ(edit->txtDept->text(), QStringLiteral("Accident & Emergency"));
    EXPECT_EQ(edit->txtDesc->currentText(), QStringLiteral("Emergency"));
    EXPECT_FALSE(edit->chkActive->isChecked());
    EXPECT_EQ(list->FG->rows(), 4) << "the list no longer offers the deleted row";
    EXPECT_EQ(rowWith(list->FG, 2, QStringLiteral("Casualty")), -1);

    // Save again: the row is still gone, and it is still not made anew.
    edit->Command2->click();
    EXPECT_EQ(env->dialogs.texts(), (QStringList{message, message}));
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 3);
    EXPECT_TRUE(edit->isVisible());

    // What the message says: Add keeps the fields, and Save then stores them as a new department.
    list->Command3->click();
    EXPECT_TRUE(edit->isNewRow());
    EXPECT_EQ(edit->txtDept->text(), QStringLiteral("Accident & Emergency"));
    edit->Command2->click();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(env->dialogs.texts().size(), 2);
    const ResultSet made =
        env->db.query(QStringLiteral("select deptDesc, active from tblDept where deptName=?"),
                      {QStringLiteral("Accident & Emergency")});
    ASSERT_EQ(made.size(), 1);
    EXPECT_EQ(made.text(0, 0), QStringLiteral("Emergency"));
    EXPECT_EQ(made.text(0, 1), QStringLiteral("0"));
    EXPECT_NE(rowWith(list->FG, 2, QStringLiteral("Accident & Emergency")), -1);
}

TEST_P(DeletedMeanwhileTest, ServiceAndCounterSaySoKeepTheEditsAndLeaveTheListWithoutTheRow)
{
    const Hall hall = seedHall(env->db);
    const auto other = env->secondConnection();

    auto* services = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(services);
    auto* service = openRow<frmService>(services, hall.reports, "frmService");
    ASSERT_TRUE(service);
    other->exec(QStringLiteral("delete from tblService where servAuto=?"), {hall.reports});
    service->txtServ->setText(QStringLiteral("Results"));
    service->txtEnd->setText(QStringLiteral("500"));
    service->Command2->click();
    EXPECT_EQ(env->dialogs.last(), deletedMessage(QStringLiteral("service"), QStringLiteral("Results"),
                                                  QStringLiteral("Service List")));
    EXPECT_TRUE(service->isVisible());
    EXPECT_EQ(service->txtServ->text(), QStringLiteral("Results"));
    EXPECT_EQ(service->txtEnd->text(), QStringLiteral("500"));
    EXPECT_EQ(service->txtAbr->text(), QStringLiteral("R"));
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblService")), 2);
    EXPECT_EQ(services->FG->rows(), 3);

    auto* counters = qobject_cast<frmCntLst*>(env->screens.open(QStringLiteral("Counter")));
    ASSERT_TRUE(counters);
    auto* counter = openRow<frmCounter>(counters, hall.counter3, "frmCounter");
    ASSERT_TRUE(counter);
    other->exec(QStringLiteral("delete from tblCounter where cntAuto=?"), {hall.counter3});
    counter->txtUser->setText(QStringLiteral("lab.op"));
    counter->Command2->click();
    EXPECT_EQ(env->dialogs.last(), deletedMessage(QStringLiteral("counter"), QStringLiteral("Counter 3"),
                                                  QStringLiteral("Counter List")));
    EXPECT_TRUE(counter->isVisible());
    EXPECT_EQ(counter->txtUser->text(), QStringLiteral("lab.op"));
    EXPECT_EQ(counter->txtPass->text(), QString()); // never shown
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblCounter")), 2);
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblCounter where username='lab.op'")), 0);
    EXPECT_EQ(counters->FG->rows(), 3);
    EXPECT_EQ(rowWith(counters->FG, 4, QStringLiteral("Counter 3")), -1);
}

// The kept edits belong to the deleted row only: opening another row, or saving a row that is still
// there (even unchanged), behaves as before.
TEST_P(DeletedMeanwhileTest, OtherRowsAreEditedAndAddedAsBefore)
{
    const Hall hall = seedHall(env->db);
    auto* list = qobject_cast<frmDeptLst*>(env->screens.open(QStringLiteral("deptLst")));
    ASSERT_TRUE(list);
    auto* edit = openRow<frmDept>(list, hall.emergencyDept, "frmDept");
    ASSERT_TRUE(edit);
    env->secondConnection()->exec(QStringLiteral("delete from tblDept where deptAuto=?"),
                                  {hall.emergencyDept});
    edit->txtDept->setText(QStringLiteral("Gone"));
    edit->Command2->click();
    ASSERT_EQ(env->dialogs.texts().size(), 1);

    // Another row replaces the kept edits; Add then starts from empty fields again.
    ASSERT_EQ(openRow<frmDept>(list, hall.reportDept, "frmDept"), edit);
    EXPECT_EQ(edit->txtDept->text(), QStringLiteral("Reports Desk"));
    list->Command3->click();
    EXPECT_TRUE(edit->isNewRow());
    EXPECT_TRUE(edit->txtDept->text().isEmpty());

    // A row saved without a change still counts as written: no message, the screen closes.
    openRow<frmDept>(list, hall.walkInDept, "frmDept");
    edit->Command2->click();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(env->dialogs.texts().size(), 1);
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 3);
}

BRIVANE_STORE_TEST_SUITE(DeletedMeanwhileTest);
