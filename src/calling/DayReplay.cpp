#include "calling/DayReplay.h"

#include "calling/CallEngine.h"
#include "core/ServiceTime.h"
#include "core/Session.h"
#include "core/Settings.h"

#include <QHash>
#include <QTimeZone>

#include <algorithm>
#include <queue>
#include <set>

namespace {

struct Event
{
    enum class Kind { Open, Arrive, Due, Done, Close };
    int second = 0;
    int order = 0; // events of one second in the order they were planned
    Kind kind = Kind::Arrive;
    int index = 0; // the token (Arrive, Due) or the desk (Open, Done, Close)
    bool operator>(const Event& o) const { return second != o.second ? second > o.second : order > o.order; }
};

// A counter of the replay: its operator's session and call engine.
struct Desk
{
    const DayPlan::Counter* counter = nullptr;
    std::unique_ptr<Session> session;
    std::unique_ptr<CallEngine> engine;
    bool open = false;
    int serving = -1; // the token under way
};

class Events
{
public:
    void push(int second, Event::Kind kind, int index)
    {
        m_queue.push({std::min(second, DayPlan::LastSecond), m_order++, kind, index});
    }
    bool empty() const { return m_queue.empty(); }
    Event pop()
    {
        const Event e = m_queue.top();
        m_queue.pop();
        return e;
    }
    int nextSecond() const { return m_queue.top().second; }

private:
    std::priority_queue<Event, std::vector<Event>, std::greater<>> m_queue;
    int m_order = 0;
};

} // namespace

DayReplay::DayReplay() : m_settings(std::make_unique<Settings>(m_dir.filePath(QStringLiteral("replay.ini"))))
{
}

DayReplay::~DayReplay() = default;

void DayReplay::makeHall(const DayPlan& plan)
{
    m_hall.openSqlite(QStringLiteral(":memory:"));
    m_hall.inTransaction([&] {
        for (const DayPlan::Department& d : plan.departments)
            m_hall.insert(QStringLiteral("tblDept"), {{QStringLiteral("deptAuto"), d.key},
                                                      {QStringLiteral("deptName"), d.name},
                                                      {QStringLiteral("active"), QStringLiteral("1")}});
        for (const DayPlan::Service& s : plan.services)
            m_hall.insert(QStringLiteral("tblService"), {{QStringLiteral("servAuto"), s.key},
                                                         {QStringLiteral("deptAuto"), s.department},
                                                         {QStringLiteral("servName"), s.name},
                                                         {QStringLiteral("abrno"), s.prefix},
                                                         {QStringLiteral("startno"), 1},
                                                         {QStringLiteral("endno"), 32767},
                                                         {QStringLiteral("active"), QStringLiteral("1")},
                                                         {QStringLiteral("capwait"), s.capMinutes}});
        for (const DayPlan::Counter& c : plan.counters)
            m_hall.insert(QStringLiteral("tblCounter"), {{QStringLiteral("cntAuto"), c.key},
                                                         {QStringLiteral("servAuto"), c.service},
                                                         {QStringLiteral("contName"), c.name},
                                                         {QStringLiteral("displayName"), c.displayName},
                                                         {QStringLiteral("username"), c.name},
                                                         {QStringLiteral("active"), QStringLiteral("1")}});
    });
}

namespace {

// One run of a plan on the replay's hall.
class ReplayRun
{
public:
    ReplayRun(const DayPlan& plan, Database& hall, Settings& settings, ManualClock& clock)
        : m_plan(plan), m_hall(hall), m_clock(clock), m_today(plan.day.toString(QStringLiteral("yyyy-MM-dd")))
    {
        for (const DayPlan::Counter& c : plan.counters) {
            if (c.isOpen())
                addDesk(c, settings);
        }
        m_out.resize(plan.tokens.size());
        for (int t = 0; t < plan.tokens.size(); ++t) {
            const DayPlan::Token& token = plan.tokens[t];
            m_out[t].key = token.key;
            m_tokenOf.insert(token.key, t);
            m_events.push(token.issued, Event::Kind::Arrive, t);
            // An appointment is due from the first second of its minute; an idle counter looks again then.
            if (token.kind == QLatin1String("A")) {
                if (const std::optional<int> minute = serviceTime::minuteOfDay(token.appTime);
                    minute && *minute * 60 > token.issued)
                    m_events.push(*minute * 60, Event::Kind::Due, t);
            }
        }
    }

