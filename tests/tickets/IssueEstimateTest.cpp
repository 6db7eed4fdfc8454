#include "TicketsSupport.h"

#include "calling/CallEngine.h"
#include "core/Session.h"
#include "testsupport/KindLogins.h"
#include "tickets/LoadCache.h"
#include "tickets/Numbering.h"
#include "tickets/WaitEstimate.h"

#include <random>

// The estimate an issue gives with the services' loads kept between issues, against the full read
// of the estimator at the same moment.

namespace {

using waiting::LoadCache;
using waiting::WaitEstimator;

// A counter working through the call engine on a connection of its own choosing.
struct Desk
{
    Desk(Database& db, Settings& settings, Clock& clock, qint64 counter, qint64 service)
    {
        session.counterId = session.servingCounterId = counter;
        session.serviceId = service;
        session.counterName = QStringLiteral("Counter %1").arg(counter);
        session.counterDisplayName = session.counterName;
        engine = std::make_unique<CallEngine>(db, settings, clock, session);
    }
    bool busy() const { return !engine->state.lblNo.isEmpty(); }
    void finish()
    {
        if (busy()) {
            engine->setFinish();
            engine->state.lblNo.clear();
        }
    }
    // Next, as the counter screen runs it: the token in service finished, the next one called.
    bool next()
    {
        finish();
        engine->getLast();
        engine->callNext();
        return engine->state.Label1 == QLatin1String("Calling");
    }
    qint64 service = 0;
    Session session;
    std::unique_ptr<CallEngine> engine;
};

class IssueEstimate : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        env->clock.set(QDateTime(day, QTime(8, 0, 0)));
        // The lab's numbers reach far enough for a busy day.
        env->db.exec(QStringLiteral("update tblService set endno=999 where servAuto=?"), {hall.lab});
        // Yesterday's history: each service has its sample from the start of the day.
        std::mt19937 random(5);
        std::uniform_int_distribution<int> seconds(60, 900);
        for (qint64 service : {hall.consultation, hall.lab}) {
            for (int i = 0; i < 25; ++i) {
                const QTime called = QTime(9, 0).addSecs(i * 600);
                env->db.insert(QStringLiteral("tblTicket"),
                               {{QStringLiteral("servAuto"), service},
                                {QStringLiteral("tickNo"), service == hall.lab ? 100 + i : 1 + i},
                                {QStringLiteral("tickDate"), day.addDays(-1).toString(Qt::ISODate)},
                                {QStringLiteral("tickTime"), QStringLiteral("08:00:00")},
                                {QStringLiteral("call"), QStringLiteral("1")},
                                {QStringLiteral("no_abr"), QStringLiteral("X%1").arg(i)},
                                {QStringLiteral("attended"), hall.counter1},
                                {QStringLiteral("attTime"), called.toString(QStringLiteral("HH:mm:ss"))},
                                {QStringLiteral("finished"),
                                 called.addSecs(seconds(random)).toString(QStringLiteral("HH:mm:ss"))},
                                {QStringLiteral("ttype"), QStringLiteral("N")},
                                {QStringLiteral("status"), QStringLiteral("Finished")}});
            }
        }
    }

    // A token of Consultation that the counter served today from `called` to `finished`.
    void served(qint64 counter, const QString& called, const QString& finished)
    {
        env->db.insert(QStringLiteral("tblTicket"), {{QStringLiteral("servAuto"), hall.consultation},
                                                     {QStringLiteral("tickNo"), 900},
                                                     {QStringLiteral("tickDate"), day.toString(Qt::ISODate)},
                                                     {QStringLiteral("tickTime"), called},
                                                     {QStringLiteral("call"), QStringLiteral("1")},
                                                     {QStringLiteral("no_abr"), QStringLiteral("A900")},
                                                     {QStringLiteral("attended"), counter},
                                                     {QStringLiteral("attTime"), called},
                                                     {QStringLiteral("finished"), finished},
                                                     {QStringLiteral("ttype"), QStringLiteral("N")},
                                                     {QStringLiteral("status"), QStringLiteral("Finished")}});
    }

