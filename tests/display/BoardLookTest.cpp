// The board as a hall sees it from across the room, measured through its widgets at 1920 x 1080.
#include "display/BoardDrawing.h"
#include "display/BoardTableFit.h"
#include "display/NewHall.h"
#include "display/ThemeDefaults.h"
#include "display/frmDisplay.h"
#include "display/frmTheme.h"

#include "DisplayTestSupport.h"
#include "core/DemoData.h"
#include "core/Lookups.h"
#include "display/design/BoardLayoutRow.h"
#include "display/media/FrameSteps.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>

namespace {

using boardDrawing::contrastRatio;

frmDisplay* openBoard(TestEnv& env)
{
    auto* w = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
    w->Timer1->stop(); // the test ticks by hand
    return w;
}

// The height in pixels of the ink of a cell's text: the rows of the cell holding pixels near the
// text's colour. For a token label (capitals and digits) that is the height of its capitals.
int inkHeight(Grid& grid, int row, int col, const QColor& ink)
{
    const QImage shot = grid.viewport()->grab().toImage();
    const QRect cell = grid.visualRect(grid.model()->index(row - 1, col));
    int top = -1;
    int bottom = -1;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (qAbs(c.red() - ink.red()) + qAbs(c.green() - ink.green()) + qAbs(c.blue() - ink.blue()) <
                60) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    }
    return top < 0 ? 0 : bottom - top + 1;
}

// The table fills its block: the columns its width, the rows its height, and the last row ends on
// the block's lower edge.
void expectTableFillsItsBlock(frmDisplay& w)
{
    Grid& grid = *w.FG;
    int width = 0;
    for (int c = 0; c < grid.cols(); ++c)
        width += grid.isColumnHidden(c) ? 0 : grid.columnWidth(c);
    EXPECT_EQ(width, grid.width()) << "the columns share the block's width";
    const int header = grid.horizontalHeader()->isVisible() ? grid.horizontalHeader()->height() : 0;
    int height = header;
    int lowest = INT_MAX;
    int highest = 0;
    for (int r = 0; r < grid.rows() - 1; ++r) {
        height += grid.QTableView::rowHeight(r);
        lowest = qMin(lowest, grid.QTableView::rowHeight(r));
        highest = qMax(highest, grid.QTableView::rowHeight(r));
    }
    EXPECT_EQ(height, grid.height()) << "the rows share the block's height";
    EXPECT_LE(highest - lowest, 1) << "rows of one height, no half row";
    const int last = grid.rows() - 2;
    EXPECT_EQ(grid.rowViewportPosition(last) + grid.QTableView::rowHeight(last), grid.viewport()->height())
        << "the last row ends on the block's edge";
}

void addCalls(TestEnv& env, qint64 counter, int count)
{
    for (int i = 1; i <= count; ++i)
        addCall(env.db, counter, QStringLiteral("A%1").arg(100 + i), QStringLiteral("Room 1"),
                env.clock.todayText());
}

TEST(BoardLook, TheDemoBoardReadsFromAcrossTheHall)
{
    TestEnv env;
    ASSERT_TRUE(demo::loadDemoHall(env.db));
    env.session.themeId = lookups::themeIdByName(env.db, QStringLiteral("Black H"));
    const qint64 counter =
        env.db.query(QStringLiteral("select cntAuto from tblCounter order by cntAuto")).number(0, 0);
    addCalls(env, counter, 6);
    frmDisplay* w = openBoard(env);
    ASSERT_EQ(w->size(), QSize(1920, 1080));
    ASSERT_EQ(w->FG->text(1, 1), QStringLiteral("A106 "));

    const QFont token = w->FG->cellFont(2, 1);
    EXPECT_GE(boardTableFit::capHeight(token), 50) << token.pointSizeF() << " pt";
    EXPECT_GE(inkHeight(*w->FG, 2, 1, w->theme().tokenColor), 50)
        << "capitals of a token label on the screen";
    expectTableFillsItsBlock(*w);

    // The demo's white messages on its band.
    w->startNews();
    ASSERT_FALSE(w->lblScroll().isEmpty());
    EXPECT_GE(contrastRatio(w->lblScroll().first()->color(), w->imgBG->palette().color(QPalette::Window)),
              4.5);
    w->close();
}

