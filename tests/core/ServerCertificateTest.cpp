#include "core/CommandRegistry.h"
#include "core/ConnectionFiles.h"
#include "testsupport/StoreOutage.h"
#include "testsupport/TestEnv.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The hall's authority and server certificate, as setup-postgres.sh --tls makes them.
bool makeAuthority(const QString& dir)
{
    QProcess p;
    p.start(QStringLiteral("bash"), {outage::OwnServer::scriptsDir() + QStringLiteral("/make-hall-ca.sh"),
                                     dir, QStringLiteral("localhost"), QStringLiteral("127.0.0.1")});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

struct Told
{
    int code = -1;
    QString out, err;
};

// A workstation is pointed at a server that speaks TLS with a certificate of another authority than
// the hall's (a machine in the middle): verify-full refuses it before anything is sent, and says so.
// With the authority that did sign the server's certificate the workstation connects.
TEST(ServerCertificateTest, VerifyFullRefusesAServerOfAnotherAuthorityBeforeSendingThePassword)
{
    if (QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty() ||
        outage::OwnServer::scriptsDir().isEmpty())
        GTEST_SKIP() << "needs openssl and the scripts";
    QTemporaryDir certs;
    const QString hall = certs.filePath(QStringLiteral("hall"));
    const QString other = certs.filePath(QStringLiteral("other"));
    ASSERT_TRUE(makeAuthority(hall));
    ASSERT_TRUE(makeAuthority(other));
    outage::OwnServer server(
        {QStringLiteral("BRIVANE_PG_TLS_PORT"), QStringLiteral("55461"), other}); // signed by the other one
    if (!server.available())
        GTEST_SKIP() << "needs the PostgreSQL server programs and BRIVANE_PG";
    server.stop(); // started afresh with this run's certificate
    server.resume();
    const ConnectionValues values = server.values();

    TestEnv env;
    QTemporaryDir config;
    env.ctx->where.config = config.path();
    const QString pathFile = config.filePath(QStringLiteral("path.txt"));
    {
        QFile f(pathFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(";brivane.db;;;\n");
    }
    const CommandRegistry::Command* connect = env.commands.find(QStringLiteral("connect"));
    ASSERT_NE(connect, nullptr);
    const auto run = [&](const QString& mode, const QString& ca) {
        Told told;
        QTextStream out(&told.out), err(&told.err);
        QStringList args{values.host,
                         values.database,
                         values.user,
                         QStringLiteral("--password"),
                         values.password,
                         QStringLiteral("--sslmode"),
                         mode};
        if (!ca.isEmpty())
            args << QStringLiteral("--ca") << ca;
        told.code = connect->run(*env.ctx, args, out, err);
        return told;
    };
    const QString installed = config.filePath(QStringLiteral("server-ca.crt"));

    const qsizetype logged = server.log().size();
    const Told refused = run(QStringLiteral("verify-full"), hall + QStringLiteral("/hall-ca.crt"));
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QLatin1String("did not prove it is the hall's database server")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QLatin1String("Nothing was sent to it"))) << refused.err.toStdString();
    EXPECT_EQ(contentOf(pathFile), QByteArray(";brivane.db;;;\n"));
    EXPECT_FALSE(QFile::exists(installed)) << "the authority of a failed connect is not left behind";
    // The server saw the handshake fail; no log-in was ever asked of it.
    QByteArray seen;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            seen = server.log().mid(logged);
            return seen.contains("SSL");
        },
        10000))
        << seen.toStdString();
    EXPECT_FALSE(seen.contains("authorized")) << seen.toStdString();
    EXPECT_FALSE(seen.contains("authentication")) << seen.toStdString();

    // Without the hall's authority the same server is taken at its word: what require cannot prevent.
    EXPECT_EQ(run(QStringLiteral("require"), QString()).code, 0);

    const Told trusted = run(QStringLiteral("verify-full"), other + QStringLiteral("/hall-ca.crt"));
    ASSERT_EQ(trusted.code, 0) << trusted.err.toStdString();
    EXPECT_EQ(contentOf(installed), contentOf(other + QStringLiteral("/hall-ca.crt")));
    EXPECT_EQ(QFile::permissions(installed) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::permissions(pathFile) & ~(QFile::ReadUser | QFile::WriteUser));
    ConnectionValues written;
    EXPECT_EQ(connectionFiles::readPathFile(config.path(), written), QString());
    EXPECT_EQ(written.options, QStringLiteral("sslmode=verify-full sslrootcert=") + installed);
    Database db;
    db.open(written, config.path(), Database::Creation::Refused);
    EXPECT_EQ(db.query(QStringLiteral("select ssl from pg_stat_ssl where pid = pg_backend_pid()")).text(0, 0),
              QStringLiteral("true"));
    db.close();

    // A later connect without --ca keeps the authority.
    EXPECT_EQ(run(QStringLiteral("verify-full"), QString()).code, 0);
    EXPECT_EQ(connectionFiles::readPathFile(config.path(), written), QString());
    EXPECT_TRUE(written.options.contains(QStringLiteral("sslrootcert=") + installed));
}

} // namespace
