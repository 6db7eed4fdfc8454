#include "display/NewsTicker.h"
#include "display/frmDisplay.h"
#include "display/media/FrameSteps.h"

#include "DisplayTestSupport.h"
#include "testsupport/TestEnv.h"

#include <QLabel>
#include <QPainter>
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
    constexpr int Gap = NewsTicker::Gap;
    static_assert(Gap >= 1000, "messages stand clearly apart");
    EXPECT_EQ(t.items().at(0).left, 1000 + Gap) << "a gap right of the template at the right edge";
    EXPECT_EQ(t.items().at(1).left, 1000 + Gap + 50 + Gap) << "a gap after the end of the first";
    t.tick();
    EXPECT_EQ(t.items().at(0).left, 970 + Gap);
    EXPECT_EQ(t.items().at(1).left, 1020 + 2 * Gap);

    // The Left run ends once the last message has left the board on the left side.
    int ticks = 1;
    while (t.phase() == NewsTicker::Phase::Left && ticks < 1000) {
        t.tick();
        ++ticks;
    }
    // 1050 + 2 gaps + 100 twips to cover at 30 a tick (rounded up), then the switch.
    EXPECT_EQ(ticks, (1050 + 2 * Gap + 100 + 29) / 30 + 1);
    ASSERT_EQ(texts(t), QStringList{QStringLiteral("back")});
    EXPECT_EQ(t.items().at(0).left, -40 - Gap) << "to the left of the board's left edge";
    t.tick();
    EXPECT_EQ(t.items().at(0).left, -10 - Gap);

    while (t.phase() == NewsTicker::Phase::Right && ticks < 2000) {
        t.tick();
        ++ticks;
    }
    EXPECT_EQ(texts(t), (QStringList{QStringLiteral("first"), QStringLiteral("second one")})) << "read again";
    EXPECT_EQ(t.items().at(0).left, 1000 + Gap);

    t.stop();
    EXPECT_TRUE(t.items().isEmpty());
}

TEST(NewsTickerTest, WithoutLeftMessagesTheRightOnesRunAndAnEmptyBandLooksNowAndThen)
{
    TestEnv env;
    addNews(env.db, QStringLiteral("only right"), QStringLiteral("Right"));
    NewsTicker t(env.db, tenPerChar());
    t.setBoardWidth(1000);
    t.start();
    EXPECT_EQ(t.phase(), NewsTicker::Phase::Right);
    ASSERT_EQ(texts(t), QStringList{QStringLiteral("only right")});
    EXPECT_EQ(t.items().at(0).left, -100 - NewsTicker::Gap);
    int ticks = 0;
    while (t.items().at(0).left < 1000 && ticks < 1000) {
        t.tick();
        ++ticks;
    }
    t.tick();
    EXPECT_EQ(texts(t), QStringList{QStringLiteral("only right")}) << "the Right run starts again";
    EXPECT_EQ(t.items().at(0).left, -100 - NewsTicker::Gap);

    // With no message at all the band looks for messages again now and then, not on every tick.
    env.db.exec(QStringLiteral("delete from tblscroll"));
    while (!t.items().isEmpty() && ticks < 3000) {
        t.tick();
        ++ticks;
    }
    const int before = t.generation();
    for (int i = 0; i < NewsTicker::EmptyRereadTicks - 1; ++i)
        t.tick();
    EXPECT_LE(t.generation(), before + 2) << "one read of each set, then a pause";

    addNews(env.db, QStringLiteral("news"), QStringLiteral("Left"));
    for (int i = 0; i < NewsTicker::EmptyRereadTicks + 2 && t.items().isEmpty(); ++i)
        t.tick();
    EXPECT_EQ(texts(t), QStringList{QStringLiteral("news")});
    EXPECT_EQ(t.phase(), NewsTicker::Phase::Left);
}

