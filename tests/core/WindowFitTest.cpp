#include "testsupport/TestEnv.h"
#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

// A window that would end below or beside the screen is moved in (only as far as needed), and one
// bigger than the screen is made smaller, with room for the window manager's frame.
TEST(WindowFit, AWindowIsMovedAndShrunkIntoTheScreen)
{
    const QMargins frame(1, 24, 1, 1);
    // 1920x1080 less a panel: where the hall walk found Counter List, Settings, Backup & Restore and
    // the Department report, each ending at y 1095.
    const QRect fullHd(0, 0, 1920, 1050);
    for (const QRect& window : {QRect(500, 655, 900, 440), QRect(600, 606, 720, 489),
                                QRect(700, 835, 520, 260), QRect(400, 495, 1000, 600)}) {
        const QRect fitted = fitIntoScreen(window, fullHd, frame);
        EXPECT_EQ(fitted.size(), window.size());
        EXPECT_EQ(fitted.left(), window.left());
        EXPECT_EQ(fitted.bottom(), fullHd.bottom() - 1) << "moved up just enough";
        EXPECT_TRUE(fullHd.contains(fitted.marginsAdded(frame)));
    }
    const QRect laptop(0, 0, 1366, 738);
    EXPECT_EQ(fitIntoScreen(QRect(10, 40, 300, 200), laptop, frame), QRect(10, 40, 300, 200))
        << "inside: kept";
    EXPECT_EQ(fitIntoScreen(QRect(100, 50, 1400, 900), laptop, frame), QRect(1, 24, 1364, 713)) << "too big";
    EXPECT_EQ(fitIntoScreen(QRect(-50, -10, 300, 200), laptop, frame).topLeft(), QPoint(1, 24));
    EXPECT_EQ(fitIntoScreen(QRect(1200, 700, 300, 200), laptop, frame).bottomRight(), QPoint(1364, 736));
    // A second screen to the right keeps its own coordinates.
    const QRect right(1920, 0, 1366, 768);
    EXPECT_TRUE(right.contains(fitIntoScreen(QRect(3000, 600, 400, 300), right)));
}

// The screens the main window opens come up inside the screen, however big they were made; the test
// platform's screen is smaller than any hall's.
TEST(WindowFit, ScreensOpenInsideTheScreen)
{
    TestEnv env;
    seedHall(env.db);
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    const QRect area = screen->availableGeometry();
    for (const char* name : {"Counter", "settings", "bkup", "deptBased", "Servlst", "deptLst"}) {
        QWidget* w = env.screens.open(QString::fromLatin1(name));
        ASSERT_TRUE(w) << name;
        const QRect frame = w->frameGeometry();
        EXPECT_TRUE(area.contains(frame.topLeft())) << name;
        // Where the test platform's screen is smaller than the window's least size, it overflows by
        // no more than that.
        const bool leastSize = w->width() == w->minimumWidth() || w->height() == w->minimumHeight();
        EXPECT_TRUE(area.contains(frame) || leastSize)
            << name << " at " << w->frameGeometry().x() << "," << w->frameGeometry().y() << " "
            << w->frameGeometry().width() << "x" << w->frameGeometry().height() << " on " << area.width()
            << "x" << area.height();
        w->close();
    }
}
