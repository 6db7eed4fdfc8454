#include "display/voice/Announcer.h"
#include "display/CallBoardEngine.h"
#include "display/settings/frmSettings.h"
#include "display/voice/AnnounceCommand.h"
#include "display/voice/AnnouncerLink.h"
#include "display/voice/AnnouncerServer.h"
#include "display/voice/AudioRecordingPlayer.h"
#include "display/voice/CallAnnouncement.h"
#include "display/voice/VoiceProgram.h"
#include "display/voice/vs.h"

#include "DisplayTestSupport.h"
#include "testsupport/TestEnv.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QTest>
#include <QTextStream>

using vs::AnnounceChoice;
using vs::AnnouncerSettings;

namespace {

QStringList in(const QString& language, const QStringList& names)
{
    QStringList out;
    for (const QString& n : names)
        out << QStringLiteral("vs/") + language + QLatin1Char('/') + n;
    return out;
}

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

AnnouncerSettings defaults(AnnounceChoice choice = AnnounceChoice::Both)
{
    return {vs::defaultTemplate1(), vs::defaultTemplate2(), choice};
}

// The two default templates for a token and a counter label, written as the words each rule set
// gives: english "ding token <token> please roomno <counter>", hindi the same and "go".
QStringList bothTemplates(const char* token1, const char* counter1, const char* token2, const char* counter2)
{
    return in(QStringLiteral("english"),
              words("ding token") + words(token1) + words("please roomno") + words(counter1)) +
           in(QStringLiteral("hindi"),
              words("ding token") + words(token2) + words("please roomno") + words(counter2) + words("go"));
}

} // namespace

TEST(CallAnnouncement, CounterLabelIsTheLastWordOfTheCaptionThatHoldsADigit)
{
    EXPECT_EQ(vs::counterLabel(QStringLiteral("Room 3")), QStringLiteral("3"));
    EXPECT_EQ(vs::counterLabel(QStringLiteral("C12")), QStringLiteral("C12"));
    EXPECT_EQ(vs::counterLabel(QStringLiteral("Room 3 Desk 5")), QStringLiteral("5"));
    EXPECT_EQ(vs::counterLabel(QStringLiteral("Desk 4-B.")), QStringLiteral("4B"));
    // No digit in the caption: the counter's name on the second line, else nothing to say.
    EXPECT_EQ(vs::counterLabel(QStringLiteral("Pharmacy"), QStringLiteral("Counter 3")), QStringLiteral("3"));
    EXPECT_EQ(vs::counterLabel(QStringLiteral("Pharmacy")), QString());
    EXPECT_EQ(vs::counterLabel(QString()), QString());
}

TEST(CallAnnouncement, BothTemplatesWithTheirOwnRuleSets)
{
    const QString room3 = vs::counterLabel(QStringLiteral("Room 3"));
    const QString c12 = vs::counterLabel(QStringLiteral("C12"));
    auto said = [&](const char* label, const QString& counter) {
        return vs::announceCall(QString::fromLatin1(label), counter, defaults()).recordings;
    };
    EXPECT_EQ(said("A12", room3), bothTemplates("a.wav 12.wav", "3.wav", "a.wav 12.wav", "3.wav"));
    // The letters come first wherever they stand.
    EXPECT_EQ(said("12A", c12),
              bothTemplates("a.wav 12.wav", "c.wav 12.wav", "a.wav 12.wav", "c.wav 12.wav"));
    EXPECT_EQ(said("105", room3),
              bothTemplates("1.wav 00.wav 5.wav", "3.wav", "1.wav 00.wav 5.wav", "3.wav"));
    EXPECT_EQ(said("45000", c12), bothTemplates("40.wav 5.wav thousand.wav", "c.wav 12.wav",
                                                "45.wav thousand.wav", "c.wav 12.wav"));
    EXPECT_EQ(said("A45", QStringLiteral("47")),
              bothTemplates("a.wav 40.wav 5.wav", "40.wav 7.wav", "a.wav 45.wav", "47.wav"));

    const vs::CallAnnouncement first =
        vs::announceCall(QStringLiteral("A12"), room3, defaults(AnnounceChoice::FirstOnly));
    EXPECT_EQ(first.recordings,
              in(QStringLiteral("english"), words("ding token a.wav 12.wav please roomno 3.wav")));
    EXPECT_EQ(vs::printLine(first), QStringLiteral("A12 3 vs/english/ding vs/english/token vs/english/a.wav "
                                                   "vs/english/12.wav vs/english/please vs/english/roomno "
                                                   "vs/english/3.wav"));
    EXPECT_TRUE(
        vs::announceCall(QStringLiteral("A12"), room3, defaults(AnnounceChoice::Off)).recordings.isEmpty());
}

