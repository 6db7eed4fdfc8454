#include "display/media/Playlist.h"

#include "testsupport/TestEnv.h"

#include <QFileInfo>
#include <QImage>

namespace {

qint64 addVideo(Database& db, const QString& path, bool active = true)
{
    return db.insert(QStringLiteral("tblvideo"), {{QStringLiteral("vidName"), path},
                                                  {QStringLiteral("vidDesc"), QFileInfo(path).fileName()},
                                                  {QStringLiteral("active"), active ? 1 : 0}});
}

void writePicture(const QString& path, const char* format)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path, format));
}

// A playlist on a scripted player, with a log of what the video area was asked to show.
struct PlaylistRig
{
    explicit PlaylistRig(TestEnv& env, const QStringList& refused = {})
        : player(nullptr, {}, refused),
          playlist(env.db, player,
                   Playlist::Screen{[this](const QString& path) {
                                        const bool ok = !QImage(path).isNull();
                                        shown.append(
                                            (ok ? QStringLiteral("picture ") : QStringLiteral("bad ")) +
                                            QFileInfo(path).fileName());
                                        return ok;
                                    },
                                    [this] { shown.append(QStringLiteral("video")); },
                                    [this] { shown.append(QStringLiteral("nothing")); }})
    {
    }
    QString playing() const { return QFileInfo(player.playing).fileName(); }

    ScriptedVideoPlayer player;
    QStringList shown;
    Playlist playlist;
};

TEST(PlaylistTest, VideosPlayToTheirEndPicturesStayTheirSecondsAndTheListWraps)
{
    TestEnv env;
    writePicture(env.path(QStringLiteral("b.jpg")), "JPG");
    addVideo(env.db, env.path(QStringLiteral("a.avi")));
    addVideo(env.db, env.path(QStringLiteral("b.jpg")));
    addVideo(env.db, env.path(QStringLiteral("off.avi")), false);
    addVideo(env.db, env.path(QStringLiteral("c.avi")));
    PlaylistRig rig(env);
    rig.playlist.setPictureSeconds(5);
    rig.playlist.setVolume(7);

    rig.playlist.start();
    EXPECT_EQ(rig.playing(), QStringLiteral("a.avi"));
    EXPECT_EQ(rig.player.volumes.last(), 70) << "ten times the theme's volume";
    EXPECT_FALSE(rig.playlist.pictureTimer().isActive()) << "a video plays to its end";

    rig.player.end();
    EXPECT_EQ(rig.shown.last(), QStringLiteral("picture b.jpg"));
    EXPECT_TRUE(rig.player.playing.isEmpty());
    EXPECT_TRUE(rig.playlist.pictureTimer().isActive());
    EXPECT_EQ(rig.playlist.pictureTimer().interval(), 5000);

    rig.playlist.Timer9_Timer();
    EXPECT_EQ(rig.playing(), QStringLiteral("c.avi")) << "the inactive entry is left out";
    EXPECT_EQ(rig.shown.last(), QStringLiteral("video"));

    // The list is read again at every step: a change made now shows at the next entry.
    addVideo(env.db, env.path(QStringLiteral("d.avi")));
    rig.player.end();
    EXPECT_EQ(rig.playing(), QStringLiteral("d.avi"));
    env.db.exec(QStringLiteral("update tblvideo set active='0' where vidName=?"),
                {env.path(QStringLiteral("b.jpg"))});
    rig.player.end();
    EXPECT_EQ(rig.playing(), QStringLiteral("a.avi")) << "after the last entry, the first";
    rig.player.end();
    EXPECT_EQ(rig.playing(), QStringLiteral("c.avi")) << "the picture taken off the list meanwhile";
    EXPECT_EQ(rig.player.started.size(), 5);
}

