#include "testsupport/TestEnv.h"
#include "tickets/frmTicketF.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

// The exit pad reports an unreadable code file with a message while it opens. If the program ends
// meanwhile (every screen closed, the kiosk with the pad inside it), nothing is deleted under that
// message: kiosk and pad go once the message has returned.
TEST(ExitPadClosing, TheKioskClosedUnderThePadsMessageGoesAfterTheMessage)
{
    TestEnv env;
    seedHall(env.db);
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    QPointer<frmTicketF> kiosk = qobject_cast<frmTicketF*>(env.screens.open(QStringLiteral("frmTicketF")));
    ASSERT_TRUE(kiosk);
    // No code.txt in the installation folder: the pad says so while it opens.
    bool ended = false;
    env.dialogs.holdNextMessageOpen([&] {
        if (!ended) {
            ended = true;
            env.ctx->endProgram();
        }
        return false;
    });
    for (int i = 0; i < 4; ++i)
        kiosk->lblTouch_Click();
    EXPECT_TRUE(env.programEnded);
    EXPECT_EQ(env.dialogs.endedByTheirWindow, 1);
    ASSERT_TRUE(kiosk) << "kept until the pad's message has returned";
    QPointer<QWidget> pad = kiosk->exitPad();
    ASSERT_TRUE(pad);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(kiosk);
    EXPECT_FALSE(pad);
}
