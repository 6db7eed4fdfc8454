#include "TicketsSupport.h"

#include "core/ConnectionFiles.h"
#include "core/ScreenRegistry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "tickets/frmTransfer.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

using namespace ticketstest;

namespace {

QStringList captions(const Grid* grid)
{
    QStringList out;
    for (int r = 1; r < grid->rows(); ++r)
        out.append(grid->text(r, 1));
    return out;
}

int rowOf(const Grid* grid, const QString& caption)
{
    for (int r = 1; r < grid->rows(); ++r) {
        if (grid->text(r, 1) == caption || grid->text(r, 1).startsWith(caption + QLatin1Char('\n')))
            return r;
    }
    return -1;
}

// The clock of the kiosk under test; a visitor's touches are some time apart.
ManualClock* touchClock = nullptr;

QPoint centreOf(Grid* grid, const QString& caption)
{
    const int row = rowOf(grid, caption);
    EXPECT_GT(row, 0) << caption.toStdString();
    const QModelIndex cell = grid->model()->index(row - 1, 1);
    grid->scrollTo(cell);
    return grid->visualRect(cell).center();
}

// Touches a grid row the way a visitor does, a second after the last touch.
void touch(Grid* grid, const QString& caption)
{
    const QPoint at = centreOf(grid, caption);
    if (touchClock)
        touchClock->advanceSecs(1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
}

// The mouse events a real double tap delivers to the grid: press, release, double click, release.
void doubleTap(Grid* grid, const QString& caption)
{
    const QPoint at = centreOf(grid, caption);
    if (touchClock)
        touchClock->advanceSecs(1);
    QWidget* viewport = grid->viewport();
    const QPointF global = viewport->mapToGlobal(QPointF(at));
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(at), global, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
}

class WindowedKiosk : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        env.clock.set(QDateTime(QDate(2024, 3, 4), QTime(14, 0)));
        touchClock = &env.clock;
        kiosk = qobject_cast<frmTicket*>(env.screens.open(QStringLiteral("frmTicket")));
        ASSERT_NE(kiosk, nullptr);
    }
    void TearDown() override { touchClock = nullptr; }

    TestEnv env;
    Hall hall;
    frmTicket* kiosk = nullptr;
};

TEST_F(WindowedKiosk, DepartmentsThenServicesThenIssue)
{
    Grid* fg = kiosk->findChild<Grid*>(QStringLiteral("FG"));
    ASSERT_EQ(fg, kiosk->FG);
    EXPECT_EQ(kiosk->windowTitle(), QStringLiteral("Print Ticket"));
    EXPECT_EQ(fg->text(0, 1), QStringLiteral("Select Department"));
    EXPECT_EQ(captions(fg), QStringList{QStringLiteral("General")});
    EXPECT_TRUE(kiosk->optWalkIn->isChecked());
    EXPECT_EQ(kiosk->DT->displayFormat(), QStringLiteral("dd-MM-yyyy"));
    // rh 500: the header is 600 twips high; the buttons would be 500 (33 pixels), too low for a
    // finger, so they take the touch minimum of 80 pixels.
    EXPECT_EQ(fg->horizontalHeader()->minimumHeight(), twips::toPixels(600));
    EXPECT_EQ(twips::toPixels(fg->rowHeight(1)), 80);

    touch(fg, QStringLiteral("General"));
    EXPECT_EQ(kiosk->stg, 1);
    EXPECT_EQ(fg->text(0, 1), QStringLiteral("Select Service"));
    EXPECT_EQ(captions(fg),
              (QStringList{QStringLiteral("Consultation"), QStringLiteral("Lab"), QStringLiteral("<-Back")}));

    touch(fg, QStringLiteral("Lab"));
    EXPECT_EQ(kiosk->stg, 0);
    EXPECT_EQ(captions(fg), QStringList{QStringLiteral("General")});
    const ResultSet rs =
        env.db.query(QStringLiteral("select no_abr, ttype, apptime, tickDate from tblTicket"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("B100"));
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("N"));
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("14:00"));
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("2024-03-04"));
    EXPECT_EQ(kiosk->ticketType, QStringLiteral("N"));
    // The windowed layout, with the service name as the grid showed it.
    EXPECT_EQ(env.printers.documents, 1);
    EXPECT_TRUE(printedTexts(env.printers).contains(QStringLiteral("Lab")));
    EXPECT_TRUE(printedTexts(env.printers).contains(QStringLiteral("B100")));
    EXPECT_EQ(kiosk->lastTransferWindow(), nullptr);
}