public:
    // Issues a walk-in of the service on `db` with `loads`, and checks it against what the full read
    // gives at this moment for the number it takes; returns the ticket.
    numbering::IssuedTicket issueAndCompare(Database& db, LoadCache& loads, qint64 service)
    {
        numbering::IssueRequest request;
        request.serviceId = service;
        request.issueDate = env->clock.today();
        request.number = numbering::getToken(db, service, request.issueDate);
        const waiting::Estimate expected =
            WaitEstimator(env->db, env->clock).forNewTicket(service, request.number, env->clock.todayText());
        const numbering::IssuedTicket t = numbering::storeTicket(db, env->clock, request, loads);
        EXPECT_TRUE(t.issued());
        EXPECT_EQ(t.number, request.number);
        EXPECT_EQ(t.estimate.peopleAhead, expected.peopleAhead)
            << "at " << env->clock.timeText().toStdString() << " service " << service;
        EXPECT_EQ(t.estimate.minutes, expected.minutes)
            << "at " << env->clock.timeText().toStdString() << " service " << service;
        const ResultSet stored =
            env->db.query(QStringLiteral("select estwait from tblTicket where tickAuto=?"), {t.tickAuto});
        EXPECT_EQ(stored.isNull(0, 0) ? std::optional<int>() : std::optional<int>(int(stored.number(0, 0))),
                  t.estimate.minutes);
        return t;
    }

    const QDate day{2024, 3, 4};
    Hall hall;

protected:
    using StoreTest::env;
};

// A generated busy day: visitors in bursts (several in one second), counters calling, finishing and
// stepping away, the clock moving by nothing to minutes between events. The kiosk keeps the loads
// for as long as nothing is announced, and is told of each counter's change as the hall's notice
// tells it; every issue's people ahead and minutes equal the full read's at that moment.
TEST_P(IssueEstimate, KeptLoadsGiveTheFullReadsEstimateThroughABusyDay)
{
    LoadCache loads(3600);
    std::vector<std::unique_ptr<Desk>> desks;
    for (auto [counter, service] :
         {std::pair{hall.counter1, hall.consultation}, std::pair{hall.counter2, hall.consultation},
          std::pair{hall.counter3, hall.lab}}) {
        desks.push_back(std::make_unique<Desk>(env->db, env->settings(), env->clock, counter, service));
        desks.back()->service = service;
    }
    std::mt19937 random(2024);
    const std::vector<int> steps{0, 0, 0, 1, 1, 2, 5, 20, 45, 90, 240};
    std::uniform_int_distribution<size_t> step(0, steps.size() - 1);
    std::uniform_int_distribution<int> percent(0, 99);
    int issues = 0;
    int withMinutes = 0;
    int deskEvents = 0;
    for (int event = 0; event < 700 && !HasFailure(); ++event) {
        env->clock.advanceSecs(steps[step(random)]);
        const int roll = percent(random);
        // A quiet spell after the morning rush: the counters work the queues off and stand free.
        const int issueShare = event >= 300 && event < 480 ? 12 : 75;
        if (roll < issueShare) {
            const qint64 service = roll < issueShare * 3 / 5 ? hall.consultation : hall.lab;
            const numbering::IssuedTicket t = issueAndCompare(env->db, loads, service);
            ++issues;
            withMinutes += t.estimate.minutes ? 1 : 0;
            continue;
        }
        ++deskEvents;
        Desk& desk = *desks[size_t(roll) % desks.size()];
        if (roll < 95)
            desk.next();
        else
            desk.finish(); // steps away with a token finished
        loads.forget(desk.service);
    }
    // The day was busy, and the kept loads were read again only after a counter's change (and at
    // the first issue of each service).
    EXPECT_GT(issues, 300);
    EXPECT_GT(withMinutes, issues * 9 / 10);
    EXPECT_LE(loads.reads(), deskEvents + 2);
    EXPECT_LT(loads.reads(), issues * 2 / 3);

    // The next morning the kept loads are of another day: read again, and equal again.
    const qint64 reads = loads.reads();
    env->clock.set(QDateTime(day.addDays(1), QTime(8, 0, 0)));
    issueAndCompare(env->db, loads, hall.consultation);
    EXPECT_EQ(loads.reads(), reads + 1);
}

