#include "display/media/BoardMedia.h"
#include "display/BoardTheme.h"
#include "display/media/CellPictures.h"
#include "display/media/ClockFace.h"
#include "display/media/PictureView.h"
#include "display/media/Playlist.h"

#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>

namespace {

const QRect LogoArea(10, 10, 120, 80);
const QRect ClockArea(600, 10, 180, 180);
const QRect VideoRect(300, 250, 320, 180);

void copyShippedFace(TestEnv& env, const char* name)
{
    QDir().mkpath(env.path(QStringLiteral("files/clock")));
    QFile::copy(QDir(QCoreApplication::applicationDirPath())
                    .filePath(QStringLiteral("files/clock/") + QLatin1String(name)),
                env.path(QStringLiteral("files/clock/") + QLatin1String(name)));
}

QString writePicture(TestEnv& env, const QString& name, const QColor& color)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    image.save(env.path(name));
    return env.path(name);
}

BoardMedia::Services services(TestEnv& env)
{
    return {env.db, env.settings(), env.clock, env.media, env.dir.path()};
}

BoardTheme mediaTheme()
{
    BoardTheme t;
    t.found = true;
    t.showTime = true;
    t.movie = true;
    t.volume = 4;
    return t;
}

TEST(BoardMediaTest, PlacesTheClockFaceLogoAndVideoListOverTheirAreas)
{
    TestEnv env;
    copyShippedFace(env, "classic.svg");
    copyShippedFace(env, "digital.svg");
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Pic"), QStringLiteral("Duration"), 7);
    env.db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), env.path(QStringLiteral("a.avi"))},
                                               {QStringLiteral("vidDesc"), QString()},
                                               {QStringLiteral("active"), 1}});
    BoardTheme theme = mediaTheme();
    theme.clockFile = QStringLiteral("digital.svg");
    theme.logo = writePicture(env, QStringLiteral("logo.png"), Qt::yellow);

    QWidget board;
    board.resize(800, 600);
    BoardMedia media(&board, {LogoArea, ClockArea, VideoRect}, theme, services(env));

    ASSERT_EQ(env.media.chimes.size(), 1);
    EXPECT_EQ(env.media.chimes.first().first, env.path(QStringLiteral("ding.wav")));
    EXPECT_EQ(env.media.chimes.first().second, 9000);

    ASSERT_TRUE(media.clockFace());
    EXPECT_EQ(media.clockFace()->parentWidget(), &board);
    EXPECT_EQ(media.clockFace()->geometry(), ClockArea);
    EXPECT_EQ(media.clockFace()->shownFile(), env.path(QStringLiteral("files/clock/digital.svg")));
    ASSERT_TRUE(media.logo());
    EXPECT_EQ(media.logo()->geometry(), LogoArea);
    EXPECT_FALSE(media.logo()->isEmpty());

    ASSERT_TRUE(media.playlist());
    EXPECT_EQ(media.playlist()->pictureTimer().interval(), 7000);
    ASSERT_TRUE(env.media.last);
    EXPECT_EQ(env.media.last->playing, env.path(QStringLiteral("a.avi")));
    EXPECT_EQ(env.media.last->volumes.value(0), 40);
    EXPECT_EQ(env.media.last->widget()->geometry(), VideoRect);
    EXPECT_FALSE(env.media.last->widget()->isHidden());
    EXPECT_FALSE(media.liveInput());

    // The clock and logo are transparent and in front: the board shows through around the face.
    board.setStyleSheet(QStringLiteral("background: #0000ff"));
    const QImage shot = board.grab().toImage();
    EXPECT_EQ(shot.pixelColor(ClockArea.topLeft() + QPoint(2, 2)), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(LogoArea.center()), QColor(Qt::yellow));
}