TEST(NewsTickerTest, PositionsFollowTheTimePassedAtTheSameSpeedAsSteppedTicks)
{
    TestEnv env;
    addNews(env.db, QStringLiteral("first"), QStringLiteral("Left"));
    addNews(env.db, QStringLiteral("second one"), QStringLiteral("Left"));
    addNews(env.db, QStringLiteral("back"), QStringLiteral("Right"));
    NewsTicker stepped(env.db, tenPerChar());
    NewsTicker framed(env.db, tenPerChar());
    for (NewsTicker* t : {&stepped, &framed}) {
        t->setBoardWidth(1000);
        t->setSpeed(30);
        t->start();
    }

    // Frames of a 60 Hz screen for four seconds, which takes the band through both runs and back.
    QWidget board;
    FrameSteps frames(&board);
    int steps = 0;
    for (int frame = 1; frame <= 240; ++frame) {
        const qint64 elapsed = frame * 1000 / 60;
        const int due = frames.take(elapsed);
        steps += due;
        framed.advance(due);
        for (int i = 0; i < due; ++i)
            stepped.tick();
        ASSERT_EQ(steps, int(elapsed * FrameSteps::StepsPerSecond / 1000)) << "every step counted once";
        ASSERT_EQ(framed.phase(), stepped.phase()) << "frame " << frame;
        ASSERT_EQ(texts(framed), texts(stepped)) << "frame " << frame;
        for (int i = 0; i < framed.items().size(); ++i)
            ASSERT_EQ(framed.items().at(i).left, stepped.items().at(i).left) << "frame " << frame;
    }
    EXPECT_EQ(steps, 4 * FrameSteps::StepsPerSecond);

    // The title moves the same way.
    int x = 500;
    for (int i = 0; i < 300; ++i)
        x = titleScrollX(x, 400, 1000, 30, 1);
    EXPECT_EQ(titleScrollX(500, 400, 1000, 30, 300), x);
    EXPECT_EQ(titleScrollX(500, 400, 1000, 30, 30), 500 - 30 * 30) << "still on its way left";
    EXPECT_EQ(titleScrollX(-400, 400, 1000, 30, 1), 1000) << "gone: starts again at the right edge";
}

// A message of the band is drawn in its colour on the band's, centred in the band's height, from its
// left edge; a move along the band shows the same picture without drawing the text again.
TEST(NewsTickerTest, AMessageIsDrawnOnceAndOnlyCopiedWhileItMoves)
{
    QWidget band;
    band.resize(600, 80);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(30);
    const QColor text(200, 0, 0);
    const QColor ground(0, 0, 90);
    auto* item = new BoardNewsItem(QStringLiteral("Welcome"), font, text, ground, &band);
    item->setGeometry(10, 0, 300, 80);
    EXPECT_TRUE(item->testAttribute(Qt::WA_OpaquePaintEvent));

    const QImage shot = item->grab().toImage();
    const qint64 drawn = item->picture().cacheKey();
    ASSERT_EQ(shot.size(), QSize(300, 80));
    QRect ink;
    bool inText = false;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            ASSERT_EQ(c.alpha(), 255) << "opaque at " << x << "," << y;
            if (c == ground)
                continue;
            ink |= QRect(x, y, 1, 1);
            inText |= c == text;
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(inText) << "the letters are in the message's colour";
    EXPECT_LT(ink.left(), 6) << "the text starts at the left edge";
    EXPECT_LE(qAbs(ink.center().y() - 40), 6)
        << "centred in the height, ink " << ink.top() << ".." << ink.bottom();
    EXPECT_NEAR(ink.width(), QFontMetrics(font).horizontalAdvance(QStringLiteral("Welcome")), 6);

    // Moved on, it shows the same picture; only a new size draws it anew.
    item->move(-40, 0);
    EXPECT_EQ(item->grab().toImage(), shot);
    EXPECT_EQ(item->picture().cacheKey(), drawn);
    item->resize(320, 80);
    item->grab();
    EXPECT_NE(item->picture().cacheKey(), drawn);
    EXPECT_EQ(item->picture().deviceIndependentSize(), QSizeF(320, 80));
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
    EXPECT_TRUE(w->newsRuns());
    ASSERT_EQ(w->lblScroll().size(), 1);
    BoardNewsItem* label = w->lblScroll().first();
    EXPECT_EQ(label->text(), QStringLiteral("Welcome to the hall"));
    EXPECT_GE(label->x(), w->width()) << "starts off the right edge";
    const int x = label->x();
    w->frameTick(2);
    EXPECT_LT(w->lblScroll().first()->x(), x);

    w->stopNews();
    EXPECT_FALSE(w->imgBG->isVisible());
    EXPECT_FALSE(w->newsRuns());
    EXPECT_TRUE(w->lblScroll().isEmpty());
    w->close();
}

} // namespace
