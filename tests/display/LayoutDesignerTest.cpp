#include "display/BoardTheme.h"
#include "display/design/BoardLayoutRow.h"
#include "display/design/cRect.h"
#include "display/design/frmDesign.h"
#include "display/frmDisplay.h"
#include "display/frmTheme.h"

#include "DisplayTestSupport.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {

TEST(cRectTest, EdgesSizesNormalisingAndHitTesting)
{
    cRect r(100, 200, 40, 150, 15);
    EXPECT_EQ(r.Width(), -60);
    r.NormalizeRect();
    EXPECT_EQ(r, cRect(40, 150, 100, 200, 15));
    r.setWidth(30);
    r.setHeight(5);
    EXPECT_EQ(r, cRect(40, 150, 70, 155, 15)) << "writing a size moves the right and bottom edges";
    EXPECT_TRUE(r.PtInRect(40, 150));
    EXPECT_TRUE(r.PtInRect(69, 154));
    EXPECT_FALSE(r.PtInRect(70, 150)) << "the right edge is outside";
    EXPECT_FALSE(r.PtInRect(40, 155)) << "the bottom edge is outside";
    EXPECT_FALSE(r.PtInRect(39, 151));

    // A line keeps its direction through the normalised rectangle.
    cRect line(15);
    line.SetRectToLine(QLine(90, 10, 20, 60));
    EXPECT_EQ(line, cRect(20, 10, 90, 60, 15));
    EXPECT_EQ(line.lineFromRect(), QLine(90, 10, 20, 60));
}

TEST(cRectTest, ControlsAreInTwipsOfTheirContainerAndDragsInScreenPixels)
{
    QWidget window;
    window.setGeometry(100, 80, 400, 300);
    QWidget block(&window);
    block.setGeometry(10, 20, 30, 40);
    window.show();
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));

    for (const double twipsPerPixel : {15.0, 12.0}) {
        cRect r(twipsPerPixel);
        r.SetRectToCtrl(&block);
        const double f = twipsPerPixel;
        EXPECT_EQ(r, cRect(int(10 * f), int(20 * f), int(40 * f), int(60 * f), f))
            << "one factor for x and y";
        r.TwipsToScreen(&block);
        EXPECT_EQ(r, cRect(origin.x() + 10, origin.y() + 20, origin.x() + 40, origin.y() + 60, f));
        r.Left += 5;
        r.Bottom -= 10;
        r.ScreenToTwips(&block);
        EXPECT_EQ(r, cRect(int(15 * f), int(20 * f), int(40 * f), int(50 * f), f));
        r.SetCtrlToRect(&block);
        EXPECT_EQ(block.geometry(), QRect(15, 20, 25, 30));
        block.setGeometry(10, 20, 30, 40);
    }

    // Giving back a rectangle that runs backwards normalises it first.
    cRect back(600, 900, 150, 300, 15);
    back.SetCtrlToRect(&block);
    EXPECT_EQ(block.geometry(), QRect(10, 20, 30, 40));
}

TEST(DefaultLayoutTest, BlocksFillTheSurfaceWithoutOverlapping)
{
    for (const QSize surface : {QSize(14400, 8100), QSize(8100, 14400)}) {
        const Layout l = defaultLayout(surface);
        const QRect all(QPoint(0, 0), surface);
        EXPECT_EQ(l[LayoutBlock::Window], all);
        const LayoutBlock blocks[] = {LayoutBlock::Logo,  LayoutBlock::Time,  LayoutBlock::Table,
                                      LayoutBlock::Video, LayoutBlock::Title, LayoutBlock::News};
        for (LayoutBlock a : blocks) {
            EXPECT_TRUE(all.contains(l[a])) << int(a);
            EXPECT_GT(l[a].width(), 0);
            EXPECT_GT(l[a].height(), 0);
            for (LayoutBlock b : blocks)
                EXPECT_TRUE(a == b || !l[a].intersects(l[b])) << int(a) << " and " << int(b);
        }
        EXPECT_LT(l[LayoutBlock::Logo].right(), l[LayoutBlock::Title].left());
        EXPECT_LT(l[LayoutBlock::Title].right(), l[LayoutBlock::Time].left());
        EXPECT_EQ(l[LayoutBlock::News].bottom(), all.bottom());
        EXPECT_GT(l[LayoutBlock::Table].width() * l[LayoutBlock::Table].height(),
                  l[LayoutBlock::Video].width() * l[LayoutBlock::Video].height());
    }
    const Layout upright = defaultLayout(QSize(8100, 14400));
    EXPECT_GT(upright[LayoutBlock::Video].top(), upright[LayoutBlock::Table].bottom())
        << "video under the table";
}

