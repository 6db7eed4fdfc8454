#include "TicketsSupport.h"

#include "tickets/Numbering.h"
#include "tickets/WaitEstimate.h"

using waiting::ServiceLoad;

namespace {

ServiceLoad loadOf(double s, double r, int counters, int free, int sample = 20)
{
    ServiceLoad l;
    l.sample = sample;
    l.serviceMinutes = s;
    l.residualMinutes = r;
    l.servingCounters = counters;
    l.freeCounters = free;
    return l;
}

TEST(WaitRule, PeopleAheadShareTheCountersServing)
{
    // Two counters, 6 minutes a token, memoryless (R = S): 4 ahead, the visitor's own turn comes
    // after (4·6 + 6) / 2 = 15 minutes.
    EXPECT_EQ(waiting::minutesToWait(loadOf(6, 6, 2, 0), 4), 15);
    // Every service equally long (R = S/2): (4·6 + 3) / 2 = 13.5, rounded to 14.
    EXPECT_EQ(waiting::minutesToWait(loadOf(6, 3, 2, 0), 4), 14);
    // One free counter takes the first person ahead at once: (3·6 + 6) / 2 = 12.
    EXPECT_EQ(waiting::minutesToWait(loadOf(6, 6, 2, 1), 4), 12);
    // Fewer ahead than free counters: called at once.
    EXPECT_EQ(waiting::minutesToWait(loadOf(6, 6, 3, 2), 1), 0);
    // Nobody ahead and every counter busy: the first to free up, R / c.
    EXPECT_EQ(waiting::minutesToWait(loadOf(6, 6, 3, 0), 0), 2);
    // Too little history: no estimate rather than a guess.
    EXPECT_FALSE(waiting::minutesToWait(loadOf(6, 6, 2, 0, 3), 4));
    EXPECT_TRUE(waiting::minutesToWait(loadOf(6, 6, 2, 0, 4), 4));

    EXPECT_EQ(waiting::waitText(std::nullopt), QString());
    EXPECT_EQ(waiting::waitText(0), QStringLiteral("less than a minute"));
    EXPECT_EQ(waiting::waitText(1), QStringLiteral("about 1 minute"));
    EXPECT_EQ(waiting::waitText(15), QStringLiteral("about 15 minutes"));
}

class WaitEstimate : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(QDate(2024, 3, 4), QTime(11, 0, 0)));
    }

    // A token of the service served by a counter from `called` to `finished` ("" while in service).
    qint64 served(qint64 service, int no, const QString& day, qint64 counter, const QString& called,
                  const QString& finished)
    {
        QVariantMap row{{QStringLiteral("servAuto"), service},
                        {QStringLiteral("tickNo"), no},
                        {QStringLiteral("tickDate"), day},
                        {QStringLiteral("tickTime"), QStringLiteral("08:00:00")},
                        {QStringLiteral("call"), QStringLiteral("1")},
                        {QStringLiteral("no_abr"), QStringLiteral("A%1").arg(no)},
                        {QStringLiteral("attended"), counter},
                        {QStringLiteral("attTime"), called},
                        {QStringLiteral("ttype"), QStringLiteral("N")},
                        {QStringLiteral("status"), QStringLiteral("Finished")}};
        if (!finished.isEmpty())
            row.insert(QStringLiteral("finished"), finished);
        return env->db.insert(QStringLiteral("tblTicket"), row);
    }
    qint64 waitingToken(qint64 service, int no, const QString& issued = QStringLiteral("10:59:00"),
                        const QString& type = QStringLiteral("N"))
    {
        return env->db.insert(QStringLiteral("tblTicket"),
                              {{QStringLiteral("servAuto"), service},
                               {QStringLiteral("tickNo"), no},
                               {QStringLiteral("tickDate"), QStringLiteral("2024-03-04")},
                               {QStringLiteral("tickTime"), issued},
                               {QStringLiteral("call"), QStringLiteral("0")},
                               {QStringLiteral("no_abr"), QStringLiteral("A%1").arg(no)},
                               {QStringLiteral("attended"), 0},
                               {QStringLiteral("ttype"), type}});
    }

    Hall hall;
};

