#include "TicketsSupport.h"
#include "testsupport/CommandRun.h"

#include "core/LanguageSettings.h"
#include "tickets/KioskLanguages.h"
#include "tickets/frmTicketF.h"
#include "ui/Language.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QTextStream>

using namespace ticketstest;

namespace {

class VisitorLanguage : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
        env->settings().set(QStringLiteral("queue"), QStringLiteral("Ticket"), QStringLiteral("screen"),
                            QStringLiteral("Full Screen"));
        languageSettings::setWorkstation(env->settings(), QStringLiteral("en"));
    }
    void TearDown() override
    {
        // Nothing of a visitor's language leaks into the next test.
        Language::use(QStringLiteral("en"));
        StoreTest::TearDown();
    }

    void touch(frmTicketF* kiosk, const QString& caption)
    {
        const int row = rowStartingWith(kiosk->FG, caption);
        ASSERT_GT(row, 0) << caption.toStdString();
        kiosk->FG->setRow(row);
        kiosk->FG_Click();
    }

    QPushButton* languageButton(frmTicketF* kiosk, const QString& code)
    {
        return kiosk->languageRow->findChild<QPushButton*>(QStringLiteral("lang_") + code);
    }

    QString storedLanguage(const QString& label)
    {
        return env->db.query(QStringLiteral("select lang from tblTicket where no_abr=?"), {label}).text(0, 0);
    }

    int run(const QString& name, const QStringList& args) { return runCommand(*env, name, args, out, err); }

    Hall hall;
    QString out, err;
};

// A kiosk of three languages: the visitor picks theirs first; the kiosk, the stored ticket and the
// printed ticket speak it, and the next visitor finds the kiosk in its first language again.
TEST_P(VisitorLanguage, KioskLetsTheVisitorChooseAndTheTicketKeepsTheLanguage)
{
    languageSettings::setKiosk(env->settings(),
                               {QStringLiteral("en"), QStringLiteral("hi"), QStringLiteral("ar")});
    auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    ASSERT_TRUE(kiosk->serving());
    ASSERT_TRUE(kiosk->languageRow->isVisibleTo(kiosk));
    ASSERT_EQ(kiosk->languageRow->buttons.size(), 3);
    EXPECT_EQ(languageButton(kiosk, QStringLiteral("hi"))->text(), QStringLiteral("हिन्दी"));
    EXPECT_EQ(languageButton(kiosk, QStringLiteral("ar"))->text(), QStringLiteral("العربية"));
    // Touch targets: the language buttons are as tall as the kiosk's least button.
    EXPECT_GE(languageButton(kiosk, QStringLiteral("hi"))->height(), 80);
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("Select Service"));

    // Hindi.
    languageButton(kiosk, QStringLiteral("hi"))->click();
    EXPECT_EQ(kiosk->language(), QStringLiteral("hi"));
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("सेवा चुनें"));
    EXPECT_EQ(kiosk->windowTitle(), QStringLiteral("टिकट छापें"));
    touch(kiosk, QStringLiteral("Consultation"));
    EXPECT_EQ(storedLanguage(QStringLiteral("A1")), QStringLiteral("hi"));
    QStringList lines = printedTexts(env->printers);
    EXPECT_TRUE(lines.contains(QStringLiteral("प्रतीक्षा के लिए धन्यवाद")))
        << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(lines.contains(QStringLiteral("Thank you for waiting")));
    // Back in English for the next visitor.
    EXPECT_EQ(kiosk->language(), QStringLiteral("en"));
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("Select Service"));
    EXPECT_TRUE(languageButton(kiosk, QStringLiteral("en"))->isChecked());

    // Arabic: laid out right to left while the visitor chooses.
    env->printers.calls.clear();
    languageButton(kiosk, QStringLiteral("ar"))->click();
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("اختر الخدمة"));
    touch(kiosk, QStringLiteral("Lab"));
    EXPECT_EQ(storedLanguage(QStringLiteral("B100")), QStringLiteral("ar"));
    lines = printedTexts(env->printers);
    EXPECT_TRUE(lines.contains(QStringLiteral("شكرًا لانتظاركم")))
        << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);

    // No choice: the kiosk's first language.
    env->printers.calls.clear();
    touch(kiosk, QStringLiteral("Consultation"));
    EXPECT_EQ(storedLanguage(QStringLiteral("A2")), QStringLiteral("en"));
    EXPECT_TRUE(printedTexts(env->printers).contains(QStringLiteral("Thank you for waiting")));
    kiosk->leave();
}