// A theme saved in the editor without changing anything, on its default layout for 1920 x 1080, with
// messages in white and in black (as the demo and the editor make them).
TEST(BoardLook, ANewThemeReadsFromAcrossTheHallWhateverColourItsMessagesHave)
{
    TestEnv env;
    seedHall(env.db);
    auto* editor = qobject_cast<frmTheme*>(env.screens.open(QStringLiteral("frmTheme")));
    editor->txtName->setText(QStringLiteral("New hall"));
    editor->txtColumn->setText(QStringLiteral("2"));
    editor->txtColWidth->setText(QStringLiteral("2500;2500"));
    editor->cmdSave_Click();
    ASSERT_TRUE(env.dialogs.texts().isEmpty()) << env.dialogs.texts().join(QLatin1Char('|')).toStdString()
                                               << editor->txtColWidth->text().toStdString();
    const qint64 theme = lookups::themeIdByName(env.db, QStringLiteral("New hall"));
    saveLayoutRow(env.db, theme, defaultLayout(QSize(14400, 8100)));
    env.session.themeId = theme;
    const qint64 counter = env.db.query(QStringLiteral("select cntAuto from tblCounter")).number(0, 0);
    addCalls(env, counter, 20);
    for (const qint64 color : {16777215, 0}) {
        env.db.insert(QStringLiteral("tblscroll"),
                      {{QStringLiteral("message"), QStringLiteral("Welcome")},
                       {QStringLiteral("active"), 1},
                       {QStringLiteral("font"), QStringLiteral("Liberation Sans")},
                       {QStringLiteral("size"), 28},
                       {QStringLiteral("color"), color},
                       {QStringLiteral("bold"), 1},
                       {QStringLiteral("italic"), 0},
                       {QStringLiteral("direction"), QStringLiteral("Left")}});
    }

    frmDisplay* w = openBoard(env);
    ASSERT_EQ(w->size(), QSize(1920, 1080));
    EXPECT_GE(boardTableFit::capHeight(w->FG->cellFont(2, 1)), 50) << w->FG->cellFont(2, 1).pointSizeF();
    EXPECT_GE(inkHeight(*w->FG, 2, 1, w->theme().tokenColor), 50);
    expectTableFillsItsBlock(*w);
    EXPECT_FALSE(w->FG->horizontalHeader()->isVisible()) << "a header row without captions takes no room";
    EXPECT_FALSE(w->lblTtl->font().bold()) << "the title is bold only in a bold face";

    w->startNews();
    ASSERT_EQ(w->lblScroll().size(), 2);
    const QColor band = w->imgBG->palette().color(QPalette::Window);
    for (BoardNewsItem* message : w->lblScroll())
        EXPECT_GE(contrastRatio(message->color(), band), 4.5) << message->color().name().toStdString();
    w->close();
}

TEST(BoardLook, TheNewestCallIsMarkedAndFlashesForAFewSecondsAndARecallFlashesAgain)
{
    TestEnv env;
    const Hall hall = seedHall(env.db);
    env.session.themeId = addTheme(env.db, {{QStringLiteral("rows"), 4}});
    frmDisplay* w = openBoard(env);
    const BoardTheme& t = w->theme();
    EXPECT_EQ(w->FG->cellBackColor(1, 1), t.altColor) << "an empty table marks nothing";

    const qint64 first =
        addCall(env.db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), env.clock.todayText());
    w->Timer1_Timer();
    EXPECT_TRUE(w->newestMarkTimer()->isActive());
    EXPECT_EQ(w->FG->cellBackColor(1, 1), t.tokenColor) << "lit: the token colour is the ground";
    EXPECT_EQ(w->FG->cellBackColor(1, 2), t.tokenColor);
    const QColor marked = NewestCallMark::markedGround(t.altColor, t.tableBg, t.tokenColor);
    const auto lookAfterMs = [&](int ms) {
        env.clock.set(env.clock.now().addMSecs(ms));
        w->showNewestMark();
        return w->FG->cellBackColor(1, 1);
    };
    EXPECT_EQ(lookAfterMs(NewestCallMark::BlinkMs), marked) << "the second half of a blink";
    EXPECT_EQ(lookAfterMs(NewestCallMark::BlinkMs), t.tokenColor);
    EXPECT_EQ(lookAfterMs(NewestCallMark::FlashMs), marked) << "after the flash the row stays marked";
    EXPECT_FALSE(w->newestMarkTimer()->isActive()) << "nothing runs once the flash is over";
    EXPECT_GE(NewestCallMark::FlashMs, 3000);
    EXPECT_LE(NewestCallMark::FlashMs, 10000);

    // The next call takes the top row and the flash; the row below is plain again.
    addCall(env.db, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"), env.clock.todayText());
    w->Timer1_Timer();
    EXPECT_EQ(w->FG->text(2, 1), QStringLiteral("A1 "));
    EXPECT_EQ(w->FG->cellBackColor(1, 1), t.tokenColor);
    EXPECT_EQ(w->FG->cellBackColor(2, 1), t.tableBg);
    lookAfterMs(NewestCallMark::FlashMs + 100);

    // A recall of A1 brings it to the top again, flashing.
    env.db.exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {first});
    w->Timer1_Timer();
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("A1 "));
    EXPECT_EQ(w->FG->cellBackColor(1, 1), t.tokenColor);
    EXPECT_TRUE(w->newestMarkTimer()->isActive());
    w->close();
}

