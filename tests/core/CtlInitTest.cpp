#include "app/Program.h"
#include "core/CommandRegistry.h"
#include "core/Lookups.h"
#include "core/PasswordHash.h"
#include "core/users/Credentials.h"
#include "testsupport/TestEnv.h"

#include <QDir>
#include <QFileInfo>

namespace {

int run(TestEnv& env, const QString& name, const QStringList& args, QString* errText = nullptr)
{
    QString outBuf, errBuf;
    QTextStream out(&outBuf), err(&errBuf);
    const CommandRegistry::Command* c = env.commands.find(name);
    EXPECT_NE(c, nullptr) << name.toStdString();
    const int rc = c ? c->run(*env.ctx, args, out, err) : -1;
    err.flush();
    if (errText)
        *errText = errBuf;
    return rc;
}

} // namespace

TEST(CtlInit, CreatesTheFirstAdministratorAndRefusesEmptyOrDuplicateOnes)
{
    TestEnv env;
    QString err;
    EXPECT_EQ(run(env, QStringLiteral("init"),
                  {QStringLiteral("--admin"), QStringLiteral("boss"), QStringLiteral("--password"),
                   QStringLiteral("")},
                  &err),
              1);
    EXPECT_TRUE(env.db.query(QStringLiteral("select * from tbluser")).isEmpty());
    EXPECT_EQ(run(env, QStringLiteral("init"), {QStringLiteral("--password"), QStringLiteral("x")}), 2);
    EXPECT_EQ(run(env, QStringLiteral("init"),
                  {QStringLiteral("--admin"), QStringLiteral("boss"), QStringLiteral("--password"),
                   QStringLiteral("s3cret")}),
              0);
    const ResultSet rs = env.db.query(QStringLiteral("select * from tbluser"));
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 1), QStringLiteral("boss"));
    EXPECT_TRUE(passwords::isHash(rs.text(0, 2)));
    EXPECT_TRUE(passwords::matches(rs.text(0, 2), QStringLiteral("s3cret")));
    EXPECT_EQ(rs.text(0, 3), QStringLiteral("Admin"));
    EXPECT_EQ(run(env, QStringLiteral("init"),
                  {QStringLiteral("--admin"), QStringLiteral("boss"), QStringLiteral("--password"),
                   QStringLiteral("other")},
                  &err),
              1);
}

// A hall that has an administrator gets no further one from the command line (whoever can read
// path.txt could otherwise make themselves one).
TEST(CtlInit, RefusesWhenTheHallHasAnAdministrator)
{
    TestEnv env;
    seedHall(env.db);
    QString err;
    EXPECT_EQ(run(env, QStringLiteral("init"),
                  {QStringLiteral("--admin"), QStringLiteral("evil"), QStringLiteral("--password"),
                   QStringLiteral("evil")},
                  &err),
              1);
    EXPECT_TRUE(err.contains(QStringLiteral("already has an administrator"))) << err.toStdString();
    EXPECT_EQ(env.db.query(QStringLiteral("select * from tbluser")).size(), 1);
}

TEST(CtlDemo, LoadsAWholeHallOnceWithTheThemeAFreshWorkstationProposes)
{
    TestEnv env;
    EXPECT_EQ(run(env, QStringLiteral("demo"), {}), 0);
    Database& db = env.db;
    QStringList kinds;
    const ResultSet depts =
        db.query(QStringLiteral("select distinct deptDesc from tblDept order by deptDesc"));
    for (int i = 0; i < depts.size(); ++i)
        kinds << depts.text(i, 0);
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("Appointment"), QStringLiteral("Emergency"),
                                  QStringLiteral("Report"), QStringLiteral("Walk-In")}));
    EXPECT_TRUE(
        db.query(QStringLiteral("select * from tblService where abrno is null or abrno=''")).isEmpty());
    EXPECT_GE(db.query(QStringLiteral("select * from tblcounter where active='1'")).size(), 4);
    EXPECT_EQ(db.query(QStringLiteral("Select * from tblComp where compAuto=1")).size(), 1);
    const qint64 theme = lookups::themeIdByName(db, QStringLiteral("Black H"));
    ASSERT_GT(theme, 0);
    EXPECT_EQ(db.query(QStringLiteral("select * from tblpos where themeauto=?"), {theme}).size(), 1);
    EXPECT_EQ(db.query(QStringLiteral("select * from tblheader where themeauto=?"), {theme}).size(), 1);
    EXPECT_GE(db.query(QStringLiteral("select * from tblscroll where active='1'")).size(), 1);
    // The board's media: a clock face, the logo and a video list of the installation folder.
    const ResultSet look = db.query(QStringLiteral("select clockfile, logo, movie from tbltheme"));
    EXPECT_EQ(look.text(0, 0), QStringLiteral("modern.svg"));
    EXPECT_EQ(look.text(0, 1), env.path(QStringLiteral("logo.jpg")));
    EXPECT_EQ(look.text(0, 2), QStringLiteral("1"));
    const ResultSet videos = db.query(QStringLiteral("select vidName from tblvideo where active='1'"));
    ASSERT_EQ(videos.size(), 3);
    EXPECT_EQ(videos.text(0, 0), env.path(QStringLiteral("files/video/demo.ogv")));
    EXPECT_TRUE(users::checkAdministrator(db, QStringLiteral("admin"), QStringLiteral("admin")).has_value());
    // A second run leaves the hall as it is.
    EXPECT_EQ(run(env, QStringLiteral("demo"), {}), 1);
    EXPECT_EQ(db.query(QStringLiteral("select * from tbltheme")).size(), 1);
}

// --path-file names the connection file itself, whatever its name and whatever lies beside it; a
// relative database file is found beside it.
TEST(CtlPathFile, ReadsTheNamedFileNotThePathTxtBesideIt)
{
    TestEnv env;
    ASSERT_TRUE(QDir(env.dir.path()).mkpath(QStringLiteral("cfg")));
    env.writeFile(QStringLiteral("cfg/site.txt"), ";site.db;;;\n");
    env.writeFile(QStringLiteral("cfg/path.txt"), ";other.db;;;\n");
    EXPECT_EQ(openCommandLineDatabase(*env.ctx, QString(), env.path(QStringLiteral("cfg/site.txt"))),
              QString());
    EXPECT_EQ(env.db.description(), env.path(QStringLiteral("cfg/site.db")));
    EXPECT_FALSE(QFileInfo::exists(env.path(QStringLiteral("cfg/other.db"))));

    const QString error =
        openCommandLineDatabase(*env.ctx, QString(), env.path(QStringLiteral("cfg/none.txt")));
    EXPECT_TRUE(error.contains(QStringLiteral("none.txt"))) << qPrintable(error);
}