TEST_F(WindowedKiosk, OptionsListTheirCategoryAndBackReturnsToWalkIn)
{
    Grid* fg = kiosk->FG;
    touch(fg, QStringLiteral("General"));
    // Choosing Report while services are listed goes back to the department stage.
    QTest::mouseClick(kiosk->optReport, Qt::LeftButton);
    EXPECT_EQ(kiosk->stg, 0);
    EXPECT_EQ(captions(fg), QStringList{QStringLiteral("Reports Desk")});
    // A Report department opens its services; it does not issue.
    touch(fg, QStringLiteral("Reports Desk"));
    EXPECT_EQ(captions(fg), (QStringList{QStringLiteral("Reports"), QStringLiteral("<-Back")}));
    EXPECT_EQ(ticketCount(env.db), 0);

    QTest::mouseClick(kiosk->optEmergency, Qt::LeftButton);
    EXPECT_EQ(captions(fg), QStringList{QStringLiteral("Casualty")});
    env.db.insert(QStringLiteral("tblService"), {{QStringLiteral("deptAuto"), hall.emergencyDept},
                                                 {QStringLiteral("servName"), QStringLiteral("Trauma")},
                                                 {QStringLiteral("active"), 1},
                                                 {QStringLiteral("startno"), 1},
                                                 {QStringLiteral("endno"), 50},
                                                 {QStringLiteral("abrno"), QStringLiteral("E")}});
    touch(fg, QStringLiteral("Casualty"));
    touch(fg, QStringLiteral("<-Back"));
    EXPECT_EQ(captions(fg), QStringList{QStringLiteral("General")});
    EXPECT_TRUE(kiosk->optEmergency->isChecked());
    // Touching the header or a row without a key does nothing.
    kiosk->FG->setRow(0);
    kiosk->FG_Click();
    EXPECT_EQ(captions(fg), QStringList{QStringLiteral("General")});
}

TEST_F(WindowedKiosk, ADoubleTapIssuesNothingNobodyChose)
{
    // The second tap on General would land on Consultation, now in its place.
    doubleTap(kiosk->FG, QStringLiteral("General"));
    EXPECT_EQ(kiosk->stg, 1);
    EXPECT_EQ(ticketCount(env.db), 0);
    EXPECT_EQ(env.printers.documents, 0);
    // A tap that comes a moment after the grid changed was meant for what was there before ...
    QTest::mouseClick(kiosk->FG->viewport(), Qt::LeftButton, {}, centreOf(kiosk->FG, QStringLiteral("Lab")));
    EXPECT_EQ(ticketCount(env.db), 0);
    // ... a deliberate one, after it settled, issues; and a double tap on a service issues it once.
    doubleTap(kiosk->FG, QStringLiteral("Lab"));
    EXPECT_EQ(ticketCount(env.db), 1);
    EXPECT_EQ(env.printers.documents, 1);
    EXPECT_EQ(kiosk->stg, 0);
    EXPECT_EQ(captions(kiosk->FG), QStringList{QStringLiteral("General")});
}

TEST_F(WindowedKiosk, TheTransferWindowStaysAboveTheKiosk)
{
    kiosk->optEmergency->setChecked(true);
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    QWidget* transfer = kiosk->lastTransferWindow();
    ASSERT_NE(transfer, nullptr);
    EXPECT_TRUE(transfer->windowFlags() & Qt::WindowStaysOnTopHint);
    // Until the window directs it the token is not issued: it is in no queue and nothing is printed.
    EXPECT_EQ(ticketCount(env.db), 0);
    EXPECT_EQ(env.printers.documents, 0);
    // Its close box issues nothing, and the kiosk no longer refers to the window.
    transfer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(kiosk->lastTransferWindow(), nullptr);
    EXPECT_EQ(ticketCount(env.db), 0);
    EXPECT_EQ(env.printers.documents, 0);
}

