#include "masterdata/frmCompany.h"
#include "testsupport/TestEnv.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

class CompanyTest : public StoreTest
{
protected:
    frmCompany* open()
    {
        auto* screen = qobject_cast<frmCompany*>(env->screens.open(QStringLiteral("compdet")));
        EXPECT_NE(screen, nullptr);
        return screen;
    }
    ResultSet rows() { return env->db.query(QStringLiteral("select * from tblComp order by compAuto")); }
};

TEST_P(CompanyTest, FirstSaveCreatesKeyOneAndLaterSavesChangeIt)
{
    frmCompany* screen = open();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Company Details"));
    EXPECT_TRUE(screen->txtName->text().isEmpty());

    // The name is required, the address is not.
    screen->txtAdd->setText(QStringLiteral("1 High Street"));
    screen->Command1->click();
    EXPECT_EQ(env->dialogs.texts(), QStringList{QStringLiteral("Company Name should not be blank")});
    EXPECT_EQ(rows().size(), 0);
    screen->txtName->setText(QStringLiteral("St. Mary's Hospital"));
    screen->txtAdd->clear();
    screen->Command1->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(env->screens.existing(QStringLiteral("compdet")), nullptr);
    ResultSet rs = rows();
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.number(0, 0), 1);
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("St. Mary's Hospital"));
    EXPECT_EQ(rs.text(0, 2), QString());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    screen = open();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->txtName->text(), QStringLiteral("St. Mary's Hospital"));
    screen->txtAdd->setText(QStringLiteral("2 Low Road"));
    screen->Command1->click();
    rs = rows();
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.number(0, 0), 1);
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("2 Low Road"));
}

// A stray row under another key is not the company row: Save fills key 1 instead of adding rows that
// nobody ever finds.
TEST_P(CompanyTest, StrayRowUnderAnotherKeyDoesNotHideTheCompany)
{
    env->db.insert(QStringLiteral("tblComp"),
                   {{QStringLiteral("compAuto"), 7}, {QStringLiteral("compName"), QStringLiteral("Old")}});
    frmCompany* screen = open();
    ASSERT_TRUE(screen);
    EXPECT_TRUE(screen->txtName->text().isEmpty());
    screen->txtName->setText(QStringLiteral("New Name"));
    screen->Command1->click();
    company::save(env->db, QStringLiteral("New Name"), QStringLiteral("Again"));
    const ResultSet rs = env->db.query(QStringLiteral("Select * from tblComp where compAuto=1"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("New Name"));
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("Again"));
    EXPECT_EQ(rows().size(), 2);
}

BRIVANE_STORE_TEST_SUITE(CompanyTest);
