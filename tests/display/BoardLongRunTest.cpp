// A board through a long day, on the program's clock: a call every few seconds with a recall every
// fourth, the video list going round, the news band lapping and hours without any call. Nothing the
// board does may pile up along the way (a connection made per call, a timer per loop, a widget per
// lap), as that would make it slower and slower through the day with hardly any memory to show for it.
#include "display/frmDisplay.h"

#include "DisplayTestSupport.h"
#include "core/DemoData.h"
#include "core/Lookups.h"
#include "display/media/BoardMedia.h"
#include "display/media/Playlist.h"
#include "testsupport/TestEnv.h"
#include "ui/Grid.h"

#include <QCoreApplication>
#include <QImage>
#include <QMetaMethod>
#include <QTimer>

namespace {

struct SignalPeek : QObject
{
    using QObject::receivers;
};

// The slots connected to any signal of `o`.
int connectionsOf(const QObject* o)
{
    int n = 0;
    const QMetaObject* meta = o->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() == QMetaMethod::Signal)
            n += (o->*&SignalPeek::receivers)(QByteArray("2" + m.methodSignature()).constData());
    }
    return n;
}

// What a board holds that a leak would make grow.
struct Census
{
    int objects = 0;
    int connections = 0;
    int timersRunning = 0;
    int newsLabels = 0;
    int gridRows = 0;
    quint64 statementsPerRead = 0; // sent by a read that finds nothing new

    bool operator==(const Census&) const = default;
};

void PrintTo(const Census& c, std::ostream* os)
{
    *os << "objects " << c.objects << ", connections " << c.connections << ", timers running "
        << c.timersRunning << ", news labels " << c.newsLabels << ", grid rows " << c.gridRows
        << ", statements per read " << c.statementsPerRead;
}

class BoardLongRunTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(demo::loadDemoHall(env->db, env->dir.path())); // with its clock face, logo and video list
        env->session.themeId = lookups::themeIdByName(env->db, QStringLiteral("Black H"));
        counter =
            env->db.query(QStringLiteral("select cntAuto from tblCounter order by cntAuto")).number(0, 0);
        // The video list: a video the scripted player plays and a picture that stays its time.
        QImage slide(64, 36, QImage::Format_RGB32);
        slide.fill(Qt::darkBlue);
        ASSERT_TRUE(slide.save(env->path(QStringLiteral("slide.png"))));
        env->db.exec(QStringLiteral("delete from tblvideo"));
        for (const QString& file : {QStringLiteral("hall.ogv"), QStringLiteral("slide.png")})
            env->db.insert(QStringLiteral("tblvideo"),
                           {{QStringLiteral("vidName"), env->path(file)}, {QStringLiteral("active"), 1}});

        board = qobject_cast<frmDisplay*>(env->screens.openNew(QStringLiteral("frmDisplay")));
        ASSERT_TRUE(board);
        board->Timer1->stop(); // the test reads by hand
        board->show();
        board->startNews();
        media = board->findChild<BoardMedia*>();
        ASSERT_TRUE(media && media->playlist() && media->video() && env->media.last);
        playlist = media->playlist();
    }
    void TearDown() override
    {
        if (board)
            board->close();
        StoreTest::TearDown();
    }

    // `ms` of the board's life, in ticks of `tickMs`: reads, the newest call's mark and the screen's
    // frames; then the video list goes on to its next entry.
    void live(int ms, int tickMs = 500)
    {
        for (int done = 0; done < ms; done += tickMs) {
            env->clock.set(env->clock.now().addMSecs(tickMs));
            board->wakeup().readNow();
            board->showNewestMark();
            board->frameTick(FrameSteps::StepsPerSecond * tickMs / 1000);
        }
        if (!env->media.last->playing.isEmpty())
            env->media.last->end();
        else if (playlist->pictureTimer().isActive())
            playlist->Timer9_Timer();
        QCoreApplication::processEvents();
    }
    // A counter's Next, and every fourth a Recall of it, 3.4 s apart.
    void callRound(int n)
    {
        const qint64 call = addCall(env->db, counter, QStringLiteral("A%1").arg(n), QStringLiteral("Room 1"),
                                    env->clock.todayText());
        live(3400);
        if (n % 4 == 0) {
            env->db.exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {call});
            live(3400);
        }
    }
    Census census()
    {
        live(NewestCallMark::FlashMs); // the newest call has stopped flashing
        Census c;
        const QList<QObject*> all = board->findChildren<QObject*>();
        c.objects = int(all.size());
        // The media's own parts are not children of the board.
        c.connections = connectionsOf(board) + connectionsOf(media->video()) +
                        connectionsOf(env->media.last) + connectionsOf(playlist) +
                        connectionsOf(&playlist->pictureTimer()) + connectionsOf(&playlist->retryTimer());
        for (QObject* o : all) {
            c.connections += connectionsOf(o);
            if (auto* timer = qobject_cast<QTimer*>(o); timer && timer->isActive())
                ++c.timersRunning;
        }
        c.newsLabels = int(board->lblScroll().size());
        c.gridRows = board->FG->rows();
        const quint64 before = env->db.statementsSent();
        board->wakeup().readNow();
        c.statementsPerRead = env->db.statementsSent() - before;
        return c;
    }

    qint64 counter = 0;
    frmDisplay* board = nullptr;
    BoardMedia* media = nullptr;
    Playlist* playlist = nullptr;
};

TEST_P(BoardLongRunTest, AfterADayOfCallsVideoLoopsAndTickerLapsTheBoardHoldsNoMoreThanAfterItsFirstCalls)
{
    // Past the first call, recall, video loop and lap of the news band.
    int n = 0;
    while (n < 8)
        callRound(++n);
    const Census early = census();
    const int generation = board->ticker().generation();
    const qsizetype videosPlayed = env->media.last->started.size();

    // An hour of calls at one counter's pace, then three quiet hours.
    while (n < 900)
        callRound(++n);
    for (int minute = 0; minute < 180; ++minute)
        live(60 * 1000, 10 * 1000);

    EXPECT_GT(board->ticker().generation(), generation + 50) << "the news band went round";
    EXPECT_GT(env->media.last->started.size(), videosPlayed + 300) << "the video list went round";
    EXPECT_EQ(board->FG->text(1, 1), QStringLiteral("A900 "));
    EXPECT_EQ(census(), early);
}

BRIVANE_STORE_TEST_SUITE(BoardLongRunTest);

} // namespace