TEST_F(WindowedKiosk, TicketForAnotherDayIsNumberedAmongThatDay)
{
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    kiosk->DT->setDate(QDate(2024, 3, 5));
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    EXPECT_EQ(numbers(env.db, hall.consultation, QStringLiteral("2024-03-05")), QList<qint64>{1});
    EXPECT_EQ(kiosk->DT->date(), QDate(2024, 3, 4));
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    EXPECT_EQ(numbers(env.db, hall.consultation, QStringLiteral("2024-03-04")), (QList<qint64>{1, 2}));
}

TEST_F(WindowedKiosk, LimitStoresAndPrintsNothing)
{
    setRange(env.db, hall.lab, 101, 101);
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Lab"));
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Lab"));
    EXPECT_EQ(env.dialogs.texts(), QStringList{QStringLiteral("Limit")});
    EXPECT_EQ(ticketCount(env.db), 1);
    EXPECT_EQ(env.printers.documents, 1);
}

TEST_F(WindowedKiosk, AppointmentIsDirectedThroughTheTransferWindow)
{
    QTest::mouseClick(kiosk->optAppointment, Qt::LeftButton);
    EXPECT_EQ(captions(kiosk->FG), QStringList{QStringLiteral("Specialists")});
    // Appointments of the Consultation service are issued from the walk-in list after choosing the option.
    QTest::mouseClick(kiosk->optWalkIn, Qt::LeftButton);
    kiosk->optAppointment->setChecked(true);
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));

    // Nothing is stored or printed before the window has directed the token.
    EXPECT_EQ(ticketCount(env.db), 0);
    EXPECT_EQ(env.printers.documents, 0);
    auto* transfer = qobject_cast<frmTransfer*>(kiosk->lastTransferWindow());
    ASSERT_NE(transfer, nullptr);
    EXPECT_EQ(transfer->windowTitle(), QStringLiteral("Transfer"));
    EXPECT_TRUE(transfer->lblRef->text().isEmpty());
    EXPECT_EQ(transfer->dTime->time().toString(QStringLiteral("HH:mm")), QStringLiteral("14:05"));
    EXPECT_EQ(transfer->cmbService->count(), 3);

    transfer->cmbService->setCurrentText(QStringLiteral("Counter 2"));
    transfer->txtRef->setText(QStringLiteral("Dr. Ortiz, 2nd floor"));
    QTest::mouseClick(transfer->Command1, Qt::LeftButton);
    // Issued and printed once, already directed: it was never a walk-in of its service.
    const ResultSet after = env.db.query(QStringLiteral(
        "select ttype, attended, status, ref, apptime, call, no_abr, tickAuto from tblTicket"));
    ASSERT_EQ(after.size(), 1);
    EXPECT_EQ(env.printers.documents, 1);
    EXPECT_EQ(after.text(0, 6), QStringLiteral("A1"));
    EXPECT_EQ(transfer->lblRef->text(), after.text(0, 7));
    EXPECT_EQ(after.text(0, 0), QStringLiteral("A"));
    EXPECT_EQ(after.number(0, 1), hall.counter2);
    EXPECT_EQ(after.text(0, 2), QStringLiteral("Transferred"));
    EXPECT_EQ(after.text(0, 3), QStringLiteral("Dr. Ortiz, 2nd floor"));
    EXPECT_EQ(after.text(0, 4), QStringLiteral("14:05"));
    EXPECT_EQ(after.text(0, 5), QStringLiteral("0"));
    // The ticket tells the visitor when and where: the appointment's time and its counter.
    const QStringList lines = printedTexts(env.printers);
    EXPECT_TRUE(lines.contains(QStringLiteral("Appointment : 14:05")))
        << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("Counter : Room 2")));
    // The kiosk is back on walk-in for the next visitor.
    EXPECT_TRUE(kiosk->optWalkIn->isChecked());
}

