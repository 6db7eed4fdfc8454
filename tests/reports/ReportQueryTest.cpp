#include "reports/ReportQuery.h"

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
    EXPECT_EQ(called[0].duration, QStringLiteral("5"));

    const QVector<ReportRow> all = runReport(db, ReportKind::Department, QStringLiteral("All"), d, d, true);
    ASSERT_EQ(tokens(all), (QStringList{QStringLiteral("A1"), QStringLiteral("A2")}));
    EXPECT_EQ(all[1].tickAuto, waitingKey);
    EXPECT_EQ(all[1].counter, QString());
    EXPECT_EQ(all[1].duration, QString());

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
    EXPECT_EQ(out, QStringLiteral("SN,Dept.,Service,Token,Date,Counter,From,To,Duration\n"
                                  "1,General,Consultation,A1,2021-08-01,\"Lee, Ann\",09:00:00,09:12:30,12\n"
                                  "2,General,Lab,B100,2021-08-02,,,,\n"));

    out.clear();
    EXPECT_EQ(run({QStringLiteral("pending"), QStringLiteral("--from"), QStringLiteral("2021-08-01"),
                   QStringLiteral("--to"), QStringLiteral("2021-08-31"), QStringLiteral("--filter"),
                   QStringLiteral("Consultation")},
                  out, err),
              0);
    EXPECT_EQ(out, QStringLiteral("SN,Dept.,Service,Token,Date,Counter,From,To,Duration\n"));

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