// Another workstation's call or finish changes the load. The kiosk keeps what it read for less than
// the age bound: its estimate is the one of that moment, with the people ahead counted by the issue;
// from the bound on it reads again. `kiosk` and `counter` are connections of their own.
void seenWithinTheAgeBound(IssueEstimate& test, TestEnv& env, Database& kiosk, Database& counter,
                           const Hall& hall)
{
    Desk desk(counter, env.settings(), env.clock, hall.counter1, hall.consultation);
    env.clock.setTime(QTime(10, 0, 0));
    LoadCache loads;
    test.issueAndCompare(kiosk, loads, hall.consultation);
    test.issueAndCompare(kiosk, loads, hall.lab);
    test.issueAndCompare(kiosk, loads, hall.consultation);
    ASSERT_EQ(loads.reads(), 2);

    const auto staleThenFresh = [&](const std::function<void()>& change) {
        const waiting::ServiceLoad before = WaitEstimator(env.db, env.clock).load(hall.consultation);
        change();
        env.clock.advanceSecs(LoadCache::defaultMaxAgeSeconds - 1);
        numbering::IssueRequest request;
        request.serviceId = hall.consultation;
        request.issueDate = env.clock.today();
        request.number = numbering::getToken(kiosk, hall.consultation, request.issueDate);
        const waiting::Estimate now =
            WaitEstimator(env.db, env.clock)
                .forNewTicket(hall.consultation, request.number, env.clock.todayText());
        const qint64 reads = loads.reads();
        const numbering::IssuedTicket stale = numbering::storeTicket(kiosk, env.clock, request, loads);
        EXPECT_EQ(loads.reads(), reads);
        EXPECT_EQ(stale.estimate.peopleAhead, now.peopleAhead);
        EXPECT_EQ(stale.estimate.minutes, waiting::minutesToWait(before, now.peopleAhead));
        // The change made a difference the kiosk has not seen yet.
        EXPECT_NE(stale.estimate.minutes, now.minutes);

        env.clock.advanceSecs(1);
        test.issueAndCompare(kiosk, loads, hall.consultation);
        EXPECT_EQ(loads.reads(), reads + 1);
    };
    // The counter was free: its call leaves nobody free.
    staleThenFresh([&] { ASSERT_TRUE(desk.next()); });
    // Its finish a minute later, with tokens waiting: it is away, and nobody serves.
    env.clock.advanceSecs(60);
    test.issueAndCompare(kiosk, loads, hall.consultation);
    staleThenFresh([&] { desk.finish(); });
}

TEST_P(IssueEstimate, AnotherWorkstationsCallAndFinishAreSeenWithinTheAgeBound)
{
    // The counter was free since 09:58 with nothing waiting.
    served(hall.counter1, QStringLiteral("09:50:00"), QStringLiteral("09:58:00"));
    auto counter = env->secondConnection();
    seenWithinTheAgeBound(*this, *env, env->db, *counter, hall);
}

