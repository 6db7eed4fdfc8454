// Statements with values are prepared once per connection and kept for the next run of the same text,
// on both stores. What must not change with that: every run sees what other workstations wrote, leaves
// them free to write, and the same text may run again while its rows are still being read.

#include "core/Database.h"
#include "testsupport/TestEnv.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

QStringList* warnings = nullptr;

void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (warnings && type != QtDebugMsg && type != QtInfoMsg)
        warnings->append(text);
}

} // namespace

class KeptStatementsTest : public StoreTest
{
protected:
    static QString activeDepts()
    {
        return QStringLiteral("select deptName from tblDept where active=? order by deptAuto");
    }
    static QStringList names(const ResultSet& rs)
    {
        QStringList n;
        for (int i = 0; i < rs.size(); ++i)
            n.append(rs.text(i, 0));
        return n;
    }
    qint64 addDept(Database& db, const QString& name)
    {
        return db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), name},
                                                     {QStringLiteral("deptDesc"), QStringLiteral("Walk-In")},
                                                     {QStringLiteral("active"), 1}});
    }
};

// As a board polls: the same statement again and again, while another workstation writes in between and
// this one writes too.
TEST_P(KeptStatementsTest, RepeatedRunsSeeOtherWritesAndLeaveBothSidesFreeToWrite)
{
    Database& db = env->db;
    const auto other = env->secondConnection();
    const qint64 first = addDept(db, QStringLiteral("General"));
    EXPECT_EQ(names(db.query(activeDepts(), {1})), QStringList{QStringLiteral("General")});

    addDept(*other, QStringLiteral("Lab"));
    EXPECT_EQ(names(db.query(activeDepts(), {1})),
              (QStringList{QStringLiteral("General"), QStringLiteral("Lab")}));

    // The kept statement holds nothing between its runs: both connections write at once afterwards.
    EXPECT_EQ(other->exec(QStringLiteral("update tblDept set active=? where deptAuto=?"), {0, first}), 1);
    EXPECT_EQ(db.exec(QStringLiteral("update tblDept set deptDesc=? where deptAuto=?"),
                      {QStringLiteral("Report"), first}),
              1);
    EXPECT_EQ(names(db.query(activeDepts(), {1})), QStringList{QStringLiteral("Lab")});
    EXPECT_EQ(names(other->query(activeDepts(), {0})), QStringList{QStringLiteral("General")});

    if (GetParam() == Store::Sqlite) {
        // No run keeps an old view of the file open, so everything written can go into it.
        addDept(*other, QStringLiteral("X-Ray"));
        const ResultSet cp = other->query(QStringLiteral("PRAGMA wal_checkpoint(PASSIVE)"));
        ASSERT_EQ(cp.size(), 1);
        EXPECT_EQ(cp.number(0, 0), 0) << "busy";
        EXPECT_EQ(cp.number(0, 1), cp.number(0, 2)) << "every frame of the log written back";
    }
}

// The same text run again inside the loop over its own rows gets a statement of its own.
TEST_P(KeptStatementsTest, TheSameTextRunsAgainWhileItsRowsAreRead)
{
    if (GetParam() == Store::Postgres)
        GTEST_SKIP() << "PostgreSQL's driver reads one result at a time on a connection";
    Database& db = env->db;
    for (const char* n : {"General", "Lab", "X-Ray"})
        addDept(db, QString::fromLatin1(n));
    const QString byName = QStringLiteral("select deptName from tblDept where deptName>=? order by deptName");
    QStringList seen;
    db.forEachRow(byName, {QStringLiteral("A")}, [&](const ListedRow& row) {
        const QString name = row.text(0);
        seen.append(name + QLatin1Char(':') + names(db.query(byName, {name})).join(QLatin1Char(',')));
    });
    EXPECT_EQ(seen, (QStringList{QStringLiteral("General:General,Lab,X-Ray"), QStringLiteral("Lab:Lab,X-Ray"),
                                 QStringLiteral("X-Ray:X-Ray")}));
    // And the kept statement still runs afterwards.
    EXPECT_EQ(names(db.query(byName, {QStringLiteral("M")})), QStringList{QStringLiteral("X-Ray")});
}

// A table changed on this connection: the kept statements go, and the same text reads the new table.
TEST_P(KeptStatementsTest, AChangedTableIsReadAsItIsNow)
{
    Database& db = env->db;
    db.exec(QStringLiteral("create table tmpKept (a integer, b varchar(20))"));
    db.exec(QStringLiteral("insert into tmpKept (a, b) values (1, 'one')"));
    const QString sql = QStringLiteral("select * from tmpKept where a=?");
    EXPECT_EQ(db.query(sql, {1}).columns().size(), 2);
    db.exec(QStringLiteral("alter table tmpKept add column c varchar(20)"));
    db.exec(QStringLiteral("update tmpKept set c='new' where a=1"));
    const ResultSet rs = db.query(sql, {1});
    ASSERT_EQ(rs.columns().size(), 3);
    EXPECT_EQ(rs.text(0, QStringLiteral("c")), QStringLiteral("new"));
    db.exec(QStringLiteral("drop table tmpKept"));
    EXPECT_THROW(db.query(sql, {1}), DbError);
}

// Closing with statements kept: they go with the connection, quietly.
TEST_P(KeptStatementsTest, ClosingLetsGoOfTheKeptStatements)
{
    Database& db = env->db;
    addDept(db, QStringLiteral("General"));
    ASSERT_EQ(names(db.query(activeDepts(), {1})).size(), 1);
    QStringList seen;
    warnings = &seen;
    const QtMessageHandler previous = qInstallMessageHandler(collectWarnings);
    db.close();
    qInstallMessageHandler(previous);
    warnings = nullptr;
    EXPECT_TRUE(seen.isEmpty()) << seen.join(QLatin1Char('\n')).toStdString();
    EXPECT_THROW(db.query(activeDepts(), {1}), DbError) << "closed";
}

BRIVANE_STORE_TEST_SUITE(KeptStatementsTest);
