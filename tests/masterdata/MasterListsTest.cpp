#include "core/PasswordHash.h"
#include "masterdata/Counters.h"
#include "masterdata/Departments.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include "core/Lookups.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename T> T* openScreen(TestEnv& env, const char* name)
{
    auto* w = qobject_cast<T*>(env.screens.open(QString::fromLatin1(name)));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

template <typename T> T* openEdit(TestEnv& env, MasterList* list, const char* name)
{
    list->Command3->click();
    auto* edit = qobject_cast<T*>(env.screens.existing(QString::fromLatin1(name)));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
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

int count(Database& db, const QString& sql, const QVariantList& params = {})
{
    return int(db.query(sql, params).number(0, 0));
}

void addTicket(Database& db, qint64 service, qint64 counter)
{
    db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), service},
                                            {QStringLiteral("tickNo"), 1},
                                            {QStringLiteral("tickDate"), QStringLiteral("2020-01-02")},
                                            {QStringLiteral("call"), 0},
                                            {QStringLiteral("attended"), counter}});
}

} // namespace

class MasterListsTest : public StoreTest
{
};

TEST_P(MasterListsTest, ListsShowKeyHiddenRunningNumberAndHeaders)
{
    const Hall hall = seedHall(env->db);
    auto* depts = openScreen<frmDeptLst>(*env, "deptLst");
    ASSERT_TRUE(depts);
    EXPECT_EQ(depts->windowTitle(), QStringLiteral("Deparment Lst"));
    EXPECT_TRUE(depts->FG->isColumnHidden(0));
    EXPECT_EQ(depts->FG->text(0, 1), QStringLiteral("SN"));
    EXPECT_EQ(depts->FG->text(0, 2), QStringLiteral("Deparment"));
    EXPECT_EQ(depts->FG->text(0, 3), QStringLiteral("Type"));
    EXPECT_EQ(depts->FG->colWidth(2), 2500);
    EXPECT_EQ(depts->FG->colWidth(3), 1500);
    ASSERT_EQ(depts->FG->rows(), 5);
    const int general = rowWith(depts->FG, 2, QStringLiteral("General"));
    ASSERT_GT(general, 0);
    EXPECT_EQ(depts->FG->text(general, 0).toLongLong(), hall.walkInDept);
    EXPECT_EQ(depts->FG->text(general, 3), QStringLiteral("Walk-In"));
    for (int r = 1; r < depts->FG->rows(); ++r)
        EXPECT_EQ(depts->FG->text(r, 1), QString::number(r));

    auto* services = openScreen<frmServLst>(*env, "Servlst");
    ASSERT_TRUE(services);
    EXPECT_EQ(services->FG->cols(), 9);
    const int lab = rowWith(services->FG, 3, QStringLiteral("Lab"));
    ASSERT_GT(lab, 0);
    EXPECT_EQ(services->FG->text(lab, 0).toLongLong(), hall.lab);
    EXPECT_EQ(services->FG->text(lab, 2), QStringLiteral("General"));
    EXPECT_EQ(services->FG->text(lab, 4), QStringLiteral("100"));
    EXPECT_EQ(services->FG->text(lab, 5), QStringLiteral("199"));
    EXPECT_EQ(services->FG->text(lab, 6), QStringLiteral("B"));
    EXPECT_EQ(services->FG->text(lab, 7), QStringLiteral("1"));

    // Counters come by name; one whose service is gone is not listed.
    env->db.insert(QStringLiteral("tblCounter"), {{QStringLiteral("servAuto"), 9999},
                                                  {QStringLiteral("contName"), QStringLiteral("A orphan")},
                                                  {QStringLiteral("active"), 1}});
    auto* counters = openScreen<frmCntLst>(*env, "Counter");
    ASSERT_TRUE(counters);
    ASSERT_EQ(counters->FG->rows(), 4);
    EXPECT_EQ(counters->FG->text(1, 4), QStringLiteral("Counter 1"));
    EXPECT_EQ(counters->FG->text(3, 4), QStringLiteral("Counter 3"));
    EXPECT_EQ(counters->FG->text(3, 2), QStringLiteral("General"));
    EXPECT_EQ(counters->FG->text(3, 3), QStringLiteral("Lab"));
    EXPECT_EQ(counters->FG->text(3, 6), QStringLiteral("Counter 3 (2)"));
    EXPECT_EQ(counters->FG->text(3, 0).toLongLong(), hall.counter3);
}

