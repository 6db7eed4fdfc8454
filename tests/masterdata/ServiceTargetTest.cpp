#include "core/ServiceTarget.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"

#include <QPushButton>
#include <QSpinBox>

class ServiceTargetTest : public StoreTest
{
};

// The administrator gives a service "80 % within 10 minutes" on its screen; it is kept, shown again when
// the service is opened, read back by the hall's figures, and can be taken away. Half a target is refused.
TEST_P(ServiceTargetTest, ATargetIsSetShownReadAndCleared)
{
    const Hall hall = seedHall(env->db);
    EXPECT_FALSE(ServiceTarget::read(env->db, hall.consultation).isSet());
    EXPECT_TRUE(ServiceTarget::readAll(env->db).isEmpty());

    auto* list = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->selectKey(hall.consultation));
    list->FG_DblClick();
    auto* edit = qobject_cast<frmService*>(env->screens.existing(QStringLiteral("frmService")));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->spnTargetShare->value(), 0);
    EXPECT_EQ(edit->spnTargetShare->text(), QStringLiteral("No target"));

    edit->spnTargetShare->setValue(80);
    edit->Command2->click();
    EXPECT_EQ(env->dialogs.last(),
              QStringLiteral("Cannot Save. A target needs both a share and a wait, or neither"));
    EXPECT_FALSE(ServiceTarget::read(env->db, hall.consultation).isSet());

    edit->spnTargetWait->setValue(10);
    edit->Command2->click();
    EXPECT_EQ(ServiceTarget::read(env->db, hall.consultation), ServiceTarget(80, 10));
    const auto all = ServiceTarget::readAll(env->db);
    EXPECT_EQ(all.size(), 1);
    EXPECT_EQ(all.value(hall.consultation), ServiceTarget(80, 10));

    ASSERT_TRUE(list->selectKey(hall.lab));
    list->FG_DblClick();
    EXPECT_EQ(edit->spnTargetShare->value(), 0);
    ASSERT_TRUE(list->selectKey(hall.consultation));
    list->FG_DblClick();
    EXPECT_EQ(edit->spnTargetShare->value(), 80);
    EXPECT_EQ(edit->spnTargetWait->value(), 10);

    edit->spnTargetShare->setValue(0);
    edit->spnTargetWait->setValue(0);
    edit->Command2->click();
    EXPECT_FALSE(ServiceTarget::read(env->db, hall.consultation).isSet());
    EXPECT_TRUE(ServiceTarget::readAll(env->db).isEmpty());
}

// A wait meets the target up to and including the target's wait, to the second; the share counts them.
TEST(ServiceTargetRule, AWaitMeetsTheTargetUpToItsWaitAndTheShareCountsThem)
{
    const ServiceTarget target(80, 10);
    EXPECT_TRUE(target.met(0));
    EXPECT_TRUE(target.met(600));
    EXPECT_FALSE(target.met(601));
    EXPECT_FALSE(ServiceTarget().met(0));
    EXPECT_FALSE(ServiceTarget(80, 0).isSet());

    TargetShare share(target);
    EXPECT_FALSE(share.percent());
    for (qint64 wait : {30, 599, 600, 601, 3600})
        share.add(wait);
    EXPECT_EQ(share.counted(), 5);
    EXPECT_EQ(share.within(), 3);
    ASSERT_TRUE(share.percent());
    EXPECT_DOUBLE_EQ(*share.percent(), 60.0);
    EXPECT_FALSE(target.kept(*share.percent()));
    EXPECT_TRUE(target.kept(80.0));

    TargetShare none{ServiceTarget()};
    none.add(10);
    EXPECT_FALSE(none.percent());
}

BRIVANE_STORE_TEST_SUITE(ServiceTargetTest);