TEST(CallAnnouncement, BadInputIsSaidAsTheRulesSay)
{
    const AnnouncerSettings first = defaults(AnnounceChoice::FirstOnly);
    auto said = [&](const QString& label, const QString& counter, const AnnouncerSettings& s) {
        return vs::announceCall(label, counter, s).recordings;
    };
    // More than fifteen digits: only the letters.
    EXPECT_EQ(said(QStringLiteral("A1234567890123456"), QStringLiteral("3"), first),
              in(QStringLiteral("english"), words("ding token a.wav please roomno 3.wav")));
    // No counter label and no name recording: "room number" is not said with nothing after it.
    EXPECT_EQ(said(QStringLiteral("AB"), QString(), first),
              in(QStringLiteral("english"), words("ding token a.wav b.wav please")));
    const vs::CallAnnouncement noCounter = vs::announceCall(QStringLiteral("A1"), QString(), first);
    EXPECT_TRUE(vs::printLine(noCounter).startsWith(QStringLiteral("A1 - vs/english/ding")));
    // Unknown recordings are named as written (and skipped when played); empty elements are silent.
    EXPECT_EQ(said(QStringLiteral("7"), QStringLiteral("2"),
                   {QStringLiteral("english|chime.mp3||*|nope"), {}, AnnounceChoice::FirstOnly}),
              in(QStringLiteral("english"), words("chime.mp3 7.wav nope")));
    // A template of only its language, or nothing at all, says nothing.
    EXPECT_TRUE(said(QStringLiteral("A1"), QStringLiteral("3"),
                     {QStringLiteral("english"), QString(), AnnounceChoice::Both})
                    .isEmpty());
}

TEST(CallAnnouncement, TheWorkstationChoiceIsStoredByTheSettingsScreen)
{
    TestEnv env;
    EXPECT_EQ(vs::announcerSettings(env.settings()).choice, AnnounceChoice::Both);
    env.db.insert(QStringLiteral("tbltheme"), {{QStringLiteral("themename"), QStringLiteral("Black H")}});
    {
        frmSettings form(*env.ctx);
        form.cmbAnnounce->setCurrentText(QStringLiteral("First Language Only"));
        form.Command1_Click();
    }
    EXPECT_EQ(vs::announcerSettings(env.settings()).choice, AnnounceChoice::FirstOnly);
    frmSettings reloaded(*env.ctx);
    EXPECT_EQ(reloaded.cmbAnnounce->currentText(), QStringLiteral("First Language Only"));
    EXPECT_EQ(vs::announceChoiceFrom(QStringLiteral("off")), AnnounceChoice::Off);
    EXPECT_EQ(vs::announceChoiceFrom(QStringLiteral("something else")), AnnounceChoice::Both);
}

namespace {

// A player that takes as long as the test wants: an announcement ends only when finishOne() says so.
class SlowPlayer : public RecordingPlayer
{
public:
    void play(const vs::CallAnnouncement& announcement, std::function<void()> done) override
    {
        started << vs::printLine(announcement);
        m_done = std::move(done);
    }
    bool playing() const { return bool(m_done); }
    void finishOne()
    {
        auto done = std::move(m_done);
        m_done = nullptr;
        if (done)
            done();
    }
    QStringList started;

private:
    std::function<void()> m_done;
};

announcer::ShownCall call(const char* label, const char* caption)
{
    return {QString::fromLatin1(label), QString::fromLatin1(caption), QString(), QString(), 0};
}

QStringList labelsOf(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        out << line.section(QLatin1Char(' '), 0, 1);
    return out;
}

} // namespace