TEST_P(MasterListsTest, DepartmentChecksSaveAndEditThroughTheList)
{
    auto* list = openScreen<frmDeptLst>(*env, "deptLst");
    ASSERT_TRUE(list);
    auto* edit = openEdit<frmDept>(*env, list, "frmDept");
    ASSERT_TRUE(edit);
    EXPECT_TRUE(edit->lblRef->text().isEmpty());
    EXPECT_TRUE(edit->chkActive->isChecked());

    edit->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Department name should not be blank"));
    edit->txtDept->setText(QStringLiteral("O'Neill's Clinic"));
    edit->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Department Type should not be blank"));
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 0);

    edit->txtDesc->setCurrentText(QStringLiteral("Emergency"));
    edit->chkActive->setChecked(false);
    edit->Command2->click();
    const ResultSet rs = env->db.query(QStringLiteral("select * from tblDept where deptName=?"),
                                       {QStringLiteral("O'Neill's Clinic")});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("Emergency"));
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("0"));
    // The list shows the new row at once; the edit screen is gone.
    const int row = rowWith(list->FG, 2, QStringLiteral("O'Neill's Clinic"));
    ASSERT_GT(row, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env->screens.existing(QStringLiteral("frmDept")), nullptr);

    // Double click opens it again with its values; a change updates the same row.
    list->FG->setRow(row);
    list->FG_DblClick();
    edit = qobject_cast<frmDept*>(env->screens.existing(QStringLiteral("frmDept")));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->lblRef->text().toLongLong(), rs.number(0, 0));
    EXPECT_EQ(edit->txtDept->text(), QStringLiteral("O'Neill's Clinic"));
    EXPECT_EQ(edit->txtDesc->currentText(), QStringLiteral("Emergency"));
    EXPECT_FALSE(edit->chkActive->isChecked());
    edit->txtDesc->setCurrentText(QStringLiteral("My own type"));
    edit->chkActive->setChecked(true);
    edit->Command2->click();
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 1);
    EXPECT_EQ(env->db.query(QStringLiteral("select deptDesc, active from tblDept")).text(0, 0),
              QStringLiteral("My own type"));
    EXPECT_EQ(env->db.query(QStringLiteral("select deptDesc, active from tblDept")).text(0, 1),
              QStringLiteral("1"));
    EXPECT_EQ(list->FG->text(rowWith(list->FG, 2, QStringLiteral("O'Neill's Clinic")), 3),
              QStringLiteral("My own type"));
}

