#include "display/BoardTheme.h"
#include "core/DemoData.h"
#include "core/Lookups.h"
#include "display/design/BoardLayoutRow.h"
#include "display/frmDisplay.h"

#include "DisplayTestSupport.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QTest>
#include <QTimer>

namespace {

qint64 addHeaderRow(Database& db, qint64 themeId, const QStringList& heads)
{
    QVariantMap v{{QStringLiteral("themeauto"), themeId}};
    for (int i = 0; i < 6; ++i)
        v.insert(QStringLiteral("head%1").arg(i + 1), i < heads.size() ? heads.at(i) : QString());
    return db.insert(QStringLiteral("tblheader"), v);
}

qint64 addLayout(Database& db, qint64 themeId)
{
    QVariantMap v{{QStringLiteral("themeauto"), themeId}};
    const char* names[] = {"logoleft",  "logotop",    "logowidth",  "logoheight",  "timeleft", "timetop",
                           "timewidth", "timeheight", "tblleft",    "tbltop",      "tblwidth", "tblheight",
                           "videoleft", "videotop",   "videowidth", "videoheight", "meleft",   "metop",
                           "mewidth",   "meheight",   "ttlleft",    "ttltop",      "ttlwidth", "ttlheight",
                           "newsleft",  "newstop",    "newswidth",  "newsheight"};
    int value = 100;
    for (const char* n : names)
        v.insert(QString::fromLatin1(n), value += 10);
    v.insert(QStringLiteral("tblleft"), 600);
    v.insert(QStringLiteral("tbltop"), 900);
    v.insert(QStringLiteral("tblwidth"), 4500);
    v.insert(QStringLiteral("tblheight"), 3000);
    v.insert(QStringLiteral("mewidth"), 6000);
    v.insert(QStringLiteral("meheight"), 4500);
    v.insert(QStringLiteral("newstop"), 4000);
    v.insert(QStringLiteral("newsheight"), 300);
    return db.insert(QStringLiteral("tblpos"), v);
}

TEST(BoardThemeTest, StoredLengthsAreDoubledAndCaptionsComeFromThemeThenHeaderRow)
{
    TestEnv env;
    const qint64 id = addTheme(env.db, {{QStringLiteral("colums"), 3},
                                        {QStringLiteral("colwidth"), QStringLiteral("1250;1500;1600")},
                                        {QStringLiteral("rowheight"), 450},
                                        {QStringLiteral("rows"), 12}});
    BoardTheme t = loadBoardTheme(env.db, id);
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.cols, 4);
    EXPECT_EQ(t.dataRows, 12);
    EXPECT_EQ(t.rowHeight, 900);
    EXPECT_EQ(t.colWidths, (QVector<int>{1, 2500, 3000, 3200}));
    EXPECT_EQ(t.headers, (QStringList{QString(), QStringLiteral("Token"), QStringLiteral("Counter"),
                                      QStringLiteral("Counter")}));
    EXPECT_EQ(colorNumber::fromColor(t.altColor), 65280);
    EXPECT_EQ(colorNumber::fromColor(t.tokenColor), 65535);

    addHeaderRow(env.db, id, {QStringLiteral("No."), QStringLiteral("Go to"), QStringLiteral("Aller à")});
    applyHeaderCaptions(env.db, id, t);
    EXPECT_EQ(t.headers, (QStringList{QString(), QStringLiteral("No."), QStringLiteral("Go to"),
                                      QStringLiteral("Aller à")}));

    // A short width list leaves the remaining columns to the grid.
    const qint64 shortList = addTheme(
        env.db, {{QStringLiteral("colums"), 3}, {QStringLiteral("colwidth"), QStringLiteral("1000")}});
    EXPECT_EQ(loadBoardTheme(env.db, shortList).colWidths, (QVector<int>{1, 2000, 0, 0}));

    // Without the header switch and without a header row the captions stay empty.
    const qint64 bare = addTheme(env.db, {{QStringLiteral("enableH"), 0}});
    BoardTheme b = loadBoardTheme(env.db, bare);
    applyHeaderCaptions(env.db, bare, b);
    EXPECT_FALSE(b.headerOn);
    EXPECT_EQ(b.headers, (QStringList{QString(), QString(), QString()}));

    EXPECT_FALSE(loadBoardTheme(env.db, 999).found);
}

