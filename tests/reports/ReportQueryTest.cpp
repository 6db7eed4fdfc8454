#include "reports/ReportQuery.h"
#include "reports/ReportFigures.h"

#include "ReportsSupport.h"
#include "core/CommandRegistry.h"

#include <QTextStream>

using namespace reportstest;

namespace {

QStringList tokens(const QVector<ReportRow>& rows)
{
    QStringList t;
    for (const ReportRow& r : rows)
        t.append(r.token);
    return t;
}

const QDate Aug1(2021, 8, 1);
const QDate Aug31(2021, 8, 31);

} // namespace

class ReportQueryTest : public StoreTest
{
};

TEST_P(ReportQueryTest, DateRangeIncludesBothEndDaysAndFilterPicksByName)
{
    const Hall h = seedHall(env->db);
    Database& db = env->db;
    served(db, h.consultation, QStringLiteral("A1"), QStringLiteral("2021-07-31"), h.counter1,
           QStringLiteral("09:00:00"));
    served(db, h.consultation, QStringLiteral("A2"), QStringLiteral("2021-08-01"), h.counter1,
           QStringLiteral("09:00:00"));
    served(db, h.lab, QStringLiteral("B100"), QStringLiteral("2021-08-15"), h.counter3,
           QStringLiteral("09:00:00"));
    served(db, h.reports, QStringLiteral("R1"), QStringLiteral("2021-08-20"), h.counter2,
           QStringLiteral("10:00:00"));
    served(db, h.consultation, QStringLiteral("A3"), QStringLiteral("2021-08-31"), h.counter2,
           QStringLiteral("09:00:00"));
    served(db, h.consultation, QStringLiteral("A4"), QStringLiteral("2021-09-01"), h.counter1,
           QStringLiteral("09:00:00"));

    EXPECT_EQ(tokens(runReport(db, ReportKind::Department, QStringLiteral("All"), Aug1, Aug31, false)),
              (QStringList{QStringLiteral("A2"), QStringLiteral("B100"), QStringLiteral("R1"),
                           QStringLiteral("A3")}));
    EXPECT_EQ(tokens(runReport(db, ReportKind::Department, QStringLiteral("General"), Aug1, Aug31, false)),
              (QStringList{QStringLiteral("A2"), QStringLiteral("B100"), QStringLiteral("A3")}));
    EXPECT_EQ(tokens(runReport(db, ReportKind::Service, QStringLiteral("Lab"), Aug1, Aug31, false)),
              QStringList{QStringLiteral("B100")});
    EXPECT_EQ(tokens(runReport(db, ReportKind::Counter, QStringLiteral("COUNTER 2"), Aug1, Aug31, false)),
              (QStringList{QStringLiteral("R1"), QStringLiteral("A3")}));
    EXPECT_TRUE(
        runReport(db, ReportKind::Department, QStringLiteral("Nowhere"), Aug1, Aug31, false).isEmpty());
    // A reversed range lists nothing.
    EXPECT_TRUE(runReport(db, ReportKind::Department, QStringLiteral("All"), Aug31, Aug1, false).isEmpty());

    // A typed name with a quote in it is only a name.
    const qint64 dept =
        db.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptName"), QStringLiteral("O'Brien's")},
                                              {QStringLiteral("deptDesc"), QStringLiteral("Walk-In")},
                                              {QStringLiteral("active"), 1}});
    const qint64 service =
        db.insert(QStringLiteral("tblService"), {{QStringLiteral("deptAuto"), dept},
                                                 {QStringLiteral("servName"), QStringLiteral("X-ray")},
                                                 {QStringLiteral("active"), 1},
                                                 {QStringLiteral("abrno"), QStringLiteral("X")}});
    served(db, service, QStringLiteral("X1"), QStringLiteral("2021-08-02"), h.counter1,
           QStringLiteral("09:00:00"));
    EXPECT_EQ(tokens(runReport(db, ReportKind::Department, QStringLiteral("O'Brien's"), Aug1, Aug31, false)),
              QStringList{QStringLiteral("X1")});
    EXPECT_TRUE(
        runReport(db, ReportKind::Department, QStringLiteral("x' or '1'='1"), Aug1, Aug31, true).isEmpty());

    // A name typed in another letter case finds the same tickets, for any letter, on both stores.
    db.update(QStringLiteral("tblService"), service,
              {{QStringLiteral("servName"), QStringLiteral("Рентген Éte")}});
    EXPECT_EQ(tokens(runReport(db, ReportKind::Department, QStringLiteral("o'brien'S"), Aug1, Aug31, false)),
              QStringList{QStringLiteral("X1")});
    EXPECT_EQ(tokens(runReport(db, ReportKind::Service, QStringLiteral("рентген éTE"), Aug1, Aug31, false)),
              QStringList{QStringLiteral("X1")});
    EXPECT_EQ(tokens(runReport(db, ReportKind::Pending, QStringLiteral("РЕНТГЕН ÉTE"), Aug1, Aug31, false)),
              QStringList{});
}