TEST_P(MasterListsTest, DeleteRulesFollowServicesTicketsAndAttendedTokens)
{
    const Hall hall = seedHall(env->db);
    auto* depts = openScreen<frmDeptLst>(*env, "deptLst");
    ASSERT_TRUE(depts);
    // Nothing selected, though the grid has a current cell as it has after taking the focus.
    depts->FG->setCurrentCell(0, 1, QItemSelectionModel::NoUpdate);
    depts->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please select an entry"));
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblDept")), 4);

    // A department that owns a service stays.
    ASSERT_TRUE(depts->selectKey(hall.reportDept));
    depts->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Cannot delete "));
    EXPECT_TRUE(
        lookups::rowExists(env->db, QStringLiteral("tblDept"), QStringLiteral("deptAuto"), hall.reportDept));

    // A service with a ticket of any day stays; "No" stops before anything is checked.
    addTicket(env->db, hall.reports, 0);
    auto* services = openScreen<frmServLst>(*env, "Servlst");
    ASSERT_TRUE(services);
    env->dialogs.clear();
    ASSERT_TRUE(services->selectKey(hall.reports));
    env->dialogs.setNextAnswer(Dialogs::Answer::No);
    services->Command2->click();
    EXPECT_EQ(env->dialogs.texts(), QStringList{QStringLiteral("Do you want to delete ")});
    services->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Cannot delete "));
    EXPECT_TRUE(
        lookups::rowExists(env->db, QStringLiteral("tblService"), QStringLiteral("servAuto"), hall.reports));

    // Once its tickets are gone the service goes, and then its department can go too.
    env->db.exec(QStringLiteral("delete from tblTicket"));
    ASSERT_TRUE(services->selectKey(hall.reports));
    services->Command2->click();
    EXPECT_FALSE(
        lookups::rowExists(env->db, QStringLiteral("tblService"), QStringLiteral("servAuto"), hall.reports));
    EXPECT_EQ(rowWith(services->FG, 3, QStringLiteral("Reports")), -1);
    depts->refresh();
    ASSERT_TRUE(depts->selectKey(hall.reportDept));
    env->dialogs.clear();
    depts->Command2->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty()); // no question for departments
    EXPECT_FALSE(
        lookups::rowExists(env->db, QStringLiteral("tblDept"), QStringLiteral("deptAuto"), hall.reportDept));
    EXPECT_EQ(rowWith(depts->FG, 2, QStringLiteral("Reports Desk")), -1);

    // A counter that was ever sent a token stays; one that never was goes.
    addTicket(env->db, hall.consultation, hall.counter2);
    auto* counters = openScreen<frmCntLst>(*env, "Counter");
    ASSERT_TRUE(counters);
    ASSERT_TRUE(counters->selectKey(hall.counter2));
    counters->Command2->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Cannot delete "));
    ASSERT_TRUE(counters->selectKey(hall.counter1));
    counters->Command2->click();
    EXPECT_FALSE(
        lookups::rowExists(env->db, QStringLiteral("tblCounter"), QStringLiteral("cntAuto"), hall.counter1));
    EXPECT_TRUE(
        lookups::rowExists(env->db, QStringLiteral("tblCounter"), QStringLiteral("cntAuto"), hall.counter2));
    EXPECT_EQ(counters->FG->rows(), 3);
}

TEST_P(MasterListsTest, ServiceChecksComeInOrderWithTheirMessages)
{
    const Hall hall = seedHall(env->db);
    env->db.update(QStringLiteral("tblDept"), hall.reportDept, {{QStringLiteral("active"), 0}});
    auto* list = openScreen<frmServLst>(*env, "Servlst");
    ASSERT_TRUE(list);
    auto* edit = openEdit<frmService>(*env, list, "frmService");
    ASSERT_TRUE(edit);
    // Only active departments are offered.
    EXPECT_EQ(edit->cmbDept->count(), 3);
    EXPECT_EQ(edit->cmbDept->findText(QStringLiteral("Reports Desk")), -1);
    EXPECT_EQ(edit->txtNo->text(), QStringLiteral("0"));
    EXPECT_EQ(edit->txtEnd->text(), QStringLiteral("0"));

    auto saveSays = [&](const QString& expected) {
        env->dialogs.clear();
        edit->Command2->click();
        EXPECT_EQ(env->dialogs.texts(), QStringList{expected});
    };
    edit->txtAbr->setText(QStringLiteral("12"));
    edit->txtNo->setText(QStringLiteral("x"));
    saveSays(QStringLiteral("Cannot Save. Prefix Should not be Number"));
    edit->txtAbr->setText(QStringLiteral("C"));
    saveSays(QStringLiteral("Cannot Save. Enter a valid Starting number"));
    edit->txtNo->setText(QStringLiteral("10"));
    edit->txtEnd->setText(QStringLiteral("ten"));
    saveSays(QStringLiteral("Cannot Save. Enter a valid Ending number"));
    edit->txtEnd->setText(QStringLiteral("10"));
    saveSays(QStringLiteral("Please Check Starting and Ending Number"));
    edit->txtEnd->setText(QStringLiteral("9"));
    saveSays(QStringLiteral("Please Check Starting and Ending Number"));
    // Compared as numbers, not as texts ("9" > "10" as text).
    edit->txtNo->setText(QStringLiteral("9"));
    edit->txtEnd->setText(QStringLiteral("10"));
    edit->cmbDept->setCurrentText(QStringLiteral("Nowhere"));
    saveSays(QStringLiteral("Select a department name"));
    // An inactive department typed by name is accepted.
    edit->cmbDept->setCurrentText(QStringLiteral("Reports Desk"));
    saveSays(QStringLiteral("Service name should not be blank"));
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblService")), 3);

    edit->txtServ->setText(QStringLiteral("Children's X-Ray"));
    edit->txtDesc->setText(QStringLiteral("Ground floor"));
    env->dialogs.clear();
    edit->Command2->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    const ResultSet rs = env->db.query(QStringLiteral("select * from tblService where servName=?"),
                                       {QStringLiteral("Children's X-Ray")});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.number(0, 1), hall.reportDept);
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("Ground floor"));
    EXPECT_EQ(rs.text(0, 4), QStringLiteral("1"));
    EXPECT_EQ(rs.number(0, QStringLiteral("startno")), 9);
    EXPECT_EQ(rs.number(0, QStringLiteral("endno")), 10);
    EXPECT_EQ(rs.text(0, QStringLiteral("abrno")), QStringLiteral("C"));
    EXPECT_GT(rowWith(list->FG, 3, QStringLiteral("Children's X-Ray")), 0);
}