// A rectangle in twips as a block shows it: on whole pixels (15 twips each).
QRect onPixels(const QRect& r)
{
    QWidget w;
    cRect c(r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), 15);
    c.SetCtrlToRect(&w);
    c.SetRectToCtrl(&w);
    return QRect(c.Left, c.Top, c.Width(), c.Height());
}

class DesignerTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        theme = addTheme(env->db, {{QStringLiteral("type"), QStringLiteral("Horrizontal")}});
    }
    frmDesign* openDesigner(bool vertical = false)
    {
        owner = std::make_unique<QWidget>();
        auto* d = frmDesign::openFor(*env->ctx, owner.get(), QString::number(theme), vertical);
        return d;
    }
    qint64 rowCount() { return env->db.query(QStringLiteral("select count(*) from tblpos")).number(0, 0); }
    ResultSet row() { return env->db.query(QStringLiteral("select * from tblpos")); }
    // A drag with the left button from a point of one widget to points of the surface.
    static void drag(QWidget* from, QPoint at, QWidget* surface, std::initializer_list<QPoint> path)
    {
        QTest::mousePress(from, Qt::LeftButton, {}, at);
        QPoint last = from->mapTo(surface, at);
        for (QPoint p : path) {
            QTest::mouseMove(surface, p);
            last = p;
        }
        QTest::mouseRelease(surface, Qt::LeftButton, {}, last);
    }
    qint64 theme = 0;
    std::unique_ptr<QWidget> owner;
};

