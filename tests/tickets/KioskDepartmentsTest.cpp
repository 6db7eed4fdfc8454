// The full-screen kiosk with more than one department: each button issues its department's kind of
// token, and the ready hall's kiosk reaches every counter's service.

#include "TicketsSupport.h"
#include "testsupport/CommandRun.h"

#include "core/CommandRegistry.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "display/NewHall.h"
#include "tickets/KioskDepartments.h"
#include "tickets/KioskPages.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QTextStream>

using namespace ticketstest;

namespace {

class KioskDepartments : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
        env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                            QStringLiteral("Full Screen"));
    }
    void name(const QString& first, const QStringList& others)
    {
        env->settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                            first);
        kioskDepartments::setOthers(env->settings(), others);
    }
    frmTicketF* open()
    {
        auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
        EXPECT_NE(kiosk, nullptr);
        return kiosk;
    }
    // A visitor's touch on the button whose caption starts with `caption`, a second after the last (the
    // token shown large after an issue is not waited out).
    void touch(frmTicketF* kiosk, const QString& caption)
    {
        env->clock.set(env->clock.now().addSecs(1));
        // The button whose first line is the caption: a heading may carry the same name.
        int row = -1;
        for (int r = 1; r < kiosk->FG->rows() && row < 0; ++r) {
            if (kiosk->FG->text(r, 1).section(QLatin1Char('\n'), 0, 0) == caption &&
                !kiosk->kindOfRow(r).isEmpty())
                row = r;
        }
        ASSERT_GT(row, 0) << caption.toStdString();
        kiosk->FG->setRow(row);
        kiosk->FG_Click();
    }
    QStringList captions(frmTicketF* kiosk)
    {
        QStringList out;
        for (int r = 1; r < kiosk->FG->rows(); ++r)
            out.append(kiosk->FG->text(r, 1).section(QLatin1Char('\n'), 0, 0));
        return out;
    }
    int next(const QString& counter, QString& label)
    {
        QString out, err;
        const int code = runCommand(*env, QStringLiteral("next"), {counter}, out, err);
        label = out.trimmed();
        return code;
    }
};

} // namespace

TEST_P(KioskDepartments, TwoDepartmentsUnderTheirHeadingsEachIssueTheirKind)
{
    const Hall hall = seedHall(env->db);
    const qint64 reportsDesk = env->db.insert(
        QStringLiteral("tblCounter"), {{QStringLiteral("servAuto"), hall.reports},
                                       {QStringLiteral("contName"), QStringLiteral("Counter 4")},
                                       {QStringLiteral("displayName"), QStringLiteral("Reports Window")},
                                       {QStringLiteral("active"), 1}});
    name(QStringLiteral("General"), {QStringLiteral("Reports Desk")});
    frmTicketF* kiosk = open();
    ASSERT_NE(kiosk, nullptr);
    kiosk->setGeometry(0, 0, 1920, 1080);
    kiosk->show();
    ASSERT_TRUE(kiosk->serving());
    EXPECT_EQ(captions(kiosk),
              (QStringList{QStringLiteral("General"), QStringLiteral("Consultation"), QStringLiteral("Lab"),
                           QStringLiteral("Reports Desk"), QStringLiteral("Reports")}));
    // Headings are half a button high and lie on the screen with every button.
    EXPECT_EQ(kiosk->FG->rowHeight(1) * 2, kiosk->FG->rowHeight(2));
    EXPECT_GE(kiosk->buttonPixels(), 80);
    EXPECT_LE(kiosk->FG->geometry().bottom(), 1080);
    EXPECT_GE(kiosk->FG->geometry().top(), 0);

    // A heading issues nothing.
    kiosk->FG->setRow(4);
    kiosk->FG_Click();
    EXPECT_EQ(ticketCount(env->db), 0);
    touch(kiosk, QStringLiteral("Consultation"));
    touch(kiosk, QStringLiteral("Reports"));
    EXPECT_TRUE(kiosk->serving()) << kiosk->outOfService->lblReason->text().toStdString();
    EXPECT_TRUE(env->dialogs.shown().isEmpty()) << env->dialogs.last().toStdString();
    const ResultSet rs = env->db.query(
        QStringLiteral("select no_abr, ttype, attended, status from tblTicket order by tickAuto"));
    ASSERT_EQ(rs.size(), 2);
    // A walk-in waits in its service's queue.
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("A1"));
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("N"));
    EXPECT_EQ(rs.number(0, 2), 0);
    // A report token goes to the counter that serves its service, and says so on paper.
    EXPECT_EQ(rs.text(1, 0), QStringLiteral("R1"));
    EXPECT_EQ(rs.text(1, 1), QStringLiteral("R"));
    EXPECT_EQ(rs.number(1, 2), reportsDesk);
    EXPECT_EQ(rs.text(1, 3), QStringLiteral("Transferred"));
    EXPECT_TRUE(printedTexts(env->printers).contains(QStringLiteral("Counter : Reports Window")));
    EXPECT_EQ(printedTexts(env->printers).count(QStringLiteral("Counter : Reports Window")), 1);
    kiosk->leave();
}