TEST_P(WaitEstimate, ServiceTimesComeFromTheLatestFinishedTokensAndCountersFromRecentCalls)
{
    const QString today = QStringLiteral("2024-03-04");
    // Old history: long services that the sample of the latest 20 no longer reaches.
    for (int i = 0; i < 10; ++i)
        served(hall.consultation, 100 + i, QStringLiteral("2024-03-01"), hall.counter1,
               QStringLiteral("09:00:00"), QStringLiteral("09:30:00"));
    // Today: 20 tokens alternating 2 and 6 minutes (mean 4, E[S²] = 20, R = 20 / 8 = 2.5).
    for (int i = 0; i < 20; ++i) {
        const QTime start = QTime(9, 0).addSecs(i * 240);
        served(hall.consultation, 1 + i, today, i % 2 ? hall.counter1 : hall.counter2,
               start.toString(QStringLiteral("HH:mm:ss")),
               start.addSecs(i % 2 ? 360 : 120).toString(QStringLiteral("HH:mm:ss")));
    }
    // Now (11:00) counter 1 serves A21 since 10:55, counter 2 finished A22 at 10:58 and is free; the
    // window is 3·S = 12 minutes, so counter 2's older calls do not matter and the lab's never do.
    served(hall.consultation, 21, today, hall.counter1, QStringLiteral("10:55:00"), QString());
    served(hall.consultation, 22, today, hall.counter2, QStringLiteral("10:52:00"),
           QStringLiteral("10:58:00"));
    served(hall.lab, 100, today, hall.counter3, QStringLiteral("10:59:00"), QString());

    waiting::WaitEstimator estimator(env->db, env->clock);
    const ServiceLoad load = estimator.load(hall.consultation);
    // The 20 latest finished: A22 (6 minutes) and A2..A20 of today.
    EXPECT_EQ(load.sample, 20);
    double sum = 6, squares = 36;
    for (int i = 1; i < 20; ++i) {
        const double m = i % 2 ? 6 : 2;
        sum += m;
        squares += m * m;
    }
    EXPECT_NEAR(load.serviceMinutes, sum / 20, 1e-9);
    EXPECT_NEAR(load.residualMinutes, (squares / 20) / (2 * sum / 20), 1e-9);
    EXPECT_EQ(load.servingCounters, 2);
    EXPECT_EQ(load.freeCounters, 1);
    EXPECT_FALSE(load.countersFromSetup);

    // Three waiting: the new token has them all ahead.
    waitingToken(hall.consultation, 23);
    waitingToken(hall.consultation, 24);
    const qint64 third = waitingToken(hall.consultation, 25);
    const waiting::Estimate fresh = estimator.forNewTicket(hall.consultation, 26, today);
    EXPECT_EQ(fresh.peopleAhead, 3);
    EXPECT_EQ(fresh.minutes, waiting::minutesToWait(load, 3));
    const waiting::Estimate ofThird = estimator.forTicket(third);
    EXPECT_EQ(ofThird.peopleAhead, 2);
    EXPECT_EQ(ofThird.minutes, waiting::minutesToWait(load, 2));
    // Tomorrow's token, and a called one, get no figure.
    EXPECT_FALSE(estimator.forNewTicket(hall.consultation, 1, QStringLiteral("2024-03-05")).minutes);
    EXPECT_FALSE(estimator.forTicket(third - 3).minutes);

    // Appointments waiting for their time and report tokens waiting for the lists are nobody's turn
    // at Next: they are not ahead, and a counter that went idle beside them is free, not away.
    waitingToken(hall.consultation, 40, QStringLiteral("08:00:00"), QStringLiteral("A"));
    const qint64 report =
        waitingToken(hall.consultation, 41, QStringLiteral("08:00:00"), QStringLiteral("R"));
    EXPECT_EQ(estimator.load(hall.consultation).freeCounters, 1);
    EXPECT_EQ(estimator.forTicket(third).peopleAhead, 2);
    const waiting::Estimate ofReport = estimator.forTicket(report);
    EXPECT_EQ(ofReport.peopleAhead, 3);
    EXPECT_FALSE(ofReport.minutes);

    // A token waiting since before counter 2 finished means counter 2 did not stop for lack of work:
    // it is away, and counter 1 serves alone.
    waitingToken(hall.consultation, 30, QStringLiteral("10:57:00"));
    const ServiceLoad away = estimator.load(hall.consultation);
    EXPECT_EQ(away.servingCounters, 1);
    EXPECT_EQ(away.freeCounters, 0);

    // Much later nobody has called for a while: the counters set up for the service stand in.
    env->clock.setTime(QTime(14, 0));
    const ServiceLoad quiet = estimator.load(hall.consultation);
    EXPECT_TRUE(quiet.countersFromSetup);
    EXPECT_EQ(quiet.servingCounters, 2);
    EXPECT_EQ(quiet.freeCounters, 0);
}

TEST_P(WaitEstimate, WithoutHistoryThereIsNoEstimateAndTheIssueStoresNone)
{
    numbering::IssueRequest r;
    r.serviceId = hall.lab;
    r.number = numbering::getToken(env->db, hall.lab, env->clock.today());
    r.issueDate = env->clock.today();
    const numbering::IssuedTicket t = numbering::storeTicket(env->db, env->clock, r);
    ASSERT_TRUE(t.issued());
    EXPECT_FALSE(t.estimate.minutes);
    EXPECT_TRUE(env->db.query(QStringLiteral("select estwait from tblTicket where tickAuto=?"), {t.tickAuto})
                    .isNull(0, 0));

    // With history the estimate is stored with the ticket, in minutes.
    for (int i = 0; i < 4; ++i)
        served(hall.lab, 90 + i, QStringLiteral("2024-03-01"), hall.counter3, QStringLiteral("09:00:00"),
               QStringLiteral("09:10:00"));
    r.number = numbering::getToken(env->db, hall.lab, env->clock.today());
    const numbering::IssuedTicket u = numbering::storeTicket(env->db, env->clock, r);
    ASSERT_TRUE(u.issued());
    EXPECT_EQ(u.estimate.peopleAhead, 1);
    // One counter set up, 10 minutes each, all equal (R = 5): 10 + 5.
    ASSERT_TRUE(u.estimate.minutes);
    EXPECT_EQ(*u.estimate.minutes, 15);
    EXPECT_EQ(env->db.query(QStringLiteral("select estwait from tblTicket where tickAuto=?"), {u.tickAuto})
                  .number(0, 0),
              15);

    // A token issued straight to a counter as an emergency has its page code but no wait in the queue.
    r.number = numbering::getToken(env->db, hall.lab, env->clock.today());
    r.direction.type = QStringLiteral("E");
    r.direction.counter = hall.counter3;
    const numbering::IssuedTicket e = numbering::storeTicket(env->db, env->clock, r);
    ASSERT_TRUE(e.issued());
    EXPECT_FALSE(e.estimate.minutes);
    EXPECT_EQ(env->db.query(QStringLiteral("select webcode from tblTicket where tickAuto=?"), {e.tickAuto})
                  .text(0, 0),
              e.webCode);
}

BRIVANE_STORE_TEST_SUITE(WaitEstimate);

} // namespace
