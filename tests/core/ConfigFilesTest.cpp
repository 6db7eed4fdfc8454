#include "core/ConnectionFiles.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "testsupport/OtherProgram.h"
#include "testsupport/TestEnv.h"

#include <QFile>
#include <QTemporaryDir>

using namespace connectionFiles;

TEST(PathFile, FiveFieldsFillTheFourConnectionValues)
{
    QTemporaryDir dir;
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), "db01;queue;sa;p4ss;x\r\n");
    ConnectionValues v;
    EXPECT_EQ(readPathFile(env.dir.path(), v), QString());
    EXPECT_EQ(v.host, QStringLiteral("db01"));
    EXPECT_EQ(v.database, QStringLiteral("queue"));
    EXPECT_EQ(v.user, QStringLiteral("sa"));
    EXPECT_EQ(v.password, QStringLiteral("p4ss"));
}

TEST(PathFile, AByteOrderMarkIsNoPartOfTheHost)
{
    TestEnv env;
    env.writeFile(QStringLiteral("path.txt"), "\xEF\xBB\xBF"
                                              "db01;queue;sa;p4ss;\n");
    ConnectionValues v;
    EXPECT_EQ(readPathFile(env.dir.path(), v), QString());
    EXPECT_EQ(v.host, QStringLiteral("db01"));
}

TEST(PathFile, ItemsSplitAtCommasAndLineEndsAndOnlyTheLastCounts)
{
    TestEnv env;
    ConnectionValues v;
    // Quotes and surrounding spaces are removed; an empty fifth field is fine.
    env.writeFile(QStringLiteral("path.txt"), "old;db;u;p;\n  \"srv;brivane;app;secret;\"  \n");
    EXPECT_EQ(readPathFile(env.dir.path(), v), QString());
    EXPECT_EQ(v.host, QStringLiteral("srv"));
    EXPECT_EQ(v.password, QStringLiteral("secret"));

    // A comma splits the line: the fields before it are lost.
    ConnectionValues w;
    env.writeFile(QStringLiteral("path.txt"), "srv;brivane,app;secret;x;y;");
    EXPECT_EQ(readPathFile(env.dir.path(), w), QString());
    EXPECT_EQ(w.host, QStringLiteral("app"));
    EXPECT_EQ(w.database, QStringLiteral("secret"));
}

TEST(PathFile, TooFewFieldsKeepWhatWasReadAndReportTheFailure)
{
    TestEnv env;
    ConnectionValues v;
    v.password = QStringLiteral("before");
    env.writeFile(QStringLiteral("path.txt"), "h;d;u;p");
    EXPECT_FALSE(readPathFile(env.dir.path(), v).isEmpty());
    EXPECT_EQ(v.host, QStringLiteral("h"));
    EXPECT_EQ(v.password, QStringLiteral("p"));

    ConnectionValues w;
    w.password = QStringLiteral("kept");
    env.writeFile(QStringLiteral("path.txt"), "h;d");
    EXPECT_FALSE(readPathFile(env.dir.path(), w).isEmpty());
    EXPECT_EQ(w.database, QStringLiteral("d"));
    EXPECT_EQ(w.password, QStringLiteral("kept"));

    QTemporaryDir empty;
    ConnectionValues x;
    EXPECT_TRUE(readPathFile(empty.path(), x).contains(QStringLiteral("File not found")));
}

TEST(ExitCodeFile, LastItemEmptyGivesTheDefaultAndMissingFileFails)
{
    TestEnv env;
    QString code, error;
    env.writeFile(QStringLiteral("code.txt"), "1111\n2468\n");
    EXPECT_TRUE(readExitCode(env.dir.path(), code, error));
    EXPECT_EQ(code, QStringLiteral("2468"));
    env.writeFile(QStringLiteral("code.txt"), "");
    EXPECT_TRUE(readExitCode(env.dir.path(), code, error));
    EXPECT_EQ(code, QStringLiteral("7394"));
    env.writeFile(QStringLiteral("code.txt"), "  \"55\"  ");
    EXPECT_TRUE(readExitCode(env.dir.path(), code, error));
    EXPECT_EQ(code, QStringLiteral("55"));
    QTemporaryDir empty;
    EXPECT_FALSE(readExitCode(empty.path(), code, error));
    EXPECT_TRUE(code.isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(SettingsStore, NamesAreCaseInsensitiveAndReadersSupplyDefaults)
{
    TestEnv env;
    Settings& s = env.settings();
    EXPECT_EQ(s.get(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"),
                    QStringLiteral("HR1")),
              QStringLiteral("HR1"));
    s.set(QStringLiteral("Queue"), QStringLiteral("theme"), QStringLiteral("theme"), QStringLiteral("Blue"));
    EXPECT_EQ(s.get(QStringLiteral("queue"), QStringLiteral("THEME"), QStringLiteral("Theme")),
              QStringLiteral("Blue"));
    s.set(QStringLiteral("q"), QStringLiteral("multi"), QStringLiteral("caption"), 1);
    EXPECT_EQ(s.getNumber(QStringLiteral("Q"), QStringLiteral("Multi"), QStringLiteral("CAPTION"), 0), 1);
    EXPECT_EQ(s.getNumber(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), 30),
              30);
    s.set(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), QStringLiteral("fast"));
    EXPECT_EQ(s.getNumber(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), 30),
              30);
    // Values survive into another reader of the same file.
    Settings again(s.fileName());
    EXPECT_EQ(again.get(QStringLiteral("QUEUE"), QStringLiteral("theme"), QStringLiteral("theme")),
              QStringLiteral("Blue"));
}