    QVector<ReplayedToken> play()
    {
        while (!m_events.empty()) {
            const int second = m_events.nextSecond();
            m_clock.set(
                QDateTime(m_plan.day, QTime::fromMSecsSinceStartOfDay(second * 1000), QTimeZone::utc()));
            // Everything of this second happens first; then the free counters it concerns press Next,
            // in the plan's order of counters.
            m_wake.clear();
            while (!m_events.empty() && m_events.nextSecond() == second)
                happen(m_events.pop(), second);
            for (int desk : m_wake)
                pressNext(desk, second);
        }
        return m_out;
    }

private:
    void addDesk(const DayPlan::Counter& c, Settings& settings)
    {
        Desk d;
        d.counter = &c;
        d.session = std::make_unique<Session>();
        d.session->counterId = d.session->servingCounterId = c.key;
        d.session->serviceId = c.service;
        d.session->counterName = c.name;
        d.session->counterDisplayName = c.displayName;
        d.engine = std::make_unique<CallEngine>(m_hall, settings, m_clock, *d.session);
        const int index = int(m_desks.size());
        m_deskOf.insert(c.key, index);
        m_serviceDesks[c.service].append(index);
        m_events.push(c.opens, Event::Kind::Open, index);
        // From its closing second on the counter calls nobody new: a counter that finished its last
        // token with others waiting went home. It always makes its first call.
        m_events.push(std::max(c.closes, c.opens + 1), Event::Kind::Close, index);
        m_desks.push_back(std::move(d));
    }

    void happen(const Event& e, int second)
    {
        switch (e.kind) {
        case Event::Kind::Open:
            m_desks[e.index].open = true;
            m_wake.insert(e.index);
            break;
        case Event::Kind::Close:
            m_desks[e.index].open = false;
            break;
        case Event::Kind::Arrive:
            issue(m_plan.tokens[e.index]);
            wakeFor(m_plan.tokens[e.index]);
            break;
        case Event::Kind::Due:
            wakeFor(m_plan.tokens[e.index]);
            break;
        case Event::Kind::Done: {
            Desk& d = m_desks[e.index];
            d.engine->finishCurrent();
            m_out[d.serving].finished = second;
            d.serving = -1;
            m_wake.insert(e.index);
            break;
        }
        }
    }

    // The token as the kiosk stores it, or as the transfer window leaves it when it was given a counter.
    void issue(const DayPlan::Token& token)
    {
        m_hall.insert(QStringLiteral("tblTicket"),
                      {{QStringLiteral("tickAuto"), token.key},
                       {QStringLiteral("servAuto"), token.service},
                       {QStringLiteral("tickNo"), token.number},
                       {QStringLiteral("tickDate"), m_today},
                       {QStringLiteral("tickTime"), m_clock.timeText()},
                       {QStringLiteral("call"), QStringLiteral("0")},
                       {QStringLiteral("no_abr"), token.label},
                       {QStringLiteral("attended"), token.directedTo},
                       {QStringLiteral("ttype"), token.kind},
                       {QStringLiteral("apptime"), token.appTime},
                       {QStringLiteral("status"),
                        token.directedTo != 0 ? QVariant(QStringLiteral("Transferred")) : QVariant()}});
    }

    // The counters that may take the token: the one it was given, else those of its service.
    void wakeFor(const DayPlan::Token& token)
    {
        if (token.directedTo != 0) {
            if (const auto d = m_deskOf.constFind(token.directedTo); d != m_deskOf.cend())
                m_wake.insert(*d);
            return;
        }
        for (int d : m_serviceDesks.value(token.service))
            m_wake.insert(d);
    }

    void pressNext(int desk, int second)
    {
        Desk& d = m_desks[desk];
        if (!d.open || d.serving >= 0)
            return;
        d.engine->callNext();
        if (d.engine->state.Label1 != QLatin1String("Calling"))
            return;
        const int t = m_tokenOf.value(d.engine->state.currentKey(), -1);
        if (t < 0)
            return;
        d.serving = t;
        m_out[t].called = second;
        m_out[t].counter = d.counter->key;
        m_events.push(second + m_plan.tokens[t].serviceSeconds, Event::Kind::Done, desk);
    }

    const DayPlan& m_plan;
    Database& m_hall;
    ManualClock& m_clock;
    const QString m_today;
    std::vector<Desk> m_desks;
    QHash<qint64, int> m_deskOf;                // counter → desk
    QHash<qint64, QVector<int>> m_serviceDesks; // service → its desks
    QHash<qint64, int> m_tokenOf;               // ticket key → token
    Events m_events;
    std::set<int> m_wake; // the desks that look for a token at the end of this second
    QVector<ReplayedToken> m_out;
};

} // namespace

QVector<ReplayedToken> DayReplay::run(const DayPlan& plan)
{
    makeHall(plan);
    return ReplayRun(plan, m_hall, *m_settings, m_clock).play();
}