TEST(BoardLook, TickerAndTitleMoveAtAReadableSpeedWithClearSpaceBetweenMessages)
{
    TestEnv env;
    env.session.themeId = addTheme(env.db, {{QStringLiteral("scroll"), 1}});
    ASSERT_EQ(env.session.scrollSpeed, 30) << "the default speed";
    for (int i = 0; i < 2; ++i) {
        env.db.insert(QStringLiteral("tblscroll"),
                      {{QStringLiteral("message"), QStringLiteral("News %1").arg(i)},
                       {QStringLiteral("active"), 1},
                       {QStringLiteral("size"), 20},
                       {QStringLiteral("color"), 0},
                       {QStringLiteral("direction"), QStringLiteral("Left")}});
    }
    frmDisplay* w = openBoard(env);
    w->startNews();
    ASSERT_EQ(w->lblScroll().size(), 2);
    BoardNewsItem* first = w->lblScroll().at(0);
    BoardNewsItem* second = w->lblScroll().at(1);
    // Clear space between the end of one message's text and the start of the next.
    const int textEnd = first->x() + first->fontMetrics().horizontalAdvance(first->text());
    EXPECT_GE(second->x() - textEnd, 60) << "pixels between two messages";

    // A quarter of a second of frames (the short title would be gone after a second).
    const int before = first->x();
    const int titleBefore = w->lblTtl->scrollX();
    w->frameTick(FrameSteps::StepsPerSecond / 4);
    const int titleSpeed = 4 * twips::toPixels(titleBefore - w->lblTtl->scrollX());
    const int newsSpeed = 4 * (before - first->x());
    EXPECT_GE(newsSpeed, 100) << "pixels a second";
    EXPECT_LE(newsSpeed, 150) << "pixels a second";
    EXPECT_GE(titleSpeed, 100);
    EXPECT_LE(titleSpeed, 150);
    w->close();
}

TEST(BoardLook, TheTitleIsBoldOnlyInABoldFaceAndAVideoAreaShowsOnlyWhatPlays)
{
    TestEnv env;
    env.session.themeId = addTheme(env.db, {{QStringLiteral("ttlfont"), QStringLiteral("Liberation Sans")}});
    frmDisplay* plain = openBoard(env);
    EXPECT_FALSE(plain->lblTtl->font().bold());
    EXPECT_TRUE(plain->vidArea->isHidden());
    // Nothing to play: the calls take the video's place beside them.
    const QRect table = boardDrawing::pxRect(plain->layout().table);
    const QRect video = boardDrawing::pxRect(plain->layout().video);
    EXPECT_EQ(plain->FG->geometry().left(), table.left());
    EXPECT_EQ(plain->FG->geometry().right(), video.right());
    EXPECT_EQ(plain->FG->height(), table.height());
    plain->close();

    env.session.themeId = addTheme(env.db, {{QStringLiteral("ttlfont"), QStringLiteral("DejaVu Sans Bold")},
                                            {QStringLiteral("movie"), 1}});
    env.db.insert(QStringLiteral("tblvideo"),
                  {{QStringLiteral("vidName"), env.dir.filePath(QStringLiteral("hall.ogv"))},
                   {QStringLiteral("active"), 1}});
    frmDisplay* w = openBoard(env);
    w->show();
    EXPECT_TRUE(w->lblTtl->font().bold());
    EXPECT_FALSE(w->vidArea->isHidden()) << "a video is playing";
    EXPECT_EQ(w->FG->geometry(), boardDrawing::pxRect(w->layout().table)) << "the table keeps its block";
    w->close();
}