TEST(BoardThemeTest, HugeStoredNumbersAreHeldToWhatABoardCanLayOut)
{
    TestEnv env;
    const QString huge = QStringLiteral("9000000000000000000"); // within a 64-bit column
    const qint64 id = addTheme(env.db, {{QStringLiteral("colums"), huge},
                                        {QStringLiteral("rows"), huge},
                                        {QStringLiteral("rowheight"), huge},
                                        {QStringLiteral("colwidth"), huge},
                                        {QStringLiteral("linewidth"), huge},
                                        {QStringLiteral("clrcrr"), huge}});
    const BoardTheme t = loadBoardTheme(env.db, id);
    EXPECT_EQ(t.cols, 101);
    EXPECT_EQ(t.dataRows, 1000);
    EXPECT_EQ(t.rowHeight, 1000000);
    EXPECT_EQ(t.colWidths.value(1), 1000000);
    EXPECT_EQ(t.lineWidth, 100);
    EXPECT_EQ(colorNumber::fromColor(t.tokenColor), 0);

    QVariantMap v{{QStringLiteral("themeauto"), id},
                  {QStringLiteral("mewidth"), huge},
                  {QStringLiteral("tblleft"), QStringLiteral("-") + huge}};
    env.db.insert(QStringLiteral("tblpos"), v);
    // Layout values that no screen could have are left out; the default layout's stand.
    const BoardLayout l = loadBoardLayout(env.db, id, QSize(28800, 16200));
    EXPECT_TRUE(l.found);
    EXPECT_EQ(l.width, 28800);
    EXPECT_EQ(l.table.left(), 2 * defaultLayout(QSize(14400, 8100))[LayoutBlock::Table].left());
}

TEST(BoardThemeTest, TheLayoutIsDoubledAndAMissingLayoutIsReported)
{
    TestEnv env;
    const qint64 id = addTheme(env.db);
    // Without a row the board takes the default layout for its screen, filling it.
    const BoardLayout none = loadBoardLayout(env.db, id, QSize(28800, 16200));
    EXPECT_FALSE(none.found);
    EXPECT_EQ(QSize(none.width, none.height), QSize(28800, 16200));
    const Layout half = defaultLayout(QSize(14400, 8100));
    EXPECT_EQ(none.table.size(), half[LayoutBlock::Table].size() * 2);
    EXPECT_EQ(none.news.top(), 2 * half[LayoutBlock::News].top());
    addLayout(env.db, id);
    const BoardLayout l = loadBoardLayout(env.db, id, QSize(28800, 16200));
    ASSERT_TRUE(l.found);
    EXPECT_EQ(l.table, QRect(1200, 1800, 9000, 6000));
    EXPECT_EQ(l.width, 12000);
    EXPECT_EQ(l.height, 9000);
    EXPECT_EQ(l.news.top(), 8000);
    EXPECT_EQ(l.news.height(), 600);
    EXPECT_EQ(l.logo.left(), 220); // logoleft 110 doubled
}

// The table's visible columns fill its width in the proportions the theme gives them (in twips).
void expectColumnsShare(const Grid& grid, const QVector<int>& themeTwips)
{
    int sum = 0;
    int total = 0;
    for (int c = 1; c <= themeTwips.size(); ++c) {
        sum += themeTwips.at(c - 1);
        total += grid.columnWidth(c);
    }
    EXPECT_EQ(total, grid.width()) << "the columns fill the table's width";
    for (int c = 1; c <= themeTwips.size(); ++c) {
        EXPECT_NEAR(double(grid.columnWidth(c)), double(grid.width()) * themeTwips.at(c - 1) / sum, 1.0)
            << "column " << c;
    }
}

class BoardWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        hall = seedHall(env.db);
        today = env.clock.todayText();
    }
    frmDisplay* openBoard()
    {
        auto* w = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
        w->Timer1->stop(); // the test ticks by hand
        return w;
    }
    TestEnv env;
    Hall hall;
    QString today;
};