TEST(AnnouncerQueue, ABurstWaitsItsTurnAndNothingIsLost)
{
    SlowPlayer player;
    QTemporaryDir dir;
    Announcer announcer(player, dir.path(), [] { return defaults(); });
    for (int i = 1; i <= 5; ++i)
        announcer.announce({QStringLiteral("A%1").arg(i), QStringLiteral("Room %1").arg(i), {}, {}, 0});
    EXPECT_EQ(player.started.size(), 1) << "one announcement at a time";
    EXPECT_EQ(announcer.waiting(), 4);
    while (player.playing())
        player.finishOne();
    EXPECT_EQ(labelsOf(player.started),
              (QStringList{QStringLiteral("A1 1"), QStringLiteral("A2 2"), QStringLiteral("A3 3"),
                           QStringLiteral("A4 4"), QStringLiteral("A5 5")}));
    EXPECT_FALSE(announcer.speaking());

    // A player that is done at once (printing) works off a large burst without nesting.
    QString printed;
    QTextStream out(&printed);
    PrintingPlayer printer(out);
    Announcer fast(printer, dir.path(), [] { return defaults(AnnounceChoice::FirstOnly); });
    for (int i = 0; i < 20000; ++i)
        fast.announce({QString::number(i), QStringLiteral("C12"), {}, {}, 0});
    const QStringList lines = printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20000);
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("0 C12 ")));
    EXPECT_TRUE(lines.last().startsWith(QStringLiteral("19999 C12 ")));

    // Switched off: nothing is queued.
    Announcer off(player, dir.path(), [] { return defaults(AnnounceChoice::Off); });
    off.announce(call("A9", "Room 9"));
    EXPECT_EQ(off.waiting(), 0);
    EXPECT_FALSE(off.speaking());
}

TEST(AnnouncerQueue, AMissingRecordingsFolderIsNamedOnceWithItsFiles)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("vs/english"));
    SlowPlayer player;
    QStringList warnings;
    Announcer announcer(player, dir.path(), [] { return defaults(); });
    announcer.setWarn([&](const QString& w) { warnings << w; });
    announcer.announce(call("A1", "Room 1"));
    announcer.announce(call("A2", "Room 2"));
    ASSERT_EQ(warnings.size(), 1) << warnings.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(warnings.first().contains(QDir::cleanPath(dir.path() + QStringLiteral("/vs/hindi"))));
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("ding, token, please, roomno, go")));
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("a.wav")));
    EXPECT_TRUE(Announcer::missingFolders(dir.path(), defaults(AnnounceChoice::FirstOnly)).isEmpty());
}

namespace {

class AnnouncerLinkTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        today = env->clock.todayText();
        table.reset(4, 4);
    }

    Hall hall;
    QString today;
    BoardTable table;
};

} // namespace

// The board hands every call it shows to the announcer while the announcer is still busy with the
// first one: the board goes on polling, the calls queue up and are announced in the board's order; a
// recall of a call still waiting takes its place.
TEST_P(AnnouncerLinkTest, TheBoardNeverWaitsAndEveryShownCallIsAnnouncedInOrder)
{
    SlowPlayer player;
    Announcer announcer(player, env->dir.path(), [] { return defaults(AnnounceChoice::FirstOnly); });
    AnnouncerServer server(announcer, env->dir.path());
    ASSERT_EQ(server.start(), AnnouncerServer::Start::Listening);

    AnnouncerLink link(announcer::socketPath(env->dir.path()));
    CallBoardEngine board(env->db, env->session, env->clock, table);
    board.setShownCallSink(&link);
    // Another board shows only Counter 3; what it takes this board never shows.
    Session otherSession = env->session;
    otherSession.counterFilter = QStringLiteral("and(servAuto=%1)").arg(hall.counter3);
    BoardTable otherTable;
    otherTable.reset(4, 4);
    CallBoardEngine other(env->db, otherSession, env->clock, otherTable);

    addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    addCall(env->db, hall.counter2, QStringLiteral("A2"), QStringLiteral("Room 2"), today);
    addCall(env->db, hall.counter3, QStringLiteral("B100"), QStringLiteral("Lab"), today,
            QStringLiteral("Counter 3"));
    EXPECT_TRUE(other.Timer1_Timer()) << "the other board takes the Lab call";
    addCall(env->db, hall.counter1, QStringLiteral("A3"), QStringLiteral("C12"), today);

    for (int tick = 0; tick < 3; ++tick)
        EXPECT_TRUE(board.Timer1_Timer());
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.playing(); }, 10000));
    // A recall of A2 while A1 is still being spoken.
    env->db.exec(QStringLiteral("update tblCall set status1='0' where no_abr='A2'"));
    EXPECT_TRUE(board.Timer1_Timer());
    EXPECT_FALSE(board.Timer1_Timer()) << "nothing left";
    EXPECT_EQ(table.text(1, 1), QStringLiteral("A2 "));
    EXPECT_EQ(player.started.size(), 1) << "the first announcement is still playing";

    ASSERT_TRUE(QTest::qWaitFor([&] { return announcer.waiting() == 2; }, 10000));
    EXPECT_EQ(announcer.waitingLabels(), (QStringList{QStringLiteral("A2"), QStringLiteral("A3")}));
    while (player.playing())
        player.finishOne();
    EXPECT_EQ(labelsOf(player.started),
              (QStringList{QStringLiteral("A1 1"), QStringLiteral("A2 2"), QStringLiteral("A3 C12")}));
}

