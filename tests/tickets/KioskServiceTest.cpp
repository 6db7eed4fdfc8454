// The kiosks when they cannot serve (no default department, the store away) and their touch sizes.

#include "TicketsSupport.h"

#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "tickets/KioskPages.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace ticketstest;

namespace {

class KioskService : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        env.clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
        env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                           QStringLiteral("Full Screen"));
        other = env.secondConnection();
    }

    frmTicketF* openFullScreen()
    {
        return qobject_cast<frmTicketF*>(env.screens.open(QStringLiteral("frmTicketF")));
    }
    // The services table goes away and comes back, as it does for a kiosk whose server is down.
    void servicesAway() { other->exec(QStringLiteral("alter table tblservice rename to tblservice_away")); }
    void servicesBack() { other->exec(QStringLiteral("alter table tblservice_away rename to tblservice")); }

    void touch(Grid* grid, const QString& caption)
    {
        env.clock.set(env.clock.now().addSecs(1));
        const int row = rowStartingWith(grid, caption);
        ASSERT_GT(row, 0) << caption.toStdString();
        grid->setRow(row);
    }

    TestEnv env;
    Hall hall;
    std::unique_ptr<Database> other;
};

} // namespace

// Without a department named and without a Walk-In or Report department that offers a service there
// is nothing to offer.
TEST_F(KioskService, FullScreenWithNothingToOfferIsOutOfServiceWithOnlyTheCornerAsWayOut)
{
    env.db.exec(QStringLiteral("update tblservice set active='0' where servAuto in (?, ?, ?)"),
                {hall.consultation, hall.lab, hall.reports});
    frmTicketF* kiosk = openFullScreen();
    ASSERT_NE(kiosk, nullptr);
    kiosk->resize(1920, 1080);
    kiosk->show();
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
    EXPECT_FALSE(kiosk->serving());
    EXPECT_TRUE(kiosk->outOfService->isVisibleTo(kiosk));
    EXPECT_EQ(kiosk->outOfService->lblTitle->text(), QStringLiteral("Out of service"));
    EXPECT_EQ(kiosk->outOfService->geometry(), kiosk->rect());
    EXPECT_FALSE(kiosk->FG->isVisibleTo(kiosk));
    EXPECT_FALSE(kiosk->cmdExit->isVisibleTo(kiosk));
    // The page holds no button, and the corner lies over it.
    EXPECT_TRUE(kiosk->outOfService->findChildren<QPushButton*>().isEmpty());
    EXPECT_EQ(kiosk->childAt(kiosk->width() - 2, 2), kiosk->lblTouch);
    EXPECT_TRUE(kiosk->retry->active());

    EXPECT_TRUE(kiosk->outOfService->lblReason->text().contains(QStringLiteral("Walk-In")));
    // Once there is a service to offer the kiosk serves without a restart.
    env.db.exec(QStringLiteral("update tblservice set active='1'"));
    EXPECT_TRUE(kiosk->retry->retryNow());
    EXPECT_TRUE(kiosk->serving());
    EXPECT_FALSE(kiosk->outOfService->isVisibleTo(kiosk));
    EXPECT_TRUE(kiosk->FG->isVisibleTo(kiosk));
    EXPECT_FALSE(kiosk->retry->active());
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
    kiosk->leave();
}

TEST_F(KioskService, FullScreenTouchedDuringAnOutageFillsItselfAgainWhenTheStoreAnswers)
{
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    frmTicketF* kiosk = openFullScreen();
    ASSERT_NE(kiosk, nullptr);
    ASSERT_TRUE(kiosk->serving());

    servicesAway();
    touch(kiosk->FG, QStringLiteral("Consultation"));
    kiosk->FG_Click();
    // No box for a visitor to close: the page says it, and tries again by itself.
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
    EXPECT_FALSE(kiosk->serving());
    EXPECT_TRUE(kiosk->retry->active());
    EXPECT_FALSE(kiosk->retry->retryNow());
    EXPECT_FALSE(kiosk->serving());

    servicesBack();
    EXPECT_TRUE(kiosk->retry->retryNow());
    EXPECT_TRUE(kiosk->serving());
    EXPECT_EQ(kiosk->FG->rows(), 3);
    touch(kiosk->FG, QStringLiteral("Consultation"));
    kiosk->FG_Click();
    EXPECT_EQ(ticketCount(env.db), 1);
    kiosk->leave();
}