TEST_F(BoardWindowTest, TheBoardDressesItselfFromThemeLayoutAndHeaderRow)
{
    const qint64 id = addTheme(env.db, {{QStringLiteral("colums"), 3},
                                        {QStringLiteral("colwidth"), QStringLiteral("1250;1500;1500")}});
    addLayout(env.db, id);
    addHeaderRow(env.db, id, {QStringLiteral("No."), QStringLiteral("Go to")});
    env.session.themeId = id;

    frmDisplay* w = openBoard();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w->geometry(), QGuiApplication::primaryScreen()->geometry()) << "the board covers its screen";
    // The layout, made for an 800 x 600 screen, is stretched to the 1920 x 1080 screen the board covers.
    EXPECT_EQ(w->FG->geometry(), QRect(twips::toPixels(1200 * 2.4), twips::toPixels(1800 * 1.8),
                                       twips::toPixels(9000 * 2.4), twips::toPixels(6000 * 1.8)));
    EXPECT_EQ(w->FG->cols(), 4);
    EXPECT_EQ(w->FG->rows(), 5);
    EXPECT_EQ(w->FG->colWidth(0), 1);
    EXPECT_TRUE(w->FG->isColumnHidden(0));
    expectColumnsShare(*w->FG, {2500, 3000, 3000});
    EXPECT_EQ(w->FG->text(0, 1), QStringLiteral("No."));
    EXPECT_EQ(w->FG->text(0, 2), QStringLiteral("Go to"));
    EXPECT_EQ(w->FG->text(0, 3), QString()) << "the header row's third caption is empty";
    // Alternate rows: 1, 3 in the alternate colour, 2, 4 in the table's colour.
    EXPECT_EQ(colorNumber::fromColor(w->FG->cellBackColor(1, 2)), 65280);
    EXPECT_EQ(colorNumber::fromColor(w->FG->cellBackColor(2, 2)), 0);
    EXPECT_TRUE(w->FG->cellFont(1, 1).bold());
    EXPECT_EQ(w->FG->cellFont(1, 1).pointSizeF(), 20);
    EXPECT_EQ(w->FG->cellFont(2, 3).pointSizeF(), 16);
    EXPECT_EQ(w->lblTtl->text(), QStringLiteral("Welcome"));
    // The frame lies just outside the table.
    EXPECT_TRUE(w->Shape1->geometry().contains(w->FG->geometry()));
    EXPECT_FALSE(w->Timer10->isActive()) << "column alternation is off by default";
    w->close();
}

TEST_F(BoardWindowTest, TheBoardShowsCallsAsTheyComeAndAlternatesColumnsWhenSet)
{
    const qint64 id = addTheme(env.db, {{QStringLiteral("colums"), 3},
                                        {QStringLiteral("colwidth"), QStringLiteral("1250;1500;2000")}});
    env.session.themeId = id;
    env.settings().set(QStringLiteral("q"), QStringLiteral("multi"), QStringLiteral("caption"),
                       QStringLiteral("1"));
    addCall(env.db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today,
            QStringLiteral("Counter 1"), QStringLiteral("Raum 1"), QStringLiteral("Schalter 1"));

    frmDisplay* w = openBoard();
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("A1 ")) << "the opening fill shows today's calls";
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("Room 1\nCounter 1"));
    EXPECT_TRUE(w->Timer10->isActive());

    addCall(env.db, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"), today, QString(),
            QStringLiteral("Raum 2"));
    w->Timer1_Timer();
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("A2 "));
    EXPECT_EQ(w->FG->text(2, 1), QStringLiteral("A1 "));

    expectColumnsShare(*w->FG, {2500, 3000, 4000});
    const int second = w->FG->colWidth(2);
    const int third = w->FG->colWidth(3);
    w->Timer10_Timer();
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("Raum 2"));
    EXPECT_EQ(w->FG->text(2, 2), QStringLiteral("Raum 1\nSchalter 1"));
    EXPECT_EQ(w->FG->text(0, 2), QStringLiteral("Counter"));
    // The whole column moves: its width goes with it.
    EXPECT_EQ(w->FG->colWidth(2), third);
    EXPECT_EQ(w->FG->colWidth(3), second);
    w->Timer10_Timer();
    EXPECT_EQ(w->FG->text(1, 2), QStringLiteral("Room 2"));
    EXPECT_EQ(w->FG->colWidth(2), second);
    w->close();
}