// The ready hall's board on 1920 x 1080: no video, so the calls take the screen's width; token
// capitals at least as tall as the web board's for the same theme (77 pixels there), and the newest
// call plain to see once its flash is over.
TEST(BoardLook, TheReadyHallsCallsTakeTheWholeScreenAndTheNewestStaysPlainToSee)
{
    TestEnv env;
    const Hall hall = seedHall(env.db);
    const newHall::Made made = newHall::setUp(env.db, QSize(1920, 1080), QFontDatabase::families());
    env.session.themeId = made.themeId;
    addCalls(env, hall.counter1, 6);
    frmDisplay* w = openBoard(env);
    ASSERT_EQ(w->size(), QSize(1920, 1080));
    EXPECT_TRUE(w->vidArea->isHidden());
    EXPECT_GE(w->FG->width(), 1920 - 2 * 25) << "the table spans the screen but its margins";
    EXPECT_GE(w->FG->height(), 1080 * 8 / 10);
    EXPECT_LE(w->FG->geometry().bottom(), boardDrawing::px(w->layout().news.top()))
        << "clear of the news band";
    EXPECT_EQ(w->lblTtl->x(), boardDrawing::px(w->layout().logo.left())) << "no logo: the title starts there";
    EXPECT_LT(w->lblTtl->geometry().right(), w->lblTime->x());
    expectTableFillsItsBlock(*w);
    const BoardTheme& t = w->theme();
    EXPECT_GE(inkHeight(*w->FG, 2, 1, t.tokenColor), 77) << w->FG->cellFont(2, 1).pointSizeF() << " pt";
    EXPECT_GT(w->FG->QTableView::rowHeight(0), w->FG->horizontalHeader()->height() * 2)
        << "the header takes only what its captions need";

    env.clock.set(env.clock.now().addMSecs(NewestCallMark::FlashMs + 100));
    w->showNewestMark();
    const QColor band = w->FG->cellBackColor(1, 1);
    EXPECT_NE(band, t.altColor);
    EXPECT_EQ(w->FG->cellBackColor(2, 1), t.tableBg);
    EXPECT_GE(contrastRatio(band, t.tableBg), 3.0) << band.name().toStdString();
    EXPECT_GE(contrastRatio(band, t.altColor), 3.0) << band.name().toStdString();
    for (int c = 1; c < w->FG->cols(); ++c) {
        EXPECT_EQ(w->FG->cellBackColor(1, c), band);
        EXPECT_GE(contrastRatio(w->FG->cellForeColor(1, c), band), 4.5) << c;
    }
    w->close();
}

// The marked row of any theme: the ready hall's, every demo theme, a new theme's, and grounds a
// tint of the token colour cannot stand out from.
TEST(BoardLook, TheNewestRowStandsOutFromBothKindsOfRowAndItsTextReadsOnIt)
{
    struct Palette
    {
        QString name;
        QColor odd, even, token, value;
    };
    QVector<Palette> palettes;
    TestEnv env;
    ASSERT_TRUE(demo::loadDemoHall(env.db));
    newHall::setUp(env.db, QSize(1920, 1080), {});
    const ResultSet themes = env.db.query(QStringLiteral("select themeauto, themename from tbltheme"));
    ASSERT_GE(themes.size(), 2);
    for (int r = 0; r < themes.size(); ++r) {
        const BoardTheme t = loadBoardTheme(env.db, themes.number(r, 0));
        palettes.append({themes.text(r, 1), t.altColor, t.tableBg, t.tokenColor, t.valueColor});
    }
    const QMap<QString, QColor> fresh = themeDefaults::newThemeColors();
    palettes.append({QStringLiteral("new theme"), fresh.value(QStringLiteral("altcolr")),
                     fresh.value(QStringLiteral("backgroundclr")), fresh.value(QStringLiteral("clrcrr")),
                     fresh.value(QStringLiteral("clrval"))});
    palettes.append({QStringLiteral("token as the rows"), QColor(0x20, 0x20, 0x60), QColor(0x20, 0x20, 0x60),
                     QColor(0x20, 0x20, 0x60), Qt::white});
    palettes.append({QStringLiteral("white rows, yellow token"), Qt::white, QColor(0xf4, 0xf4, 0xf4),
                     QColor(0xff, 0xee, 0x00), Qt::black});
    palettes.append({QStringLiteral("black and grey rows"), Qt::black, QColor(0x50, 0x50, 0x50),
                     QColor(0x60, 0x60, 0x60), Qt::white});

    for (const Palette& p : palettes) {
        const QColor band = NewestCallMark::markedGround(p.odd, p.even, p.token);
        EXPECT_GE(contrastRatio(band, p.odd), 3.0)
            << p.name.toStdString() << " " << band.name().toStdString();
        EXPECT_GE(contrastRatio(band, p.even), 3.0)
            << p.name.toStdString() << " " << band.name().toStdString();
        for (const QColor& text : {p.token, p.value}) {
            const QColor shown = NewestCallMark::textOn(band, {text, p.odd, p.even});
            EXPECT_GE(contrastRatio(shown, band), 4.5) << p.name.toStdString();
        }
    }
    // A token colour that reads on the band stays the token's.
    const QColor navy(0x10, 0x2a, 0x5c);
    EXPECT_EQ(NewestCallMark::textOn(Qt::white, {navy}), navy);
}

