// The kiosks without sight: a visitor moves over the buttons with a keyboard or a keypad, hears each
// one, takes a ticket with Enter and hears the number and what to do next; a key says who is served.
// What the kiosk says is read as `brivane --print` writes it.

#include "TicketsSupport.h"

#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "display/DisplayTestSupport.h"
#include "tickets/KioskKeyboard.h"
#include "tickets/KioskPages.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"
#include "ui/Speech.h"
#include "ui/Twips.h"

#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <QTimer>

using namespace ticketstest;

namespace {

class KioskKeysTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
        env->ctx->speech = &speech;
    }

    // What the kiosk said since the last call, one sentence a line.
    QStringList said()
    {
        out.flush();
        QStringList lines = spoken.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        spoken.clear();
        return lines;
    }
    QString lastSaid()
    {
        const QStringList lines = said();
        return lines.isEmpty() ? QString() : lines.last();
    }

    // Keeps a picture of the kiosk when BRIVANE_SHOTS names a folder, to look at.
    static void keepShot(QWidget* kiosk, const QString& name)
    {
        const QString folder = qEnvironmentVariable("BRIVANE_SHOTS");
        if (!folder.isEmpty())
            kiosk->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    frmTicketF* openFullScreen()
    {
        env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                            QStringLiteral("Full Screen"));
        auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
        kiosk->resize(1280, 1024);
        kiosk->show();
        return kiosk;
    }

    Hall hall;
    QString spoken;
    QTextStream out{&spoken};
    PrintedSpeech speech{out};
};

} // namespace

TEST_P(KioskKeysTest, FullScreenKioskByKeysAloneIssuesATicketAndSaysTheNumberAndWhatToDoNext)
{
    frmTicketF* kiosk = openFullScreen();
    ASSERT_TRUE(kiosk->serving());
    // Touch only, nothing is said and no mark is shown.
    EXPECT_TRUE(said().isEmpty());
    EXPECT_FALSE(kiosk->keyboard->mark->isVisible());

    // The first key only wakes the kiosk: it tells the keys and the focused service, and moves nothing.
    QTest::keyClick(kiosk, Qt::Key_Down);
    QString line = lastSaid();
    EXPECT_TRUE(line.startsWith(QStringLiteral("say en: Ticket kiosk. Use the arrow keys")))
        << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral("Consultation. Consultation desk. 1 of 3.")))
        << line.toStdString();
    // The mark lies over the focused button.
    const int consultation = rowStartingWith(kiosk->FG, QStringLiteral("Consultation"));
    ASSERT_TRUE(kiosk->keyboard->mark->isVisible());
    EXPECT_TRUE(kiosk->keyboard->mark->geometry().contains(
        kiosk->FG->visualRect(kiosk->FG->model()->index(consultation - 1, 1)).center()));

    // Arrows, Tab and the keypad move over the services only (the departments' headings are skipped),
    // round from the last to the first.
    QTest::keyClick(kiosk, Qt::Key_Down);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Lab. Lab desk. 2 of 3."));
    keepShot(kiosk, QStringLiteral("kiosk-focus-mark"));
    QTest::keyClick(kiosk, Qt::Key_Tab);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Reports. Reports desk. 3 of 3."));
    QTest::keyClick(kiosk, Qt::Key_2, Qt::KeypadModifier);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Consultation. Consultation desk. 1 of 3."));
    QTest::keyClick(kiosk, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Reports. Reports desk. 3 of 3."));
    QTest::keyClick(kiosk, Qt::Key_8, Qt::KeypadModifier);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Lab. Lab desk. 2 of 3."));
    // A digit of the keyboard's top row is no kiosk key.
    QTest::keyClick(kiosk, Qt::Key_8);
    EXPECT_TRUE(said().isEmpty());
    QTest::keyClick(kiosk, Qt::Key_Up);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Consultation. Consultation desk. 1 of 3."));
    EXPECT_EQ(ticketCount(env->db), 0);

    // Enter takes the focused service: the ticket is printed and stored, and the visitor hears the
    // number and what to do next.
    QTest::keyClick(kiosk, Qt::Key_Return);
    EXPECT_EQ(numbers(env->db, hall.consultation, QStringLiteral("2024-03-04")), QList<qint64>{1});
    EXPECT_EQ(printedTexts(env->printers).count(QStringLiteral("A1")), 1);
    line = lastSaid();
    EXPECT_TRUE(line.contains(QStringLiteral("Your number is A1."))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Please take your ticket from the printer")))
        << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Please wait until your number is called.")))
        << line.toStdString();
    // The focus stays where it was, for the next visitor or a second ticket.
    EXPECT_EQ(kiosk->keyboard->keys.focusedRow(), consultation);

    // The printer fails: the number must be remembered, and the visitor is told so.
    env->printers.failing = true;
    QTest::keyClick(kiosk, Qt::Key_Enter, Qt::KeypadModifier);
    line = lastSaid();
    EXPECT_TRUE(line.contains(QStringLiteral("Your number is A2."))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("No ticket could be printed: please remember your number, A2.")))
        << line.toStdString();
    EXPECT_EQ(ticketCount(env->db), 2);

    // "Now serving": nothing called yet today, then the latest calls, newest first.
    QTest::keyClick(kiosk, Qt::Key_N);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: No number has been called yet today."));
    addCall(env->db, hall.counter1, QStringLiteral("A9"), QStringLiteral("Room 1"),
            QStringLiteral("2024-03-03"));
    addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"),
            QStringLiteral("2024-03-04"));
    addCall(env->db, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"),
            QStringLiteral("2024-03-04"));
    QTest::keyClick(kiosk, Qt::Key_Asterisk, Qt::KeypadModifier);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Now serving: A2 at Room 2, A1 at Room 1."));

    // A quiet minute: the visitor has gone. The next one's Enter only wakes the kiosk and issues nothing.
    EXPECT_TRUE(kiosk->keyboard->quiet->isActive());
    EXPECT_EQ(kiosk->keyboard->quiet->interval(), KioskKeyboard::quietMs);
    kiosk->keyboard->sleep();
    EXPECT_FALSE(kiosk->keyboard->mark->isVisible());
    QTest::keyClick(kiosk, Qt::Key_Return);
    EXPECT_TRUE(lastSaid().contains(QStringLiteral("Use the arrow keys")));
    EXPECT_EQ(ticketCount(env->db), 2);
    kiosk->leave();
}