TEST_P(MasterListsTest, ServicePrefixCleanUpEmptyPrefixAndWideRange)
{
    const Hall hall = seedHall(env->db);
    auto* list = openScreen<frmServLst>(*env, "Servlst");
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->selectKey(hall.lab));
    list->FG_DblClick();
    auto* edit = qobject_cast<frmService*>(env->screens.existing(QStringLiteral("frmService")));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->cmbDept->currentText(), QStringLiteral("General"));
    EXPECT_EQ(edit->txtServ->text(), QStringLiteral("Lab"));
    EXPECT_EQ(edit->txtNo->text(), QStringLiteral("100"));
    EXPECT_EQ(edit->txtAbr->text(), QStringLiteral("B"));

    for (const char* bad : {"B-", "#1", "A.", "X_Y", "*", "a,b"}) {
        edit->txtAbr->setText(QString::fromLatin1(bad));
        edit->txtAbr_LostFocus();
        EXPECT_TRUE(edit->txtAbr->text().isEmpty()) << bad;
    }
    edit->txtAbr->setText(QStringLiteral("LB"));
    edit->txtAbr_LostFocus();
    EXPECT_EQ(edit->txtAbr->text(), QStringLiteral("LB"));

    // Leaving the box through the focus does the same.
    QApplication::setActiveWindow(edit);
    edit->txtAbr->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit->txtAbr);
    edit->txtAbr->setText(QStringLiteral("L-1"));
    edit->txtServ->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), edit->txtServ);
    EXPECT_TRUE(edit->txtAbr->text().isEmpty());

    // An empty prefix and 1..999 are saved on the same row.
    edit->txtAbr->clear();
    edit->txtNo->setText(QStringLiteral("1"));
    edit->txtEnd->setText(QStringLiteral("999"));
    env->dialogs.clear();
    edit->Command2->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    const ResultSet rs = env->db.query(
        QStringLiteral("select startno, endno, abrno from tblService where servAuto=?"), {hall.lab});
    EXPECT_EQ(rs.number(0, 0), 1);
    EXPECT_EQ(rs.number(0, 1), 999);
    EXPECT_EQ(rs.text(0, 2), QString());
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblService")), 3);
}

