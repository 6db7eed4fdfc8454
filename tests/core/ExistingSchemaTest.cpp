#include "core/ExistingSchema.h"
#include "core/Database.h"
#include "core/Schema.h"
#include "testsupport/TestEnv.h"

namespace {

// Opens another connection to the test database; the store's refusal, or empty when it opened.
QString reopen(TestEnv& env)
{
    try {
        env.secondConnection();
        return QString();
    } catch (const DbError& e) {
        return e.description().isEmpty() ? QStringLiteral("(no description)") : e.description();
    }
}

schema::FoundTables completeTables()
{
    schema::FoundTables found;
    for (const schema::Table& t : schema::tables()) {
        QStringList& columns = found[t.name.toLower()];
        for (const schema::Column& c : t.columns)
            columns.append(c.name.toUpper());
    }
    return found;
}

} // namespace

class ExistingSchemaTest : public StoreTest
{
};

// Tables prepared before the program first opened the database (no version row) are taken as they are,
// rows included; a database missing one of them is refused with the name of what is missing.
TEST_P(ExistingSchemaTest, CompleteTablesAreAdoptedIncompleteOnesRefusedByName)
{
    env->db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("Prepared")}});
    env->db.exec(QStringLiteral("drop table brivane_schema"));
    EXPECT_EQ(reopen(*env), QString());
    EXPECT_EQ(env->db.query(QStringLiteral("select max(version) from brivane_schema")).number(0, 0),
              schema::currentVersion);
    EXPECT_EQ(env->db.query(QStringLiteral("select deptName from tblDept")).text(0, 0),
              QStringLiteral("Prepared"));

    env->db.exec(QStringLiteral("drop table brivane_schema"));
    env->db.exec(QStringLiteral("alter table tblvideo rename to tblvideo_old"));
    const QString refusal = reopen(*env);
    EXPECT_TRUE(refusal.contains(QStringLiteral("table tblvideo"))) << qPrintable(refusal);
    EXPECT_FALSE(refusal.contains(QStringLiteral("already exists"))) << qPrintable(refusal);
    // Nothing was created on the way: the same database is taken once the table is back.
    env->db.exec(QStringLiteral("alter table tblvideo_old rename to tblvideo"));
    EXPECT_EQ(reopen(*env), QString());
}

// A database a newer program has moved on is left alone rather than written with an older idea of it.
TEST_P(ExistingSchemaTest, ANewerSchemaIsRefused)
{
    env->db.exec(QStringLiteral("insert into brivane_schema (version) values (?)"),
                 {schema::currentVersion + 1});
    const QString refusal = reopen(*env);
    env->db.exec(QStringLiteral("delete from brivane_schema where version>?"), {schema::currentVersion});
    EXPECT_TRUE(refusal.contains(QStringLiteral("newer version"))) << qPrintable(refusal);
}

// Columns added since the first schema are created where they are missing (a database of an older
// version, or tables made by hand without them), rows kept, without raising the version, so that the
// older workstations of the hall still open it.
TEST_P(ExistingSchemaTest, AddedColumnsAreCreatedWhereMissingWithoutRaisingTheVersion)
{
    auto columnsOf = [&](const QString& table) {
        return env->db.query(QStringLiteral("select * from %1 where 1=0").arg(table))
            .columns()
            .join(QLatin1Char(','));
    };
    env->db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), 1},
                                                 {QStringLiteral("tickNo"), 7},
                                                 {QStringLiteral("tickDate"), QStringLiteral("2026-12-09")},
                                                 {QStringLiteral("no_abr"), QStringLiteral("A7")}});
    env->db.exec(QStringLiteral("drop index if exists ix_ticket_webcode"));
    env->db.exec(QStringLiteral("alter table tblTicket drop column webcode"));
    env->db.exec(QStringLiteral("alter table tbltheme drop column counters"));
    env->db.exec(QStringLiteral("alter table tblService drop column targetwait"));
    EXPECT_FALSE(
        columnsOf(QStringLiteral("tblTicket")).contains(QStringLiteral("webcode"), Qt::CaseInsensitive));

    EXPECT_EQ(reopen(*env), QString());
    EXPECT_TRUE(
        columnsOf(QStringLiteral("tblTicket")).contains(QStringLiteral("webcode"), Qt::CaseInsensitive));
    EXPECT_TRUE(
        columnsOf(QStringLiteral("tbltheme")).contains(QStringLiteral("counters"), Qt::CaseInsensitive));
    EXPECT_TRUE(
        columnsOf(QStringLiteral("tblService")).contains(QStringLiteral("targetwait"), Qt::CaseInsensitive));
    EXPECT_EQ(env->db.query(QStringLiteral("select no_abr from tblTicket")).text(0, 0), QStringLiteral("A7"));
    EXPECT_EQ(env->db.query(QStringLiteral("select max(version) from brivane_schema")).number(0, 0),
              schema::currentVersion);

    // Tables made by hand without them are taken over and completed.
    env->db.exec(QStringLiteral("alter table tblTicket drop column estwait"));
    env->db.exec(QStringLiteral("drop table brivane_schema"));
    EXPECT_EQ(reopen(*env), QString());
    EXPECT_TRUE(
        columnsOf(QStringLiteral("tblTicket")).contains(QStringLiteral("estwait"), Qt::CaseInsensitive));
}