TEST(BoardMediaTest, AnOlderClockFileOrAMissingLogoStillGiveAClockAndAnEmptyLogo)
{
    TestEnv env;
    copyShippedFace(env, "classic.svg");
    BoardTheme theme = mediaTheme();
    theme.movie = false;
    theme.clockFile = QStringLiteral("clock3.swf");
    theme.logo = env.path(QStringLiteral("no-such-logo.gif"));
    QWidget board;
    board.resize(800, 600);
    BoardMedia media(&board, {LogoArea, ClockArea, VideoRect}, theme, services(env));
    ASSERT_TRUE(media.clockFace());
    EXPECT_EQ(media.clockFace()->shownFile(), env.path(QStringLiteral("files/clock/classic.svg")));
    ASSERT_TRUE(media.logo());
    EXPECT_TRUE(media.logo()->isEmpty());
    EXPECT_FALSE(media.video()) << "no video list without Enable Movie";
    EXPECT_TRUE(env.dialogs.shown().isEmpty());

    theme.showTime = false;
    theme.logo.clear();
    BoardMedia bare(&board, {LogoArea, ClockArea, VideoRect}, theme, services(env));
    EXPECT_FALSE(bare.clockFace()) << "the text clock of the board serves";
    EXPECT_FALSE(bare.logo());
}

TEST(BoardMediaTest, LiveInputShowsTheInputOfItsNumberInsteadOfTheVideoList)
{
    TestEnv env;
    env.media.cameras = {QStringLiteral("Front desk"), QStringLiteral("Hall camera")};
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("VideoIn"),
                       QStringLiteral("1"));
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("Source"), 1);
    env.db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), env.path(QStringLiteral("a.avi"))},
                                               {QStringLiteral("vidDesc"), QString()},
                                               {QStringLiteral("active"), 1}});
    BoardTheme theme = mediaTheme();
    theme.movie = false; // live input does not need Enable Movie
    QWidget board;
    board.resize(800, 600);
    {
        BoardMedia media(&board, {LogoArea, ClockArea, VideoRect}, theme, services(env));
        EXPECT_TRUE(media.liveInput());
        EXPECT_FALSE(media.playlist());
        ASSERT_TRUE(env.media.last);
        EXPECT_EQ(env.media.last->cameraName, QStringLiteral("Hall camera"));
        EXPECT_TRUE(env.media.last->started.isEmpty());
        EXPECT_FALSE(env.media.last->widget()->isHidden());
        EXPECT_EQ(env.media.last->widget()->geometry(), VideoRect);
    }

    // An input the machine does not have: the area stays empty, nothing is asked.
    env.settings().set(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("Source"), 5);
    BoardMedia media(&board, {LogoArea, ClockArea, VideoRect}, theme, services(env));
    EXPECT_EQ(env.media.last->camera, -1);
    EXPECT_TRUE(env.media.last->widget()->isHidden());
    EXPECT_TRUE(env.dialogs.shown().isEmpty());
}