TEST_P(ReportQueryTest, ShowAllCounterJoinAndPendingDecideWhichTicketsAppear)
{
    const Hall h = seedHall(env->db);
    Database& db = env->db;
    const QString day = QStringLiteral("2024-01-15");
    const QDate d(2024, 1, 15);
    served(db, h.consultation, QStringLiteral("A1"), day, h.counter1, QStringLiteral("09:00:00"),
           QStringLiteral("09:05:00"));
    const qint64 waitingKey = waiting(db, h.consultation, QStringLiteral("A2"), day);

    const QVector<ReportRow> called =
        runReport(db, ReportKind::Department, QStringLiteral("All"), d, d, false);
    EXPECT_EQ(tokens(called), QStringList{QStringLiteral("A1")});
    ASSERT_EQ(called.size(), 1);
    EXPECT_EQ(called[0].department, QStringLiteral("General"));
    EXPECT_EQ(called[0].service, QStringLiteral("Consultation"));
    EXPECT_EQ(called[0].counter, QStringLiteral("op1"));
    EXPECT_EQ(called[0].date, day);
    EXPECT_EQ(called[0].from, QStringLiteral("09:00:00"));
    EXPECT_EQ(called[0].to, QStringLiteral("09:05:00"));
    EXPECT_EQ(called[0].durationText(), QStringLiteral("5"));

    const QVector<ReportRow> all = runReport(db, ReportKind::Department, QStringLiteral("All"), d, d, true);
    ASSERT_EQ(tokens(all), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    EXPECT_EQ(all[1].tickAuto, waitingKey);
    EXPECT_EQ(all[1].counter, QString());
    EXPECT_EQ(all[1].durationText(), QString());

    // Tickets no counter attended never reach the counter report.
    EXPECT_EQ(tokens(runReport(db, ReportKind::Counter, QStringLiteral("All"), d, d, true)),
              QStringList{QStringLiteral("A1")});
    // The pending report lists only the waiting ticket, whatever "Show All" says.
    for (bool showAll : {false, true}) {
        EXPECT_EQ(tokens(runReport(db, ReportKind::Pending, QStringLiteral("All"), d, d, showAll)),
                  QStringList{QStringLiteral("A2")});
        EXPECT_EQ(tokens(runReport(db, ReportKind::Pending, QStringLiteral("Consultation"), d, d, showAll)),
                  QStringList{QStringLiteral("A2")});
        EXPECT_TRUE(runReport(db, ReportKind::Pending, QStringLiteral("Lab"), d, d, showAll).isEmpty());
    }
}

TEST_P(ReportQueryTest, FilterListsOfferActiveNamesThenAll)
{
    const Hall h = seedHall(env->db);
    env->db.update(QStringLiteral("tblService"), h.lab, {{QStringLiteral("active"), 0}});
    env->db.update(QStringLiteral("tblCounter"), h.counter2, {{QStringLiteral("active"), 0}});
    EXPECT_EQ(
        reportFilterNames(env->db, ReportKind::Department),
        (QStringList{QStringLiteral("General"), QStringLiteral("Reports Desk"), QStringLiteral("Specialists"),
                     QStringLiteral("Casualty"), QStringLiteral("All")}));
    const QStringList services{QStringLiteral("Consultation"), QStringLiteral("Reports"),
                               QStringLiteral("All")};
    EXPECT_EQ(reportFilterNames(env->db, ReportKind::Service), services);
    EXPECT_EQ(reportFilterNames(env->db, ReportKind::Pending), services);
    EXPECT_EQ(reportFilterNames(env->db, ReportKind::Counter),
              (QStringList{QStringLiteral("Counter 1"), QStringLiteral("Counter 3"), QStringLiteral("All")}));
}

TEST_P(ReportQueryTest, CommandPrintsTheReportAsCsv)
{
    const Hall h = seedHall(env->db);
    served(env->db, h.consultation, QStringLiteral("A1"), QStringLiteral("2021-08-01"), h.counter1,
           QStringLiteral("09:00:00"), QStringLiteral("09:12:30"));
    waiting(env->db, h.lab, QStringLiteral("B100"), QStringLiteral("2021-08-02"));
    env->db.update(QStringLiteral("tblCounter"), h.counter1,
                   {{QStringLiteral("username"), QStringLiteral("Lee, Ann")}});

    const CommandRegistry::Command* command = env->commands.find(QStringLiteral("report"));
    ASSERT_NE(command, nullptr);
    auto run = [&](const QStringList& args, QString& out, QString& err) {
        QTextStream o(&out), e(&err);
        return command->run(*env->ctx, args, o, e);
    };
    QString out, err;
    EXPECT_EQ(run({QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("2021-08-01"),
                   QStringLiteral("--to"), QStringLiteral("2021-08-31"), QStringLiteral("--all")},
                  out, err),
              0);
    EXPECT_EQ(
        out,
        QStringLiteral(
            "SN,Dept.,Service,Token,Date,Counter,From,To,Duration,Waiting,Status,Display Name,Why Called\n"
            "1,General,Consultation,A1,2021-08-01,\"Lee, Ann\",09:00:00,09:12:30,12,60,Finished,"
            "Room 1,\n"
            "2,General,Lab,B100,2021-08-02,,,,,,Waiting,,\n"));

    out.clear();
    EXPECT_EQ(run({QStringLiteral("pending"), QStringLiteral("--from"), QStringLiteral("2021-08-01"),
                   QStringLiteral("--to"), QStringLiteral("2021-08-31"), QStringLiteral("--filter"),
                   QStringLiteral("Consultation")},
                  out, err),
              0);
    EXPECT_EQ(
        out,
        QStringLiteral(
            "SN,Dept.,Service,Token,Date,Counter,From,To,Duration,Waiting,Status,Display Name,Why Called\n"));

    for (const QStringList& bad :
         {QStringList{QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("2021-08-01")},
          QStringList{QStringLiteral("dept"), QStringLiteral("--from"), QStringLiteral("01-08-2021"),
                      QStringLiteral("--to"), QStringLiteral("2021-08-31")}}) {
        err.clear();
        EXPECT_EQ(run(bad, out, err), 2) << bad.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(err.startsWith(QStringLiteral("usage: brivane-ctl report")));
    }
}

BRIVANE_STORE_TEST_SUITE(ReportQueryTest);

TEST(ServiceTime, WholeMinutesCountMinuteBoundaries)
{
    EXPECT_EQ(minutesBetween(QStringLiteral("09:00:00"), QStringLiteral("09:05:30")), 5);
    EXPECT_EQ(minutesBetween(QStringLiteral("09:10:59"), QStringLiteral("09:11:00")), 1);
    EXPECT_EQ(minutesBetween(QStringLiteral("09:58:00"), QStringLiteral("11:02:00")), 64);
    EXPECT_EQ(minutesBetween(QStringLiteral("9:30"), QStringLiteral("10:00")), 30);
    EXPECT_EQ(minutesBetween(QStringLiteral("09:00:00"), QString()), std::nullopt);
    EXPECT_EQ(minutesBetween(QString(), QStringLiteral("09:00:00")), std::nullopt);
    EXPECT_EQ(minutesBetween(QStringLiteral("soon"), QStringLiteral("09:00:00")), std::nullopt);
    EXPECT_EQ(minutesBetween(QStringLiteral("25:00:00"), QStringLiteral("09:00:00")), std::nullopt);
    EXPECT_EQ(minutesBetween(QStringLiteral("09:60"), QStringLiteral("10:00")), std::nullopt);
    EXPECT_EQ(minutesBetween(QStringLiteral("09:0a:00"), QStringLiteral("10:00")), std::nullopt);
    EXPECT_EQ(minutesBetween(QStringLiteral(" 09:00:00 "), QStringLiteral("2024-01-15 10:00:00")), 60);
    EXPECT_EQ(minutesBetween(QStringLiteral("23:59"), QStringLiteral("00:00:00")), -1439);
}

TEST(ServiceTime, AverageCountsEveryRowAndShowsUpToFifteenDigits)
{
    EXPECT_EQ(averageDuration({QStringLiteral("5"), QStringLiteral("7"), QString()}), 4.0);
    EXPECT_EQ(averageDuration({}), std::nullopt);
    EXPECT_EQ(averageText(*averageDuration({QStringLiteral("5"), QStringLiteral("10")})),
              QStringLiteral("Average Time : 7.5"));
    EXPECT_EQ(averageText(*averageDuration({QStringLiteral("10"), QString(), QString()})),
              QStringLiteral("Average Time : 3.33333333333333"));
    EXPECT_EQ(averageText(*averageDuration({QString(), QString()})), QStringLiteral("Average Time : 0"));
}

// What became of each ticket, as the counters leave its columns: the report's Status and Waiting.
TEST_P(ReportQueryTest, StatusAndWaitingFollowTheTicketColumns)
{
    const Hall h = seedHall(env->db);
    const QString day = QStringLiteral("2021-08-01");
    const qint64 finished = served(env->db, h.consultation, QStringLiteral("A1"), day, h.counter1,
                                   QStringLiteral("08:30:59"), QStringLiteral("08:40:00"));
    const qint64 called =
        served(env->db, h.consultation, QStringLiteral("A2"), day, h.counter1, QStringLiteral("09:00:00"));
    const qint64 cancelled =
        served(env->db, h.consultation, QStringLiteral("A3"), day, h.counter2, QStringLiteral("09:05:00"));
    env->db.exec(QStringLiteral("update tblTicket set Status='Cancelled' where tickAuto=?"), {cancelled});
    const qint64 moved = waiting(env->db, h.consultation, QStringLiteral("A4"), day);
    env->db.exec(
        QStringLiteral("update tblTicket set attended=?, status='Transferred', ref='x' where tickAuto=?"),
        {h.counter2, moved});
    waiting(env->db, h.lab, QStringLiteral("B100"), day);

    const QVector<ReportRow> rows = runReport(env->db, ReportKind::Department, QStringLiteral("All"),
                                              QDate(2021, 8, 1), QDate(2021, 8, 1), true);
    ASSERT_EQ(rows.size(), 5);
    QStringList statuses, waits;
    for (const ReportRow& r : rows) {
        statuses << r.status;
        waits << r.waitingText();
    }
    EXPECT_EQ(statuses, (QStringList{"Finished", "Called", "Cancelled", "Transferred", "Waiting"}));
    // Issued 08:00:00: whole minutes to the call, counted as the durations are.
    EXPECT_EQ(waits, (QStringList{"30", "60", "65", "", ""}));
    EXPECT_EQ(rows[0].tickAuto, finished);
    EXPECT_EQ(rows[1].tickAuto, called);
    EXPECT_EQ(rows[0].counterDisplayName, QStringLiteral("Room 1"));
    EXPECT_EQ(rows[3].counterDisplayName, QStringLiteral("Room 2")); // the counter it waits for

    // Totals by counter in the counter report: the cancelled token is not served, the waiting
    // tokens have no wait yet, and the one directed to Room 2 waits there.
    const ReportRequest period{ReportKind::Counter, QStringLiteral("All"), QDate(2021, 8, 1),
                               QDate(2021, 8, 1)};
    const QVector<TotalsLine> counters = listReport(env->db, period, nullptr).totals;
    ASSERT_EQ(counters.size(), 3); // Room 1, Room 2, All
    EXPECT_EQ(counters[0].name, QStringLiteral("Room 1"));
    EXPECT_EQ(counters[0].tokens, 2);
    EXPECT_EQ(counters[0].served, 2);
    EXPECT_EQ(counters[1].name, QStringLiteral("Room 2"));
    EXPECT_EQ(counters[1].tokens, 2);
    EXPECT_EQ(counters[1].served, 0);
    EXPECT_EQ(counters[1].cancelled, 1);
    EXPECT_EQ(counters[1].waitingNow, 1);
    EXPECT_EQ(counters[2].tokens, 5); // every token issued, attended or not
    ReportRequest byService = period;
    byService.kind = ReportKind::Department;
    const QVector<TotalsLine> services = listReport(env->db, byService, nullptr).totals;
    ASSERT_EQ(services.size(), 3);
    const TotalsLine& all = services[2];
    EXPECT_EQ(all.name, QStringLiteral("All"));
    EXPECT_EQ(all.tokens, 5);
    EXPECT_EQ(all.served, 2);
    EXPECT_EQ(all.cancelled, 1);
    EXPECT_EQ(all.waitingNow, 2);
    // Waits to the second: 30:59, 60:00, 65:00; the 90th percentile is the slowest of three.
    ASSERT_TRUE(all.averageWaiting && all.waiting90 && all.averageService);
    EXPECT_NEAR(*all.averageWaiting, (30 * 60 + 59 + 3600 + 3900) / 3.0 / 60.0, 1e-9);
    EXPECT_DOUBLE_EQ(*all.waiting90, 65.0);
    EXPECT_NEAR(*all.averageService, (9 * 60 + 1) / 60.0, 1e-9); // finished tokens only
    EXPECT_EQ(ReportTotals::minutesText(all.waiting90), QStringLiteral("65.0 min"));
    EXPECT_FALSE(services[1].averageWaiting); // Lab: only a waiting token
    EXPECT_EQ(ReportTotals::minutesText(services[1].averageWaiting), QStringLiteral("–"));
}

TEST(ReportTotalsTest, NinetiethPercentileIsTheNearestRank)
{
    ReportTotals totals;
    for (int i = 1; i <= 20; ++i) {
        Visit v;
        v.waitFrom = 8 * 3600;
        v.called = v.waitFrom + i * 60;
        v.last = true;
        totals.add(QStringLiteral("S"), TokenState::Served, {v}, std::nullopt);
    }
    const QVector<TotalsLine> lines = totals.lines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_DOUBLE_EQ(*lines[0].waiting90, 18.0); // the 18th of 20 ordered waits
    EXPECT_DOUBLE_EQ(*lines[0].averageWaiting, 10.5);
    EXPECT_EQ(totals.lines()[0].waiting90, lines[0].waiting90); // asking again gives the same
    EXPECT_FALSE(ReportTotals::secondOfDay(QStringLiteral("24:00:00")));
    EXPECT_EQ(ReportTotals::secondOfDay(QStringLiteral("01:02")), 3720);
}
