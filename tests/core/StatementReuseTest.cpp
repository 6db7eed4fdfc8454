// Statements run again and again on one connection, the way the board and counter timers run them:
// one left half read, tables that change under a kept statement, and a statement the store refuses,
// on both stores.

#include "testsupport/TestEnv.h"

#include <gtest/gtest.h>

namespace {

class StatementReuse : public StoreTest
{
};

TEST_P(StatementReuse, AStatementLeftHalfReadRunsAgainFromItsFirstRow)
{
    Database& db = env->db;
    for (const char* name : {"Lab", "Desk", "Hall"})
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QString::fromLatin1(name)}});
    const QString byName = QStringLiteral("select deptName from tblDept where deptName<>? order by deptAuto");
    struct Enough
    {
    };
    // A reader that stops after the first row, as an export the user cancels.
    EXPECT_THROW(db.forEachRow(byName, {QStringLiteral("Desk")}, [](const ListedRow&) { throw Enough{}; }),
                 Enough);
    QStringList seen;
    db.forEachRow(byName, {QStringLiteral("Desk")}, [&](const ListedRow& row) { seen.append(row.text(0)); });
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Lab"), QStringLiteral("Hall")}));
    for (const char* left : {"Lab", "Hall", "Nobody"})
        EXPECT_EQ(db.query(byName, {QString::fromLatin1(left)}).size(), left[0] == 'N' ? 3 : 2);
}

TEST_P(StatementReuse, ATableMadeAgainWithOtherColumnsIsReadAsItIsNow)
{
    Database& db = env->db;
    db.exec(QStringLiteral("create table reuse_probe (a integer, b text)"));
    db.exec(QStringLiteral("insert into reuse_probe (a, b) values (?, ?)"), {1, QStringLiteral("one")});
    const QString all = QStringLiteral("select * from reuse_probe where a=?");
    EXPECT_EQ(db.query(all, {1}).text(0, 1), QStringLiteral("one"));
    db.exec(QStringLiteral("drop table reuse_probe"));
    db.exec(QStringLiteral("create table reuse_probe (a integer, b text, c text)"));
    db.exec(QStringLiteral("insert into reuse_probe (a, b, c) values (?, ?, ?)"),
            {1, QStringLiteral("uno"), QStringLiteral("third")});
    const ResultSet rs = db.query(all, {1});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, 2), QStringLiteral("third"));
    db.exec(QStringLiteral("drop table reuse_probe"));
}

TEST_P(StatementReuse, ARefusedStatementIsReportedEachTimeAndOthersGoOn)
{
    Database& db = env->db;
    const QString wrong = QStringLiteral("select nosuchcolumn from tblDept where deptAuto=?");
    for (int i = 0; i < 2; ++i)
        EXPECT_THROW(db.query(wrong, {1}), DbError);
    db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Lab")}});
    EXPECT_EQ(
        db.query(QStringLiteral("select count(*) from tblDept where deptName=?"), {QStringLiteral("Lab")})
            .number(0, 0),
        1);
}

BRIVANE_STORE_TEST_SUITE(StatementReuse);

} // namespace
