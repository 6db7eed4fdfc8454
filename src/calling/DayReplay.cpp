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

QVector<ReplayedToken> DayReplay::run(const DayPlan& plan)
{
    makeHall(plan);
    const QString today = plan.day.toString(QStringLiteral("yyyy-MM-dd"));
    const auto setClock = [&](int second) {
        m_clock.set(QDateTime(plan.day, QTime::fromMSecsSinceStartOfDay(second * 1000), QTimeZone::utc()));
    };

    std::vector<Desk> desks;
    QHash<qint64, int> deskOf;                // counter → desk
    QHash<qint64, QVector<int>> serviceDesks; // service → its desks
    for (const DayPlan::Counter& c : plan.counters) {
        if (!c.isOpen())
            continue;
        Desk d;
        d.counter = &c;
        d.session = std::make_unique<Session>();
        d.session->counterId = d.session->servingCounterId = c.key;
        d.session->serviceId = c.service;
        d.session->counterName = c.name;
        d.session->counterDisplayName = c.displayName;
        d.engine = std::make_unique<CallEngine>(m_hall, *m_settings, m_clock, *d.session);
        deskOf.insert(c.key, int(desks.size()));
        serviceDesks[c.service].append(int(desks.size()));
        desks.push_back(std::move(d));
    }

    Events events;
    for (int i = 0; i < int(desks.size()); ++i) {
        events.push(desks[i].counter->opens, Event::Kind::Open, i);
        // From the second after its last, the counter takes nobody new.
        events.push(desks[i].counter->closes + 1, Event::Kind::Close, i);
    }
    QHash<qint64, int> tokenOf; // ticket key → token
    for (int t = 0; t < plan.tokens.size(); ++t) {
        const DayPlan::Token& token = plan.tokens[t];
        tokenOf.insert(token.key, t);
        events.push(token.issued, Event::Kind::Arrive, t);
        // An appointment is due from the first second of its minute; an idle counter looks again then.
        if (token.kind == QLatin1String("A")) {
            if (const std::optional<int> minute = serviceTime::minuteOfDay(token.appTime);
                minute && *minute * 60 > token.issued)
                events.push(*minute * 60, Event::Kind::Due, t);
        }
    }

    QVector<ReplayedToken> out(plan.tokens.size());
    for (int t = 0; t < plan.tokens.size(); ++t)
        out[t].key = plan.tokens[t].key;
    while (!events.empty()) {
        const int second = events.nextSecond();
        setClock(second);
        // Everything of this second happens first; then the free counters it concerns press Next,
        // in the order of their keys.
        std::set<int> wake;
        const auto wakeFor = [&](const DayPlan::Token& token) {
            if (token.directedTo != 0) {
                if (const auto d = deskOf.constFind(token.directedTo); d != deskOf.cend())
                    wake.insert(*d);
                return;
            }
            for (int d : serviceDesks.value(token.service))
                wake.insert(d);
        };
        while (!events.empty() && events.nextSecond() == second) {
            const Event e = events.pop();
            switch (e.kind) {
            case Event::Kind::Open:
                desks[e.index].open = true;
                wake.insert(e.index);
                break;
            case Event::Kind::Close:
                desks[e.index].open = false;
                break;
            case Event::Kind::Arrive: {
                const DayPlan::Token& token = plan.tokens[e.index];
                const bool directed = token.directedTo != 0;
                m_hall.insert(QStringLiteral("tblTicket"),
                              {{QStringLiteral("tickAuto"), token.key},
                               {QStringLiteral("servAuto"), token.service},
                               {QStringLiteral("tickNo"), token.number},
                               {QStringLiteral("tickDate"), today},
                               {QStringLiteral("tickTime"), m_clock.timeText()},
                               {QStringLiteral("call"), QStringLiteral("0")},
                               {QStringLiteral("no_abr"), token.label},
                               {QStringLiteral("attended"), token.directedTo},
                               {QStringLiteral("ttype"), token.kind},
                               {QStringLiteral("apptime"), token.appTime},
                               {QStringLiteral("status"),
                                directed ? QVariant(QStringLiteral("Transferred")) : QVariant()}});
                wakeFor(token);
                break;
            }
            case Event::Kind::Due:
                wakeFor(plan.tokens[e.index]);
                break;
            case Event::Kind::Done: {
                Desk& d = desks[e.index];
                d.engine->finishCurrent();
                out[d.serving].finished = second;
                d.serving = -1;
                wake.insert(e.index);
                break;
            }
            }
        }
        for (int i : wake) {
            Desk& d = desks[i];
            if (!d.open || d.serving >= 0)
                continue;
            d.engine->callNext();
            if (d.engine->state.Label1 != QLatin1String("Calling"))
                continue;
            const int t = tokenOf.value(d.engine->state.currentKey(), -1);
            if (t < 0)
                continue;
            d.serving = t;
            out[t].called = second;
            out[t].counter = d.counter->key;
            events.push(second + plan.tokens[t].serviceSeconds, Event::Kind::Done, i);
        }
    }
    return out;
}
