#include "core/CommandRegistry.h"
#include "core/WorkstationConnect.h"
#include "testsupport/TestEnv.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Connect : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!pgServerFromEnvironment(server))
            GTEST_SKIP() << "needs a PostgreSQL test server (BRIVANE_PG)";
        pathFile = config.filePath(QStringLiteral("path.txt"));
        QFile f(pathFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(";brivane.db;;;\n");
    }
    // Every failure names its cause and leaves the working path.txt as it was.
    void expectRefused(const ConnectionValues& values, workstation::ConnectFailure failure, const char* words)
    {
        const workstation::ConnectResult r =
            workstation::connect(values, config.filePath(QStringLiteral("path.txt")));
        EXPECT_EQ(r.failure, failure) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QLatin1String(words))) << r.message.toStdString();
        EXPECT_EQ(contentOf(pathFile), QByteArray(";brivane.db;;;\n"));
    }

    ConnectionValues server;
    QTemporaryDir config;
    QString pathFile;
};

} // namespace

TEST_F(Connect, EachFailureSaysWhyAndKeepsPathTxt)
{
    ConnectionValues wrongPassword = server;
    wrongPassword.password = QStringLiteral("not-the-password");
    expectRefused(wrongPassword, workstation::ConnectFailure::WrongPassword, "refused user");

    ConnectionValues noDatabase = server;
    noDatabase.database = QStringLiteral("no_such_hall");
    expectRefused(noDatabase, workstation::ConnectFailure::NoDatabase, "has no database no_such_hall");

    // The maintenance database belongs to the server's superuser: our user may connect but not
    // create tables there.
    ConnectionValues noRights = server;
    noRights.database = QStringLiteral("postgres");
    expectRefused(noRights, workstation::ConnectFailure::NoRights, "lacks rights");

    ConnectionValues unreachable = server;
    unreachable.host = QStringLiteral("127.0.0.1:1");
    expectRefused(unreachable, workstation::ConnectFailure::Unreachable, "Cannot reach the database server");

    ConnectionValues badValue = server;
    badValue.password = QStringLiteral("a;b");
    expectRefused(badValue, workstation::ConnectFailure::BadValue, "cannot hold");
}

TEST_F(Connect, WritesPathTxtForOnlyItsOwnerAfterCreatingTheSchema)
{
    const QString name = QStringLiteral("brivane_connect_test");
    {
        Database admin;
        admin.open(server, QString());
        admin.exec(QStringLiteral("drop database if exists %1").arg(name));
        admin.exec(QStringLiteral("create database %1").arg(name));
    }
    ConnectionValues hall = server;
    hall.database = name;

    // Through brivane-ctl, as a hall's installer uses it.
    TestEnv env;
    env.ctx->where.config = config.path();
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const CommandRegistry::Command* connect = env.commands.find(QStringLiteral("connect"));
    ASSERT_NE(connect, nullptr);
    EXPECT_FALSE(connect->needsDatabase);
    EXPECT_EQ(connect->run(*env.ctx,
                           {hall.host, name, hall.user, QStringLiteral("--password"), hall.password}, out,
                           err),
              0)
        << errText.toStdString();

    EXPECT_EQ(contentOf(pathFile),
              QStringLiteral("%1;%2;%3;%4;\n").arg(hall.host, name, hall.user, hall.password).toUtf8());
    EXPECT_EQ(QFile::permissions(pathFile) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner);
    Database check;
    check.open(hall, QString());
    EXPECT_TRUE(check.query(QStringLiteral("select * from tblTicket")).isEmpty());
    check.close();

    EXPECT_EQ(connect->run(*env.ctx, {hall.host, name}, out, err), 2);

    // With --path-file FILE the named file is written, not the path.txt beside it.
    const QString site = config.filePath(QStringLiteral("site.txt"));
    env.ctx->where.pathFile = site;
    EXPECT_EQ(connect->run(*env.ctx,
                           {hall.host, name, hall.user, QStringLiteral("--password"), hall.password,
                            QStringLiteral("--sslmode"), QStringLiteral("disable")},
                           out, err),
              0)
        << errText.toStdString();
    EXPECT_EQ(contentOf(site), QStringLiteral("%1;%2;%3;%4;sslmode=disable\n")
                                   .arg(hall.host, name, hall.user, hall.password)
                                   .toUtf8());
    EXPECT_TRUE(outText.contains(site));
    // A later connect keeps the file's options.
    EXPECT_EQ(connect->run(*env.ctx,
                           {hall.host, name, hall.user, QStringLiteral("--password"), hall.password}, out,
                           err),
              0);
    EXPECT_TRUE(contentOf(site).endsWith("sslmode=disable\n"));
    EXPECT_EQ(
        connect->run(*env.ctx,
                     {hall.host, name, hall.user, QStringLiteral("--sslmode"), QStringLiteral("always")}, out,
                     err),
        2);
}