TEST_P(AnnouncerLinkTest, CallsPendingWhenTheBoardOpensAreAnnouncedOldestFirst)
{
    struct Recorder : ShownCallSink
    {
        void callShown(const CallRow& c) override { labels << c.label; }
        QStringList labels;
    } recorder;
    const qint64 shownBefore =
        addCall(env->db, hall.counter1, QStringLiteral("A1"), QStringLiteral("Room 1"), today);
    env->db.exec(QStringLiteral("update tblCall set status1='1' where callauto=?"), {shownBefore});
    addCall(env->db, hall.counter1, QStringLiteral("A2"), QStringLiteral("Room 1"), today);
    addCall(env->db, hall.counter2, QStringLiteral("A3"), QStringLiteral("Room 2"), today);

    CallBoardEngine::setDefaultShownCallSink(&recorder);
    CallBoardEngine board(env->db, env->session, env->clock, table);
    CallBoardEngine::setDefaultShownCallSink(nullptr);
    board.addFirst();
    EXPECT_EQ(recorder.labels, (QStringList{QStringLiteral("A2"), QStringLiteral("A3")}))
        << "A1 was shown before; the others come oldest first";
}

TEST_P(AnnouncerLinkTest, NobodyListeningDropsTheCallAndALaterAnnouncerHearsTheNextOnes)
{
    QString printed;
    QTextStream out(&printed);
    QString errors;
    QTextStream err(&errors);
    AnnouncerLink link(announcer::socketPath(env->dir.path()));
    link.send(call("A1", "Room 1"));
    QCoreApplication::processEvents();

    VoiceProgram voice(env->dir.path(), env->settings().fileName(), out, err);
    ASSERT_FALSE(voice.start({QStringLiteral("--print")}).has_value()) << errors.toStdString();
    link.send(call("A2", "Room 3"));
    link.send(call("12A", "C12"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return printed.count(QLatin1Char('\n')) == 2; }, 10000))
        << printed.toStdString();
    const QStringList lines = printed.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines.at(0),
              QStringLiteral("A2 3 ") +
                  bothTemplates("a.wav 2.wav", "3.wav", "a.wav 2.wav", "3.wav").join(QLatin1Char(' ')));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("12A C12 vs/english/ding")));
    EXPECT_TRUE(errors.contains(QStringLiteral("vs/english"))) << "this test installation has no recordings";
}

TEST_P(AnnouncerLinkTest, OneAnnouncerPerWorkstation)
{
    QString text;
    QTextStream out(&text);
    QTextStream err(&text);
    auto first = std::make_unique<VoiceProgram>(env->dir.path(), env->settings().fileName(), out, err);
    ASSERT_FALSE(first->start({QStringLiteral("--print")}).has_value()) << text.toStdString();

    VoiceProgram second(env->dir.path(), env->settings().fileName(), out, err);
    EXPECT_EQ(second.start({QStringLiteral("--print")}).value_or(-1), 0);
    EXPECT_TRUE(text.contains(QStringLiteral("an announcer is already running"))) << text.toStdString();

    // Another installation folder has an announcer of its own.
    QTemporaryDir elsewhere;
    VoiceProgram third(elsewhere.path(), env->settings().fileName(), out, err);
    EXPECT_FALSE(third.start({}).has_value());

    // Once the first has gone, the next one takes over.
    first.reset();
    VoiceProgram fourth(env->dir.path(), env->settings().fileName(), out, err);
    EXPECT_FALSE(fourth.start({QStringLiteral("--print")}).has_value()) << text.toStdString();

    text.clear();
    VoiceProgram help(env->dir.path(), env->settings().fileName(), out, err);
    EXPECT_EQ(help.start({QStringLiteral("--help")}).value_or(-1), 0);
    EXPECT_TRUE(text.startsWith(QStringLiteral("usage: voice [--print]")));
    EXPECT_EQ(help.start({QStringLiteral("--loud")}).value_or(-1), 2);
}