TEST_F(WindowedKiosk, TransferWindowAppointmentTimeRule)
{
    const qint64 ticket =
        env.db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), hall.consultation},
                                                    {QStringLiteral("tickNo"), 1},
                                                    {QStringLiteral("tickDate"), env.clock.todayText()},
                                                    {QStringLiteral("call"), 0},
                                                    {QStringLiteral("attended"), 0},
                                                    {QStringLiteral("ttype"), QStringLiteral("N")}});
    auto open = [&](const QString& type) {
        auto* w = qobject_cast<frmTransfer*>(env.screens.openNew(QStringLiteral("frmTransfer")));
        w->lblRef->setText(QString::number(ticket));
        w->ticketType = type;
        w->cmbService->setCurrentText(QStringLiteral("Counter 1"));
        return w;
    };
    frmTransfer* w = open(QStringLiteral("A"));
    w->dTime->setTime(QTime(13, 59));
    w->Command1_Click();
    EXPECT_EQ(env.dialogs.last(), QStringLiteral("Please enter a valid time"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(env.db.query(QStringLiteral("select ttype from tblTicket")).text(0, 0), QStringLiteral("N"));
    w->dTime->setTime(QTime(14, 0));
    w->Command1_Click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(env.db.query(QStringLiteral("select apptime from tblTicket")).text(0, 0),
              QStringLiteral("14:00"));

    env.dialogs.clear();
    w = open(QStringLiteral("E"));
    w->dTime->setTime(QTime(13, 59));
    w->Command1_Click();
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    EXPECT_EQ(env.db.query(QStringLiteral("select ttype, apptime from tblTicket")).text(0, 0),
              QStringLiteral("E"));

    // Enter in the time box runs Update.
    w = open(QStringLiteral("R"));
    w->dTime->setTime(QTime(15, 30));
    QTest::keyClick(w->dTime, Qt::Key_Return);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(env.db.query(QStringLiteral("select ttype from tblTicket")).text(0, 0), QStringLiteral("R"));

    // A counter name that matches nothing keeps the window open and changes nothing.
    w = open(QStringLiteral("R"));
    w->cmbService->setCurrentText(QStringLiteral("Counter 9"));
    w->Command1_Click();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(env.db.query(QStringLiteral("select ttype from tblTicket")).text(0, 0), QStringLiteral("R"));
}

TEST_F(WindowedKiosk, AnEmergencyIsIssuedDirectedOnEnterAndNumberedWhenItIsIssued)
{
    kiosk->optEmergency->setChecked(true);
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    auto* transfer = qobject_cast<frmTransfer*>(kiosk->lastTransferWindow());
    ASSERT_NE(transfer, nullptr);
    // Meanwhile the kiosk issues a walk-in: it takes A1.
    kiosk->optWalkIn->setChecked(true);
    touch(kiosk->FG, QStringLiteral("General"));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    ASSERT_EQ(ticketCount(env.db), 1);

    // Enter in the counter box only moves on; Enter on the time confirms.
    transfer->cmbService->setCurrentText(QStringLiteral("Counter 2"));
    QTest::keyClick(transfer->cmbService, Qt::Key_Return);
    EXPECT_TRUE(env.dialogs.texts().isEmpty());
    EXPECT_TRUE(transfer->isVisible());
    QTest::keyClick(transfer->dTime, Qt::Key_Return);
    EXPECT_FALSE(transfer->isVisible());
    EXPECT_TRUE(env.dialogs.texts().isEmpty());

    const ResultSet rs = env.db.query(QStringLiteral(
        "select no_abr, call, attended, ttype, status from tblTicket where ttype<>'N' order by tickAuto"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("A2"));
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("0"));
    EXPECT_EQ(rs.number(0, 2), hall.counter2);
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("E"));
    EXPECT_EQ(rs.text(0, 4), QStringLiteral("Transferred"));
    EXPECT_EQ(env.printers.documents, 2);
}

