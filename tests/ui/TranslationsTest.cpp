#include "ui/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

// What a visitor reads (kiosk, printed ticket, the ticket's page, the web board, the text message) and,
// for Hindi, what a counter operator reads too (counter screen, log-in, the windowed kiosk, the board).
const QStringList VisitorContexts{
    QStringLiteral("frmTicketF"),    QStringLiteral("OutOfServicePage"), QStringLiteral("TokenOnScreen"),
    QStringLiteral("frmTT"),         QStringLiteral("TicketPrint"),      QStringLiteral("WaitEstimate"),
    QStringLiteral("Issue"),         QStringLiteral("WebPages"),         QStringLiteral("HallTicket"),
    QStringLiteral("ThemeDefaults"), QStringLiteral("TextMessage")};
const QStringList OperatorContexts{QStringLiteral("CounterWindow"), QStringLiteral("frmCall"),
                                   QStringLiteral("frmSelService"), QStringLiteral("frmLogin"),
                                   QStringLiteral("frmTicket"),     QStringLiteral("frmDisplay"),
                                   QStringLiteral("BoardList"),     QStringLiteral("CallReason")};

struct Message
{
    QString context;
    QString source;
    QString translation;
    bool unfinished = false;
};

QList<Message> readTs(const QString& path)
{
    QList<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("message"))
            m = Message{context, {}, {}, false};
        else if (xml.name() == QLatin1String("source"))
            m.source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            m.unfinished = type == QLatin1String("unfinished");
            // A plural text keeps its forms in child elements.
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            out.append(m);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return out;
}

// The language's file brought up to date with the sources as they are now (as the build's lupdate
// would), so a text added without its translation shows here.
QList<Message> currentMessages(const QString& code, QTemporaryDir& dir)
{
    const QString kept = QStringLiteral(BRIVANE_SOURCE_DIR "/translations/brivane_%1.ts").arg(code);
    const QString copy = dir.filePath(QFileInfo(kept).fileName());
    EXPECT_TRUE(QFile::copy(kept, copy));
    QProcess lupdate;
    lupdate.start(QStringLiteral(BRIVANE_LUPDATE),
                  {QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                   QStringLiteral(BRIVANE_SOURCE_DIR "/src"), QStringLiteral("-ts"), copy});
    EXPECT_TRUE(lupdate.waitForFinished(120000));
    EXPECT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    return readTs(copy);
}

void expectTranslated(const QString& code, const QStringList& contexts)
{
    QTemporaryDir dir;
    const QList<Message> messages = currentMessages(code, dir);
    int checked = 0;
    for (const Message& m : messages) {
        if (!contexts.contains(m.context))
            continue;
        ++checked;
        EXPECT_FALSE(m.unfinished || m.translation.isEmpty())
            << code.toStdString() << ": untranslated in " << m.context.toStdString() << ": \""
            << m.source.toStdString() << "\"";
        // Every place holder of the source is kept.
        for (const QString& mark : {QStringLiteral("%1"), QStringLiteral("%2"), QStringLiteral("%n")}) {
            if (m.source.contains(mark)) {
                EXPECT_TRUE(m.translation.contains(mark))
                    << code.toStdString() << ": " << mark.toStdString() << " lost in \""
                    << m.translation.toStdString() << "\"";
            }
        }
    }
    EXPECT_GT(checked, 40) << code.toStdString();
}

} // namespace

TEST(Translations, HindiHasEveryVisitorAndOperatorText)
{
    expectTranslated(QStringLiteral("hi"), VisitorContexts + OperatorContexts);
}

TEST(Translations, ArabicHasEveryVisitorText)
{
    expectTranslated(QStringLiteral("ar"), VisitorContexts);
}

TEST(Translations, LanguagesByCodeWithTheirTextsAndDirections)
{
    EXPECT_EQ(Language::known(QStringLiteral("hi_IN")), QStringLiteral("hi"));
    EXPECT_EQ(Language::known(QStringLiteral("AR-eg")), QStringLiteral("ar"));
    EXPECT_EQ(Language::known(QStringLiteral("xx")), QString());
    EXPECT_EQ(Language::listFrom(QStringLiteral("hi, en;hi xx ar")),
              (QStringList{QStringLiteral("hi"), QStringLiteral("en"), QStringLiteral("ar")}));
    EXPECT_TRUE(Language(QStringLiteral("ar")).rightToLeft());
    EXPECT_FALSE(Language(QStringLiteral("hi")).rightToLeft());
    EXPECT_EQ(Language(QStringLiteral("hi")).voiceName(), QStringLiteral("hindi"));
    // The translations are built into the program.
    EXPECT_EQ(Language(QStringLiteral("hi")).translate("WebPages", "Your token"),
              QStringLiteral("आपका टोकन"));
    EXPECT_EQ(Language(QStringLiteral("ar")).translate("WebPages", "Your token"), QStringLiteral("رقم دورك"));
    EXPECT_EQ(Language(QStringLiteral("en")).translate("WebPages", "Your token"),
              QStringLiteral("Your token"));
    // A text without a translation is its English source.
    EXPECT_EQ(Language(QStringLiteral("ar")).translate("frmLogin", "Login Here"),
              QStringLiteral("Login Here"));
    // The windows' language: tr() follows it, and so does a Language without a code.
    Language::use(QStringLiteral("hi"));
    EXPECT_EQ(Language::inUse(), QStringLiteral("hi"));
    EXPECT_EQ(QCoreApplication::translate("WaitEstimate", "about 1 minute"), QStringLiteral("लगभग 1 मिनट"));
    EXPECT_EQ(Language().translate("WaitEstimate", "about 1 minute"), QStringLiteral("लगभग 1 मिनट"));
    Language::use(QStringLiteral("en"));
    EXPECT_EQ(QCoreApplication::translate("WaitEstimate", "about 1 minute"),
              QStringLiteral("about 1 minute"));
}
