// The data layer riding out a PostgreSQL server that goes away: terminated backends, statements cut
// off half-way, transactions, and a server stopped and started again.

#include "core/Database.h"
#include "testsupport/StoreOutage.h"
#include "testsupport/TestEnv.h"

#include <gtest/gtest.h>

namespace {

class StoreSurvivalTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
            GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
        env = std::make_unique<TestEnv>(Store::Postgres);
        admin = env->secondConnection();
        Database::setReopenPause(0);
    }
    void TearDown() override { Database::setReopenPause(1000); }

    qint64 departments(const QString& name)
    {
        return admin->query(QStringLiteral("select count(*) from tblDept where deptName=?"), {name})
            .number(0, 0);
    }
    ConnectionValues adminValues() const { return env->session.connection; }

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<Database> admin;
};

TEST_F(StoreSurvivalTest, AnIdleConnectionEndedByTheServerIsReopenedBeforeTheNextStatement)
{
    Database& db = env->db;
    db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("General")}});
    const qint64 first = outage::backendPid(db);

    outage::terminateBackend(db, *admin);
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblDept")).number(0, 0), 1);
    EXPECT_NE(outage::backendPid(db), first);

    // A change after the server let go was never sent on the old connection: it goes out once, on the
    // new one.
    outage::terminateBackend(db, *admin);
    EXPECT_EQ(db.exec(QStringLiteral("update tblDept set deptName=? where deptName=?"),
                      {QStringLiteral("Casualty"), QStringLiteral("General")}),
              1);
    EXPECT_EQ(departments(QStringLiteral("Casualty")), 1);
    outage::terminateBackend(db, *admin);
    EXPECT_GT(db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Lab")}}), 0);
    EXPECT_EQ(departments(QStringLiteral("Lab")), 1);
    EXPECT_FALSE(db.connectionBroken());
}

TEST_F(StoreSurvivalTest, AReadCutOffHalfWayRunsAgainButAChangeIsReportedAndNotRepeated)
{
    Database& db = env->db;
    {
        outage::TerminateWhileBusy killer(adminValues(), outage::backendPid(db));
        EXPECT_EQ(db.query(QStringLiteral("select 7 from pg_sleep(0.3)")).number(0, 0), 7);
    }

    {
        outage::TerminateWhileBusy killer(adminValues(), outage::backendPid(db));
        try {
            db.exec(QStringLiteral("insert into tblDept (deptName) select 'Late' from pg_sleep(0.3)"));
            ADD_FAILURE() << "a change cut off half-way must be reported";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::OutcomeUnknown);
            EXPECT_EQ(e.description(), DbError::outcomeUnknownText());
        }
    }
    // A statement that reads what its own part wrote is a change too, however it begins.
    {
        outage::TerminateWhileBusy killer(adminValues(), outage::backendPid(db));
        try {
            db.query(QStringLiteral(
                "with i as (insert into tblDept (deptName) values ('Late') returning deptAuto) "
                "select i.deptAuto from i, pg_sleep(0.3)"));
            ADD_FAILURE() << "a change cut off half-way must be reported";
        } catch (const DbError& e) {
            EXPECT_EQ(e.kind(), DbError::Kind::OutcomeUnknown);
        }
    }
    // Not sent again: the server rolled the cut-off statements back, and nothing else came.
    EXPECT_EQ(departments(QStringLiteral("Late")), 0);
    // The next action sees the true state on a new connection.
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblDept")).number(0, 0), 0);
}

TEST_F(StoreSurvivalTest, ATransactionCutOffSavesNothingAndInTransactionRunsItAgainOnce)
{
    Database& db = env->db;
    try {
        Database::Transaction t(db);
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Half")}});
        outage::terminateBackend(db, *admin);
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Half")}});
        t.commit();
        ADD_FAILURE() << "the broken transaction must be reported";
    } catch (const DbError& e) {
        EXPECT_EQ(e.kind(), DbError::Kind::ConnectionLost);
        EXPECT_EQ(e.description(), DbError::unreachableText());
    }
    EXPECT_EQ(departments(QStringLiteral("Half")), 0);

    int attempts = 0;
    db.inTransaction([&] {
        ++attempts;
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Whole")}});
        if (attempts == 1)
            outage::terminateBackend(db, *admin);
    });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(departments(QStringLiteral("Whole")), 1);
}

TEST(StoreRestartTest, WhileTheServerIsDownStatementsSayItPlainlyAndWorkAgainOnceItIsBack)
{
    outage::OwnServer server;
    if (!server.available())
        GTEST_SKIP() << "needs the PostgreSQL server programs and BRIVANE_PG";
    Database::setReopenPause(0);
    Database db;
    db.open(server.values(), QString());
    db.recreateSchema();
    db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("General")}});

    server.stop();
    for (const char* sql : {"select count(*) from tblDept", "update tblDept set active='1'"}) {
        try {
            db.exec(QString::fromLatin1(sql));
            ADD_FAILURE() << "no server, yet " << sql << " worked";
        } catch (const DbError& e) {
            EXPECT_EQ(e.description(), DbError::unreachableText()) << sql;
            EXPECT_TRUE(e.isConnectionFailure());
        }
    }
    EXPECT_TRUE(db.connectionBroken());

    server.resume();
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from tblDept")).number(0, 0), 1);
    EXPECT_EQ(db.exec(QStringLiteral("update tblDept set active='1'")), 1);
    Database::setReopenPause(1000);
}

TEST(StoreRestartTest, ALogInTheServerRefusesGivesTheServersOwnReason)
{
    if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
        GTEST_SKIP() << "needs a PostgreSQL server (BRIVANE_PG)";
    const QStringList parts = qEnvironmentVariable("BRIVANE_PG").split(QLatin1Char(';'));
    ConnectionValues v;
    v.host = parts.value(0);
    v.database = parts.value(1);
    v.user = parts.value(2);
    v.password = QStringLiteral("not-the-password");
    Database db;
    try {
        db.open(v, QString());
        ADD_FAILURE() << "a wrong password was accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("password authentication failed")))
            << e.description().toStdString();
    }
    v.host = QStringLiteral("127.0.0.1:1");
    try {
        db.open(v, QString());
        ADD_FAILURE() << "no server on port 1, yet it opened";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), DbError::unreachableText());
    }
}

} // namespace
