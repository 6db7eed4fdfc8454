// Long listings hand their rows over as the store delivers them (on SQLite straight from the
// library, not through the driver). What must hold on both stores: values read as they were
// stored, in every script; values bound as for every other statement; and a listing that ends
// early or is refused leaves nothing behind.

#include "core/Database.h"
#include "testsupport/TestEnv.h"

#include <gtest/gtest.h>

class LongListingTest : public StoreTest
{
protected:
    qint64 addDept(const QString& name, const QVariant& desc, int active = 1)
    {
        return env->db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), name},
                                                          {QStringLiteral("deptDesc"), desc},
                                                          {QStringLiteral("active"), active}});
    }
};

TEST_P(LongListingTest, ValuesAreReadAsTheyWereStored)
{
    const QString hindi = QStringLiteral("सामान्य विभाग");
    const QString arabic = QStringLiteral("قسم الأشعة");
    const qint64 first = addDept(hindi, QStringLiteral("Walk-In"));
    addDept(arabic, QVariant());
    struct Seen
    {
        qint64 key;
        QString name;
        bool descNull;
        QString desc;
        qint64 textAsNumber;
        QVariant key2;
    };
    QList<Seen> seen;
    env->db.forEachRow(
        QStringLiteral("select deptAuto, deptName, deptDesc, '42', deptAuto from tblDept order "
                       "by deptAuto"),
        {}, [&](const ListedRow& r) {
            ASSERT_EQ(r.size(), 5);
            seen.append({r.number(0), r.text(1), r.isNull(2), r.text(2), r.number(3), r.value(4)});
        });
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].key, first);
    EXPECT_EQ(seen[0].name, hindi);
    EXPECT_FALSE(seen[0].descNull);
    EXPECT_EQ(seen[0].desc, QStringLiteral("Walk-In"));
    EXPECT_EQ(seen[0].textAsNumber, 42);
    EXPECT_EQ(seen[0].key2.toLongLong(), first);
    EXPECT_EQ(seen[1].name, arabic);
    EXPECT_TRUE(seen[1].descNull);
    EXPECT_TRUE(seen[1].desc.isEmpty());
}

TEST_P(LongListingTest, ValuesAreBoundAsForEveryOtherStatement)
{
    addDept(QStringLiteral("General"), QStringLiteral("Walk-In"), 1);
    addDept(QStringLiteral("Lab"), QStringLiteral("Report"), 0);
    const auto names = [&](const QString& sql, const QVariantList& params) {
        QStringList n;
        env->db.forEachRow(sql, params, [&](const ListedRow& r) { n.append(r.text(0)); });
        const ResultSet rs = env->db.query(sql, params);
        QStringList queried;
        for (int i = 0; i < rs.size(); ++i)
            queried.append(rs.text(i, 0));
        EXPECT_EQ(n, queried) << sql.toStdString();
        return n;
    };
    // A flag given as true matches the stored "1", as in every other statement.
    EXPECT_EQ(names(QStringLiteral("select deptName from tblDept where active=?"), {true}),
              QStringList{QStringLiteral("General")});
    EXPECT_EQ(names(QStringLiteral("select deptName from tblDept where deptDesc=? or deptAuto=?"),
                    {QStringLiteral("Report"), 1}),
              (QStringList{QStringLiteral("General"), QStringLiteral("Lab")}));
    EXPECT_EQ(
        names(QStringLiteral("select deptName from tblDept where deptName=coalesce(?, 'Lab')"), {QVariant()}),
        QStringList{QStringLiteral("Lab")});
}

TEST_P(LongListingTest, AListingEndedEarlyOrRefusedLeavesNothingBehind)
{
    for (int i = 0; i < 50; ++i)
        addDept(QStringLiteral("D%1").arg(i), QStringLiteral("Walk-In"));
    struct Enough
    {
    };
    int read = 0;
    EXPECT_THROW(env->db.forEachRow(QStringLiteral("select deptName from tblDept"), {},
                                    [&](const ListedRow&) {
                                        if (++read == 3)
                                            throw Enough{};
                                    }),
                 Enough);
    try {
        env->db.forEachRow(QStringLiteral("select nosuchcolumn from tblDept"), {}, [](const ListedRow&) {});
        ADD_FAILURE() << "refused statement listed";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains(QLatin1String("nosuchcolumn"), Qt::CaseInsensitive))
            << e.description().toStdString();
    }
    // Another workstation writes, and on SQLite everything written can go into the file: no
    // statement of the abandoned listings still holds a view of it.
    const auto other = env->secondConnection();
    EXPECT_EQ(other->exec(QStringLiteral("update tblDept set active=?"), {0}), 50);
    if (GetParam() == Store::Sqlite) {
        const ResultSet cp = other->query(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        ASSERT_EQ(cp.size(), 1);
        EXPECT_EQ(cp.number(0, 0), 0) << "busy";
    }
    int listed = 0;
    env->db.forEachRow(QStringLiteral("select deptName from tblDept where active=?"), {0},
                       [&](const ListedRow&) { ++listed; });
    EXPECT_EQ(listed, 50);
}

BRIVANE_STORE_TEST_SUITE(LongListingTest);