TEST_P(DesignerTest, BlocksMoveAndSizeOnlyInDesignModeAndTheHandlesFollow)
{
    frmDesign* d = openDesigner();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->parent(), owner.get()) << "owned by the editor";
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Vertical Display"));
    EXPECT_EQ(d->lblTable->text(), QStringLiteral("Token Table"));
    QStringList captions;
    for (QLabel* b : d->blocks())
        captions << b->text();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Comp-Logo"), QStringLiteral("Time-Date"),
                                     QStringLiteral("Token Table"), QStringLiteral("Video"),
                                     QStringLiteral("Title"), QStringLiteral("News")}));
    const QRect start = d->lblTable->geometry();

    // Design mode off: the mouse does nothing.
    drag(d->lblTable, QPoint(5, 5), d->surface, {start.topLeft() + QPoint(60, 45)});
    EXPECT_EQ(d->lblTable->geometry(), start);
    EXPECT_EQ(d->selectedBlock(), nullptr);

    d->mnuDesign->trigger();
    ASSERT_TRUE(d->designMode());
    QTest::mousePress(d->lblTable, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(d->selectedBlock(), d->lblTable);
    EXPECT_EQ(d->dragState(), 1);
    EXPECT_TRUE(d->dragFrame->isVisible());
    const QPoint pressed = start.topLeft() + QPoint(5, 5);
    QTest::mouseMove(d->surface, pressed + QPoint(20, 10));
    EXPECT_EQ(d->dragFrame->geometry().center(), start.translated(20, 10).center()) << "the frame follows";
    EXPECT_EQ(d->lblTable->geometry(), start) << "the block waits for the release";
    QTest::mouseMove(d->surface, pressed + QPoint(40, -20));
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, pressed + QPoint(40, -20));
    EXPECT_EQ(d->dragState(), 0);
    EXPECT_FALSE(d->dragFrame->isVisible());
    const QRect moved = start.translated(40, -20);
    EXPECT_EQ(d->lblTable->geometry(), moved);
    for (QWidget* h : d->picHandle)
        EXPECT_TRUE(h->isVisible());
    EXPECT_EQ(d->picHandle[0]->geometry().center(), moved.topLeft());
    EXPECT_EQ(d->picHandle[4]->geometry().center(), moved.topLeft() + QPoint(moved.width(), moved.height()));
    EXPECT_EQ(d->picHandle[3]->cursor().shape(), Qt::SizeHorCursor);
    EXPECT_EQ(d->picHandle[2]->cursor().shape(), Qt::SizeBDiagCursor);

    // Handle 0 dragged past the opposite corner gives a normalised rectangle.
    const QPoint beyond = moved.topLeft() + QPoint(moved.width() + 30, moved.height() + 20);
    drag(d->picHandle[0], QPoint(3, 3), d->surface, {moved.center(), beyond});
    EXPECT_EQ(d->lblTable->geometry(),
              QRect(moved.topLeft() + QPoint(moved.width(), moved.height()), QSize(30, 20)));
    EXPECT_GT(d->lblTable->width(), 0);

    // Handle 5 moves the bottom edge only; the pointer cannot take it past the surface.
    const QRect before = d->lblTable->geometry();
    drag(d->picHandle[5], QPoint(3, 3), d->surface,
         {QPoint(before.center().x(), d->surface->height() + 500)});
    EXPECT_EQ(d->lblTable->geometry().top(), before.top());
    EXPECT_EQ(d->lblTable->geometry().left(), before.left());
    EXPECT_EQ(d->lblTable->geometry().width(), before.width());
    EXPECT_EQ(d->lblTable->geometry().bottom(), d->surface->height() - 1 - 1);

    // A press on the empty surface clears the selection; so does leaving design mode.
    const Layout l = d->positions();
    QPoint empty(1, 1);
    for (QLabel* b : d->blocks())
        ASSERT_FALSE(b->geometry().contains(empty));
    QTest::mousePress(d->surface, Qt::LeftButton, {}, empty);
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, empty);
    EXPECT_EQ(d->selectedBlock(), nullptr);
    for (QWidget* h : d->picHandle)
        EXPECT_FALSE(h->isVisible());
    EXPECT_EQ(d->positions().rects, l.rects);

    QTest::mousePress(d->surface, Qt::LeftButton, {}, d->lblNews->geometry().center());
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, d->lblNews->geometry().center());
    EXPECT_EQ(d->selectedBlock(), d->lblNews) << "a press on the window inside a block selects it";
    d->mnuDesign->trigger();
    EXPECT_EQ(d->selectedBlock(), nullptr);
    EXPECT_FALSE(d->picHandle[0]->isVisible());
    d->close();
}

TEST_P(DesignerTest, SaveInsertsTheRowThenUpdatesItAndExitKeepsIt)
{
    frmDesign* d = openDesigner();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(rowCount(), 0);
    d->mnuDesign->trigger();
    const QRect video = d->lblVideo->geometry();
    drag(d->lblVideo, QPoint(2, 2), d->surface, {video.topLeft() + QPoint(2 - 30, 2 + 12)});
    d->mnuSave->trigger();
    EXPECT_FALSE(d->designMode()) << "Save switches design mode as Design does";
    ASSERT_EQ(rowCount(), 1);
    ResultSet rs = row();
    EXPECT_EQ(rs.number(0, 1), theme) << "the theme's key in position 1";
    const Layout saved = d->positions();
    const char* columns[] = {"videoleft", "videotop", "videowidth", "videoheight"};
    const QRect v = saved[LayoutBlock::Video];
    const int expected[] = {v.left(), v.top(), v.width(), v.height()};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(rs.number(0, QString::fromLatin1(columns[i])), expected[i]);
    EXPECT_EQ(v.left(), (video.left() - 30) * 15);
    EXPECT_EQ(rs.number(0, QStringLiteral("mewidth")), d->surface->width() * 15);
    EXPECT_EQ(rs.number(0, QStringLiteral("meheight")), d->surface->height() * 15);
    const qint64 key = rs.number(0, 0);

    d->mnuSave->trigger(); // design mode on again, and the same row saved once more
    EXPECT_TRUE(d->designMode());
    ASSERT_EQ(rowCount(), 1);
    EXPECT_EQ(row().number(0, 0), key);
    EXPECT_EQ(row().number(0, QStringLiteral("videoleft")), v.left());

    // Exit leaves the stored row as it was.
    drag(d->lblVideo, QPoint(2, 2), d->surface, {d->lblVideo->geometry().topLeft() + QPoint(-50, 0)});
    d->mnuExit->trigger();
    EXPECT_EQ(row().number(0, QStringLiteral("videoleft")), v.left());

    // Opened again, the designer shows the stored places.
    frmDesign* again = openDesigner();
    EXPECT_EQ(again->positions()[LayoutBlock::Video], v);
    again->close();
}