class FullScreenKiosk : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        env.clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
        env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                           QStringLiteral("General"));
        env.settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                           QStringLiteral("Full Screen"));
        touchClock = &env.clock;
    }
    void TearDown() override { touchClock = nullptr; }

    frmTicketF* open() { return qobject_cast<frmTicketF*>(env.screens.open(QStringLiteral("frmTicketF"))); }

    TestEnv env;
    Hall hall;
};

// A workstation that names no department offers the hall's Walk-In and Report departments, each
// under its name, without a box to close first.
TEST_F(FullScreenKiosk, WithoutDefaultDepartmentTheWalkInAndReportDepartmentsAreOffered)
{
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"), QString());
    frmTicketF* kiosk = open();
    ASSERT_NE(kiosk, nullptr);
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
    EXPECT_TRUE(kiosk->serving());
    EXPECT_EQ(captions(kiosk->FG),
              (QStringList{QStringLiteral("General"), QStringLiteral("Consultation\nConsultation desk"),
                           QStringLiteral("Lab\nLab desk"), QStringLiteral("Reports Desk"),
                           QStringLiteral("Reports\nReports desk")}));
}

TEST_F(FullScreenKiosk, ServicesByStartNumberAndATouchIssues)
{
    env.settings().set(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"),
                       QStringLiteral("2"));
    // Lab starts at 100, Consultation at 1; a third service starting at 50 goes between them.
    env.db.insert(QStringLiteral("tblService"), {{QStringLiteral("deptAuto"), hall.walkInDept},
                                                 {QStringLiteral("servName"), QStringLiteral("X-Ray")},
                                                 {QStringLiteral("ServDesc"), QStringLiteral("Room 7")},
                                                 {QStringLiteral("active"), 1},
                                                 {QStringLiteral("startno"), 50},
                                                 {QStringLiteral("endno"), 60},
                                                 {QStringLiteral("abrno"), QStringLiteral("X")}});
    frmTicketF* kiosk = open();
    ASSERT_NE(kiosk, nullptr);
    EXPECT_EQ(env.session.printCopies, 2);
    EXPECT_EQ(captions(kiosk->FG),
              (QStringList{QStringLiteral("Consultation\nConsultation desk"), QStringLiteral("X-Ray\nRoom 7"),
                           QStringLiteral("Lab\nLab desk")}));
    // The heading is half a button high: at least the setting's half row, and half the touch minimum.
    EXPECT_GE(kiosk->FG->horizontalHeader()->minimumHeight(), twips::toPixels(250));
    EXPECT_GE(kiosk->FG->horizontalHeader()->minimumHeight(), 40);
    EXPECT_TRUE(kiosk->centred);
    EXPECT_FALSE(kiosk->cmdExit->isVisibleTo(kiosk));
    EXPECT_FALSE(kiosk->DT->isVisibleTo(kiosk));

    touch(kiosk->FG, QStringLiteral("X-Ray"));
    const ResultSet rs = env.db.query(QStringLiteral("select no_abr, apptime, ttype from tblTicket"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("X50"));
    EXPECT_TRUE(rs.text(0, 1).isEmpty());
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("N"));
    // Two copies of the full-screen layout, then one take-your-ticket picture.
    EXPECT_EQ(env.printers.documents, 2);
    EXPECT_EQ(printed(env.printers, QStringLiteral("picture")).size(), 0);
    EXPECT_EQ(kiosk->findChildren<frmTT*>().size(), 1);
    EXPECT_EQ(printedTexts(env.printers).count(QStringLiteral("X-Ray")), 2);
    EXPECT_EQ(printedTexts(env.printers).count(QStringLiteral("Room 7")), 2);
    // The list stays as it was.
    EXPECT_EQ(captions(kiosk->FG).size(), 3);
}

