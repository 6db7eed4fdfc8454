// The numbering's reads on a PostgreSQL server: a kiosk whose connection made its plans while the day
// was still empty (a new hall, a table the server has not analysed yet) reads a handful of pages per
// issue once the day is long, and numbers as before.

#include "TicketsSupport.h"

#include "core/Schema.h"
#include "tickets/Numbering.h"

namespace {

// Pages of the ticket table and its indexes read so far by this connection's transaction.
qint64 ticketPagesRead(Database& db)
{
    return db
        .query(
            QStringLiteral("select coalesce(sum(pg_stat_get_xact_blocks_fetched(c.oid)), 0) from pg_class c "
                           "where c.oid = 'tblticket'::regclass or c.oid in (select indexrelid from "
                           "pg_index where indrelid = 'tblticket'::regclass)"))
        .number(0, 0);
}

TEST(NumberingPlans, AKioskThatPlannedOnAnEmptyDayReadsAFewPagesOnALongOne)
{
    if (!qEnvironmentVariableIsSet("BRIVANE_PG"))
        GTEST_SKIP() << "plans are the server's";
    TestEnv env(Store::Postgres);
    const Hall hall = seedHall(env.db);
    env.clock.set(QDateTime(QDate(2024, 3, 4), QTime(9, 0)));
    const QDate day = env.clock.today();
    const QString dayText = env.clock.todayText();
    std::unique_ptr<Database> kiosk = env.secondConnection();

    // The kiosk's first issues of the day: its statements are planned on an empty table, and kept.
    auto issue = [&] {
        numbering::IssueRequest request;
        request.serviceId = hall.consultation;
        request.issueDate = day;
        request.number = numbering::getToken(*kiosk, hall.consultation, day);
        return numbering::storeTicket(*kiosk, env.clock, request);
    };
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(issue().issued());

    // The day grows long at once: the service's numbers up to 900, and thousands of other tickets.
    env.db.exec(QStringLiteral("insert into tblTicket (servAuto, tickNo, tickDate, tickTime, call, no_abr, "
                               "attended, ttype) select ?, g, ?, '09:30:00', case when g % 3 = 0 then '0' "
                               "else '1' end, 'A' || g, 0, 'N' from generate_series(9, 900) g"),
                {hall.consultation, dayText});
    env.db.exec(QStringLiteral("insert into tblTicket (servAuto, tickNo, tickDate, tickTime, call, no_abr, "
                               "attended, ttype) select 1000 + g / 1000, g % 1000 + 1, ?, '09:30:00', '0', "
                               "'Z' || g, 0, 'N' from generate_series(0, 5999) g"),
                {dayText});

    // The next number, and the routine's looks at a number taken and at the day's highest: each reads
    // its index from a point, where a whole day's read would be hundreds of pages.
    {
        Database::Transaction t(*kiosk);
        const qint64 before = ticketPagesRead(*kiosk);
        EXPECT_EQ(numbering::getToken(*kiosk, hall.consultation, day), 901);
        const qint64 afterNext = ticketPagesRead(*kiosk);
        EXPECT_LE(afterNext - before, 12);
        const ResultSet taken =
            kiosk->query(QStringLiteral("select %1(?, ?, 5)").arg(schema::tokenNumberRoutineName()),
                         {hall.consultation, dayText});
        EXPECT_EQ(taken.number(0, 0), 901);
        EXPECT_LE(ticketPagesRead(*kiosk) - afterNext, 12);
    }

    // And the issue goes on from the highest number.
    const numbering::IssuedTicket next = issue();
    ASSERT_TRUE(next.issued());
    EXPECT_EQ(next.number, 901);
    EXPECT_EQ(next.label, QStringLiteral("A901"));
}

} // namespace
