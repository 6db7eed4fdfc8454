#include "TicketsSupport.h"

#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "tickets/TicketCode.h"
#include "tickets/TokenOnScreen.h"
#include "tickets/frmTicket.h"
#include "tickets/frmTicketF.h"
#include "ui/Grid.h"

#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <cmath>

using namespace ticketstest;

namespace {

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
    // The full-screen kiosk of the General department, with no printer that works.
    frmTicketF* openKioskWithoutPrinter()
    {
        env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                           QStringLiteral("General"));
        env.printers.failing = true;
        return qobject_cast<frmTicketF*>(env.screens.open(QStringLiteral("frmTicketF")));
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

    // The next visitor's token replaces it; a double tap leaves it up for its whole time.
    choose(env, kiosk, QStringLiteral("General"));
    choose(env, kiosk, QStringLiteral("Consultation"));
    shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->lblToken->text(), QStringLiteral("A1"));
    QTest::mouseClick(shown, Qt::LeftButton);
    QTest::mouseDClick(shown, Qt::LeftButton);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->closeTimer->isActive());
}

TEST_F(TokenOnScreenTest, FullScreenKioskShowsTheTokenWithoutAnyPrinter)
{
    auto* kiosk = openKioskWithoutPrinter();
    ASSERT_NE(kiosk, nullptr);
    choose(env, kiosk, QStringLiteral("Consultation"));
    TokenOnScreen* shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->lblToken->text(), QStringLiteral("A1"));
    QPointer<TokenOnScreen> watched(shown);
    shown->closeTimer->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watched || !watched->isVisible(); }, 5000));
}

TEST_F(TokenOnScreenTest, WithHistoryTheKioskShowsTheWaitAndTheTicketCarriesItsPageCode)
{
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                       QStringLiteral("General"));
    env.settings().set(QStringLiteral("queue"), QStringLiteral("web"), QStringLiteral("address"),
                       QStringLiteral("http://192.168.1.10:8080/"));
    // Yesterday Counter 1 and 2 took 8 minutes a visitor; both are set up for Consultation.
    for (int i = 0; i < 4; ++i)
        env.db.insert(QStringLiteral("tblTicket"),
                      {{QStringLiteral("servAuto"), hall.consultation},
                       {QStringLiteral("tickNo"), 1 + i},
                       {QStringLiteral("tickDate"), QStringLiteral("2024-03-03")},
                       {QStringLiteral("tickTime"), QStringLiteral("09:00:00")},
                       {QStringLiteral("call"), QStringLiteral("1")},
                       {QStringLiteral("no_abr"), QStringLiteral("A%1").arg(1 + i)},
                       {QStringLiteral("attended"), hall.counter1},
                       {QStringLiteral("attTime"), QStringLiteral("09:10:00")},
                       {QStringLiteral("finished"), QStringLiteral("09:18:00")},
                       {QStringLiteral("ttype"), QStringLiteral("N")}});
    auto* kiosk = qobject_cast<frmTicketF*>(env.screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    choose(env, kiosk, QStringLiteral("Consultation"));
    choose(env, kiosk, QStringLiteral("Consultation"));

    // The second visitor has one ahead: (1·8 + 4) / 2 counters = 6 minutes.
    TokenOnScreen* shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->lblToken->text(), QStringLiteral("A2"));
    EXPECT_EQ(shown->lblWait->text(),
              QStringLiteral("Estimated wait: about 6 minutes (1 person ahead of you)"));
    EXPECT_FALSE(shown->lblNote->isVisible()); // the ticket was printed
    const ResultSet row = env.db.query(
        QStringLiteral("select webcode, estwait from tblTicket where tickDate='2024-03-04' and tickNo=2"));
    EXPECT_EQ(row.number(0, 1), 6);

    // The printed ticket says the same and carries the code of its page, under the now-serving line.
    const QStringList texts = printedTexts(env.printers);
    EXPECT_EQ(texts.count(QStringLiteral("Estimated wait : about 6 minutes")), 1);
    int ends = 0;
    bool codeOnSecond = false;
    for (const RecordingPrinters::Call& c : env.printers.calls) {
        if (c.what == QLatin1String("end"))
            ++ends;
        if (c.what == QLatin1String("rect") && ends == 1)
            codeOnSecond = true;
    }
    EXPECT_TRUE(codeOnSecond);
    EXPECT_EQ(ticketcode::pageAddress(ticketcode::webAddress(env.settings()), row.text(0, 0)),
              QStringLiteral("http://192.168.1.10:8080/t/") + row.text(0, 0));
}

namespace {

double luminance(QRgb c)
{
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The strongest contrast between the panel's background and any pixel of the label, as drawn.
double labelContrast(TokenOnScreen* shown, QLabel* label)
{
    const QImage image = shown->grab().toImage();
    const QRgb ground = image.pixel(label->geometry().topLeft() + QPoint(2, 2));
    double best = 1;
    const QRect area = label->geometry() & image.rect();
    for (int y = area.top(); y <= area.bottom(); y += 2) {
        for (int x = area.left(); x <= area.right(); x += 2)
            best = qMax(best, contrast(ground, image.pixel(x, y)));
    }
    return best;
}

} // namespace

TEST_F(TokenOnScreenTest, TheNumberStandsOutOnTheFullScreenKioskAndStaysThroughADoubleTap)
{
    auto* kiosk = openKioskWithoutPrinter();
    ASSERT_NE(kiosk, nullptr);
    choose(env, kiosk, QStringLiteral("Lab"));
    TokenOnScreen* shown = tokenShownOver(kiosk);
    ASSERT_NE(shown, nullptr);
    // Nothing was printed: no picture asks the visitor to take a ticket.
    EXPECT_TRUE(kiosk->findChildren<frmTT*>().isEmpty());

    // White on deep navy under the kiosk's own style sheet (it once came out black on navy).
    EXPECT_GE(labelContrast(shown, shown->lblToken), 12.0);
    EXPECT_GE(labelContrast(shown, shown->lblHint), 7.0);
    EXPECT_GE(labelContrast(shown, shown->lblNote), 7.0);

    QTest::mouseDClick(shown, Qt::LeftButton);
    QTest::mouseClick(shown, Qt::LeftButton);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->closeTimer->interval(), TokenOnScreen::shownMs);
    EXPECT_TRUE(shown->closeTimer->isActive());
    QPointer<TokenOnScreen> watched(shown);
    shown->closeTimer->start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watched || !watched->isVisible(); }, 5000));
}