TEST(BoardMediaTest, HeaderAndDetailPicturesShowUnderTheCellsText)
{
    TestEnv env;
    Grid grid;
    grid.setCols(3);
    grid.setRows(3);
    grid.resize(400, 200);
    grid.setColWidth(0, 15);
    grid.setColWidth(1, 2250);
    grid.setColWidth(2, 2250);
    grid.horizontalHeader()->setMinimumHeight(40);
    // The board's own look: coloured header and cell backgrounds.
    grid.setStyleSheet(QStringLiteral("QTableView { background-color: #000000; }"
                                      "QHeaderView::section { background-color: #0000ff; color: #ffffff; }"));
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 3; ++c)
            grid.setCellBackColor(r, c, QColor(0, 0, 255));
    grid.setText(0, 1, QStringLiteral("Token"));
    grid.setText(1, 1, QStringLiteral("A1"));

    addimg1(grid, writePicture(env, QStringLiteral("head.png"), Qt::green));
    addimg2(grid, writePicture(env, QStringLiteral("detail.png"), Qt::red));
    grid.show();
    const QImage shot = grid.grab().toImage();
    if (qEnvironmentVariableIsSet("BRIVANE_SHOTS"))
        shot.save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/cell-pictures.png"));
    const auto at = [&](int row, int col) {
        // Near the cell's bottom right corner, away from its text.
        const int header = grid.horizontalHeader()->height();
        const int y =
            row == 0 ? header - 6
                     : header + grid.rowViewportPosition(row - 1) + grid.QTableView::rowHeight(row - 1) - 6;
        return shot.pixelColor(grid.columnViewportPosition(col) + grid.columnWidth(col) - 6, y);
    };
    EXPECT_EQ(at(0, 1), QColor(Qt::green)) << "header picture over the header colour";
    EXPECT_EQ(at(0, 2), QColor(Qt::green));
    EXPECT_EQ(at(1, 1), QColor(Qt::red)) << "detail picture over the cell's background colour";
    EXPECT_EQ(at(2, 2), QColor(Qt::red));
    EXPECT_FALSE(grid.cellPicture(0, 1).isNull());

    addimg2(grid, QString());
    EXPECT_TRUE(grid.cellPicture(1, 1).isNull()) << "no picture, no cell picture";
}

// Plays the demo video the build makes through the real player, then the next entry, where this
// machine can play video.
TEST(BoardMediaTest, TheRealPlayerPlaysTheDemoVideoToItsEndThenTheNextEntry)
{
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString video = bin.filePath(QStringLiteral("files/video/demo.ogv"));
    if (!QFile::exists(video))
        GTEST_SKIP() << "no demo video was generated in this build";
    TestEnv env;
    for (const QString& file : {video, bin.filePath(QStringLiteral("files/video/welcome.svg"))})
        env.db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), file},
                                                   {QStringLiteral("vidDesc"), QString()},
                                                   {QStringLiteral("active"), 1}});
    SystemMediaPlayers players;
    BoardTheme theme = mediaTheme();
    theme.volume = 0;
    theme.clockFile = QStringLiteral("modern.svg");
    theme.logo = bin.filePath(QStringLiteral("logo.jpg"));
    QWidget board;
    board.setStyleSheet(QStringLiteral("background: #101820"));
    board.resize(800, 460);
    BoardMedia media(&board, {LogoArea, ClockArea, VideoRect}, theme,
                     {env.db, env.settings(), env.clock, players, bin.path()});
    board.show();
    ASSERT_TRUE(media.playlist());
    EXPECT_EQ(media.playlist()->current(), video);
    QSignalSpy ended(&media.video()->player(), &VideoPlayer::ended);
    QSignalSpy failed(&media.video()->player(), &VideoPlayer::failed);
    QElapsedTimer waited;
    waited.start();
    bool shot = false;
    while (ended.isEmpty() && failed.isEmpty() && waited.elapsed() < 60000) {
        ended.wait(200);
        // A look at the board while the video plays, when asked for.
        if (!shot && waited.elapsed() > 2500 && qEnvironmentVariableIsSet("BRIVANE_SHOTS")) {
            shot = true;
            if (QScreen* screen = board.screen())
                screen->grabWindow(board.winId())
                    .save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/board-video.png"));
        }
    }
    if (ended.isEmpty())
        GTEST_SKIP()
            << "this platform cannot play the video (no decoder, or a video output that never draws)";
    EXPECT_EQ(media.playlist()->current(), bin.filePath(QStringLiteral("files/video/welcome.svg")));
    EXPECT_TRUE(media.video()->picture()->isVisible()) << "then the picture shows";
    if (qEnvironmentVariableIsSet("BRIVANE_SHOTS"))
        board.grab().save(qEnvironmentVariable("BRIVANE_SHOTS") + QStringLiteral("/board-picture.png"));
    EXPECT_FALSE(media.video()->player().play(QStringLiteral("/no/such/file.ogv"), 0));
}

} // namespace