// One language: no row to choose from, and the ticket still says which language it was given in.
TEST_P(VisitorLanguage, KioskOfOneLanguageShowsNoRowAndStoresItsLanguage)
{
    languageSettings::setWorkstation(env->settings(), QStringLiteral("hi"));
    languageSettings::setKiosk(env->settings(), {QStringLiteral("hi")});
    Language::use(QStringLiteral("hi"));
    auto* kiosk = qobject_cast<frmTicketF*>(env->screens.open(QStringLiteral("frmTicketF")));
    ASSERT_NE(kiosk, nullptr);
    EXPECT_FALSE(kiosk->languageRow->isVisibleTo(kiosk));
    EXPECT_EQ(kiosk->FG->text(0, 1), QStringLiteral("सेवा चुनें"));
    touch(kiosk, QStringLiteral("Consultation"));
    EXPECT_EQ(storedLanguage(QStringLiteral("A1")), QStringLiteral("hi"));
    kiosk->leave();
}

TEST_P(VisitorLanguage, CtlIssueTakesTheVisitorsLanguage)
{
    ASSERT_EQ(run(QStringLiteral("issue"),
                  {QStringLiteral("Consultation"), QStringLiteral("--lang"), QStringLiteral("hi_IN")}),
              0);
    EXPECT_EQ(out, QStringLiteral("A1\n"));
    EXPECT_EQ(storedLanguage(QStringLiteral("A1")), QStringLiteral("hi"));
    // A language the program has no texts for is a usage error: nothing is issued.
    EXPECT_EQ(run(QStringLiteral("issue"),
                  {QStringLiteral("Consultation"), QStringLiteral("--lang"), QStringLiteral("xx")}),
              2);
    EXPECT_EQ(ticketCount(env->db), 1);
    // Without --lang no language is stored: the hall's own speaks.
    ASSERT_EQ(run(QStringLiteral("issue"), {QStringLiteral("Consultation")}), 0);
    EXPECT_TRUE(env->db.query(QStringLiteral("select lang from tblTicket where no_abr='A2'")).isNull(0, 0));
}

// The printed ticket's own lines in the ticket's language, whatever the workstation's is.
TEST(TicketLanguage, PrintedLinesFollowTheTicketNotTheWorkstation)
{
    RecordingPrinters printers;
    TicketContent content;
    content.label = QStringLiteral("A7");
    content.serviceName = QStringLiteral("Consultation");
    content.estimateMinutes = 12;
    content.pageAddress = QStringLiteral("http://hall.local/t/0123456789abcdef0123456789abcdef");
    content.counterName = QStringLiteral("Desk 2");
    content.language = QStringLiteral("hi");
    const auto lines = [&](const TicketContent& c) {
        printers.calls.clear();
        auto surface = printers.open(QString());
        PrintJob job(*surface);
        layoutTicket(job, TicketLayout::FullScreen, {}, c, QStringLiteral("A5"),
                     QStringLiteral("04-03-2024"));
        return printedTexts(printers);
    };
    QStringList hindi = lines(content);
    EXPECT_TRUE(hindi.contains(QStringLiteral("अनुमानित प्रतीक्षा : लगभग 12 मिनट")))
        << hindi.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(hindi.contains(QStringLiteral("अभी सेवा में : A5")));
    EXPECT_TRUE(hindi.contains(QStringLiteral("काउंटर : Desk 2")));
    EXPECT_TRUE(hindi.contains(QStringLiteral("अपनी बारी देखने के लिए स्कैन करें")));
    content.language = QStringLiteral("en");
    EXPECT_TRUE(lines(content).contains(QStringLiteral("Now Serving : A5")));
}

BRIVANE_STORE_TEST_SUITE(VisitorLanguage);

} // namespace
