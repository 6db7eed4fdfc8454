#include "core/Schema.h"
#include "core/Database.h"
#include "testsupport/TestEnv.h"

class SchemaTest : public StoreTest
{
};

// Much of the program reads "select *" by position: every table must come back in the listed order.
TEST_P(SchemaTest, SelectStarReturnsColumnsInTheirOrder)
{
    const QMap<QString, QStringList> expected = {
        {QStringLiteral("tblDept"), {"deptAuto", "deptName", "deptDesc", "active"}},
        {QStringLiteral("tblService"), {"servAuto", "deptAuto", "servName", "ServDesc", "active"}},
        {QStringLiteral("tblCounter"),
         {"cntAuto", "servAuto", "contName", "displayName", "username", "pass", "active", "countNameA",
          "displayNameA"}},
        {QStringLiteral("tblTicket"), {"tickAuto", "servAuto", "tickNo", "tickDate", "tickTime", "call"}},
        {QStringLiteral("tblCall"),
         {"callauto", "servAuto", "no_abr", "displayName", "status1", "tickAuto", "tickDate", "contName",
          "displayNameA", "countNameA"}},
        {QStringLiteral("tblServiceNo"), {"snoAuto", "servAuto", "sdate", "sno", "active"}},
        {QStringLiteral("tbluser"), {"userAuto", "username", "password", "userType"}},
        {QStringLiteral("tblComp"), {"compAuto", "compName", "compAddress"}},
        {QStringLiteral("tblvideo"), {"vidAuto", "vidName", "vidDesc", "active"}},
        {QStringLiteral("tblscroll"),
         {"scrollAuto", "message", "msgrtf", "msgrtf2", "active", "font", "size", "color", "bold", "italic",
          "direction"}},
        {QStringLiteral("tblheader"),
         {"headAuto", "head1", "head2", "head3", "head4", "head5", "head6", "spacer"}},
    };
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        const ResultSet rs = env->db.query(QStringLiteral("select * from ") + it.key());
        ASSERT_GE(rs.columnCount(), it.value().size()) << it.key().toStdString();
        for (int i = 0; i < it.value().size(); ++i)
            EXPECT_EQ(rs.columns().at(i).toLower(), it.value().at(i).toLower())
                << it.key().toStdString() << " #" << i;
    }
    // The theme and layout tables are long; check their ends and by-name columns.
    const ResultSet theme = env->db.query(QStringLiteral("select * from tbltheme"));
    EXPECT_EQ(theme.columns().at(38).toLower(), QStringLiteral("ttlsize"));
    for (const char* byName :
         {"scroll", "tformat", "enableH", "Column1", "Column2", "img1", "img2", "newsBG"})
        EXPECT_GE(theme.columnIndex(QString::fromLatin1(byName)), 39) << byName;
    const ResultSet pos = env->db.query(QStringLiteral("select * from tblpos"));
    EXPECT_EQ(pos.columns().at(29).toLower(), QStringLiteral("newsheight"));
    EXPECT_GE(pos.columnIndex(QStringLiteral("newsBG")), 30);
}

TEST_P(SchemaTest, FlagsAcceptNumbersAndBooleansAndMatchTextLiterals)
{
    Database& db = env->db;
    db.insert(QStringLiteral("tblCounter"),
              {{QStringLiteral("contName"), QStringLiteral("one")}, {QStringLiteral("active"), 1}});
    db.insert(QStringLiteral("tblCounter"),
              {{QStringLiteral("contName"), QStringLiteral("two")}, {QStringLiteral("active"), true}});
    db.insert(QStringLiteral("tblCounter"),
              {{QStringLiteral("contName"), QStringLiteral("three")}, {QStringLiteral("active"), 0}});
    db.insert(QStringLiteral("tblCounter"), {{QStringLiteral("contName"), QStringLiteral("four")},
                                             {QStringLiteral("active"), QStringLiteral("false")}});
    EXPECT_EQ(db.query(QStringLiteral("Select * from tblcounter where active='1'")).size(), 2);
    EXPECT_EQ(db.query(QStringLiteral("Select * from tblcounter where active='0'")).size(), 2);
    EXPECT_EQ(db.query(QStringLiteral("select active from tblCounter where contName='one'")).text(0, 0),
              QStringLiteral("1"));
}