// A long-running program reads what another program (brivane-ctl setting, another run) wrote since,
// and its own writes keep the other program's values.
TEST(SettingsStore, ReadsSeeAnotherProgramsWritesAndWritesKeepThem)
{
    TestEnv env;
    Settings& s = env.settings();
    s.set(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name"), QStringLiteral("Old"));
    EXPECT_EQ(s.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name")),
              QStringLiteral("Old"));

    setAsAnotherProgram(s.fileName(), QStringLiteral("queue"), QStringLiteral("printer"),
                        QStringLiteral("name"), QStringLiteral("New"));
    setAsAnotherProgram(s.fileName(), QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"),
                        QStringLiteral("3"));
    EXPECT_EQ(s.get(QStringLiteral("queue"), QStringLiteral("printer"), QStringLiteral("name")),
              QStringLiteral("New"));
    EXPECT_EQ(s.getNumber(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"), 1), 3);
    EXPECT_TRUE(s.contains(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos")));

    s.set(QStringLiteral("queue"), QStringLiteral("scroll"), QStringLiteral("speed"), QStringLiteral("40"));
    QFile file(s.fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("printer\\name=New")) << text.constData();
    EXPECT_TRUE(text.contains("print\\nos=3"));
    EXPECT_TRUE(text.contains("scroll\\speed=40"));
}

// Values written by another tool (an installer, a script) without quotes are read as the text they are,
// commas and all: a display's counter list "3,5" shows those two counters, not every counter.
TEST(SettingsStore, UnquotedValuesWithCommasAreReadAsWritten)
{
    TestEnv env;
    env.writeFile(QStringLiteral("other.ini"), "[q]\ncounterlist\\4=3,5\n[queue]\nprint\\nos=2,\n");
    Settings s(env.path(QStringLiteral("other.ini")));
    EXPECT_EQ(s.get(QStringLiteral("Q"), QStringLiteral("CounterList"), QStringLiteral("4")),
              QStringLiteral("3,5"));
    EXPECT_EQ(s.get(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos")),
              QStringLiteral("2,"));
    EXPECT_EQ(s.getNumber(QStringLiteral("queue"), QStringLiteral("print"), QStringLiteral("nos"), 1), 1);
    env.session.themeId = 4;
    buildCounterFilter(s, env.session);
    EXPECT_EQ(env.session.counterFilter, QStringLiteral("and(servAuto=3 or servAuto=5)"));
}

TEST(CounterFilter, ListsBecomeOrTermsAndBadItemsAreSkipped)
{
    EXPECT_EQ(counterFilterFor(QString()), QStringLiteral("and 1=1"));
    EXPECT_EQ(counterFilterFor(QStringLiteral("12")), QStringLiteral("and(servAuto=12)"));
    EXPECT_EQ(counterFilterFor(QStringLiteral("3,5")), QStringLiteral("and(servAuto=3 or servAuto=5)"));
    EXPECT_EQ(counterFilterFor(QStringLiteral("3,,5")), QStringLiteral("and(servAuto=3 or servAuto=5)"));
    EXPECT_EQ(counterFilterFor(QStringLiteral("3;drop table x,7")), QStringLiteral("and(servAuto=7)"));
    EXPECT_EQ(counterFilterFor(QStringLiteral(",")), QStringLiteral("and 1=1"));

    TestEnv env;
    env.session.themeId = 4;
    env.settings().set(QStringLiteral("Q"), QStringLiteral("CounterList"), QStringLiteral("4"),
                       QStringLiteral("2,9"));
    buildCounterFilter(env.settings(), env.session);
    EXPECT_EQ(env.session.counterFilter, QStringLiteral("and(servAuto=2 or servAuto=9)"));
    env.session.themeId = 5;
    buildCounterFilter(env.settings(), env.session);
    EXPECT_EQ(env.session.counterFilter, QStringLiteral("and 1=1"));
}