TEST(PlaylistTest, PicturesAreKnownByWhatTheFileHoldsNotByTheLettersJpg)
{
    TestEnv env;
    writePicture(env.path(QStringLiteral("photo.jpeg")), "JPG");
    writePicture(env.path(QStringLiteral("plan.png")), "PNG");
    env.writeFile(QStringLiteral("clip.jpg"), "not a picture at all");
    addVideo(env.db, env.path(QStringLiteral("photo.jpeg")));
    addVideo(env.db, env.path(QStringLiteral("plan.png")));
    addVideo(env.db, env.path(QStringLiteral("clip.jpg")));
    PlaylistRig rig(env);

    rig.playlist.start();
    EXPECT_EQ(rig.shown.last(), QStringLiteral("picture photo.jpeg"));
    rig.playlist.Timer9_Timer();
    EXPECT_EQ(rig.shown.last(), QStringLiteral("picture plan.png"));
    rig.playlist.Timer9_Timer();
    EXPECT_EQ(rig.playing(), QStringLiteral("clip.jpg")) << "handed to the player, which may know it";
}

TEST(PlaylistTest, AnEntryThatCannotBePlayedIsSkipped)
{
    TestEnv env;
    writePicture(env.path(QStringLiteral("b.jpg")), "JPG");
    addVideo(env.db, env.path(QStringLiteral("a.avi")));
    addVideo(env.db, env.path(QStringLiteral("b.jpg")));
    addVideo(env.db, env.path(QStringLiteral("c.avi")));
    PlaylistRig rig(env, {QStringLiteral("a.avi")});

    rig.playlist.start();
    EXPECT_EQ(rig.shown.last(), QStringLiteral("picture b.jpg")) << "a.avi cannot start";
    rig.playlist.Timer9_Timer();
    EXPECT_EQ(rig.playing(), QStringLiteral("c.avi"));
    rig.player.fail(); // broken half-way: the next entry follows
    EXPECT_EQ(rig.shown.last(), QStringLiteral("picture b.jpg"));
    EXPECT_FALSE(rig.playlist.waitingToRetry());
}

TEST(PlaylistTest, AListOfWhichNothingPlaysShowsNothingAndWaitsBeforeTryingAgain)
{
    TestEnv env;
    addVideo(env.db, env.path(QStringLiteral("a.avi")));
    addVideo(env.db, env.path(QStringLiteral("c.avi")));
    addVideo(env.db, env.path(QStringLiteral("missing.jpg"))); // no such file: a video to the player
    PlaylistRig rig(env, {QStringLiteral("a.avi"), QStringLiteral("c.avi"), QStringLiteral("missing.jpg")});
    rig.playlist.setRetrySeconds(30);

    rig.playlist.start();
    EXPECT_EQ(rig.player.started.size(), 3) << "each entry tried once, then no more";
    EXPECT_TRUE(rig.playlist.waitingToRetry());
    EXPECT_EQ(rig.playlist.retryTimer().interval(), 30000);
    EXPECT_EQ(rig.shown.last(), QStringLiteral("nothing"));

    rig.playlist.retry();
    EXPECT_EQ(rig.player.started.size(), 6);
    EXPECT_TRUE(rig.playlist.waitingToRetry());

    // Files that start but fail one after another end the same way.
    env.db.exec(QStringLiteral("delete from tblvideo"));
    addVideo(env.db, env.path(QStringLiteral("x.avi")));
    addVideo(env.db, env.path(QStringLiteral("y.avi")));
    rig.playlist.retry();
    EXPECT_EQ(rig.playing(), QStringLiteral("x.avi"));
    rig.player.fail();
    EXPECT_EQ(rig.playing(), QStringLiteral("y.avi"));
    rig.player.fail();
    EXPECT_TRUE(rig.playlist.waitingToRetry());
    EXPECT_TRUE(rig.player.playing.isEmpty());

    // An empty list shows nothing and is looked at again later.
    env.db.exec(QStringLiteral("delete from tblvideo"));
    rig.playlist.retry();
    EXPECT_TRUE(rig.playlist.waitingToRetry());
    addVideo(env.db, env.path(QStringLiteral("new.avi")));
    rig.playlist.retry();
    EXPECT_EQ(rig.playing(), QStringLiteral("new.avi"));

    rig.playlist.stop();
    rig.player.end(); // a late signal after the board stopped changes nothing
    EXPECT_TRUE(rig.player.playing.isEmpty());
}

} // namespace