TEST_P(KioskDepartments, TheReadyHallsKioskReachesEveryCountersService)
{
    newHall::setUp(env->db, QSize(1920, 1080), QFontDatabase::families());
    // One counter per service, as a new hall is told to make them.
    const ResultSet services =
        env->db.query(QStringLiteral("select servAuto, servName from tblService order by servAuto"));
    ASSERT_EQ(services.size(), 4);
    for (int i = 0; i < services.size(); ++i)
        env->db.insert(QStringLiteral("tblCounter"),
                       {{QStringLiteral("servAuto"), services.number(i, 0)},
                        {QStringLiteral("contName"), QStringLiteral("Desk %1").arg(i + 1)},
                        {QStringLiteral("displayName"), QStringLiteral("Desk %1").arg(i + 1)},
                        {QStringLiteral("active"), 1}});

    // Nothing named: the Walk-In and Report departments, whose tokens need nobody to direct them.
    frmTicketF* kiosk = open();
    ASSERT_NE(kiosk, nullptr);
    EXPECT_TRUE(env->dialogs.shown().isEmpty());
    EXPECT_EQ(captions(kiosk), (QStringList{QStringLiteral("General"), QStringLiteral("General Service"),
                                            QStringLiteral("Reports"), QStringLiteral("Report Collection")}));
    kiosk->leave();
    delete kiosk;

    // The settings name the Appointment and Emergency departments too: every counter's service.
    name(QStringLiteral("General"),
         {QStringLiteral("Reports"), QStringLiteral("Appointments"), QStringLiteral("Emergency")});
    kiosk = open();
    ASSERT_NE(kiosk, nullptr);
    for (int i = 0; i < services.size(); ++i)
        touch(kiosk, services.text(i, 1));
    const ResultSet rs = env->db.query(
        QStringLiteral("select t.ttype, t.attended, c.cntAuto, t.apptime from tblTicket t join tblCounter c "
                       "on c.servAuto = t.servAuto order by t.tickAuto"));
    ASSERT_EQ(rs.size(), 4);
    EXPECT_EQ(rs.text(0, 0), QStringLiteral("N"));
    EXPECT_EQ(rs.number(0, 1), 0);
    for (int i = 1; i < 4; ++i)
        EXPECT_EQ(rs.number(i, 1), rs.number(i, 2)) << i; // directed to its service's counter
    EXPECT_EQ(rs.text(1, 0), QStringLiteral("R"));
    EXPECT_EQ(rs.text(2, 0), QStringLiteral("A"));
    EXPECT_EQ(rs.text(2, 3), QStringLiteral("09:30"));
    EXPECT_EQ(rs.text(3, 0), QStringLiteral("E"));
    kiosk->leave();

    // Each counter calls its service's token with Next (the report token is picked from the counter's
    // list, as a directed report token always is).
    env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 32)));
    QString label;
    EXPECT_EQ(next(QStringLiteral("Desk 1"), label), 0);
    EXPECT_EQ(label, QStringLiteral("A1"));
    EXPECT_EQ(next(QStringLiteral("Desk 3"), label), 0);
    EXPECT_TRUE(label.startsWith(QLatin1Char('P'))) << label.toStdString();
    EXPECT_EQ(next(QStringLiteral("Desk 4"), label), 0);
    EXPECT_TRUE(label.startsWith(QLatin1Char('E'))) << label.toStdString();
}

BRIVANE_STORE_TEST_SUITE(KioskDepartments);