TEST_P(SchemaTest, NamesAreCaseInsensitiveAndKeysVisibleAfterInsert)
{
    Database& db = env->db;
    const qint64 first =
        db.insert(QStringLiteral("tblticket"), {{QStringLiteral("ServAuto"), 1},
                                                {QStringLiteral("tickNo"), 5},
                                                {QStringLiteral("tickDate"), QStringLiteral("2024-01-15")},
                                                {QStringLiteral("call"), 0},
                                                {QStringLiteral("Status"), QString()}});
    const qint64 second =
        db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), 1},
                                                {QStringLiteral("tickNo"), 6},
                                                {QStringLiteral("tickDate"), QStringLiteral("2024-01-15")},
                                                {QStringLiteral("call"), 0}});
    EXPECT_GT(first, 0);
    EXPECT_GT(second, first);
    const ResultSet rs =
        db.query(QStringLiteral("select TICKNO, Status from TBLTICKET where TickAuto=?"), {second});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.number(0, QStringLiteral("tickno")), 6);
    // A waiting ticket with no status is still found by its call flag.
    EXPECT_EQ(db.query(QStringLiteral("select * from tblticket where call='0'")).size(), 2);
}

TEST_P(SchemaTest, KeysAndNumbersBeyondSixteenBits)
{
    Database& db = env->db;
    db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptAuto"), 5000000000LL},
                                          {QStringLiteral("deptName"), QStringLiteral("Big")}});
    const ResultSet rs = db.query(QStringLiteral("select deptAuto from tblDept where deptName='Big'"));
    EXPECT_EQ(rs.number(0, 0), 5000000000LL);
}

TEST_P(SchemaTest, OneNumberPerServiceAndDay)
{
    Database& db = env->db;
    const QVariantMap row{{QStringLiteral("servAuto"), 1},
                          {QStringLiteral("tickNo"), 7},
                          {QStringLiteral("tickDate"), QStringLiteral("2024-01-15")}};
    db.insert(QStringLiteral("tblTicket"), row);
    try {
        db.insert(QStringLiteral("tblTicket"), row);
        FAIL() << "a second token with the same number was stored";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.isUniqueViolation()) << e.description().toStdString();
    }
    QVariantMap otherDay = row;
    otherDay[QStringLiteral("tickDate")] = QStringLiteral("2024-01-16");
    EXPECT_NO_THROW(db.insert(QStringLiteral("tblTicket"), otherDay));
}

TEST_P(SchemaTest, DateRangeIncludesBothEndDays)
{
    Database& db = env->db;
    int n = 1;
    for (const char* d : {"2024-01-31", "2024-02-01", "2024-02-15", "2024-02-29", "2024-03-01"})
        db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), 1},
                                                {QStringLiteral("tickNo"), n++},
                                                {QStringLiteral("tickDate"), QString::fromLatin1(d)}});
    EXPECT_EQ(db.query(QStringLiteral("select * from tblTicket where tickDate between ? and ?"),
                       {QStringLiteral("2024-02-01"), QStringLiteral("2024-02-29")})
                  .size(),
              3);
}

TEST_P(SchemaTest, FailuresCarryTheStoresDescriptionAndTransactionsRollBack)
{
    Database& db = env->db;
    EXPECT_THROW(db.query(QStringLiteral("select nosuchcolumn from tblDept")), DbError);
    EXPECT_THROW(
        db.insert(QStringLiteral("tblService"), {{QStringLiteral("startno"), QStringLiteral("abc")}}),
        DbError);
    {
        Database::Transaction t(db);
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Lost")}});
    }
    EXPECT_TRUE(db.query(QStringLiteral("select * from tblDept")).isEmpty());
    {
        Database::Transaction t(db);
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Kept")}});
        t.commit();
    }
    EXPECT_EQ(db.query(QStringLiteral("select * from tblDept")).size(), 1);
}

TEST_P(SchemaTest, ReopeningKeepsDataAndSchema)
{
    auto other = env->secondConnection();
    other->insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Shared")}});
    EXPECT_EQ(env->db.query(QStringLiteral("select deptName from tblDept")).text(0, 0),
              QStringLiteral("Shared"));
}

BRIVANE_STORE_TEST_SUITE(SchemaTest);