// A layout is made for the hall's screen, whatever the screen of the PC it is designed on: the
// stored values are those of the hall screen at half size, the surface shows it as large as fits.
TEST_P(DesignerTest, TheLayoutIsMadeForTheHallScreenAndShownAsLargeAsFits)
{
    frmDesign* d = openDesigner();
    EXPECT_EQ(d->target(), QSize(1920, 1080)) << "a full-HD hall screen unless told otherwise";
    EXPECT_EQ(d->cmbTarget->currentText(), QStringLiteral("1920x1080"));
    d->setScreenSize(QSize(1366, 768)); // an office PC
    d->setTarget(QSize(1920, 1080));
    EXPECT_EQ(d->positions()[LayoutBlock::Window].size(), QSize(14400, 8100));
    EXPECT_LE(d->surface->width(), 1366);
    EXPECT_LE(d->surface->height(), 768 * 8 / 10);
    EXPECT_NEAR(double(d->surface->width()) / d->surface->height(), 16.0 / 9.0, 0.02);
    // Without a stored layout the blocks are laid out for the hall screen.
    const QRect table = d->positions()[LayoutBlock::Table];
    const QRect expected = defaultLayout(QSize(14400, 8100))[LayoutBlock::Table];
    EXPECT_NEAR(table.left(), expected.left(), 20);
    EXPECT_NEAR(table.width(), expected.width(), 20);

    d->ver();
    EXPECT_EQ(d->target(), QSize(1080, 1920));
    EXPECT_EQ(d->positions()[LayoutBlock::Window].size(), QSize(8100, 14400));
    EXPECT_LT(d->surface->width(), d->surface->height());

    // Another hall screen typed in: the blocks keep their places on it.
    d->hor();
    d->mnuSave->trigger();
    const QRect placed = d->positions()[LayoutBlock::Table];
    d->cmbTarget->setEditText(QStringLiteral("1280 x 720"));
    Q_EMIT d->cmbTarget->lineEdit()->editingFinished();
    EXPECT_EQ(d->target(), QSize(1280, 720));
    EXPECT_EQ(d->positions()[LayoutBlock::Window].size(), QSize(9600, 5400));
    EXPECT_NEAR(d->positions()[LayoutBlock::Table].width(), placed.width() * 2 / 3, 20);
    d->cmbTarget->setEditText(QStringLiteral("big"));
    Q_EMIT d->cmbTarget->lineEdit()->editingFinished();
    EXPECT_EQ(d->target(), QSize(1280, 720)) << "a text that is no size changes nothing";
    d->mnuSave->trigger();
    d->close();

    // Opened again, the designer is set for the screen the layout was made for.
    frmDesign* again = openDesigner();
    EXPECT_EQ(again->target(), QSize(1280, 720));
    again->close();
}

