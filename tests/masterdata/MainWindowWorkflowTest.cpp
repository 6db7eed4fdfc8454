#include "core/Lookups.h"
#include "core/MDI.h"
#include "core/users/Credentials.h"
#include "core/users/Users.h"
#include "masterdata/Counters.h"
#include "masterdata/Departments.h"
#include "masterdata/Services.h"
#include "masterdata/frmCompany.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

class MasterDataWorkflow : public StoreTest
{
protected:
    template <typename T> T* opened(QAction* item, const char* name)
    {
        EXPECT_TRUE(item->isEnabled()) << name;
        item->trigger();
        auto* w = qobject_cast<T*>(env->screens.existing(QString::fromLatin1(name)));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    template <typename T> T* editOf(MasterList* list, const char* name)
    {
        list->Command3->click();
        return qobject_cast<T*>(env->screens.existing(QString::fromLatin1(name)));
    }
};

// An administrator sets up a hall from nothing through the main window's commands.
TEST_P(MasterDataWorkflow, HallIsSetUpFromTheMainWindow)
{
    MDI mdi(*env->ctx);

    auto* depts = opened<frmDeptLst>(mdi.deptLst, "deptLst");
    ASSERT_TRUE(depts);
    auto* dept = editOf<frmDept>(depts, "frmDept");
    ASSERT_TRUE(dept);
    dept->txtDept->setText(QStringLiteral("Radiology"));
    dept->txtDesc->setCurrentIndex(dept->txtDesc->findText(QStringLiteral("Walk-In")));
    dept->Command2->click();
    ASSERT_EQ(depts->FG->rows(), 2);

    auto* services = opened<frmServLst>(mdi.Servlst, "Servlst");
    ASSERT_TRUE(services);
    auto* service = editOf<frmService>(services, "frmService");
    ASSERT_TRUE(service);
    ASSERT_EQ(service->cmbDept->count(), 1);
    service->cmbDept->setCurrentIndex(0);
    service->txtServ->setText(QStringLiteral("X-Ray"));
    service->txtNo->setText(QStringLiteral("100"));
    service->txtEnd->setText(QStringLiteral("199"));
    service->txtAbr->setText(QStringLiteral("X"));
    service->Command2->click();
    ASSERT_EQ(services->FG->rows(), 2);

    auto* counters = opened<frmCntLst>(mdi.Counter, "Counter");
    ASSERT_TRUE(counters);
    auto* counter = editOf<frmCounter>(counters, "frmCounter");
    ASSERT_TRUE(counter);
    counter->cmbServ->setCurrentIndex(counter->cmbServ->findText(QStringLiteral("X-Ray")));
    counter->txtName->setText(QStringLiteral("Room 7"));
    counter->txtDesc->setText(QStringLiteral("X-Ray Room 7"));
    counter->txtUser->setText(QStringLiteral("radiographer"));
    counter->txtPass->setText(QStringLiteral("film"));
    counter->txtPass1->setText(QStringLiteral("film"));
    counter->Command2->click();
    ASSERT_EQ(counters->FG->rows(), 2);
    EXPECT_EQ(counters->FG->text(1, 2), QStringLiteral("Radiology"));

    auto* company = opened<frmCompany>(mdi.compdet, "compdet");
    ASSERT_TRUE(company);
    company->txtName->setText(QStringLiteral("City Clinic"));
    company->txtAdd->setText(QStringLiteral("Main Square"));
    company->Command1->click();

    env->db.insert(QStringLiteral("tbluser"), {{QStringLiteral("username"), QStringLiteral("admin")},
                                               {QStringLiteral("password"), QStringLiteral("secret")},
                                               {QStringLiteral("userType"), QStringLiteral("Admin")}});
    auto* userList = opened<frmUserLst>(mdi.userLst, "userLst");
    ASSERT_TRUE(userList);
    userList->Text1->setText(QStringLiteral("deputy"));
    userList->Text2->setText(QStringLiteral("pw"));
    userList->Command1->click();
    EXPECT_EQ(userList->lstUser->count(), 2);
    EXPECT_TRUE(mdi.chPass->isEnabled());

    EXPECT_TRUE(env->dialogs.texts().isEmpty()) << env->dialogs.texts().join(QLatin1Char('|')).toStdString();
    // Everything hangs together by key, as numbering and log-in will read it.
    Database& db = env->db;
    const qint64 serv = lookups::serviceIdByName(db, QStringLiteral("X-Ray"));
    EXPECT_EQ(
        db.query(QStringLiteral("select deptAuto from tblService where servAuto=?"), {serv}).number(0, 0),
        lookups::deptIdByName(db, QStringLiteral("Radiology")));
    const auto room7 = users::checkCounter(db, QStringLiteral("Room 7"), QStringLiteral("radiographer"),
                                           QStringLiteral("film"));
    ASSERT_TRUE(room7.has_value());
    EXPECT_EQ(room7->servAuto, serv);
    EXPECT_EQ(db.query(QStringLiteral("Select * from tblComp where compAuto=1")).text(0, 1),
              QStringLiteral("City Clinic"));
    EXPECT_TRUE(users::checkAdministrator(db, QStringLiteral("deputy"), QStringLiteral("pw")).has_value());
}

BRIVANE_STORE_TEST_SUITE(MasterDataWorkflow);