TEST_P(MasterListsTest, CounterChecksSaveAndEditShowsThePasswordTwice)
{
    const Hall hall = seedHall(env->db);
    env->db.update(QStringLiteral("tblService"), hall.reports, {{QStringLiteral("active"), 0}});
    auto* list = openScreen<frmCntLst>(*env, "Counter");
    ASSERT_TRUE(list);
    auto* edit = openEdit<frmCounter>(*env, list, "frmCounter");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->cmbServ->count(), 2); // active services only
    EXPECT_TRUE(edit->chkActive->isChecked());
    EXPECT_EQ(edit->txtPass->echoMode(), QLineEdit::Password);

    auto saveSays = [&](const QString& expected) {
        env->dialogs.clear();
        edit->Command2->click();
        EXPECT_EQ(env->dialogs.texts(), QStringList{expected});
    };
    edit->txtPass->setText(QStringLiteral("a"));
    edit->txtPass1->setText(QStringLiteral("b"));
    saveSays(QStringLiteral("Passwords should be same "));
    edit->txtPass1->setText(QStringLiteral("a"));
    saveSays(QStringLiteral("Select a valid service"));
    edit->cmbServ->setCurrentText(QStringLiteral("Reports")); // inactive, typed by name
    saveSays(QStringLiteral("Counter Name should not be blank"));
    edit->txtName->setText(QStringLiteral("Dr. O'Hara"));
    saveSays(QStringLiteral("User Name should not be blank"));
    edit->txtUser->setText(QStringLiteral("o'hara"));
    edit->txtNameA->setText(QStringLiteral("Docteur O'Hara"));
    edit->txtDescA->setText(QStringLiteral("Salle 4"));
    env->dialogs.clear();
    edit->Command2->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());

    const ResultSet rs = env->db.query(QStringLiteral("select * from tblCounter where contName=?"),
                                       {QStringLiteral("Dr. O'Hara")});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.number(0, 1), hall.reports);
    EXPECT_EQ(rs.text(0, 3), QString());
    EXPECT_EQ(rs.text(0, 4), QStringLiteral("o'hara"));
    EXPECT_TRUE(passwords::isHash(rs.text(0, 5)));
    EXPECT_TRUE(passwords::matches(rs.text(0, 5), QStringLiteral("a")));
    EXPECT_EQ(rs.text(0, 6), QStringLiteral("1"));
    EXPECT_EQ(rs.text(0, 7), QStringLiteral("Docteur O'Hara"));
    EXPECT_EQ(rs.text(0, 8), QStringLiteral("Salle 4"));
    // Listed by name: "Counter 1..3" come before "Dr. O'Hara".
    EXPECT_EQ(list->FG->text(4, 4), QStringLiteral("Dr. O'Hara"));

    // Editing never shows the password: empty boxes keep it; a second counter of the same name is
    // allowed.
    ASSERT_TRUE(list->selectKey(hall.counter3));
    list->FG_DblClick();
    edit = qobject_cast<frmCounter*>(env->screens.existing(QStringLiteral("frmCounter")));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->cmbServ->currentText(), QStringLiteral("Lab"));
    EXPECT_EQ(edit->txtPass->text(), QString());
    EXPECT_EQ(edit->txtPass1->text(), QString());
    EXPECT_EQ(edit->txtDesc->text(), QStringLiteral("Lab"));
    EXPECT_EQ(edit->txtDescA->text(), QStringLiteral("Lab (2)"));
    edit->txtName->setText(QStringLiteral("Counter 1"));
    edit->chkActive->setChecked(false);
    env->dialogs.clear();
    edit->Command2->click();
    EXPECT_TRUE(env->dialogs.texts().isEmpty());
    const ResultSet c3 = env->db.query(
        QStringLiteral("select contName, active, pass from tblCounter where cntAuto=?"), {hall.counter3});
    EXPECT_EQ(c3.text(0, 0), QStringLiteral("Counter 1"));
    EXPECT_EQ(c3.text(0, 1), QStringLiteral("0"));
    EXPECT_EQ(c3.text(0, 2), QStringLiteral("pw")); // kept as it was
    EXPECT_EQ(count(env->db, QStringLiteral("select count(*) from tblCounter where contName='Counter 1'")),
              2);
}

TEST_P(MasterListsTest, ListsAreSingleInstancesAndReloadWhenActivated)
{
    seedHall(env->db);
    // The main window enables a command only for a registered screen.
    for (const char* name :
         {"deptLst", "Servlst", "Counter", "compdet", "frmDept", "frmService", "frmCounter"})
        EXPECT_TRUE(env->screens.has(QString::fromLatin1(name))) << name;
    auto* first = openScreen<frmDeptLst>(*env, "deptLst");
    ASSERT_TRUE(first);
    EXPECT_EQ(env->screens.open(QStringLiteral("deptLst")), first);
    const int before = first->FG->rows();
    env->secondConnection()->insert(QStringLiteral("tblDept"),
                                    {{QStringLiteral("deptName"), QStringLiteral("Late")},
                                     {QStringLiteral("deptDesc"), QStringLiteral("Walk-In")},
                                     {QStringLiteral("active"), 1}});
    // Coming back to the list (another window was active meanwhile) reads the rows again.
    QApplication::setActiveWindow(first);
    QCoreApplication::processEvents();
    ASSERT_TRUE(first->isActiveWindow());
    EXPECT_EQ(first->FG->rows(), before + 1);
    EXPECT_GT(rowWith(first->FG, 2, QStringLiteral("Late")), 0);
}