TEST_F(BoardWindowTest, WithoutThemeTheBoardStaysBareAndTheTitleScrollsWhenSet)
{
    env.session.themeId = 42;
    frmDisplay* bare = openBoard();
    EXPECT_FALSE(bare->theme().found);
    EXPECT_EQ(bare->FG->cols(), 3);
    bare->close();

    env.session.themeId = addTheme(env.db, {{QStringLiteral("scroll"), 1}});
    env.session.scrollSpeed = 30;
    frmDisplay* w = openBoard();
    EXPECT_TRUE(w->titleRuns());
    EXPECT_EQ(w->lblTtl->scrollX(), 0);
    w->frameTick(2);
    EXPECT_EQ(w->lblTtl->scrollX(), -60);
    // Once the text has left on the left it comes back from the right edge.
    for (int i = 0; i < 10000 && w->lblTtl->scrollX() < 0; ++i)
        w->frameTick(1);
    EXPECT_EQ(w->lblTtl->scrollX(), int(twips::fromPixels(w->lblTtl->width())));
    w->close();
}

TEST_F(BoardWindowTest, CtrlDAndCtrlNAskTheMainWindowAndEscDoesNothing)
{
    env.session.themeId = addTheme(env.db);
    QMainWindow mdi;
    mdi.setObjectName(QStringLiteral("MDI"));
    auto* display = new QAction(&mdi);
    display->setObjectName(QStringLiteral("display"));
    auto* news = new QAction(&mdi);
    news->setObjectName(QStringLiteral("startNews"));
    int stops = 0, newsFlips = 0;
    QObject::connect(display, &QAction::triggered, [&] { ++stops; });
    QObject::connect(news, &QAction::triggered, [&] { ++newsFlips; });

    frmDisplay* w = openBoard();
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(newsFlips, 1);
    EXPECT_EQ(stops, 1);

    w->startNews();
    EXPECT_TRUE(w->imgBG->isVisible());
    EXPECT_EQ(colorNumber::fromColor(w->imgBG->palette().color(QPalette::Window)), 128);
    w->stopNews();
    EXPECT_FALSE(w->imgBG->isVisible());
    w->close();
}

} // namespace

namespace {

class BoardReconnectTest : public StoreTest
{
protected:
    // A board of the hall's theme, opened over one call of today.
    frmDisplay* openBoardOverACall()
    {
        hall = seedHall(env->db);
        env->session.themeId = addTheme(env->db);
        addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"),
                env->clock.todayText());
        auto* w = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
        w->Timer1->stop();
        return w;
    }
    Hall hall;
};

TEST_P(BoardReconnectTest, TheBoardKeepsItsTableThroughAnOutageAndPicksUpAfterwards)
{
    const QString today = env->clock.todayText();
    auto* w = openBoardOverACall();
    ASSERT_EQ(w->FG->text(1, 1), QStringLiteral("A1 "));

    auto other = env->secondConnection();
    // A terminated backend no longer reaches the board (the data layer opens a new connection at
    // once); the connection being gone altogether does.
    env->db.close();
    addCall(*other, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"), today);

    const auto* offline = w->findChild<QLabel*>(QStringLiteral("lblOffline"));
    ASSERT_NE(offline, nullptr);
    EXPECT_TRUE(offline->isHidden());
    w->Timer1_Timer();
    EXPECT_TRUE(w->engine().connectionLost());
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("A1 "));
    EXPECT_FALSE(offline->isHidden());
    EXPECT_TRUE(w->rect().contains(offline->geometry()));
    // The board keeps ticking; a server reconnection is tried on a thread of its own.
    for (int i = 0; i < 20000 && w->FG->text(1, 1) != QLatin1String("A2 "); ++i) {
        w->Timer1_Timer();
        if (i % 100 == 0)
            QTest::qWait(1);
    }
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("A2 "));
    EXPECT_EQ(w->FG->text(2, 1), QStringLiteral("A1 "));
    EXPECT_FALSE(w->engine().connectionLost());
    EXPECT_TRUE(offline->isHidden());
    w->close();
}