TEST(BoardLook, AnEmptyVideoBlockGoesOnlyToANeighbouringTable)
{
    using boardTableFit::overEmptyBlock;
    const QRect table(20, 100, 1100, 800);
    // Beside it, on either side.
    EXPECT_EQ(overEmptyBlock(table, QRect(1140, 100, 760, 570), {}), QRect(20, 100, 1880, 800));
    EXPECT_EQ(overEmptyBlock(QRect(800, 100, 1100, 800), QRect(20, 100, 760, 570), {}),
              QRect(20, 100, 1880, 800));
    // Under it (an upright board).
    EXPECT_EQ(overEmptyBlock(QRect(20, 100, 1040, 900), QRect(20, 1020, 1040, 700), {}),
              QRect(20, 100, 1040, 1620));
    // Far away, or only at a corner: the table keeps its block.
    EXPECT_EQ(overEmptyBlock(table, QRect(1700, 100, 200, 150), {}), table);
    EXPECT_EQ(overEmptyBlock(table, QRect(1140, 850, 700, 200), {}), table);
    // Another block lies in the way.
    EXPECT_EQ(overEmptyBlock(table, QRect(1140, 100, 760, 570), {QRect(1140, 700, 760, 150)}), table);
    // A block the table overlaps already does not stop it.
    EXPECT_EQ(overEmptyBlock(table, QRect(1140, 100, 760, 570), {QRect(0, 850, 1920, 80)}),
              QRect(20, 100, 1880, 800));
}

// Full screen and above other windows, on the primary screen or, for "Dual", on the one to its right.
TEST(BoardLook, TheBoardOwnsTheScreenItIsPlacedOn)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_GE(screens.size(), 2) << "the display tests run on two screens";
    TestEnv env;
    env.session.themeId = addTheme(env.db);
    frmDisplay* w = openBoard(env);
    EXPECT_TRUE(w->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w->geometry(), screens.at(0)->geometry());
    EXPECT_EQ(w->screen(), screens.at(0));
    w->close();

    env.settings().set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("screen"),
                       QStringLiteral("Dual"));
    w = openBoard(env);
    EXPECT_TRUE(w->windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(w->geometry(), screens.at(1)->geometry()) << "the hall screen right of the desk's";
    EXPECT_EQ(w->screen(), screens.at(1));
    // Its blocks are laid out for that screen.
    EXPECT_LE(w->FG->geometry().right(), 1920);
    w->close();
}

TEST(BoardLook, SharesAddUpAndColoursTooCloseToTheirGroundAreReplaced)
{
    EXPECT_EQ(boardTableFit::share(10, {0, 1, 1, 1}), (QVector<int>{0, 4, 3, 3}));
    EXPECT_EQ(boardTableFit::share(1000, {0, 2500, 3000}), (QVector<int>{0, 455, 545}));
    EXPECT_EQ(boardTableFit::rowHeights(824, 9), (QVector<int>{92, 92, 92, 92, 92, 91, 91, 91, 91}));
    EXPECT_TRUE(boardTableFit::share(0, {1, 1}) == (QVector<int>{0, 0}));

    using boardDrawing::readableOn;
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21, 0.01);
    const QColor cream(0xff, 0xf8, 0xdc);
    EXPECT_EQ(readableOn(Qt::white, cream), QColor(Qt::black)) << "white on cream";
    EXPECT_EQ(readableOn(QColor(0x30, 0x30, 0x30), QColor(Qt::black)), QColor(Qt::white));
    const QColor navy(0x10, 0x2a, 0x5c);
    EXPECT_EQ(readableOn(navy, cream), navy) << "a readable colour stays";
}

} // namespace