// On a server the kiosk and the counter work with their kinds' logins: the kiosk may read and run
// all the estimate needs.
TEST_P(IssueEstimate, OnAServerTheKioskLoginIssuesWithTheEstimate)
{
    if (GetParam() != Store::Postgres)
        GTEST_SKIP() << "an embedded hall has no kinds of workstation";
    KindLogins logins(*env);
    if (!logins.available())
        GTEST_SKIP() << "the test server's role may not create roles";
    served(hall.counter1, QStringLiteral("09:50:00"), QStringLiteral("09:58:00"));
    auto kiosk = logins.open(kinds::Kind::Kiosk);
    auto counter = logins.open(kinds::Kind::Counter);
    ASSERT_TRUE(kiosk && counter);
    seenWithinTheAgeBound(*this, *env, *kiosk, *counter, hall);
    // And without kept loads, as the web server issues.
    numbering::IssueRequest request;
    request.serviceId = hall.lab;
    request.issueDate = env->clock.today();
    request.number = numbering::getToken(*kiosk, hall.lab, request.issueDate);
    const waiting::Estimate expected =
        WaitEstimator(env->db, env->clock).forNewTicket(hall.lab, request.number, env->clock.todayText());
    const numbering::IssuedTicket t = numbering::storeTicket(*kiosk, env->clock, request);
    EXPECT_EQ(t.estimate.peopleAhead, expected.peopleAhead);
    EXPECT_EQ(t.estimate.minutes, expected.minutes);
    EXPECT_TRUE(t.estimate.minutes);
}

// The minutes the server works out in the issue's statement are the rule's own, to the rounding of
// halves, for service figures as the history gives them (means of whole seconds).
TEST_P(IssueEstimate, TheServersMinutesAreTheRulesOwn)
{
    if (GetParam() != Store::Postgres)
        GTEST_SKIP() << "the statement works the minutes out on a server only";
    std::mt19937 random(7);
    std::uniform_int_distribution<int> seconds(1, 1800);
    std::uniform_int_distribution<int> counters(1, 4);
    std::uniform_int_distribution<int> ahead(0, 40);
    int halves = 0;
    for (int i = 0; i < 400; ++i) {
        waiting::ServiceLoad load;
        load.sample = 20;
        double sum = 0, squares = 0;
        // Every fourth case has all services equally long, in whole minutes: many results end in .5.
        const int same = i % 4 == 0 ? 60 * (1 + seconds(random) % 9) : 0;
        for (int k = 0; k < load.sample; ++k) {
            const double m = (same ? same : seconds(random)) / 60.0;
            sum += m;
            squares += m * m;
        }
        load.serviceMinutes = sum / load.sample;
        load.residualMinutes = (squares / load.sample) / (2 * load.serviceMinutes);
        load.servingCounters = counters(random);
        load.freeCounters = i % 3 == 0 ? 0 : counters(random) % (load.servingCounters + 1);
        const qint64 people = ahead(random);
        const waiting::SqlPart sql = waiting::minutesSql(load, QStringLiteral("cast(? as bigint)"));
        // The expression's own values come before those of `ahead`, which it reads last.
        QVariantList params = sql.params;
        params << people;
        const ResultSet rs = env->db.query(QStringLiteral("select ") + sql.sql, params);
        const std::optional<int> expected = waiting::minutesToWait(load, people);
        ASSERT_TRUE(expected);
        EXPECT_EQ(rs.number(0, 0), *expected)
            << "S " << load.serviceMinutes << " R " << load.residualMinutes << " c " << load.servingCounters
            << " f " << load.freeCounters << " ahead " << people;
        if (people >= load.freeCounters) {
            const double m =
                (double(people - load.freeCounters) * load.serviceMinutes + load.residualMinutes) /
                load.servingCounters;
            halves += m - std::floor(m) == 0.5 ? 1 : 0;
        }
    }
    EXPECT_GT(halves, 5);
    // Without a sample there is no figure.
    waiting::ServiceLoad unknown;
    const waiting::SqlPart none = waiting::minutesSql(unknown, QStringLiteral("3"));
    EXPECT_TRUE(env->db.query(QStringLiteral("select ") + none.sql, none.params).isNull(0, 0));
}

BRIVANE_STORE_TEST_SUITE(IssueEstimate);

} // namespace
