#include "FakeScreens.h"
#include "core/Lookups.h"
#include "core/MDI.h"
#include "testsupport/OtherProgram.h"
#include "tickets/TicketPrint.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

namespace {

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct MainWindowTest : testing::Test
{
    void SetUp() override
    {
        hall = seedHall(env.db);
        registerFakeScreens(env);
        env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("HR1")}});
        mdi = std::make_unique<MDI>(*env.ctx);
        mdi->showLoaded();
    }
    void TearDown() override
    {
        if (mdi->displayRunning())
            mdi->display_Click();
        mdi->close();
    }
    TestEnv env;
    Hall hall;
    std::unique_ptr<MDI> mdi;
};

} // namespace

TEST_F(MainWindowTest, DisplayCaptionCarriesTheRunningState)
{
    EXPECT_EQ(mdi->display->text(), QStringLiteral("Start Display"));
    mdi->display->trigger();
    EXPECT_EQ(mdi->display->text(), QStringLiteral("Stop Display"));
    EXPECT_NE(mdi->displayBoard(), nullptr);
    mdi->display->trigger();
    EXPECT_EQ(mdi->display->text(), QStringLiteral("Start Display"));
    EXPECT_EQ(mdi->displayBoard(), nullptr);
    EXPECT_EQ(FakeBoard::opened, 1);
}

TEST_F(MainWindowTest, ABoardClosedElsewhereNoLongerCountsAsRunning)
{
    mdi->display_Click();
    QWidget* board = mdi->displayBoard();
    ASSERT_NE(board, nullptr);
    board->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mdi->display->text(), QStringLiteral("Start Display"));
    // A restart replaces the board; the old one going away later leaves the new one running.
    mdi->display_Click();
    mdi->display_Click();
    mdi->display_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(mdi->display->text(), QStringLiteral("Stop Display"));
    EXPECT_NE(mdi->displayBoard(), nullptr);
}

// A board PC whose settings name no theme, or one the hall lacks, shows the hall's only theme; with
// several, it asks for one and names the place.
TEST_F(MainWindowTest, ABoardPcFindsItsTheme)
{
    const qint64 hr1 = lookups::themeIdByName(env.db, QStringLiteral("HR1"));
    EXPECT_EQ(env.session.themeId, hr1);
    env.session.themeId = 0;
    mdi->display_Click();
    EXPECT_TRUE(mdi->displayRunning());
    EXPECT_EQ(env.session.themeId, hr1);
    mdi->display_Click();

    const auto choose = [this](const QString& name) {
        env.settings().set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"), name);
    };
    choose(QStringLiteral("Black H"));
    mdi->display_Click();
    EXPECT_TRUE(mdi->displayRunning());
    EXPECT_EQ(env.session.themeId, hr1);
    mdi->display_Click();
    EXPECT_TRUE(env.dialogs.texts().isEmpty());

    // A second theme, made meanwhile elsewhere: nobody guesses which one this board shows.
    const qint64 lobby =
        env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Lobby")}});
    mdi->display_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Please select a theme\nGo to Modules > Settings, Theme"));
    EXPECT_FALSE(mdi->displayRunning());
    choose(QString());
    env.dialogs.clear();
    mdi->display_Click();
    EXPECT_EQ(env.dialogs.texts(),
              QStringList{QStringLiteral("Please select a theme\nGo to Modules > Settings, Theme")});
    EXPECT_FALSE(mdi->displayRunning());

    choose(QStringLiteral("Lobby"));
    mdi->display_Click();
    EXPECT_TRUE(mdi->displayRunning());
    EXPECT_EQ(env.session.themeId, lobby);
    EXPECT_EQ(FakeBoard::opened, 3);
}

