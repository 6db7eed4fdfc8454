#include "TicketsSupport.h"

#include "calling/CallEngine.h"
#include "core/Session.h"
#include "tickets/EstimateAccuracy.h"
#include "tickets/Numbering.h"

#include <cstdio>
#include <queue>
#include <random>

// A simulated hall: visitors arrive at random, take tickets through the real issue (which stores the
// estimate), and counters call them through the real call engine, each service taking a random time.
// Afterwards the estimates are measured the way `brivane-ctl report estimates` measures them.

namespace {

struct ServicePlan
{
    qint64 service = 0;
    QList<qint64> counters;
    double meanServiceMinutes = 0;
    double serviceCv = 0; // spread of the service times (standard deviation / mean)
    // Arrivals per hour from the given time of day on.
    QList<QPair<QTime, double>> arrivals;
};

struct CounterDesk
{
    qint64 counter = 0;
    const ServicePlan* plan = nullptr;
    std::unique_ptr<Session> session;
    std::unique_ptr<CallEngine> engine;
    bool idle = true;
    QTime breakFrom, breakTo; // a pause: the counter calls nobody in it
};

struct Event
{
    int second = 0; // of the day
    int order = 0;  // ties in the order they were planned
    enum class Kind { Arrival, Next } kind = Kind::Arrival;
    int index = 0; // the plan (arrival) or the desk (Next)
    bool operator>(const Event& o) const { return second != o.second ? second > o.second : order > o.order; }
};

// An operator who sees a token waiting while idle presses Next about this many seconds later.
constexpr int reactionSeconds = 30;
const QTime opening(8, 0);
const QTime lastArrival(13, 30);

class WaitSimulation : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        hall = seedHall(env->db);
        // Consultation: two counters, 7 minutes a visitor, a morning rush; counter 2 pauses at noon.
        consultation.service = hall.consultation;
        consultation.counters = {hall.counter1, hall.counter2};
        consultation.meanServiceMinutes = 7;
        consultation.serviceCv = 0.6;
        consultation.arrivals = {{QTime(8, 0), 18}, {QTime(10, 0), 14}, {QTime(12, 0), 10}};
        // Lab: one counter, 3 minutes a visitor, steady.
        lab.service = hall.lab;
        lab.counters = {hall.counter3};
        lab.meanServiceMinutes = 3;
        lab.serviceCv = 0.5;
        lab.arrivals = {{QTime(8, 0), 14}};
        // Reports: one counter, 9 minutes a visitor (results explained), few visitors.
        reports.service = hall.reports;
        reports.counters = {env->db.insert(QStringLiteral("tblCounter"),
                                           {{QStringLiteral("servAuto"), hall.reports},
                                            {QStringLiteral("contName"), QStringLiteral("Counter 4")},
                                            {QStringLiteral("displayName"), QStringLiteral("Room 4")},
                                            {QStringLiteral("active"), 1}})};
        reports.meanServiceMinutes = 9;
        reports.serviceCv = 0.5;
        reports.arrivals = {{QTime(8, 0), 5}, {QTime(11, 0), 6}};
    }

    static double rateAt(const ServicePlan& plan, int second)
    {
        double rate = 0;
        for (const auto& [from, perHour] : plan.arrivals) {
            if (from.msecsSinceStartOfDay() / 1000 <= second)
                rate = perHour;
        }
        return rate;
    }

    // One day of the hall, with its own random numbers.
    void simulateDay(const QDate& day, unsigned seed)
    {
        std::mt19937 random(seed);
        std::priority_queue<Event, std::vector<Event>, std::greater<>> events;
        int order = 0;
        const QList<const ServicePlan*> plans{&consultation, &lab, &reports};
        const auto nextArrival = [&](int plan, int after) {
            const double rate = rateAt(*plans[plan], after);
            std::exponential_distribution<double> gap(rate / 3600.0);
            const int at = after + int(gap(random)) + 1;
            if (at <= lastArrival.msecsSinceStartOfDay() / 1000)
                events.push({at, order++, Event::Kind::Arrival, plan});
        };
        for (int p = 0; p < plans.size(); ++p)
            nextArrival(p, opening.msecsSinceStartOfDay() / 1000);

        std::vector<CounterDesk> desks;
        for (const ServicePlan* plan : plans) {
            for (qint64 counter : plan->counters) {
                CounterDesk desk;
                desk.counter = counter;
                desk.plan = plan;
                desk.session = std::make_unique<Session>();
                const ResultSet rs = env->db.query(
                    QStringLiteral("select servAuto,contName,displayName from tblCounter where cntAuto=?"),
                    {counter});
                desk.session->counterId = desk.session->servingCounterId = counter;
                desk.session->serviceId = rs.number(0, 0);
                desk.session->counterName = rs.text(0, 1);
                desk.session->counterDisplayName = rs.text(0, 2);
                desk.engine =
                    std::make_unique<CallEngine>(env->db, env->settings(), env->clock, *desk.session);
                if (counter == hall.counter2) {
                    desk.breakFrom = QTime(12, 0);
                    desk.breakTo = QTime(12, 40);
                }
                desks.push_back(std::move(desk));
            }
        }
        const auto serviceSeconds = [&](const ServicePlan& plan) {
            // Gamma-distributed service times: positive, skewed, with the plan's mean and spread.
            const double shape = 1.0 / (plan.serviceCv * plan.serviceCv);
            std::gamma_distribution<double> minutes(shape, plan.meanServiceMinutes / shape);
            return qMax(1, int(minutes(random) * 60));
        };

        while (!events.empty()) {
            const Event e = events.top();
            events.pop();
            env->clock.set(QDateTime(day, QTime::fromMSecsSinceStartOfDay(e.second * 1000)));
            if (e.kind == Event::Kind::Arrival) {
                const ServicePlan& plan = *plans[e.index];
                numbering::IssueRequest request;
                request.serviceId = plan.service;
                request.number = numbering::getToken(env->db, plan.service, day);
                request.issueDate = day;
                ASSERT_TRUE(numbering::storeTicket(env->db, env->clock, request).issued());
                ++issued;
                for (int d = 0; d < int(desks.size()); ++d) {
                    if (desks[d].plan == &plan && desks[d].idle) {
                        desks[d].idle = false;
                        events.push({e.second + reactionSeconds, order++, Event::Kind::Next, d});
                    }
                }
                nextArrival(e.index, e.second);
                continue;
            }
            CounterDesk& desk = desks[e.index];
            const QTime now = env->clock.time();
            if (desk.breakFrom.isValid() && now >= desk.breakFrom && now < desk.breakTo) {
                // The token served so far is finished when the pause starts; the next call waits.
                if (!desk.engine->state.lblNo.isEmpty()) {
                    desk.engine->setFinish();
                    desk.engine->state.lblNo.clear();
                }
                events.push(
                    {desk.breakTo.msecsSinceStartOfDay() / 1000, order++, Event::Kind::Next, e.index});
                continue;
            }
            // Next, as the counter screen runs it.
            if (!desk.engine->state.lblNo.isEmpty()) {
                desk.engine->setFinish();
                desk.engine->state.lblNo.clear();
            }
            desk.engine->getLast();
            desk.engine->callNext();
            if (desk.engine->state.Label1 == QLatin1String("Calling")) {
                events.push({e.second + serviceSeconds(*desk.plan), order++, Event::Kind::Next, e.index});
            } else {
                desk.idle = true;
            }
        }
        // Every visitor of the day was served.
        EXPECT_EQ(env->db
                      .query(QStringLiteral("select count(*) from tblTicket where tickDate=? and call='0'"),
                             {day.toString(QStringLiteral("yyyy-MM-dd"))})
                      .number(0, 0),
                  0);
    }

    Hall hall;
    ServicePlan consultation;
    ServicePlan lab;
    ServicePlan reports;
    int issued = 0;
};

