// How the hall announcer keeps up with a busy hall, and how it says a counter named without a digit.

#include "display/voice/Announcer.h"
#include "display/voice/CallAnnouncement.h"
#include "display/voice/NameRecordings.h"
#include "display/voice/vs.h"
#include "ui/Clock.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using vs::AnnounceChoice;
using vs::AnnouncerSettings;

namespace {

AnnouncerSettings defaults(int maxWait = 30)
{
    AnnouncerSettings s{vs::defaultTemplate1(), vs::defaultTemplate2(), AnnounceChoice::Both};
    s.maxWaitSeconds = maxWait;
    return s;
}

announcer::ShownCall shown(const QString& label, const QString& caption, int rows = 7,
                           const QString& captionA = QString())
{
    return {label, caption, QString(), captionA, rows};
}

// A player as slow as the shipped recordings: each one takes a second on the test clock (the default
// templates in both languages are 15 recordings, about 15 s, as measured).
class TimedPlayer : public RecordingPlayer
{
public:
    explicit TimedPlayer(ManualClock& clock) : m_clock(clock) {}
    void play(const vs::CallAnnouncement& announcement, std::function<void()> done) override
    {
        said << announcement;
        m_endsAt = m_clock.now().addSecs(announcement.recordings.size());
        m_done = std::move(done);
    }
    bool playing() const { return bool(m_done); }
    QDateTime endsAt() const { return m_endsAt; }
    void finish()
    {
        auto done = std::move(m_done);
        m_done = nullptr;
        if (done)
            done();
    }
    QList<vs::CallAnnouncement> said;

private:
    ManualClock& m_clock;
    QDateTime m_endsAt;
    std::function<void()> m_done;
};

QStringList labels(const QList<vs::CallAnnouncement>& said)
{
    QStringList out;
    for (const vs::CallAnnouncement& a : said)
        out << a.tokenLabel;
    return out;
}

struct Queue
{
    Queue(int maxWait = 30)
        : player(clock), announcer(player, QString(), [maxWait] { return defaults(maxWait); })
    {
        announcer.setClock(&clock);
        // Only what is left out (the test installation has no recordings folders to report).
        announcer.setWarn([this](const QString& m) {
            if (m.contains(QStringLiteral("not announced")))
                told << m;
        });
    }
    ManualClock clock{QDateTime(QDate(2024, 3, 4), QTime(10, 0))};
    TimedPlayer player;
    Announcer announcer;
    QStringList told;
};

} // namespace

TEST(AnnouncerPolicy, ABurstOfSixCallsIsOverWithinFortyFiveSecondsAndWhatIsLeftOutIsSaid)
{
    Queue q;
    const QDateTime start = q.clock.now();
    // Six calls, one per board poll (a second apart), while the first is being spoken.
    int next = 0;
    while (next < 6 || q.player.playing()) {
        const QDateTime arrival = start.addSecs(next);
        if (next < 6 && (!q.player.playing() || arrival <= q.player.endsAt())) {
            q.clock.set(qMax(q.clock.now(), arrival));
            ++next;
            q.announcer.announce(shown(QStringLiteral("A%1").arg(next), QStringLiteral("Room %1").arg(next)));
        } else {
            q.clock.set(q.player.endsAt());
            q.player.finish();
        }
    }
    const qint64 took = start.secsTo(q.clock.now());
    EXPECT_LE(took, 45) << "the burst takes " << took << " s";
    // The first call is said in both languages; the ones after it, while others wait, in the first.
    ASSERT_GE(q.player.said.size(), 3);
    EXPECT_EQ(q.player.said.first().recordings.size(), 15);
    EXPECT_EQ(q.player.said.at(1).recordings.size(), 7);
    EXPECT_TRUE(q.player.said.at(1).recordings.last().endsWith(QStringLiteral("english/2.wav")));
    // Every call is either said, or left out with a line saying so; in the board's order.
    EXPECT_EQ(q.player.said.size() + q.told.size(), 6) << q.told.join(QLatin1Char('\n')).toStdString();
    const QStringList said = labels(q.player.said);
    EXPECT_EQ(said.first(), QStringLiteral("A1"));
    for (const QString& line : q.told) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("voice: A"))) << line.toStdString();
        EXPECT_TRUE(line.contains(QStringLiteral("longer than 30 s"))) << line.toStdString();
    }
    EXPECT_FALSE(q.announcer.speaking());
    EXPECT_EQ(q.announcer.waiting(), 0);

    // A call on its own is said whole.
    q.clock.advanceSecs(60);
    q.announcer.announce(shown(QStringLiteral("A7"), QStringLiteral("Room 7")));
    EXPECT_EQ(q.player.said.last().recordings.size(), 15);
}

