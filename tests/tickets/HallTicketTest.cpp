// The hall's own ticket: the logo chosen in the company details, stored for every kiosk, shown in the
// screen's preview; the shipped demo picture printed by the demo hall only.

#include "TicketsSupport.h"

#include "core/DemoData.h"
#include "core/ScreenRegistry.h"
#include "core/Settings.h"
#include "masterdata/CompanyLogo.h"
#include "masterdata/frmCompany.h"
#include "tickets/HallTicket.h"
#include "tickets/frmTicketF.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ticketstest;

namespace {

const QString shippedLogo = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../resources/logo.jpg");

QByteArray bytesOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The share of a picture's top band (its first `rows` rows) that is far from white.
double inkInTop(const QImage& picture, int rows)
{
    int ink = 0, all = 0;
    for (int y = 0; y < qMin(rows, picture.height()); ++y) {
        for (int x = 0; x < picture.width(); ++x, ++all) {
            if (qGray(picture.pixel(x, y)) < 200)
                ++ink;
        }
    }
    return all ? double(ink) / all : 0;
}

class HallTicket : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 30)));
        env->settings().set(QStringLiteral("Queue"), QStringLiteral("dept"), QStringLiteral("default"),
                            QStringLiteral("General"));
    }
    // One token from the full-screen kiosk; the pictures its ticket printed.
    QList<RecordingPrinters::Call> issueOne()
    {
        env->printers.calls.clear();
        auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
        EXPECT_NE(kiosk, nullptr);
        kiosk->FG->setRow(rowStartingWith(kiosk->FG, QStringLiteral("Consultation")));
        kiosk->FG_Click();
        kiosk->leave();
        delete kiosk;
        return printed(env->printers, QStringLiteral("picture"));
    }
    Hall hall;
};

} // namespace

TEST_P(HallTicket, ALogoChosenInCompanyDetailsIsStoredPreviewedAndPrinted)
{
    // A new hall whose installation folder holds the shipped demo picture prints no logo.
    ASSERT_TRUE(QFile::copy(shippedLogo, env->path(QStringLiteral("logo.jpg"))));
    EXPECT_TRUE(issueOne().isEmpty());

    auto* screen = qobject_cast<frmCompany*>(env->screens.open(QStringLiteral("compdet")));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->lblLogo->text().contains(QStringLiteral("print none")));
    const QImage before = screen->picPreview->pixmap().toImage();
    ASSERT_FALSE(before.isNull());
    EXPECT_LT(inkInTop(before, 40), 0.01); // no logo at the head

    // A picture chosen through the file dialog shows in the preview at once.
    QImage green(400, 200, QImage::Format_RGB32);
    green.fill(QColor(0, 120, 0));
    const QString file = env->path(QStringLiteral("our-logo.png"));
    ASSERT_TRUE(green.save(file));
    env->dialogs.setNextFileName(file);
    QTest::mouseClick(screen->cmdLogo, Qt::LeftButton);
    const QImage after = screen->picPreview->pixmap().toImage();
    EXPECT_GT(inkInTop(after, 40), 0.2);
    EXPECT_EQ(after.width(), before.width());
    // The name changes the preview as it is typed (its line is the real printout's).
    screen->txtName->setText(QStringLiteral("Harbour Health Centre"));
    EXPECT_NE(screen->picPreview->pixmap().toImage(), after);
    QTest::mouseClick(screen->Command1, Qt::LeftButton);
    EXPECT_EQ(company::storedLogo(env->db), bytesOf(file));

    // Every kiosk prints it: the picture in its own proportions, centred in the logo's box.
    const QList<RecordingPrinters::Call> pictures = issueOne();
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].picture.pixelColor(10, 10), QColor(0, 120, 0));
    EXPECT_EQ(pictures[0].rect, logoPlace(TicketLayout::FullScreen, QSize(400, 200)));
    EXPECT_TRUE(printedTexts(env->printers).contains(QStringLiteral("Harbour Health Centre")));

    // Removed again: the tickets print none.
    screen = qobject_cast<frmCompany*>(env->screens.open(QStringLiteral("compdet")));
    ASSERT_NE(screen, nullptr);
    QTest::mouseClick(screen->cmdNoLogo, Qt::LeftButton);
    QTest::mouseClick(screen->Command1, Qt::LeftButton);
    EXPECT_TRUE(company::storedLogo(env->db).isEmpty());
    EXPECT_TRUE(issueOne().isEmpty());

    // A file that is no picture is refused and changes nothing.
    screen = qobject_cast<frmCompany*>(env->screens.open(QStringLiteral("compdet")));
    const QString text = env->path(QStringLiteral("notes.txt"));
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture");
    notes.close();
    env->dialogs.setNextFileName(text);
    QTest::mouseClick(screen->cmdLogo, Qt::LeftButton);
    EXPECT_TRUE(env->dialogs.last().contains(QStringLiteral("not a picture")));
    EXPECT_TRUE(screen->logo().isEmpty());
    screen->close();
}

// A hall made before logos were stored, whose administrator replaced the installation folder's
// logo.jpg, keeps printing that picture until one is stored; the demo hall stores the demo picture.
TEST_P(HallTicket, TheFoldersOwnLogoIsKeptAndTheDemoPictureIsTheDemoHallsOnly)
{
    writeLogo(*env); // a picture other than the shipped one
    const QList<RecordingPrinters::Call> pictures = issueOne();
    ASSERT_EQ(pictures.size(), 1);
    EXPECT_EQ(pictures[0].picture.size(), QSize(360, 100));
    auto* screen = qobject_cast<frmCompany*>(env->screens.open(QStringLiteral("compdet")));
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->lblLogo->text().contains(QStringLiteral("installation folder")));
    screen->close();

    EXPECT_TRUE(company::isShippedDemoPicture(bytesOf(shippedLogo)));
    env->db.clearAllTables();
    QFile::remove(env->path(QStringLiteral("logo.jpg")));
    ASSERT_TRUE(QFile::copy(shippedLogo, env->path(QStringLiteral("logo.jpg"))));
    ASSERT_TRUE(demo::loadDemoHall(env->db, env->dir.path()));
    EXPECT_EQ(company::storedLogo(env->db), bytesOf(shippedLogo));
    EXPECT_EQ(ticketHeader(*env->ctx).logo.size(), QSize(720, 200));
}

BRIVANE_STORE_TEST_SUITE(HallTicket);
