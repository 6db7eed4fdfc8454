#include "calling/CallEngine.h"
#include "masterdata/Services.h"
#include "testsupport/TestEnv.h"

#include <QPushButton>
#include <QSpinBox>

class ServiceCapTest : public StoreTest
{
};

// The administrator caps how long a walk-in of a service may be held back; the service keeps it, shows it
// again when opened, and the counters of that service read it. Taken away, the service has no cap.
TEST_P(ServiceCapTest, ACapIsSetShownReadByTheCountersAndTakenAway)
{
    const Hall hall = seedHall(env->db);
    env->session.serviceId = hall.consultation;
    env->session.counterId = env->session.servingCounterId = hall.counter1;
    const auto capOfCounters = [&] {
        CallEngine engine(env->db, env->settings(), env->clock, env->session);
        return engine.capMinutes();
    };
    EXPECT_EQ(capOfCounters(), 0);

    auto* list = qobject_cast<frmServLst*>(env->screens.open(QStringLiteral("Servlst")));
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->selectKey(hall.consultation));
    list->FG_DblClick();
    auto* edit = qobject_cast<frmService*>(env->screens.existing(QStringLiteral("frmService")));
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->spnCapWait->value(), 0);
    EXPECT_EQ(edit->spnCapWait->text(), QStringLiteral("No cap"));

    edit->spnCapWait->setValue(25);
    edit->Command2->click();
    EXPECT_EQ(capOfCounters(), 25);
    // Another service keeps its own (none); the capped one shows its cap when opened again.
    ASSERT_TRUE(list->selectKey(hall.lab));
    list->FG_DblClick();
    EXPECT_EQ(edit->spnCapWait->value(), 0);
    ASSERT_TRUE(list->selectKey(hall.consultation));
    list->FG_DblClick();
    EXPECT_EQ(edit->spnCapWait->value(), 25);

    edit->spnCapWait->setValue(0);
    edit->Command2->click();
    EXPECT_EQ(capOfCounters(), 0);
}

BRIVANE_STORE_TEST_SUITE(ServiceCapTest);
