#include "display/voice/vs.h"
#include "testsupport/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringList wavs(std::initializer_list<const char*> names)
{
    QStringList out;
    for (const char* n : names)
        out << QLatin1String(n) + QStringLiteral(".wav");
    return out;
}

} // namespace

TEST(VoiceFirstLanguage, NumbersAreBuiltFromDigitsTeensTensAndGroupWords)
{
    EXPECT_EQ(vs::speakNumber(QStringLiteral("105")), wavs({"1", "00", "5"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("1000")), wavs({"1", "000"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("23456")), wavs({"20", "3", "thousand", "4", "00", "50", "6"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("40")), wavs({"40"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("7")), wavs({"7"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("0")), QStringList());
    EXPECT_EQ(vs::speakNumber(QStringLiteral("")), QStringList());
    EXPECT_EQ(vs::speakNumber(QStringLiteral("12")), wavs({"12"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("19")), wavs({"19"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("99")), wavs({"90", "9"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("07")), wavs({"7"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("010")), wavs({"10"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("4012")), wavs({"4", "000", "12"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("450000")), wavs({"4", "00", "50", "thousand"}));
}

TEST(VoiceFirstLanguage, LongNumbersUseMillionBillionTrillionAndStopAfterFifteenDigits)
{
    EXPECT_EQ(vs::speakNumber(QStringLiteral("1234567")),
              wavs({"1", "million", "2", "00", "30", "4", "thousand", "5", "00", "60", "7"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("12000000000")), wavs({"12", "billion", "million", "thousand"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("100000000000000")),
              wavs({"1", "00", "trillion", "billion", "million", "thousand"}));
    // The group word is said even when the leading group is zeros.
    EXPECT_EQ(vs::speakNumber(QStringLiteral("0000")), wavs({"000"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("000005")), wavs({"thousand", "5"}));
    // Sixteen digits and more: only the letters are spoken.
    EXPECT_EQ(vs::speakNumber(QStringLiteral("1234567890123456")), QStringList());
    EXPECT_EQ(vs::speakNumber(QStringLiteral("X1234567890123456")), wavs({"x"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("999999999999999")).size(), 24);
}

TEST(VoiceLetters, LettersAreSpokenLowerCaseBeforeTheNumberWhereverTheyStand)
{
    EXPECT_EQ(vs::speakNumber(QStringLiteral("A12")), wavs({"a", "12"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("12A")), wavs({"a", "12"}));
    EXPECT_EQ(vs::speakNumber(QStringLiteral("B1C05")), wavs({"b", "c", "1", "00", "5"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("R45")), wavs({"r", "45"}));
    EXPECT_EQ(vs::spellLetters(QStringLiteral("Ab")), wavs({"a", "b"}));
    // Digits of other scripts are not digits of the number.
    EXPECT_EQ(vs::speakNumber(QString::fromUtf8("\u0967"
                                                "2")),
              QStringList({QString::fromUtf8("\u0967.wav"), QStringLiteral("2.wav")}));
}

TEST(VoiceSecondLanguage, TwoDigitNumbersHaveARecordingEach)
{
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("45")), wavs({"45"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("10")), wavs({"10"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("40")), wavs({"40"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("7")), wavs({"7"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("0")), QStringList());
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("05")), wavs({"5"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("145")), wavs({"1", "00", "45"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("45000")), wavs({"45", "thousand"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("1000")), wavs({"1", "000"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("23456")), wavs({"23", "thousand", "4", "00", "56"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("98765432")),
              wavs({"98", "million", "7", "00", "65", "thousand", "4", "00", "32"}));
    EXPECT_EQ(vs::speakNumber2(QStringLiteral("A1234567890123456")), wavs({"a"}));
}

TEST(VoiceTemplate, ElementZeroChoosesTheFolderAndStarAndHashBecomeTwelve)
{
    const vs::Announcement first = vs::templateTest(vs::defaultTemplate1(), 1);
    EXPECT_EQ(first.language, QStringLiteral("english"));
    EXPECT_EQ(first.recordings,
              QStringList({QStringLiteral("ding"), QStringLiteral("token"), QStringLiteral("12.wav"),
                           QStringLiteral("please"), QStringLiteral("roomno"), QStringLiteral("12.wav")}));

    const vs::Announcement second = vs::templateTest(vs::defaultTemplate2(), 2);
    EXPECT_EQ(second.language, QStringLiteral("hindi"));
    EXPECT_EQ(second.recordings.last(), QStringLiteral("go"));
    EXPECT_EQ(second.recordings.size(), 7);

    // The folder follows the template, whichever rule set the button uses.
    EXPECT_EQ(vs::templateTest(QStringLiteral("hindi|*"), 1).language, QStringLiteral("hindi"));
    EXPECT_EQ(vs::templateTest(QStringLiteral("english|#"), 2).language, QStringLiteral("english"));
    // Other elements are taken exactly as written, empty ones included.
    EXPECT_EQ(
        vs::templateTest(QStringLiteral("x|Ding.WAV||**| #"), 1).recordings,
        QStringList({QStringLiteral("Ding.WAV"), QString(), QStringLiteral("**"), QStringLiteral(" #")}));
}

TEST(VoiceTemplate, EmptyTemplatesSayNothing)
{
    EXPECT_TRUE(vs::templateTest(QString(), 1).recordings.isEmpty());
    EXPECT_TRUE(vs::templateTest(QStringLiteral("english"), 2).recordings.isEmpty());
}

TEST(VoicePlayer, PlaysEachRecordingOfTheCurrentLanguageFolderInOrder)
{
    TestEnv env;
    vs::Player player(env.sound, env.dir.path());
    player.testTemplate(QStringLiteral("hindi|token|*|go"), 2);
    const QString folder = env.dir.path() + QStringLiteral("/vs/hindi/");
    EXPECT_EQ(env.sound.played,
              QStringList({folder + QStringLiteral("token"), folder + QStringLiteral("12.wav"),
                           folder + QStringLiteral("go")}));
    EXPECT_EQ(player.language, QStringLiteral("hindi"));

    env.sound.played.clear();
    player.speakNumber(QStringLiteral("A105"));
    EXPECT_EQ(env.sound.played,
              QStringList({folder + QStringLiteral("a.wav"), folder + QStringLiteral("1.wav"),
                           folder + QStringLiteral("00.wav"), folder + QStringLiteral("5.wav")}));
}

// The recordings the build generates beside the program: every file the number and letter rules
// and the default templates can ask for is there. Skipped where the recordings were not generated.
TEST(VoiceRecordings, EveryRecordingTheRulesNeedIsInstalled)
{
    const QString vsFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/vs/");
    if (!QFileInfo(vsFolder + QStringLiteral("english")).isDir())
        GTEST_SKIP() << "no recordings generated in " << vsFolder.toStdString();

    auto missing = [&](const vs::Announcement& a) {
        QStringList out;
        for (const QString& r : a.recordings) {
            if (!QFileInfo(vsFolder + a.language + QLatin1Char('/') + r).isFile())
                out << a.language + QLatin1Char('/') + r;
        }
        return out;
    };
    QStringList absent;
    absent << missing(vs::templateTest(vs::defaultTemplate1(), 1));
    absent << missing(vs::templateTest(vs::defaultTemplate2(), 2));
    QStringList english;
    QStringList hindi;
    for (char c = 'A'; c <= 'Z'; ++c) {
        english << vs::speakNumber(QString(QLatin1Char(c)));
        hindi << vs::speakNumber2(QString(QLatin1Char(c)));
    }
    for (int n = 0; n < 10000; ++n) {
        english << vs::speakNumber(QString::number(n));
        hindi << vs::speakNumber2(QString::number(n));
    }
    english << vs::speakNumber(QStringLiteral("12345678901234"));
    hindi << vs::speakNumber2(QStringLiteral("12345678901234"));
    english.removeDuplicates();
    hindi.removeDuplicates();
    absent << missing({QStringLiteral("english"), english});
    absent << missing({QStringLiteral("hindi"), hindi});
    EXPECT_TRUE(absent.isEmpty()) << absent.join(QLatin1Char(' ')).toStdString();
    // 1-19, the tens, hundred, thousand, four group words, 26 letters, three words, the chime and the
    // file naming the folder's synthesizer voice.
    EXPECT_EQ(english.size() + 5, QDir(vsFolder + QStringLiteral("english")).entryList(QDir::Files).size());
    for (const char* language : {"english", "hindi"}) {
        QFile voice(vsFolder + QLatin1String(language) + QStringLiteral("/voice"));
        ASSERT_TRUE(voice.open(QIODevice::ReadOnly)) << language;
        EXPECT_FALSE(voice.readLine().trimmed().isEmpty()) << language;
    }
}