// A database made with the first indexes of the ticket table: at the next open it gets the indexes a
// counter's Next and a kiosk's estimate read by, and loses the ones they replace (which led planners to read
// the whole day's queue on each Next).
TEST_P(ExistingSchemaTest, TheCountersIndexesReplaceTheEarlierOnesAtTheNextOpen)
{
    const auto indexes = [&] {
        const ResultSet rs =
            GetParam() == Store::Postgres
                ? env->db.query(
                      QStringLiteral("select indexname from pg_indexes where schemaname = current_schema() "
                                     "and tablename = 'tblticket'"))
                : env->db.query(QStringLiteral(
                      "select name from sqlite_master where type = 'index' and tbl_name = 'tblTicket'"));
        QStringList names;
        for (int i = 0; i < rs.size(); ++i)
            names.append(rs.text(i, 0).toLower());
        return names;
    };
    EXPECT_TRUE(indexes().contains(QStringLiteral("ix_ticket_queue")));
    EXPECT_TRUE(indexes().contains(QStringLiteral("ix_ticket_directed")));
    env->db.exec(QStringLiteral("drop index ix_ticket_queue"));
    env->db.exec(QStringLiteral("drop index ix_ticket_directed"));
    env->db.exec(QStringLiteral("drop index ix_ticket_served"));
    env->db.exec(QStringLiteral("create index ix_ticket_counter on tblTicket (tickDate, attended, call)"));
    env->db.exec(QStringLiteral("create index ix_ticket_waiting on tblTicket (tickDate, call, servAuto)"));
    env->db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), 1},
                                                 {QStringLiteral("tickNo"), 7},
                                                 {QStringLiteral("tickDate"), QStringLiteral("2026-12-09")},
                                                 {QStringLiteral("call"), QStringLiteral("0")},
                                                 {QStringLiteral("no_abr"), QStringLiteral("A7")}});

    EXPECT_EQ(reopen(*env), QString());
    const QStringList now = indexes();
    EXPECT_TRUE(now.contains(QStringLiteral("ix_ticket_queue"))) << now.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(now.contains(QStringLiteral("ix_ticket_directed")));
    EXPECT_TRUE(now.contains(QStringLiteral("ix_ticket_served")));
    EXPECT_FALSE(now.contains(QStringLiteral("ix_ticket_counter")));
    EXPECT_FALSE(now.contains(QStringLiteral("ix_ticket_waiting")));
    EXPECT_EQ(
        env->db
            .query(QStringLiteral("select no_abr from tblTicket where call='0' and tickDate=? and servAuto=? "
                                  "order by tickNo limit 1"),
                   {QStringLiteral("2026-12-09"), 1})
            .text(0, 0),
        QStringLiteral("A7"));
}

BRIVANE_STORE_TEST_SUITE(ExistingSchemaTest);

TEST(ExistingSchema, PositionalColumnsInOrderByNameColumnsAnywhere)
{
    schema::FoundTables found = completeTables();
    EXPECT_TRUE(schema::missingParts(found).isEmpty());
    EXPECT_FALSE(schema::noneFound(found));
    EXPECT_TRUE(schema::noneFound({{QStringLiteral("other"), {QStringLiteral("id")}}}));

    // By-name columns may stand in any order, and extra columns after the schema's do no harm.
    QStringList& ticket = found[QStringLiteral("tblticket")];
    ticket.move(ticket.indexOf(QStringLiteral("APPTIME")), 6);
    ticket.append(QStringLiteral("note"));
    EXPECT_TRUE(schema::missingParts(found).isEmpty());

    ticket.removeAll(QStringLiteral("TTYPE"));
    QStringList& counter = found[QStringLiteral("tblcounter")];
    counter.swapItemsAt(2, 3);
    EXPECT_EQ(schema::missingParts(found),
              (QStringList{QStringLiteral("tblCounter.contName at position 2"),
                           QStringLiteral("tblCounter.displayName at position 3"),
                           QStringLiteral("tblTicket.ttype")}));
}