// A board whose database file went away stays offline with its table; it never makes an empty hall
// in the file's place, and carries on once the file is back.
TEST_P(BoardReconnectTest, AMissingDatabaseFileIsWaitedForNeverMadeAnew)
{
    if (env->db.isPostgres())
        GTEST_SKIP() << "a database file";
    auto* w = openBoardOverACall();
    ASSERT_EQ(w->FG->text(1, 1), QStringLiteral("A1 "));

    const QString file = env->db.description();
    env->db.close();
    ASSERT_TRUE(QFile::rename(file, file + QStringLiteral(".away")));
    for (int i = 0; i < 1000; ++i)
        w->Timer1_Timer();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(w->engine().connectionLost());
    EXPECT_EQ(w->FG->text(1, 1), QStringLiteral("A1 "));

    ASSERT_TRUE(QFile::rename(file + QStringLiteral(".away"), file));
    for (int i = 0; i < 1000 && w->engine().connectionLost(); ++i)
        w->Timer1_Timer();
    EXPECT_FALSE(w->engine().connectionLost());
    w->close();
}

BRIVANE_STORE_TEST_SUITE(BoardReconnectTest);

} // namespace

// The demo hall's board: the call table's columns fill the table, so its frame closes on the last
// column's line instead of standing apart from it.
TEST(DemoBoardTest, TheCallTableColumnsFillTheTable)
{
    TestEnv env;
    ASSERT_TRUE(demo::loadDemoHall(env.db));
    env.session.themeId = lookups::themeIdByName(env.db, QStringLiteral("Black H"));
    ASSERT_GT(env.session.themeId, 0);
    auto* w = qobject_cast<frmDisplay*>(env.screens.openNew(QStringLiteral("frmDisplay")));
    ASSERT_NE(w, nullptr);
    w->Timer1->stop();
    int columns = 0;
    for (int c = 0; c < w->FG->cols(); ++c) {
        if (!w->FG->isColumnHidden(c))
            columns += w->FG->columnWidth(c);
    }
    EXPECT_NEAR(columns, w->FG->width(), 1);
    w->close();
}

TEST_F(BoardWindowTest, NewsRunsAsTypedNeverAsMarkup)
{
    env.db.insert(QStringLiteral("tblscroll"),
                  {{QStringLiteral("message"), QStringLiteral("<i>Closed</i> 25/12")},
                   {QStringLiteral("active"), 1},
                   {QStringLiteral("font"), QStringLiteral("Arial")},
                   {QStringLiteral("size"), 20},
                   {QStringLiteral("color"), 255},
                   {QStringLiteral("direction"), QStringLiteral("Left")}});
    frmDisplay* w = openBoard();
    ASSERT_NE(w, nullptr);
    w->startNews();
    ASSERT_EQ(w->lblScroll().size(), 1);
    BoardNewsItem* item = w->lblScroll().first();
    EXPECT_EQ(item->text(), QStringLiteral("<i>Closed</i> 25/12"));
    // The tags are drawn as the letters they are: the ink is as wide as the whole typed text.
    const QImage shot = item->grab().toImage();
    const QRgb band = w->imgBG->palette().color(QPalette::Window).rgb();
    int inkRight = -1;
    for (int x = 0; x < shot.width(); ++x) {
        for (int y = 0; y < shot.height(); ++y) {
            if (shot.pixel(x, y) != band)
                inkRight = x;
        }
    }
    const QFontMetrics metrics(item->font());
    EXPECT_GT(inkRight, metrics.horizontalAdvance(QStringLiteral("Closed 25/12")) + 10);
    EXPECT_GE(inkRight, metrics.horizontalAdvance(QStringLiteral("<i>Closed</i> 25/12")) - 6);
    w->close();
}

namespace {

// How many pixels of `color` run from `from` in the direction `step` (counting `from` itself).
int runOf(const QImage& shot, QPoint from, QPoint step, const QColor& color)
{
    int n = 0;
    for (QPoint p = from; shot.rect().contains(p) && shot.pixelColor(p) == color; p += step)
        ++n;
    return n;
}

} // namespace