TEST_F(FullScreenKiosk, HasNoFrameCoversTheScreenAndComesBackWhenMinimised)
{
    frmTicketF* kiosk = open();
    ASSERT_NE(kiosk, nullptr);
    EXPECT_TRUE(kiosk->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(kiosk->windowState() & Qt::WindowFullScreen);
    kiosk->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(kiosk->windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(kiosk->windowState() & Qt::WindowMinimized);
}

TEST_F(FullScreenKiosk, WithoutTheButtonPictureCaptionsStayReadable)
{
    // No design/01.jpg in the installation folder: the buttons get a plain light face.
    frmTicketF* kiosk = open();
    ASSERT_GT(kiosk->FG->rows(), 1);
    EXPECT_TRUE(kiosk->FG->cellPicture(1, 1).isNull());
    EXPECT_GT(kiosk->FG->cellBackColor(1, 1).lightness(), 200);
}

TEST_F(FullScreenKiosk, OpenPastMidnightDatesTicketsForTheNewDay)
{
    frmTicketF* kiosk = open();
    env.clock.set(QDateTime(QDate(2024, 3, 5), QTime(0, 5)));
    touch(kiosk->FG, QStringLiteral("Consultation"));
    EXPECT_EQ(numbers(env.db, hall.consultation, QStringLiteral("2024-03-05")), QList<qint64>{1});
}

TEST_F(FullScreenKiosk, QuickTapsArrivingAsDoubleClicksCountAsTouches)
{
    env.writeFile(QStringLiteral("code.txt"), "1234");
    frmTicketF* kiosk = open();
    const QPointF at(5, 5);
    for (int i = 0; i < 2; ++i) {
        QMouseEvent press(QEvent::MouseButtonPress, at, kiosk->lblTouch->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(kiosk->lblTouch, &press);
        QMouseEvent twice(QEvent::MouseButtonDblClick, at, kiosk->lblTouch->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(kiosk->lblTouch, &twice);
    }
    EXPECT_EQ(kiosk->clkCount, 4);
    EXPECT_NE(kiosk->exitPad(), nullptr);
}

TEST_F(FullScreenKiosk, FourCornerTouchesBetweenTwoTicksOpenTheExitPad)
{
    env.writeFile(QStringLiteral("code.txt"), "1234");
    frmTicketF* kiosk = open();
    EXPECT_TRUE(kiosk->Timer1->isActive());
    EXPECT_EQ(kiosk->Timer1->interval(), 5000);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(kiosk->lblTouch, Qt::LeftButton);
    EXPECT_EQ(kiosk->Label21->text(), QStringLiteral("3"));
    kiosk->Timer1_Timer();
    QTest::mouseClick(kiosk->lblTouch, Qt::LeftButton);
    EXPECT_EQ(kiosk->exitPad(), nullptr);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(kiosk->lblTouch, Qt::LeftButton);
    ASSERT_NE(kiosk->exitPad(), nullptr);
    EXPECT_EQ(kiosk->exitPad()->windowTitle(), QStringLiteral("Enter Password"));
    EXPECT_EQ(kiosk->exitPad()->parentWidget(), kiosk);
}

class ExitPad : public FullScreenKiosk
{
protected:
    frmPass* pad(frmTicketF* kiosk)
    {
        for (int i = 0; i < 4; ++i)
            kiosk->lblTouch_Click();
        return qobject_cast<frmPass*>(kiosk->exitPad());
    }
    void type(frmPass* p, const QString& digits)
    {
        for (QChar d : digits)
            QTest::mouseClick(p->txtNo[d.digitValue()], Qt::LeftButton);
    }
};

TEST_F(ExitPad, OnlyTheLastItemOfCodeTxtOpensTheKiosk)
{
    env.writeFile(QStringLiteral("code.txt"), "1234,5678\n");
    frmTicketF* kiosk = open();
    QPointer<frmPass> p = pad(kiosk);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->findChild<QPushButton*>(QStringLiteral("txtNo7")), p->txtNo[7]);
    type(p, QStringLiteral("1234"));
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    EXPECT_EQ(p->Label1->text(), QStringLiteral("Enter Valid Password"));
    EXPECT_EQ(p->txtPass->text(), QStringLiteral("1234"));
    EXPECT_TRUE(kiosk->isVisible());

    QTest::mouseClick(p->cmdClear, Qt::LeftButton);
    type(p, QStringLiteral("56789"));
    QTest::mouseClick(p->cmdBack, Qt::LeftButton);
    EXPECT_EQ(p->txtPass->text(), QStringLiteral("5678"));
    env.clock.advanceSecs(1); // the wait after the wrong code
    QPointer<frmTicketF> guard(kiosk);
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(guard && guard->isVisible());
    EXPECT_FALSE(p);
}

// Each wrong code makes the next try wait longer (1, 2, 4 … s by the program's clock), also after the
// pad is closed and opened again; a try too early is not even compared.
TEST_F(ExitPad, WrongCodesMakeTheNextTryWaitLonger)
{
    env.writeFile(QStringLiteral("code.txt"), "2468");
    frmTicketF* kiosk = open();
    QPointer<frmPass> p = pad(kiosk);
    ASSERT_TRUE(p);
    type(p, QStringLiteral("1111"));
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    env.clock.advanceSecs(1);
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    EXPECT_EQ(p->Label1->text(), QStringLiteral("Enter Valid Password"));
    p->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(p);

    kiosk->Timer1_Timer(); // the touch count starts again
    p = pad(kiosk);
    ASSERT_TRUE(p);
    type(p, QStringLiteral("2468"));
    env.clock.advanceSecs(1);
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    EXPECT_EQ(p->Label1->text(), QStringLiteral("Wait 1 s"));
    EXPECT_TRUE(kiosk->isVisible());
    env.clock.advanceSecs(1);
    QPointer<frmTicketF> guard(kiosk);
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(guard && guard->isVisible());
    EXPECT_EQ(env.session.exitPadTries.failures(), 0);
}

TEST_F(ExitPad, TheProgramShipsTheDefaultCode)
{
    // The test programs run from the build's installation folder, where resources/ is copied.
    QString code;
    QString error;
    ASSERT_TRUE(connectionFiles::readExitCode(QCoreApplication::applicationDirPath(), code, error))
        << error.toStdString();
    EXPECT_EQ(code, QStringLiteral("7394"));
}

TEST_F(ExitPad, EmptyCodeFileMeansTheDefaultCode)
{
    env.writeFile(QStringLiteral("code.txt"), "");
    frmTicketF* kiosk = open();
    frmPass* p = pad(kiosk);
    EXPECT_EQ(p->exitCode, QStringLiteral("7394"));
}

TEST_F(ExitPad, UnreadableCodeFileIsReportedAndAnEmptyEntryNeverOpens)
{
    frmTicketF* kiosk = open();
    frmPass* p = pad(kiosk);
    EXPECT_EQ(env.dialogs.texts().size(), 1);
    EXPECT_EQ(p->exitCode, QStringLiteral("7394"));
    QTest::mouseClick(p->cmdEnter, Qt::LeftButton);
    EXPECT_EQ(p->Label1->text(), QStringLiteral("Enter Valid Password"));
    EXPECT_TRUE(kiosk->isVisible());
}

TEST_F(ExitPad, ClosesItselfAtTheEleventhTick)
{
    env.writeFile(QStringLiteral("code.txt"), "1234");
    frmTicketF* kiosk = open();
    QPointer<frmPass> p = pad(kiosk);
    EXPECT_EQ(p->Timer1->interval(), 1000);
    for (int i = 0; i < 10; ++i) {
        p->Timer1_Timer();
        if (i == 4)
            type(p, QStringLiteral("12")); // typing does not restart the count
    }
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->isVisible());
    p->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(p);
    EXPECT_EQ(kiosk->exitPad(), nullptr); // the kiosk holds no pointer to the closed pad
    EXPECT_TRUE(kiosk->isVisible());
}

} // namespace