TEST_P(KioskKeysTest, WindowedKioskByKeysGoesFromDepartmentToServiceAndBack)
{
    env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                        QStringLiteral("Normal"));
    auto* kiosk = qobject_cast<frmTicket*>(env->screens.open(QStringLiteral("frmTicket")));
    ASSERT_NE(kiosk, nullptr);
    kiosk->show();
    kiosk->FG->setFocus();
    QTest::keyClick(kiosk->FG, Qt::Key_Down);
    EXPECT_TRUE(lastSaid().endsWith(QStringLiteral("General. 1 of 1.")));
    // Enter on the department lists its services, said with their heading.
    QTest::keyClick(kiosk->FG, Qt::Key_Return);
    EXPECT_EQ(kiosk->stg, 1);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Select Service. Consultation. 1 of 3."));
    QTest::keyClick(kiosk->FG, Qt::Key_End);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Back to the departments. 3 of 3."));
    QTest::keyClick(kiosk->FG, Qt::Key_Space);
    EXPECT_EQ(kiosk->stg, 0);
    EXPECT_EQ(lastSaid(), QStringLiteral("say en: Select Department. General. 1 of 1."));
    // The windowed kiosk takes keys at once after its list changed: the touch guard is for fingers.
    QTest::keyClick(kiosk->FG, Qt::Key_Return);
    QTest::keyClick(kiosk->FG, Qt::Key_Down);
    QTest::keyClick(kiosk->FG, Qt::Key_Return);
    EXPECT_EQ(numbers(env->db, hall.lab, QStringLiteral("2024-03-04")), QList<qint64>{100});
    EXPECT_TRUE(lastSaid().contains(QStringLiteral("Your number is B100.")));
    EXPECT_EQ(kiosk->stg, 0);
    kiosk->close();
}

// One setting makes the kiosk large and high in contrast: white words on black buttons under a
// yellow heading, no picture behind them, larger words on buttons no smaller than the ordinary ones.
TEST_P(KioskKeysTest, LargeTextHighContrastIsOneSetting)
{
    env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                        QStringLiteral("Full Screen"));
    auto ordinary = std::make_unique<frmTicketF>(*env->ctx);
    ordinary->resize(1280, 1024);
    ordinary->fillServices();
    kioskLook::setLargeHighContrast(env->settings(), true);
    auto kiosk = std::make_unique<frmTicketF>(*env->ctx);
    kiosk->resize(1280, 1024);
    kiosk->fillServices();
    const int ordinaryPixels = ordinary->buttonPixels();
    const int ordinaryFont = ordinary->FG->font().pixelSize();
    ASSERT_TRUE(kiosk->largeText);
    const int row = rowStartingWith(kiosk->FG, QStringLiteral("Lab"));
    EXPECT_EQ(kiosk->FG->cellBackColor(row, 1), QColor(Qt::black));
    EXPECT_EQ(kiosk->FG->cellForeColor(row, 1), QColor(Qt::white));
    EXPECT_TRUE(kiosk->FG->cellPicture(row, 1).isNull());
    EXPECT_GE(kiosk->buttonPixels(), ordinaryPixels);
    EXPECT_GT(kiosk->FG->font().pixelSize(), ordinaryFont);
    kiosk->show();
    QTest::keyClick(kiosk.get(), Qt::Key_Down);
    QTest::keyClick(kiosk.get(), Qt::Key_Down);
    EXPECT_TRUE(kiosk->keyboard->mark->isVisible());
    keepShot(kiosk.get(), QStringLiteral("kiosk-large-high-contrast"));
    kiosk->leave();
}

BRIVANE_STORE_TEST_SUITE(KioskKeysTest);

// Nothing a finger must hit is smaller than nine millimetres, however fine the screen.
TEST(KioskSizes, TouchTargetsAreAtLeastNineMillimetres)
{
    EXPECT_EQ(kioskSizes::nineMillimetres(96), 35);
    EXPECT_EQ(kioskSizes::nineMillimetres(254), 90);
    // A small screen of fine pixels: 80 pixels would be under 7 mm at 300 dpi.
    EXPECT_EQ(kioskSizes::minimumButtonPixels(1080, 300), 107);
    EXPECT_EQ(kioskSizes::minimumButtonPixels(1080, 96), 80);
    EXPECT_EQ(kioskSizes::fullScreenButtonPixels(33, 1080, 12, 0, 300), 107);
}