TEST_P(DesignerTest, ABlockFitsItsContent)
{
    // Two columns of 1250 and 1500, four rows of 300 under a header, tokens of 20 points.
    env->db.update(QStringLiteral("tbltheme"), theme,
                   {{QStringLiteral("movie"), 1},
                    {QStringLiteral("ttlsize"), 30},
                    {QStringLiteral("clockfile"), QString()}});
    frmDesign* d = openDesigner();
    d->mnuDesign_Click();
    const QRect table = d->lblTable->geometry();
    QTest::mousePress(d->lblTable, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, table.topLeft() + QPoint(4, 4));
    ASSERT_EQ(d->selectedBlock(), d->lblTable);
    d->mnuFit->trigger();
    const QRect fitted = d->positions()[LayoutBlock::Table];
    EXPECT_NEAR(fitted.width(), 1250 + 1500, 15) << "as wide as its columns";
    // Rows at least as high as the theme's, and high enough for the token labels.
    const int row = fitted.height() / 5;
    EXPECT_GE(row, 300 - 3);
    QFont token(QStringLiteral("Liberation Sans"));
    token.setPointSize(20);
    token.setBold(true);
    EXPECT_GE(twips::toPixels(2 * row), QFontMetrics(token).lineSpacing() + 4);
    EXPECT_EQ(d->lblTable->geometry().topLeft(), table.topLeft()) << "the block stays where it was";

    // The video block takes a 16:9 picture.
    QTest::mousePress(d->lblVideo, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, d->lblVideo->geometry().topLeft() + QPoint(2, 2));
    d->mnuFit->trigger();
    const QRect video = d->positions()[LayoutBlock::Video];
    EXPECT_NEAR(double(video.width()) / video.height(), 16.0 / 9.0, 0.02);

    // The title one line of its font.
    QTest::mousePress(d->lblTtl, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, d->lblTtl->geometry().topLeft() + QPoint(2, 2));
    d->mnuFit->trigger();
    QFont title;
    title.setPointSize(30);
    const int titleHeight = twips::toPixels(2 * d->positions()[LayoutBlock::Title].height());
    EXPECT_GE(titleHeight, QFontMetrics(title).lineSpacing());
    EXPECT_LE(titleHeight, 2 * QFontMetrics(title).lineSpacing());
    d->close();
}

TEST_P(DesignerTest, ValuesThatCannotBeAppliedAreSkippedOneByOne)
{
    env->db.insert(QStringLiteral("tblpos"), {{QStringLiteral("themeauto"), theme},
                                              {QStringLiteral("tblleft"), -300},
                                              {QStringLiteral("tbltop"), 600},
                                              {QStringLiteral("tblwidth"), -2000},
                                              {QStringLiteral("tblheight"), QStringLiteral("9000000000000")},
                                              {QStringLiteral("logowidth"), 1500}});
    if (GetParam() == Store::Sqlite)
        env->db.exec(QStringLiteral("update tblpos set logoleft='abc', logotop='12.5e1'"));
    const LayoutRow stored = readLayoutRow(env->db, theme);
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(stored.values[10], -300) << "a block may leave the window";
    EXPECT_EQ(stored.values[11], 600);
    EXPECT_FALSE(stored.values[12].has_value()) << "a negative width";
    EXPECT_FALSE(stored.values[13].has_value()) << "a huge height";
    EXPECT_FALSE(stored.values[14].has_value()) << "an empty value";
    EXPECT_FALSE(stored.values[2].has_value()) << "a text";
    if (GetParam() == Store::Sqlite) {
        EXPECT_EQ(stored.values[3], 125);
    }

    frmDesign* d = openDesigner();
    const Layout defaults = defaultLayout(d->positions()[LayoutBlock::Window].size());
    const QRect table = d->positions()[LayoutBlock::Table];
    EXPECT_EQ(table, onPixels(QRect(-300, 600, defaults[LayoutBlock::Table].width(),
                                    defaults[LayoutBlock::Table].height())));
    EXPECT_EQ(d->positions()[LayoutBlock::Logo].width(), 1500);
    EXPECT_EQ(d->positions()[LayoutBlock::Video], onPixels(defaults[LayoutBlock::Video]));
    d->close();

    // The board skips the same values and keeps its default for the screen there.
    env->session.themeId = theme;
    auto* board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    const Layout screen = defaultLayout(board->size() * 15 / 2);
    EXPECT_EQ(board->layout().table, QRect(-600, 1200, 2 * screen[LayoutBlock::Table].width(),
                                           2 * screen[LayoutBlock::Table].height()));
    board->close();
}