TEST_F(BoardWindowTest, GridLinesOfDataAndHeaderCellsHaveTheThemesWidthAndColour)
{
    const QColor red(255, 0, 0);
    const auto lines = [&](int width) {
        // A white table with red lines; the alternate rows white too, so only lines are red.
        const qint64 id = addTheme(env.db, {{QStringLiteral("linewidth"), width},
                                            {QStringLiteral("linecolor"), colorNumber::fromColor(red)},
                                            {QStringLiteral("backgroundclr"), 16777215},
                                            {QStringLiteral("altcolr"), 16777215},
                                            {QStringLiteral("rowheight"), 600}});
        env.session.themeId = id;
        frmDisplay* w = openBoard();
        const QImage shot = w->FG->grab().toImage();
        if (qEnvironmentVariableIsSet("BRIVANE_SHOTS"))
            shot.save(qEnvironmentVariable("BRIVANE_SHOTS") +
                      QStringLiteral("/board-lines-%1.png").arg(width));
        const QPoint viewport = w->FG->viewport()->geometry().topLeft();
        // Data cell (row 1, column 1) and the header cell above it, in the grab's coordinates.
        const QRect cell = w->FG->visualRect(w->FG->model()->index(0, 1)).translated(viewport);
        QHeaderView* header = w->FG->horizontalHeader();
        const QRect head(header->geometry().left() + header->sectionViewportPosition(1),
                         header->geometry().top(), header->sectionSize(1), header->height());
        struct Runs
        {
            int rowLine, columnLine, headerLine, headerColumnLine, leftEdge;
        } runs{
            runOf(shot, QPoint(cell.center().x(), cell.bottom()), QPoint(0, -1), red),
            runOf(shot, QPoint(cell.right(), cell.center().y()), QPoint(-1, 0), red),
            runOf(shot, QPoint(head.center().x(), head.bottom()), QPoint(0, -1), red),
            runOf(shot, QPoint(head.right(), head.center().y()), QPoint(-1, 0), red),
            runOf(shot, QPoint(cell.left() + 1, cell.center().y()), QPoint(1, 0), red),
        };
        w->close();
        return runs;
    };

    const auto four = lines(4);
    EXPECT_EQ(four.rowLine, 4) << "the line under a data row is the theme's width";
    EXPECT_EQ(four.columnLine, 4) << "so is the line between data columns";
    EXPECT_EQ(four.headerLine, 4) << "and the header's lines";
    EXPECT_EQ(four.headerColumnLine, 4);
    EXPECT_EQ(four.leftEdge, 0) << "inside the cell there is no line";

    const auto one = lines(1);
    EXPECT_EQ(one.rowLine, 1);
    EXPECT_EQ(one.columnLine, 1);
    EXPECT_EQ(one.headerLine, 1);

    const auto none = lines(0);
    EXPECT_EQ(none.rowLine, 0) << "width 0 draws no grid lines";
    EXPECT_EQ(none.columnLine, 0);
    EXPECT_EQ(none.headerLine, 0);
}

TEST_F(BoardWindowTest, TokensAndCaptionsStandAsFarFromTheCellEdgeAsTheHeaderCaptions)
{
    // Black table and header, white texts: the first white pixel of a cell is where its text starts.
    const qint64 id = addTheme(env.db, {{QStringLiteral("hdclrbg"), 0},
                                        {QStringLiteral("altcolr"), 0},
                                        {QStringLiteral("clrcrr"), 16777215},
                                        {QStringLiteral("linewidth"), 1},
                                        {QStringLiteral("rowheight"), 600}});
    env.session.themeId = id;
    addCall(env.db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    frmDisplay* w = openBoard();
    ASSERT_EQ(w->FG->text(1, 1), QStringLiteral("A1 "));
    // The newest call's row has stopped flashing (a lit row is white here).
    env.clock.advanceSecs(60);
    w->showNewestMark();
    const QImage shot = w->FG->grab().toImage();
    const auto textStart = [&](const QRect& cell) {
        for (int x = cell.left(); x < cell.right() - 2; ++x)
            for (int y = cell.top(); y < cell.bottom() - 2; ++y)
                if (qGray(shot.pixel(x, y)) > 128)
                    return x - cell.left();
        return -1;
    };
    QHeaderView* header = w->FG->horizontalHeader();
    const QRect head(header->geometry().left() + header->sectionViewportPosition(1), header->geometry().top(),
                     header->sectionSize(1), header->height());
    const QRect token =
        w->FG->visualRect(w->FG->model()->index(0, 1)).translated(w->FG->viewport()->geometry().topLeft());
    const int headerInset = textStart(head);
    const int tokenInset = textStart(token);
    EXPECT_GE(headerInset, 10);
    EXPECT_GE(tokenInset, 10) << "the token does not stick to the cell's edge";
    EXPECT_LE(qAbs(tokenInset - headerInset), 3)
        << "token and caption start in one line: " << tokenInset << " and " << headerInset;
    w->close();
}
