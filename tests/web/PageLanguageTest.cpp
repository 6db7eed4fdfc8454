#include "WebTestSupport.h"

#include "tickets/Numbering.h"
#include "ui/Language.h"
#include "web/PageWords.h"
#include "web/TicketPage.h"
#include "web/WebAnswers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

class PageLanguage : public WebFixture
{
protected:
    IssuedForWeb issueIn(const QString& language) { return issueTicketIn(*env, hall.consultation, language); }
};

// The visitor's page speaks the language chosen at the kiosk, in its direction, also in what the
// server pushes to it; the board speaks the language asked for.
TEST_P(PageLanguage, TicketPagesFollowTheTicketAndTheBoardItsAddress)
{
    const IssuedForWeb english = issueIn(QString());
    const IssuedForWeb hindi = issueIn(QStringLiteral("hi"));
    const IssuedForWeb arabic = issueIn(QStringLiteral("ar"));
    startServer();

    const HttpReply en = httpGet(port, QStringLiteral("/t/") + english.code);
    ASSERT_EQ(en.status, 200);
    EXPECT_TRUE(en.body.contains("<html lang=\"en\" dir=\"ltr\">")) << en.body.constData();
    EXPECT_TRUE(en.body.contains("<span class=\"label\">Your token</span>"));

    const HttpReply hi = httpGet(port, QStringLiteral("/t/") + hindi.code);
    ASSERT_EQ(hi.status, 200);
    const QString hiPage = QString::fromUtf8(hi.body);
    EXPECT_TRUE(hiPage.contains(QStringLiteral("<html lang=\"hi\" dir=\"ltr\">"))) << hi.body.constData();
    EXPECT_TRUE(hiPage.contains(QStringLiteral("<span class=\"label\">आपका टोकन</span>")));
    EXPECT_TRUE(hiPage.contains(QStringLiteral("<dt>आपसे पहले</dt>")));
    EXPECT_TRUE(hiPage.contains(QStringLiteral("<div id=\"go\">कृपया यहाँ जाएँ</div>")));
    EXPECT_FALSE(hiPage.contains(QStringLiteral(">Your token<")));
    EXPECT_FALSE(hiPage.contains(QStringLiteral("{{")));

    const HttpReply ar = httpGet(port, QStringLiteral("/t/") + arabic.code);
    ASSERT_EQ(ar.status, 200);
    const QString arPage = QString::fromUtf8(ar.body);
    EXPECT_TRUE(arPage.contains(QStringLiteral("<html lang=\"ar\" dir=\"rtl\">"))) << ar.body.constData();
    EXPECT_TRUE(arPage.contains(QStringLiteral("يرجى التوجه إلى")));
    // The scripts' texts come with the page, in its language.
    EXPECT_TRUE(arPage.contains(QStringLiteral("\"No connection to the server\":\"لا يوجد اتصال بالخادم\"")));

    // What the server pushes to a Hindi ticket's page: the wait in Hindi.
    const auto view = ticketView(env->db, env->clock, nullptr, hindi.code);
    ASSERT_TRUE(view.has_value());
    TicketView waiting = *view;
    waiting.wait = 12;
    EXPECT_EQ(ticketJson(waiting).value(QStringLiteral("waitText")).toString(),
              QStringLiteral("लगभग 12 मिनट"));

    const HttpReply board = httpGet(port, QStringLiteral("/board?theme=Hall&lang=ar"));
    ASSERT_EQ(board.status, 200);
    const QString boardPage = QString::fromUtf8(board.body);
    EXPECT_TRUE(boardPage.contains(QStringLiteral("<html lang=\"ar\" dir=\"rtl\">")));
    EXPECT_TRUE(boardPage.contains(QStringLiteral("<title>لوحة العرض</title>")));
    const HttpReply plain = httpGet(port, QStringLiteral("/board?theme=Hall"));
    EXPECT_TRUE(plain.body.contains("<html lang=\"en\" dir=\"ltr\">"));
    EXPECT_FALSE(plain.body.contains("{{"));
}

// Every text the pages mark and every text their scripts ask for is one lupdate sees, so the
// translation check covers the pages too.
TEST(PageWords, EveryTextOfThePagesIsListedForTranslation)
{
    const QStringList listed = pagewords::texts();
    QStringList found;
    static const QRegularExpression mark(QStringLiteral("\\{\\{t:(.*?)\\}\\}"));
    static const QRegularExpression word(QStringLiteral("BrivaneLive\\.word\\('([^']*)'"));
    for (const QString& name : {QStringLiteral("ticket.html"), QStringLiteral("board.html")}) {
        const QString text = QString::fromUtf8(ownFileText(name));
        for (auto it = mark.globalMatch(text); it.hasNext();)
            found << it.next().captured(1);
    }
    for (const QString& name : {QStringLiteral("ticket.js"), QStringLiteral("board.js")}) {
        const QString text = QString::fromUtf8(ownFileText(name));
        for (auto it = word.globalMatch(text); it.hasNext();)
            found << it.next().captured(1);
    }
    EXPECT_GE(found.size(), 8);
    for (const QString& text : found)
        EXPECT_TRUE(listed.contains(text)) << "not listed for translation: " << text.toStdString();
    // A mark's text is escaped as HTML once translated.
    const QByteArray page =
        pagewords::translated("<p>{{t:No theme of that name}}</p>{{words}}", Language(QStringLiteral("en")));
    EXPECT_TRUE(page.startsWith("<p>No theme of that name</p>{"));
    EXPECT_FALSE(pagewords::translated("{{words}}", Language(QStringLiteral("ar"))).contains('<'));
}

BRIVANE_STORE_TEST_SUITE(PageLanguage);

} // namespace