// Print Ticket takes the settings as they are and writes none back: a printer folder set by
// brivane-ctl while the program runs stays, and the kiosk prints there.
TEST_F(MainWindowTest, OpeningTheKioskRewritesNoSetting)
{
    for (const char* name : {"frmTicket", "frmTicketF"})
        env.screens.add(QString::fromLatin1(name), [](AppContext&) { return new QWidget; });
    Settings& s = env.settings();
    s.set(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name"), QStringLiteral("Old"));
    mdi->printTicket_Click();

    const QString folder = env.path(QStringLiteral("tickets"));
    ASSERT_TRUE(QDir().mkpath(folder));
    setAsAnotherProgram(s.fileName(), QStringLiteral("queue"), QStringLiteral("printer"),
                        QStringLiteral("name"), folder);
    setAsAnotherProgram(s.fileName(), QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"),
                        QStringLiteral("2"));
    const QByteArray written = readAll(s.fileName());
    mdi->printTicket_Click();
    EXPECT_EQ(readAll(s.fileName()), written);
    EXPECT_EQ(s.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name")), folder);
    EXPECT_EQ(ticketPrinterName(*env.ctx), folder);
    EXPECT_EQ(env.session.printCopies, 2);
}

TEST_F(MainWindowTest, ARunningDisplayWhoseThemeWentAwayStillStops)
{
    env.clock.set(QDateTime(QDate(2024, 3, 1), QTime(1, 0, 58)));
    mdi->Timer2_Timer();
    mdi->display_Click();
    ASSERT_TRUE(mdi->displayRunning());
    // The theme it runs is renamed or deleted.
    env.session.themeId = 0;
    env.dialogs.clear();
    // The nightly restart has nothing to start again with: the board keeps running.
    env.clock.setTime(QTime(1, 1, 0));
    mdi->Timer2_Timer();
    EXPECT_TRUE(mdi->displayRunning());
    EXPECT_EQ(FakeBoard::opened, 1);
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    // Stop works, and then Exit.
    mdi->display_Click();
    EXPECT_FALSE(mdi->displayRunning());
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    mdi->exit->trigger();
    EXPECT_TRUE(env.programEnded);
}

TEST_F(MainWindowTest, TheFullScreenKioskCoversTheScreen)
{
    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                       QStringLiteral("Full Screen"));
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    mdi->printTicket_Click();
    QWidget* kiosk = env.screens.existing(QStringLiteral("frmTicketF"));
    ASSERT_NE(kiosk, nullptr);
    EXPECT_TRUE(kiosk->isVisible());
    EXPECT_TRUE(kiosk->windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(kiosk->windowState() & Qt::WindowMaximized);
}

TEST_F(MainWindowTest, StartingTheDisplayBuildsTheCounterFilterOfItsTheme)
{
    env.settings().set(QStringLiteral("Q"), QStringLiteral("CounterList"),
                       QString::number(env.session.themeId),
                       QStringLiteral("%1,%2").arg(hall.counter1).arg(hall.counter3));
    mdi->display_Click();
    EXPECT_EQ(env.session.counterFilter,
              QStringLiteral("and(servAuto=%1 or servAuto=%2)").arg(hall.counter1).arg(hall.counter3));
}

TEST_F(MainWindowTest, LeavingIsRefusedWhileTheDisplayRuns)
{
    mdi->display_Click();
    mdi->exit->trigger();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Do you want to exit "));
    EXPECT_FALSE(env.programEnded);

    EXPECT_FALSE(mdi->close());
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Please stop the display first"));
    EXPECT_FALSE(env.programEnded);

    mdi->display_Click();
    env.dialogs.setNextAnswer(Dialogs::Answer::No);
    mdi->exit->trigger();
    EXPECT_FALSE(env.programEnded);
    mdi->exit->trigger();
    EXPECT_TRUE(env.programEnded);
}

TEST_F(MainWindowTest, ClosingWithTheDisplayOffEndsTheProgram)
{
    EXPECT_TRUE(mdi->close());
    EXPECT_TRUE(env.programEnded);
}

TEST_F(MainWindowTest, NightlyRestartHappensOnceWhenTheClockFirstPasses0101)
{
    env.clock.set(QDateTime(QDate(2024, 3, 1), QTime(1, 0, 58)));
    mdi->Timer2_Timer();
    mdi->display_Click();
    ASSERT_EQ(FakeBoard::opened, 1);
    // A busy second: no tick falls on 01:01:00 itself.
    env.clock.setTime(QTime(1, 1, 2));
    mdi->Timer2_Timer();
    EXPECT_EQ(FakeBoard::opened, 2);
    EXPECT_TRUE(mdi->displayRunning());
    env.clock.setTime(QTime(1, 1, 3));
    mdi->Timer2_Timer();
    env.clock.setTime(QTime(13, 0, 0));
    mdi->Timer2_Timer();
    EXPECT_EQ(FakeBoard::opened, 2);
    // The next night again.
    env.clock.set(QDateTime(QDate(2024, 3, 2), QTime(1, 1, 0)));
    mdi->Timer2_Timer();
    EXPECT_EQ(FakeBoard::opened, 3);
}

TEST_F(MainWindowTest, NightlyRestartLeavesAStoppedDisplayAlone)
{
    env.clock.set(QDateTime(QDate(2024, 3, 1), QTime(1, 0, 59)));
    mdi->Timer2_Timer();
    env.clock.setTime(QTime(1, 1, 0));
    mdi->Timer2_Timer();
    EXPECT_EQ(FakeBoard::opened, 0);
    EXPECT_FALSE(mdi->displayRunning());
}

TEST_F(MainWindowTest, EnableScrollIsStoredAndDrivesTheTickerOfARunningDisplay)
{
    mdi->chkStart->click();
    EXPECT_EQ(env.settings().get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("scroll")),
              QStringLiteral("1"));
    EXPECT_EQ(FakeBoard::newsStarts, 0);
    mdi->display_Click();
    EXPECT_EQ(FakeBoard::newsStarts, 1);
    mdi->startNews->trigger(); // Ctrl+N flips the box
    EXPECT_FALSE(mdi->chkStart->isChecked());
    EXPECT_EQ(FakeBoard::newsStops, 1);
    EXPECT_EQ(env.settings().get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("scroll")),
              QStringLiteral("0"));
    EXPECT_EQ(mdi->display->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_EQ(mdi->startNews->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
}

TEST_F(MainWindowTest, AppointmentCheckCountsTokensBeforeThePickedTime)
{
    int n = 1;
    for (const char* t : {"09:15", "10:29", "10:30", "11:00"})
        env.db.insert(QStringLiteral("tblTicket"),
                      {{QStringLiteral("servAuto"), hall.consultation},
                       {QStringLiteral("tickNo"), n++},
                       {QStringLiteral("tickDate"), QStringLiteral("2024-01-15")},
                       {QStringLiteral("apptime"), QString::fromLatin1(t)}});
    mdi->DT->setTime(QTime(10, 30));
    mdi->Command5->click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("2"));
}

TEST_F(MainWindowTest, CommandsWithoutTheirScreenAreDisabledAndServiceStartNoIsOff)
{
    EXPECT_FALSE(mdi->servStartNo->isEnabled());
    EXPECT_TRUE(mdi->connect->isEnabled());
    EXPECT_EQ(mdi->display->isEnabled(), env.screens.has(QStringLiteral("frmDisplay")));
    EXPECT_EQ(mdi->deptLst->isEnabled(), env.screens.has(QStringLiteral("deptLst")));
    mdi->abtQ->trigger();
    EXPECT_EQ(env.dialogs.shown().last().title, QStringLiteral("About Brivane"));
    EXPECT_TRUE(env.dialogs.last().startsWith(QStringLiteral("Brivane")));
}

TEST_F(MainWindowTest, CallOpensANewDeskEachTimeAndTransferAppOnePicker)
{
    const auto open = [](const char* name) {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == QLatin1String(name) && w->isVisible();
        return n;
    };
    ASSERT_TRUE(mdi->Command4->isEnabled());
    ASSERT_TRUE(mdi->Command3->isEnabled());
    mdi->Command4->click();
    mdi->Command4->click();
    EXPECT_EQ(open("frmCallAdmin"), 2);
    mdi->Command3->click();
    mdi->Command3->click();
    EXPECT_EQ(open("frmSelService"), 1);
    env.screens.closeAll();
}

TEST_F(MainWindowTest, MenuCaptionsShowAnAmpersandAsWritten)
{
    // iconText() is the caption as the menu draws it, mnemonic markers removed.
    EXPECT_EQ(mdi->bkup->iconText(), QStringLiteral("Backup & Restore"));
    EXPECT_EQ(mdi->startNews->iconText(), QStringLiteral("Start/Stop News"));
}

TEST(MainWindowLoad, StartsTheVoiceProgramWhenItIsInstalled)
{
    TestEnv env;
    {
        MDI mdi(*env.ctx);
        mdi.showLoaded();
        EXPECT_TRUE(env.launcher.started.isEmpty());
        mdi.close();
    }
    env.writeFile(QStringLiteral("voice"), "#!/bin/sh\n");
    QFile::setPermissions(env.path(QStringLiteral("voice")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    MDI mdi(*env.ctx);
    mdi.showLoaded();
    EXPECT_EQ(env.launcher.started, QStringList{env.path(QStringLiteral("voice"))});
    mdi.close();
}

TEST_F(MainWindowTest, PrintTicketOpensTheKioskTheSettingsName)
{
    for (const char* name : {"frmTicket", "frmTicketF"}) {
        env.screens.add(QString::fromLatin1(name), [name](AppContext&) {
            auto* w = new QWidget;
            w->setObjectName(QString::fromLatin1(name));
            return w;
        });
    }
    mdi->Command1->click();
    ASSERT_NE(env.screens.existing(QStringLiteral("frmTicket")), nullptr);
    EXPECT_TRUE(env.screens.existing(QStringLiteral("frmTicket"))->isVisible());
    EXPECT_EQ(env.screens.existing(QStringLiteral("frmTicketF")), nullptr);

    env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                       QStringLiteral("Full Screen"));
    mdi->Command1->click();
    QWidget* kiosk = env.screens.existing(QStringLiteral("frmTicketF"));
    ASSERT_NE(kiosk, nullptr);
    EXPECT_TRUE(kiosk->isMaximized() || kiosk->isFullScreen());
    // The settings Save that Print Ticket performs kept the choice.
    EXPECT_EQ(env.settings().get(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen")),
              QStringLiteral("Full Screen"));
}

// Ctrl+D and Ctrl+N belong to the main window: on the kiosk's keyboard (another window of the same
// program) they neither start the board nor switch the news.
TEST_F(MainWindowTest, CtrlDAndCtrlNActOnlyInTheMainWindow)
{
    QWidget kiosk;
    kiosk.show();
    QApplication::setActiveWindow(&kiosk);
    QTest::keyClick(&kiosk, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(&kiosk, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(FakeBoard::opened, 0);
    EXPECT_FALSE(mdi->displayRunning());
    EXPECT_FALSE(mdi->chkStart->isChecked());

    QApplication::setActiveWindow(mdi.get());
    QTest::keyClick(mdi.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(FakeBoard::opened, 1);
    EXPECT_TRUE(mdi->displayRunning());
}