TEST_P(DesignerTest, ALayoutMadeInTheDesignerDressesTheBoard)
{
    frmDesign* d = openDesigner();
    d->mnuDesign->trigger();
    const QRect table = d->lblTable->geometry();
    drag(d->lblTable, QPoint(4, 4), d->surface, {table.topLeft() + QPoint(4 + 25, 4 + 15)});
    // Select the video without moving it, then size it by its bottom-right handle.
    const QRect video = d->lblVideo->geometry();
    QTest::mousePress(d->lblVideo, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseRelease(d->surface, Qt::LeftButton, {}, video.topLeft() + QPoint(2, 2));
    EXPECT_EQ(d->lblVideo->geometry(), video);
    const QPoint corner = video.topLeft() + QPoint(video.width(), video.height());
    drag(d->picHandle[4], QPoint(3, 3), d->surface, {corner - QPoint(40, 30)});
    d->mnuSave->trigger();
    const QRect designedTable = d->lblTable->geometry();
    const QRect designedVideo = d->lblVideo->geometry();
    EXPECT_EQ(designedVideo.size(), video.size() - QSize(40, 30));
    const QRect designedTitle = d->lblTtl->geometry();
    const QSize surface = d->surface->size();
    d->close();

    // With a logo, so the title keeps its designed place.
    env->db.update(QStringLiteral("tbltheme"), theme,
                   {{QStringLiteral("movie"), 1},
                    {QStringLiteral("logo"), env->dir.filePath(QStringLiteral("logo.png"))}});
    env->session.themeId = theme;
    auto* board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    const auto twice = [](const QRect& r) {
        return QRect(2 * r.x(), 2 * r.y(), 2 * r.width(), 2 * r.height());
    };
    EXPECT_EQ(board->size(), surface * 2);
    EXPECT_EQ(board->FG->geometry(), twice(designedTable));
    EXPECT_EQ(board->vidArea->geometry(), twice(designedVideo));
    EXPECT_TRUE(board->vidArea->isHidden()) << "an empty video list leaves no black box";
    EXPECT_EQ(board->lblTtl->geometry(), twice(designedTitle));
    board->close();
}

TEST_P(DesignerTest, ABoardWithoutLayoutFillsItsScreenAndDualGoesRightOfThePrimary)
{
    env->session.themeId = theme;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    auto* board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    EXPECT_EQ(board->pos(), QPoint(0, 0));
    EXPECT_EQ(board->size(), screen);
    const Layout half = defaultLayout(screen * 15 / 2);
    const QRect t = half[LayoutBlock::Table];
    const auto px = [](int twipsValue) { return twips::toPixels(2 * twipsValue); };
    // The theme plays no video: the table takes the video's place beside it.
    const QRect v = half[LayoutBlock::Video];
    EXPECT_EQ(board->FG->geometry(),
              QRect(px(t.left()), px(t.top()), px(v.left() + v.width()) - px(t.left()), px(t.height())));
    EXPECT_TRUE(board->lblTime->geometry().right() < board->width());
    board->close();

    env->settings().set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("screen"),
                        QStringLiteral("Dual"));
    board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
    board->Timer1->stop();
    EXPECT_EQ(board->pos(), QPoint(screen.width(), 0));
    board->close();
}

TEST_P(DesignerTest, PositionOpensTheDesignerOfASavedThemeOnly)
{
    auto* editor = qobject_cast<frmTheme*>(env->screens.open(QStringLiteral("frmTheme")));
    ASSERT_TRUE(editor->cmdPosition->isEnabled());
    editor->cmdPosition->click();
    EXPECT_EQ(env->dialogs.last(), QStringLiteral("Please save the theme first"));
    EXPECT_EQ(editor->findChild<frmDesign*>(), nullptr);

    const qint64 upright = addTheme(env->db, {{QStringLiteral("type"), QStringLiteral("Vertical")}});
    editor->lblRef->setText(QString::number(upright));
    editor->getData();
    editor->cmdPosition->click();
    auto* d = editor->findChild<frmDesign*>();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->lblRef->text(), QString::number(upright));
    EXPECT_EQ(d->target(), QSize(1080, 1920)) << "a vertical theme is designed upright";
    EXPECT_LT(d->surface->width(), d->surface->height());
    editor->cmdPosition->click();
    EXPECT_EQ(editor->findChildren<frmDesign*>().size(), 1) << "one designer per theme";
    editor->close();
}

BRIVANE_STORE_TEST_SUITE(DesignerTest);

} // namespace