TEST(AnnouncerPolicy, ACallTheBoardHasPushedOffItsTableIsLeftOut)
{
    Queue q(0); // no waiting limit: only the board decides
    // A board of three rows; A1 is being said while four more calls come.
    for (const char* label : {"A1", "A2", "A3", "A4", "A5"})
        q.announcer.announce(shown(QString::fromLatin1(label), QStringLiteral("Room 1"), 3));
    EXPECT_EQ(q.announcer.waitingLabels(), (QStringList{QStringLiteral("A2"), QStringLiteral("A3"),
                                                        QStringLiteral("A4"), QStringLiteral("A5")}));
    while (q.player.playing())
        q.player.finish();
    // A2 went off the three-row table when A5 came; A3..A5 are still on it.
    EXPECT_EQ(labels(q.player.said), (QStringList{QStringLiteral("A1"), QStringLiteral("A3"),
                                                  QStringLiteral("A4"), QStringLiteral("A5")}));
    ASSERT_EQ(q.told.size(), 1);
    EXPECT_EQ(q.told.first(),
              QStringLiteral("voice: A2 (Room 1) not announced: the board has pushed it off its table"));

    // A recall of the label already on top does not push the table: nothing else goes off it.
    Queue r(0);
    for (const char* label : {"B1", "B2", "B3", "B3", "B3"})
        r.announcer.announce(shown(QString::fromLatin1(label), QStringLiteral("Room 2"), 2));
    while (r.player.playing())
        r.player.finish();
    EXPECT_EQ(labels(r.player.said),
              (QStringList{QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")}));
    EXPECT_TRUE(r.told.isEmpty()) << r.told.join(QLatin1Char('\n')).toStdString();
}

TEST(AnnouncerPolicy, ARecallReplacesTheSameTokensWaitingAnnouncement)
{
    Queue q;
    q.announcer.announce(shown(QStringLiteral("A1"), QStringLiteral("Room 1")));
    q.announcer.announce(shown(QStringLiteral("A2"), QStringLiteral("Room 2")));
    q.announcer.announce(shown(QStringLiteral("A3"), QStringLiteral("Room 3")));
    // A2 is called again, now to Room 5, before its turn.
    q.clock.advanceSecs(5);
    q.announcer.announce(shown(QStringLiteral("A2"), QStringLiteral("Room 5")));
    EXPECT_EQ(q.announcer.waitingLabels(), (QStringList{QStringLiteral("A2"), QStringLiteral("A3")}));
    while (q.player.playing()) {
        q.clock.set(q.player.endsAt());
        q.player.finish();
    }
    ASSERT_EQ(q.player.said.size(), 3);
    EXPECT_EQ(q.player.said.at(1).tokenLabel, QStringLiteral("A2"));
    EXPECT_EQ(q.player.said.at(1).counterLabel, QStringLiteral("5"));
    EXPECT_TRUE(q.told.isEmpty()) << q.told.join(QLatin1Char('\n')).toStdString();
}

namespace {

bool isWave(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(12);
    return head.startsWith("RIFF") && head.mid(8, 4) == "WAVE" && f.size() > 8000;
}

} // namespace

TEST(CounterNames, ACounterWithoutADigitIsSpokenByItsNameInEachLanguageAndTheRecordingIsKept)
{
    if (QStandardPaths::findExecutable(QStringLiteral("espeak-ng")).isEmpty())
        GTEST_SKIP() << "espeak-ng is not installed";
    QTemporaryDir install;
    QTemporaryDir cache;
    // A language folder may name its synthesizer voice.
    QDir(install.path()).mkpath(QStringLiteral("vs/english"));
    QDir(install.path()).mkpath(QStringLiteral("vs/hindi"));
    QDir(install.path()).mkpath(QStringLiteral("vs/marathi"));
    QFile voice(install.filePath(QStringLiteral("vs/marathi/voice")));
    ASSERT_TRUE(voice.open(QIODevice::WriteOnly));
    voice.write("mr\n");
    voice.close();

    QStringList told;
    NameRecordings names(install.path(), cache.path(), [&](const QString& m) { told << m; });
    EXPECT_EQ(names.voiceOf(QStringLiteral("english")), QStringLiteral("en"));
    EXPECT_EQ(names.voiceOf(QStringLiteral("hindi")), QStringLiteral("hi"));
    EXPECT_EQ(names.voiceOf(QStringLiteral("marathi")), QStringLiteral("mr"));

    QString printed;
    QTextStream out(&printed);
    PrintingPlayer printer(out);
    Announcer announcer(printer, install.path(), [] { return defaults(); });
    announcer.setNameRecordings(&names);
    announcer.announce(shown(QStringLiteral("P1"), QStringLiteral("Pharmacy"), 7, QStringLiteral("फार्मेसी")));
    const QStringList line = printed.trimmed().split(QLatin1Char(' '));
    const QString english = names.cachedPath(QStringLiteral("english"), QStringLiteral("Pharmacy"));
    const QString hindi = names.cachedPath(QStringLiteral("hindi"), QStringLiteral("फार्मेसी"));
    // "... please go to Pharmacy", then the same in Hindi with the Hindi name, and nothing about rooms.
    EXPECT_EQ(line.mid(0, 2), (QStringList{QStringLiteral("P1"), QStringLiteral("-")}));
    EXPECT_EQ(line.indexOf(english), line.indexOf(QStringLiteral("vs/english/please")) + 1)
        << printed.toStdString();
    EXPECT_EQ(line.indexOf(hindi), line.indexOf(QStringLiteral("vs/hindi/please")) + 1)
        << printed.toStdString();
    EXPECT_EQ(line.last(), QStringLiteral("vs/hindi/go"));
    EXPECT_FALSE(printed.contains(QStringLiteral("roomno")));
    EXPECT_TRUE(isWave(english));
    EXPECT_TRUE(isWave(hindi));
    EXPECT_EQ(names.made(), 2);
    EXPECT_TRUE(told.isEmpty()) << told.join(QLatin1Char('\n')).toStdString();

    // The next call to the Pharmacy uses the kept recordings; a counter with a digit is said as before.
    announcer.announce(shown(QStringLiteral("P2"), QStringLiteral("Pharmacy"), 7, QStringLiteral("फार्मेसी")));
    announcer.announce(shown(QStringLiteral("A3"), QStringLiteral("Room 4")));
    EXPECT_EQ(names.made(), 2);
    EXPECT_TRUE(printed.contains(QStringLiteral("vs/english/roomno vs/english/4.wav")));
}

TEST(CounterNames, WithoutTheSynthesizerTheCallEndsWithoutRoomNumberAndTheReasonIsSaidOnce)
{
    QTemporaryDir install;
    QTemporaryDir cache;
    QStringList told;
    NameRecordings names(install.path(), cache.path(), [&](const QString& m) { told << m; });
    names.setProgram(install.filePath(QStringLiteral("no-such-synthesizer")));
    QString printed;
    QTextStream out(&printed);
    PrintingPlayer printer(out);
    AnnouncerSettings first = defaults();
    first.choice = AnnounceChoice::FirstOnly;
    Announcer announcer(printer, install.path(), [first] { return first; });
    announcer.setNameRecordings(&names);
    announcer.announce(shown(QStringLiteral("P1"), QStringLiteral("Pharmacy")));
    announcer.announce(shown(QStringLiteral("P2"), QStringLiteral("Pharmacy")));
    const QStringList lines = printed.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.first().endsWith(QStringLiteral("vs/english/please"))) << lines.first().toStdString();
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told.first().contains(QStringLiteral("Pharmacy")));
    EXPECT_TRUE(told.first().contains(QStringLiteral("cannot be started")));
}