TEST_F(KioskService, FullScreenWithADepartmentOfNoActiveServiceIsOutOfService)
{
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    env.db.exec(QStringLiteral("update tblservice set active='0'"));
    frmTicketF* kiosk = openFullScreen();
    ASSERT_NE(kiosk, nullptr);
    EXPECT_FALSE(kiosk->serving());
    EXPECT_TRUE(kiosk->outOfService->lblReason->text().contains(QStringLiteral("General")));
    env.db.exec(QStringLiteral("update tblservice set active='1'"));
    EXPECT_TRUE(kiosk->retry->retryNow());
    EXPECT_TRUE(kiosk->serving());
    kiosk->leave();
}

TEST_F(KioskService, WindowedKioskTouchedDuringAnOutageListsTheServicesWhenTheStoreAnswers)
{
    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                       QStringLiteral("Normal"));
    auto* kiosk = qobject_cast<frmTicket*>(env.screens.open(QStringLiteral("frmTicket")));
    ASSERT_NE(kiosk, nullptr);
    servicesAway();
    touch(kiosk->FG, QStringLiteral("General"));
    kiosk->FG_Click();
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("Please wait: the server does not answer"));
    EXPECT_TRUE(kiosk->retry->active());
    EXPECT_FALSE(kiosk->retry->retryNow());

    servicesBack();
    EXPECT_TRUE(kiosk->retry->retryNow());
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("Select Service"));
    EXPECT_GT(rowStartingWith(kiosk->FG, QStringLiteral("Consultation")), 0);
    EXPECT_FALSE(kiosk->retry->active());
}

TEST(KioskSizes, ButtonsAreAtLeastEightyPixelsOnA1080LineScreenAndGrowWithRoom)
{
    EXPECT_EQ(kioskSizes::minimumButtonPixels(1080), 80);
    EXPECT_EQ(kioskSizes::minimumButtonPixels(2160), 160);
    EXPECT_EQ(kioskSizes::minimumButtonPixels(600), 80);
    // 500 twips (33 pixels) is too low for a finger.
    EXPECT_EQ(kioskSizes::fullScreenButtonPixels(33, 1080, 12), 80);
    // Few services: as tall as an eighth of the screen.
    EXPECT_EQ(kioskSizes::fullScreenButtonPixels(33, 1080, 3), 135);
    // A taller row height setting is kept.
    EXPECT_EQ(kioskSizes::fullScreenButtonPixels(200, 1080, 3), 200);
}

TEST_F(KioskService, FullScreenButtonsOnA1080LineScreenAreFingerSizedWithLargeText)
{
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    frmTicketF* kiosk = openFullScreen();
    ASSERT_NE(kiosk, nullptr);
    kiosk->resize(1920, 1080);
    kiosk->show();
    kiosk->fillServices();
    EXPECT_GE(kiosk->buttonPixels(), 80);
    for (int r = 1; r < kiosk->FG->rows(); ++r)
        EXPECT_GE(twips::toPixels(kiosk->FG->rowHeight(r)), 80) << r;
    EXPECT_GE(kiosk->FG->font().pixelSize(), 24);
    // Every button is on the screen.
    EXPECT_LE(kiosk->FG->geometry().bottom(), 1080);
    EXPECT_GE(kiosk->FG->height(), kiosk->buttonPixels() * (kiosk->FG->rows() - 1));
    kiosk->leave();
}

TEST_F(KioskService, WindowedKioskSaysWhyAKindHasNoDepartment)
{
    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                       QStringLiteral("Normal"));
    env.db.exec(QStringLiteral("update tblDept set active='0' where deptDesc='Appointment'"));
    auto* kiosk = qobject_cast<frmTicket*>(env.screens.open(QStringLiteral("frmTicket")));
    ASSERT_NE(kiosk, nullptr);
    kiosk->optAppointment->click();
    ASSERT_EQ(kiosk->FG->rows(), 2);
    EXPECT_EQ(kiosk->FG->text(1, 1), QStringLiteral("No department of the type \"Appointment\""));
    touch(kiosk->FG, QStringLiteral("No department"));
    kiosk->FG_Click();
    EXPECT_EQ(kiosk->stg, 0);
    EXPECT_EQ(ticketCount(env.db), 0);
}