void printAccuracy(const char* what, const waiting::Accuracy& a)
{
    std::printf("  %-22s %4lld tickets   estimate: median error %5.1f min, %5.1f %% within 5 min   "
                "people ahead x 5 min: median error %5.1f min, %5.1f %% within 5 min\n",
                what, static_cast<long long>(a.tickets), a.medianAbsError, a.shareWithinFive * 100,
                a.fixedMedianAbsError, a.fixedShareWithinFive * 100);
}

TEST_P(WaitSimulation, TheEstimateBeatsFiveMinutesAPersonAhead)
{
    // Three working days in a row: each morning starts from the history of the day before.
    const QDate first(2024, 3, 4);
    const QList<unsigned> seeds{11, 23, 37};
    for (int d = 0; d < seeds.size(); ++d)
        simulateDay(first.addDays(d), seeds[d]);
    if (HasFatalFailure())
        return;
    const waiting::Accuracy all = waiting::measureEstimates(env->db, first, first.addDays(seeds.size() - 1));
    std::printf(
        "Simulated hall, %d tickets (Consultation: 2 counters, 7 min, a pause at noon; Lab: 1 counter, "
        "3 min; Reports: 1 counter, 9 min):\n",
        issued);
    for (int d = 0; d < seeds.size(); ++d) {
        const QByteArray name = first.addDays(d).toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        printAccuracy(name.constData(),
                      waiting::measureEstimates(env->db, first.addDays(d), first.addDays(d)));
    }
    printAccuracy("all days", all);

    // Only the first tokens of the first morning go without an estimate.
    EXPECT_GT(all.tickets, issued * 9 / 10);
    EXPECT_LT(all.medianAbsError, all.fixedMedianAbsError);
    EXPECT_GT(all.shareWithinFive, all.fixedShareWithinFive);
}

BRIVANE_STORE_TEST_SUITE(WaitSimulation);

} // namespace
