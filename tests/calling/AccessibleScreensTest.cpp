// The desktop screens a screen reader user meets: the counter screen, the log-in and the kiosks. Their
// accessibility tree (what Qt tells a screen reader) names every control that can take the focus, and
// Tab visits the controls in the order they are read: down the window, each line from its start.

#include "CallingSupport.h"
#include "calling/frmCall.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "core/frmLogin.h"
#include "testsupport/AccessibilityWalk.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"

#include <QCoreApplication>
#include <QRadioButton>
#include <QTabWidget>

using namespace callingtest;

namespace {

void expectNamedAndInOrder(QWidget* window)
{
    ASSERT_NE(window, nullptr);
    window->show();
    QCoreApplication::processEvents();
    SCOPED_TRACE(window->objectName().toStdString());
    EXPECT_EQ(accessibilitywalk::unnamedControls(window), QStringList());
    QStringList order;
    for (QWidget* w : accessibilitywalk::tabOrder(window))
        order << w->objectName() + QLatin1Char('@') + QString::number(w->mapTo(window, QPoint()).x()) +
                     QLatin1Char(',') + QString::number(w->mapTo(window, QPoint()).y());
    EXPECT_EQ(accessibilitywalk::outOfVisualOrder(window), QStringList())
        << order.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(accessibilitywalk::tabOrder(window).isEmpty());
}

} // namespace

TEST(AccessibleScreens, TheCounterScreenNamesEveryControlOnEveryTabInReadingOrder)
{
    TestEnv env;
    const Hall hall = seedHall(env.db);
    logInCounter(env.session, env.db, hall.counter1);
    auto* counter = qobject_cast<frmCall*>(env.screens.open(QStringLiteral("frmCall")));
    ASSERT_NE(counter, nullptr);
    // Each tab shows other controls: every one is walked.
    for (int tab = 0; tab < counter->STab->count(); ++tab) {
        SCOPED_TRACE(counter->STab->tabText(tab).toStdString());
        counter->STab->setCurrentIndex(tab);
        expectNamedAndInOrder(counter);
    }
}

TEST(AccessibleScreens, TheLogInNamesEveryControlInReadingOrder)
{
    TestEnv env;
    seedHall(env.db);
    auto* login = new frmLogin(*env.ctx);
    expectNamedAndInOrder(login);
    // The counter's log-in shows the counter list too.
    login->optCounter->click();
    expectNamedAndInOrder(login);
    delete login;
}

TEST(AccessibleScreens, TheKiosksNameTheirControlsInReadingOrder)
{
    TestEnv env;
    seedHall(env.db);
    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                       QStringLiteral("Normal"));
    auto* windowed = qobject_cast<frmTicket*>(env.screens.open(QStringLiteral("frmTicket")));
    expectNamedAndInOrder(windowed);
    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                       QStringLiteral("Full Screen"));
    auto fullScreen = std::make_unique<frmTicketF>(*env.ctx);
    fullScreen->resize(1280, 1024);
    fullScreen->show();
    QCoreApplication::processEvents();
    // The full-screen kiosk's keys are its own (Tab moves over its buttons); what a screen reader finds
    // in it is named.
    EXPECT_EQ(accessibilitywalk::unnamedControls(fullScreen.get()), QStringList());
    fullScreen->leave();
}
