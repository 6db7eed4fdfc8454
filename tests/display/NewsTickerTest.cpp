#include "display/NewsTicker.h"
#include "display/frmDisplay.h"

#include "DisplayTestSupport.h"
#include "testsupport/TestEnv.h"

#include <QLabel>
#include <QTimer>

namespace {

qint64 addNews(Database& db, const QString& text, const QString& direction, bool active = true)
{
    return db.insert(QStringLiteral("tblscroll"),
                     {{QStringLiteral("message"), text},
                      {QStringLiteral("msgrtf"), QString()},
                      {QStringLiteral("msgrtf2"), QString()},
                      {QStringLiteral("active"), active ? 1 : 0},
                      {QStringLiteral("font"), QStringLiteral("Liberation Sans")},
                      {QStringLiteral("size"), 20},
                      {QStringLiteral("color"), 255},
                      {QStringLiteral("bold"), 1},
                      {QStringLiteral("italic"), 0},
                      {QStringLiteral("direction"), direction}});
}

// Ten twips a character keeps the arithmetic readable.
NewsTicker::Measure tenPerChar()
{
    return [](const NewsTicker::Item& i) { return int(i.text.size()) * 10; };
}

QStringList texts(const NewsTicker& t)
{
    QStringList out;
    for (const auto& i : t.items())
        out.append(i.text);
    return out;
}

TEST(NewsTickerTest, LeftMessagesCrossFromTheRightThenRightMessagesFromTheLeft)
{
    TestEnv env;
    addNews(env.db, QStringLiteral("first"), QStringLiteral("Left"));      // 50 twips wide
    addNews(env.db, QStringLiteral("second one"), QStringLiteral("Left")); // 100
    addNews(env.db, QStringLiteral("hidden"), QStringLiteral("Left"), false);
    addNews(env.db, QStringLiteral("back"), QStringLiteral("Right")); // 40
    NewsTicker t(env.db, tenPerChar());
    t.setBoardWidth(1000);
    t.setSpeed(30);
    t.start();

    ASSERT_EQ(texts(t), (QStringList{QStringLiteral("first"), QStringLiteral("second one")}));
    EXPECT_TRUE(t.items().at(0).bold);
    EXPECT_EQ(t.items().at(0).left, 1100) << "100 twips right of the template at the right edge";
    EXPECT_EQ(t.items().at(1).left, 1250) << "100 twips after the end of the first";
    t.tick();
    EXPECT_EQ(t.items().at(0).left, 1070);
    EXPECT_EQ(t.items().at(1).left, 1220);

    // The Left run ends once the last message has left the board on the left side.
    int ticks = 1;
    while (t.phase() == NewsTicker::Phase::Left && ticks < 1000) {
        t.tick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 46) << "1220 + 100 twips to cover at 30 a tick, then the switch";
    ASSERT_EQ(texts(t), QStringList{QStringLiteral("back")});
    EXPECT_EQ(t.items().at(0).left, -140) << "to the left of the board's left edge";
    t.tick();
    EXPECT_EQ(t.items().at(0).left, -110);

    while (t.phase() == NewsTicker::Phase::Right && ticks < 2000) {
        t.tick();
        ++ticks;
    }
    EXPECT_EQ(texts(t), (QStringList{QStringLiteral("first"), QStringLiteral("second one")})) << "read again";
    EXPECT_EQ(t.items().at(0).left, 1100);

    t.stop();
    EXPECT_TRUE(t.items().isEmpty());
}

TEST(NewsTickerTest, AnEmptyBandLooksForMessagesNowAndThenNotOnEveryTick)
{
    TestEnv env;
    addNews(env.db, QStringLiteral("only right"), QStringLiteral("Right"));
    NewsTicker t(env.db, tenPerChar());
    t.setBoardWidth(1000);
    t.start();
    EXPECT_TRUE(t.items().isEmpty());
    const int before = t.generation();
    for (int i = 0; i < NewsTicker::EmptyRereadTicks - 1; ++i)
        t.tick();
    EXPECT_EQ(t.generation(), before + 1) << "one read after the first empty tick, then a pause";
    EXPECT_EQ(t.phase(), NewsTicker::Phase::Left) << "an empty Left set never hands over to Right";

    addNews(env.db, QStringLiteral("news"), QStringLiteral("Left"));
    for (int i = 0; i < NewsTicker::EmptyRereadTicks + 1 && t.items().isEmpty(); ++i)
        t.tick();
    EXPECT_EQ(texts(t), QStringList{QStringLiteral("news")});
}

TEST(NewsTickerTest, TheBoardShowsTheBandAndItsMessagesOnlyWhileTheTickerRuns)
{
    TestEnv env;
    env.session.themeId = addTheme(env.db);
    addNews(env.db, QStringLiteral("Welcome to the hall"), QStringLiteral("Left"));
    auto* w = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
    w->Timer1->stop();
    EXPECT_TRUE(w->lblScroll().isEmpty());

    w->startNews();
    EXPECT_TRUE(w->imgBG->isVisible());
    EXPECT_TRUE(w->Timer4->isActive());
    ASSERT_EQ(w->lblScroll().size(), 1);
    QLabel* label = w->lblScroll().first();
    EXPECT_EQ(label->text(), QStringLiteral("Welcome to the hall"));
    EXPECT_GE(label->x(), w->width()) << "starts off the right edge";
    const int x = label->x();
    w->Timer4_Timer();
    w->Timer4_Timer();
    EXPECT_LT(w->lblScroll().first()->x(), x);

    w->stopNews();
    EXPECT_FALSE(w->imgBG->isVisible());
    EXPECT_FALSE(w->Timer4->isActive());
    EXPECT_FALSE(w->Timer5->isActive());
    EXPECT_TRUE(w->lblScroll().isEmpty());
    w->close();
}

} // namespace
