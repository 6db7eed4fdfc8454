#include "TicketsSupport.h"

#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "tickets/TokenOnScreen.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"

#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

using namespace ticketstest;

namespace {

int rowStartingWith(const Grid* grid, const QString& caption)
{
    for (int r = 1; r < grid->rows(); ++r) {
        if (grid->text(r, 1).startsWith(caption))
            return r;
    }
    return -1;
}

// Picks a row of the kiosk's grid as a touch does, a second after the one before (a touch right after
// the grid changed is taken for the second tap of a double tap).
template <typename Kiosk> void choose(TestEnv& env, Kiosk* kiosk, const QString& caption)
{
    env.clock.set(env.clock.now().addSecs(1));
    const int row = rowStartingWith(kiosk->FG, caption);
    ASSERT_GT(row, 0) << caption.toStdString();
    kiosk->FG->setRow(row);
    kiosk->FG_Click();
}

TokenOnScreen* tokenShownOver(QWidget* kiosk)
{
    const QList<TokenOnScreen*> shown = kiosk->findChildren<TokenOnScreen*>();
    return shown.size() == 1 && shown.first()->isVisible() ? shown.first() : nullptr;
}

class TokenOnScreenTest : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        env.clock.set(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
    }
    TestEnv env;
    Hall hall;
};

} // namespace

TEST_F(TokenOnScreenTest, WindowedKioskShowsTheTokenOnlyWhenNoTicketWasPrinted)
{
    auto* kiosk = qobject_cast<frmTicket*>(env.screens.open(QStringLiteral("frmTicket")));
    ASSERT_NE(kiosk, nullptr);
    choose(env, kiosk, QStringLiteral("General"));
    choose(env, kiosk, QStringLiteral("Lab"));
    EXPECT_EQ(env.printers.documents, 1);
    EXPECT_TRUE(kiosk->findChildren<TokenOnScreen*>().isEmpty());

    env.printers.failing = true;
    choose(env, kiosk, QStringLiteral("General"));
    choose(env, kiosk, QStringLiteral("Lab"));
    TokenOnScreen* shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->lblToken->text(), QStringLiteral("B101"));
    EXPECT_EQ(shown->lblService->text(), QStringLiteral("Lab"));
    EXPECT_TRUE(shown->closeTimer->isActive());
    EXPECT_GE(shown->closeTimer->interval(), 3000);
    EXPECT_GT(shown->lblToken->font().pixelSize(), 100);
    // The ticket is stored all the same.
    EXPECT_EQ(ticketCount(env.db), 2);

    // The next visitor's token replaces it; a touch closes it, and so does its timer.
    choose(env, kiosk, QStringLiteral("General"));
    choose(env, kiosk, QStringLiteral("Consultation"));
    shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->lblToken->text(), QStringLiteral("A1"));
    QTest::mouseClick(shown, Qt::LeftButton);
    EXPECT_FALSE(shown->isVisible());
}

TEST_F(TokenOnScreenTest, FullScreenKioskShowsTheTokenWithoutAnyPrinter)
{
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    env.printers.failing = true;
    auto* kiosk = qobject_cast<frmTicketF*>(env.screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    choose(env, kiosk, QStringLiteral("Consultation"));
    TokenOnScreen* shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->lblToken->text(), QStringLiteral("A1"));
    QPointer<TokenOnScreen> watched(shown);
    shown->closeTimer->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watched || !watched->isVisible(); }, 5000));
}
