#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"
#include "tickets/PhoneJoin.h"

#include <QCheckBox>
#include <QPushButton>

class PhoneJoinBoxTest : public StoreTest
{
};

// The administrator opens a service to joining from phones on its screen: off for a new or an untouched
// service, kept when saved, shown again, offered on /join, and closed again.
TEST_P(PhoneJoinBoxTest, TheServiceScreenOpensAndClosesJoiningFromPhones)
{
    const Hall hall = seedHall(env->db);
    auto* list = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->selectKey(hall.lab));
    list->FG_DblClick();
    auto* edit = qobject_cast<frmService*>(env->screens.existing(QStringLiteral("frmService")));
    ASSERT_TRUE(edit);
    EXPECT_FALSE(edit->chkPhoneJoin->isChecked());
    EXPECT_TRUE(phonejoin::joinableServices(env->db, env->clock).isEmpty());

    edit->chkPhoneJoin->setChecked(true);
    edit->Command2->click();
    const auto open = phonejoin::joinableServices(env->db, env->clock);
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0].name, QStringLiteral("Lab"));

    ASSERT_TRUE(list->selectKey(hall.consultation));
    list->FG_DblClick();
    EXPECT_FALSE(edit->chkPhoneJoin->isChecked());
    ASSERT_TRUE(list->selectKey(hall.lab));
    list->FG_DblClick();
    EXPECT_TRUE(edit->chkPhoneJoin->isChecked());
    edit->chkPhoneJoin->setChecked(false);
    edit->Command2->click();
    EXPECT_TRUE(phonejoin::joinableServices(env->db, env->clock).isEmpty());
}

BRIVANE_STORE_TEST_SUITE(PhoneJoinBoxTest);