BRIVANE_STORE_TEST_SUITE(MasterListsTest);

// A counter the store refuses is reported and stays on the screen; nothing is lost in silence.
TEST(CounterFailure, FailingInsertIsReportedAndTheScreenStays)
{
    TestEnv env;
    const Hall hall = seedHall(env.db);
    Q_UNUSED(hall);
    env.db.exec(QStringLiteral("create trigger refuse_counter before insert on tblCounter "
                               "begin select raise(abort, 'counter refused'); end"));
    auto* list = qobject_cast<frmCntLst*>(env.screens.open(QStringLiteral("Counter")));
    ASSERT_TRUE(list);
    list->Command3->click();
    auto* edit = qobject_cast<frmCounter*>(env.screens.existing(QStringLiteral("frmCounter")));
    ASSERT_TRUE(edit);
    edit->cmbServ->setCurrentText(QStringLiteral("Lab"));
    edit->txtName->setText(QStringLiteral("Counter 9"));
    edit->txtUser->setText(QStringLiteral("op9"));
    edit->Command2->click();
    ASSERT_EQ(env.dialogs.shown().size(), 1);
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("counter refused")));
    EXPECT_EQ(env.dialogs.shown().last().title, QStringLiteral("Error"));
    EXPECT_EQ(env.dialogs.shown().last().icon, Dialogs::Icon::Warning);
    EXPECT_EQ(env.screens.existing(QStringLiteral("frmCounter")), edit);
    EXPECT_TRUE(edit->lblRef->text().isEmpty());
    EXPECT_EQ(edit->txtName->text(), QStringLiteral("Counter 9"));

    // Once the store takes it, the same Save stores it once.
    env.db.exec(QStringLiteral("drop trigger refuse_counter"));
    edit->Command2->click();
    EXPECT_EQ(env.db.query(QStringLiteral("select * from tblCounter where contName='Counter 9'")).size(), 1);
}

// A list whose rows cannot be read says so once, not again each time its message box gives the
// activation back.
TEST(CounterFailure, UnreadableListReportsOncePerActivation)
{
    TestEnv env;
    auto* list = qobject_cast<frmDeptLst*>(env.screens.open(QStringLiteral("deptLst")));
    ASSERT_TRUE(list);
    env.db.exec(QStringLiteral("drop table tblDept"));
    list->refresh();
    EXPECT_EQ(env.dialogs.texts().size(), 1);
    EXPECT_TRUE(env.dialogs.last().contains(QStringLiteral("tblDept"), Qt::CaseInsensitive));
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(list);
    QCoreApplication::processEvents();
    ASSERT_TRUE(list->isActiveWindow());
    EXPECT_EQ(env.dialogs.texts().size(), 1);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(list);
    QCoreApplication::processEvents();
    EXPECT_EQ(env.dialogs.texts().size(), 2);
    EXPECT_EQ(list->FG->rows(), 1);
}

TEST(MasterDataText, NumbersAndPrefixes)
{
    using namespace masterdata;
    for (const char* yes : {"1", " 12 ", "-3", "+4", "1.5", ".5", "2e3", "007"})
        EXPECT_TRUE(readsAsNumber(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", "A", "A1", "1A", "inf", "nan", "1-2", "0x10"})
        EXPECT_FALSE(readsAsNumber(QString::fromLatin1(no))) << no;
    qint64 n = 0;
    EXPECT_TRUE(readsAsWholeNumber(QStringLiteral(" 42 "), &n));
    EXPECT_EQ(n, 42);
    EXPECT_FALSE(readsAsWholeNumber(QStringLiteral("1.5")));
    EXPECT_FALSE(readsAsWholeNumber(QStringLiteral("99999999999999999999999")));
    EXPECT_EQ(cleanPrefix(QStringLiteral("AB")), QStringLiteral("AB"));
    EXPECT_EQ(cleanPrefix(QStringLiteral("A B")), QStringLiteral("A B"));
    EXPECT_EQ(cleanPrefix(QStringLiteral("A,B")), QString());
}
