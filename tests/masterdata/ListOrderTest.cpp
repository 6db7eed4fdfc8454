#include "core/Lookups.h"
#include "core/frmLogin.h"
#include "core/users/Users.h"
#include "masterdata/Counters.h"
#include "masterdata/Departments.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace {

QStringList column(const Grid* grid, int col)
{
    QStringList out;
    for (int r = 1; r < grid->rows(); ++r)
        out.append(grid->text(r, col));
    return out;
}

QStringList entries(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out.append(box->itemText(i));
    return out;
}

} // namespace

class ListOrderTest : public StoreTest
{
};

// PostgreSQL hands back an updated row after the others unless told otherwise; the lists and
// choosers keep the order the rows were made in, whatever was edited since.
TEST_P(ListOrderTest, EditedRowsKeepTheirPlaceInListsAndChoosers)
{
    const Hall hall = seedHall(env->db);
    users::addUser(env->db, QStringLiteral("second"), QString(), QStringLiteral("Admin"));
    env->db.update(QStringLiteral("tblDept"), hall.walkInDept,
                   {{QStringLiteral("deptDesc"), QStringLiteral("Walk-In")}});
    env->db.update(QStringLiteral("tblService"), hall.consultation, {{QStringLiteral("startno"), 2}});
    env->db.update(QStringLiteral("tblCounter"), hall.counter1,
                   {{QStringLiteral("pass"), QStringLiteral("x")}});
    env->db.update(QStringLiteral("tbluser"), hall.admin,
                   {{QStringLiteral("password"), QStringLiteral("x")}});

    auto* depts = qobject_cast<frmDeptLst*>(env->screens.open(QStringLiteral("deptLst")));
    ASSERT_TRUE(depts);
    EXPECT_EQ(column(depts->FG, 2), (QStringList{QStringLiteral("General"), QStringLiteral("Reports Desk"),
                                                 QStringLiteral("Specialists"), QStringLiteral("Casualty")}));
    EXPECT_EQ(column(depts->FG, 1), (QStringList{QStringLiteral("1"), QStringLiteral("2"),
                                                 QStringLiteral("3"), QStringLiteral("4")}));
    auto* services = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(services);
    EXPECT_EQ(column(services->FG, 3), (QStringList{QStringLiteral("Consultation"), QStringLiteral("Lab"),
                                                    QStringLiteral("Reports")}));
    services->Command3->click();
    auto* service = qobject_cast<frmService*>(env->screens.existing(QStringLiteral("frmService")));
    ASSERT_TRUE(service);
    EXPECT_EQ(entries(service->cmbDept).first(), QStringLiteral("General"));
    auto* counters = qobject_cast<frmCntLst*>(env->screens.open(QStringLiteral("Counter")));
    ASSERT_TRUE(counters);
    counters->Command3->click();
    auto* counter = qobject_cast<frmCounter*>(env->screens.existing(QStringLiteral("frmCounter")));
    ASSERT_TRUE(counter);
    EXPECT_EQ(entries(counter->cmbServ), (QStringList{QStringLiteral("Consultation"), QStringLiteral("Lab"),
                                                      QStringLiteral("Reports")}));

    auto* usersList = qobject_cast<frmUserLst*>(env->screens.open(QStringLiteral("userLst")));
    ASSERT_TRUE(usersList);
    ASSERT_EQ(usersList->lstUser->count(), 2);
    EXPECT_EQ(usersList->lstUser->item(0)->text(), QStringLiteral("admin"));

    frmLogin login(*env->ctx);
    login.optCounter->click();
    EXPECT_EQ(
        entries(login.cmbCounter),
        (QStringList{QStringLiteral("Counter 1"), QStringLiteral("Counter 2"), QStringLiteral("Counter 3")}));
}

// Names are not unique: a lookup by name always finds the oldest row of that name.
TEST_P(ListOrderTest, LookupsByNameFindTheOldestRow)
{
    const Hall hall = seedHall(env->db);
    env->db.insert(QStringLiteral("tblCounter"), {{QStringLiteral("servAuto"), hall.lab},
                                                  {QStringLiteral("contName"), QStringLiteral("Counter 1")},
                                                  {QStringLiteral("active"), 1}});
    env->db.update(QStringLiteral("tblCounter"), hall.counter1,
                   {{QStringLiteral("pass"), QStringLiteral("x")}});
    EXPECT_EQ(lookups::counterIdByName(env->db, QStringLiteral("Counter 1")), hall.counter1);
}

BRIVANE_STORE_TEST_SUITE(ListOrderTest);