TEST_P(AnnouncerLinkTest, CtlAnnouncePrintsWhatTheAnnouncerWouldSay)
{
    env->db.exec(QStringLiteral("update tblCounter set displayName='C12' where cntAuto=?"), {hall.counter2});
    QString printed;
    QString errors;
    QTextStream out(&printed);
    QTextStream err(&errors);
    EXPECT_EQ(announceCommand(*env->ctx,
                              {QStringLiteral("A12"), QStringLiteral("--counter"),
                               QStringLiteral("Counter 2"), QStringLiteral("--print")},
                              out, err),
              0);
    EXPECT_EQ(printed.trimmed(), QStringLiteral("A12 C12 ") + bothTemplates("a.wav 12.wav", "c.wav 12.wav",
                                                                            "a.wav 12.wav", "c.wav 12.wav")
                                                                  .join(QLatin1Char(' ')));
    printed.clear();
    // The Lab counter's caption has no digit: its name says 3.
    EXPECT_EQ(announceCommand(*env->ctx,
                              {QStringLiteral("B105"), QStringLiteral("--counter"), QStringLiteral("Lab"),
                               QStringLiteral("--print")},
                              out, err),
              0);
    EXPECT_TRUE(printed.startsWith(QStringLiteral("B105 3 "))) << printed.toStdString();

    EXPECT_EQ(announceCommand(*env->ctx,
                              {QStringLiteral("A1"), QStringLiteral("--counter"), QStringLiteral("Nowhere")},
                              out, err),
              1);
    EXPECT_TRUE(errors.contains(QStringLiteral("No counter is named Nowhere")));
    EXPECT_EQ(announceCommand(*env->ctx, {QStringLiteral("A1")}, out, err), 2);
}

BRIVANE_STORE_TEST_SUITE(AnnouncerLinkTest);

TEST(AudioRecordingPlayer, MissingRecordingsOrNoOutputNeverHoldUpTheQueue)
{
    QTemporaryDir dir;
    QStringList warnings;
    AudioRecordingPlayer player(dir.path(), [&](const QString& w) { warnings << w; });
    Announcer announcer(player, dir.path(), [] { return defaults(); });
    announcer.announce(call("A1", "Room 1"));
    announcer.announce(call("A2", "Room 2"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !announcer.speaking(); }, 10000));
    EXPECT_EQ(announcer.waiting(), 0);
    // Without an audio output it is said once, not for every call.
    EXPECT_EQ(warnings.filter(QStringLiteral("no audio output")).size(),
              QMediaDevices::defaultAudioOutput().isNull() ? 1 : 0);
}

// The program itself, as the main window starts it: a second one ends at once with exit code 0, the
// first prints what the board sends it.
TEST(VoiceProgramRun, ASecondAnnouncerEndsAndTheFirstHearsTheBoard)
{
    const QString voice = QCoreApplication::applicationDirPath() + QStringLiteral("/voice");
    ASSERT_TRUE(QFileInfo(voice).isExecutable()) << voice.toStdString();
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BRIVANE_HOME"), home.path());
    environment.insert(QStringLiteral("BRIVANE_SETTINGS"), home.filePath(QStringLiteral("settings.ini")));
    // The program looks for its socket's folder as this test does.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir::tempPath());

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(voice, {QStringLiteral("--print")});
    ASSERT_TRUE(first.waitForStarted());
    // It is listening once it has said what the recordings folder lacks.
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.readAllStandardError().contains("vs/english"); }, 10000));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(voice, {QStringLiteral("--print")});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("an announcer is already running"));

    AnnouncerLink link(announcer::socketPath(home.path()));
    link.send(call("A12", "Room 3"));
    QByteArray printed;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            printed += first.readAllStandardOutput();
            return printed.contains('\n');
        },
        10000));
    EXPECT_TRUE(
        printed.startsWith("A12 3 vs/english/ding vs/english/token vs/english/a.wav vs/english/12.wav"))
        << printed.toStdString();
    // Stopped, it leaves no socket or lock behind.
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(announcer::socketPath(home.path())));
    EXPECT_FALSE(QFileInfo::exists(announcer::lockPath(home.path())));
}
