#include "TicketsSupport.h"
#include "testsupport/CommandRun.h"

#include "tickets/EstimateAccuracy.h"
#include "tickets/TicketCode.h"

#include <QTextStream>

using namespace ticketstest;

namespace {

class TicketCommands : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
    }

    // Runs a brivane-ctl command; returns its exit code, output in out and messages in err.
    int run(const QString& name, const QStringList& args) { return runCommand(*env, name, args, out, err); }

    // A ticket as the day left it: issued, called (or not: empty), with its estimate (or none: -1).
    void ticket(qint64 service, int no, const QString& day, const QString& issued, const QString& called,
                int estimate)
    {
        QVariantMap row{
            {QStringLiteral("servAuto"), service},
            {QStringLiteral("tickNo"), no},
            {QStringLiteral("tickDate"), day},
            {QStringLiteral("tickTime"), issued},
            {QStringLiteral("call"), called.isEmpty() ? QStringLiteral("0") : QStringLiteral("1")},
            {QStringLiteral("no_abr"), QString::number(no)},
            {QStringLiteral("attended"), called.isEmpty() ? 0 : hall.counter1},
            {QStringLiteral("ttype"), QStringLiteral("N")}};
        if (!called.isEmpty())
            row.insert(QStringLiteral("attTime"), called);
        if (estimate >= 0)
            row.insert(QStringLiteral("estwait"), estimate);
        env->db.insert(QStringLiteral("tblTicket"), row);
    }

    Hall hall;
    QString out, err;
};

TEST_P(TicketCommands, IssueWithUrlPrintsTheLabelAndThePageAddress)
{
    // Without the hall's web address there is no page to name: nothing is issued.
    EXPECT_EQ(run(QStringLiteral("issue"), {QStringLiteral("Consultation"), QStringLiteral("--url")}), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("web address"))) << err.toStdString();
    EXPECT_EQ(ticketCount(env->db), 0);

    ticketcode::setWebAddress(env->settings(), QStringLiteral("hall.local:8080"));
    ASSERT_EQ(run(QStringLiteral("issue"), {QStringLiteral("Consultation"), QStringLiteral("--url")}), 0);
    const QStringList lines = out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("A1"));
    const QString code =
        env->db.query(QStringLiteral("select webcode from tblTicket where no_abr='A1'")).text(0, 0);
    EXPECT_TRUE(ticketcode::isCodeForm(code));
    EXPECT_EQ(lines[1], QStringLiteral("http://hall.local:8080/t/") + code);
    // Without --url only the label, as before.
    ASSERT_EQ(run(QStringLiteral("issue"), {QStringLiteral("Consultation")}), 0);
    EXPECT_EQ(out, QStringLiteral("A2\n"));
}

TEST_P(TicketCommands, ReportEstimatesMeasuresCalledTicketsAgainstTheirWait)
{
    const QString day = QStringLiteral("2024-03-04");
    // Consultation: estimate errors 1, 3, 8, 0.6; five minutes a person ahead errs 4, 6, 8, 4.4.
    ticket(hall.consultation, 1, day, QStringLiteral("09:00:00"), QStringLiteral("09:04:00"), 5);
    ticket(hall.consultation, 2, day, QStringLiteral("09:01:00"), QStringLiteral("09:12:00"), 8);
    ticket(hall.consultation, 3, day, QStringLiteral("09:02:00"), QStringLiteral("09:20:00"), 10);
    ticket(hall.consultation, 4, day, QStringLiteral("09:05:00"), QString(), 3); // never called
    ticket(hall.consultation, 5, day, QStringLiteral("09:06:00"), QStringLiteral("09:21:00"),
           -1); // no estimate
    ticket(hall.consultation, 6, day, QStringLiteral("09:30:00"), QStringLiteral("09:30:36"), 0); // A4 ahead
    // Lab, the same morning: its own queue (nobody ahead), error 0 against 2.
    ticket(hall.lab, 100, day, QStringLiteral("09:00:00"), QStringLiteral("09:02:00"), 2);
    // The next day lies outside the range.
    ticket(hall.lab, 100, QStringLiteral("2024-03-05"), QStringLiteral("09:00:00"),
           QStringLiteral("10:00:00"), 1);

    ASSERT_EQ(
        run(QStringLiteral("report estimates"), {QStringLiteral("--from"), day, QStringLiteral("--to"), day}),
        0)
        << err.toStdString();
    EXPECT_EQ(out, QStringLiteral("rule,tickets,median absolute error (minutes),within 5 minutes (%)\n"
                                  "estimate,5,1.0,80.0\n"
                                  "people ahead x 5 minutes,5,4.4,60.0\n"));

    EXPECT_EQ(run(QStringLiteral("report estimates"), {QStringLiteral("--from"), day}), 2);
    EXPECT_EQ(run(QStringLiteral("report estimates"),
                  {QStringLiteral("--from"), day, QStringLiteral("--to"), QStringLiteral("04-03-2024")}),
              2);
}

TEST(EstimateMedian, MiddleValueOrMeanOfTheTwoMiddleOnes)
{
    EXPECT_EQ(waiting::medianOf({}), 0);
    EXPECT_EQ(waiting::medianOf({7}), 7);
    EXPECT_EQ(waiting::medianOf({9, 1, 5}), 5);
    EXPECT_EQ(waiting::medianOf({8, 1, 3, 2}), 2.5);
}

BRIVANE_STORE_TEST_SUITE(TicketCommands);

} // namespace
