#include "calling/HallNow.h"

#include "calling/ErlangC.h"
#include "core/Database.h"
#include "ui/Clock.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace hallnow {

namespace {

// The day's share within target over the forecast's horizon with `counters` counters: the tokens
// waiting now are called when the waiting rule says, newcomers arrive at λ and the share Erlang C
// gives for them meets the target. The first minute the share falls below the target; nullopt when it
// holds over the horizon.
std::optional<int> firstMiss(const ForecastInput& in, int counters, const Rule& rule)
{
    const ServiceTarget& t = in.target;
    const double level =
        erlang::serviceLevel(counters, in.arrivalsPerMinute, in.load.serviceMinutes, t.waitMinutes());
    waiting::ServiceLoad load = in.load;
    load.freeCounters = std::max(0, counters - (in.load.servingCounters - in.load.freeCounters));
    load.servingCounters = counters;
    // When each one waiting now is called (minutes from now), and whether that meets the target.
    QVector<std::pair<int, bool>> queue;
    for (int k = 0; k < in.waitedSeconds.size(); ++k) {
        const int more = waiting::minutesToWait(load, k).value_or(rule.horizonMinutes + 1);
        const qint64 total = in.waitedSeconds.at(k) + qint64(more) * 60;
        // One already past the target has missed it whatever comes: counted now.
        const bool past = !t.met(in.waitedSeconds.at(k));
        queue.append({past ? 0 : more, t.met(total)});
    }
    for (int m = 0; m <= rule.horizonMinutes; ++m) {
        double counted = in.calledToday + in.arrivalsPerMinute * m;
        double within = in.withinToday + in.arrivalsPerMinute * m * level;
        for (const auto& [at, met] : queue) {
            if (at <= m) {
                counted += 1;
                within += met ? 1 : 0;
            }
        }
        if (counted > 0 && !t.kept(100.0 * within / counted))
            return m;
    }
    return std::nullopt;
}

} // namespace

Forecast forecast(const ForecastInput& in, const Rule& rule)
{
    Forecast f;
    if (!in.target.isSet() || !in.load.known() || in.load.serviceMinutes <= 0)
        return f;
    f.known = true;
    f.counters = std::max(1, in.load.servingCounters);
    f.expectedSharePercent = 100.0 * erlang::serviceLevel(f.counters, in.arrivalsPerMinute,
                                                          in.load.serviceMinutes, in.target.waitMinutes());
    f.missedInMinutes = firstMiss(in, f.counters, rule);
    if (f.missedInMinutes == 0) {
        // Already below the target: no number of counters mends the day so far; the advice is the
        // counters that keep it for those who come from now on.
        f.countersToKeep =
            erlang::countersFor(in.target.sharePercent() / 100.0, in.target.waitMinutes(),
                                in.arrivalsPerMinute, in.load.serviceMinutes, rule.mostCounters);
        return f;
    }
    for (int n = 1; n <= rule.mostCounters; ++n) {
        if (!firstMiss(in, n, rule)) {
            f.countersToKeep = n;
            break;
        }
    }
    return f;
}

HallNow::HallNow(Database& db, const Clock& clock, Rule rule, waiting::Rule waitRule)
    : m_db(db), m_clock(clock), m_rule(rule), m_estimator(db, clock, waitRule)
{
}

void HallNow::readSetup(const QDateTime& now)
{
    const ResultSet rs = m_db.query(QStringLiteral(
        "select s.servAuto, s.servName, s.targetpct, s.targetwait, c.cntAuto from tblService s "
        "left join tblCounter c on c.servAuto = s.servAuto and c.active = '1' where s.active = '1' "
        "order by s.servAuto, c.cntAuto"));
    Setup setup;
    for (int i = 0; i < rs.size(); ++i) {
        const qint64 service = rs.number(i, 0);
        if (setup.services.isEmpty() || setup.services.last().service != service) {
            ServiceNow s;
            s.service = service;
            s.name = rs.text(i, 1);
            s.target = ServiceTarget(int(rs.number(i, 2)), int(rs.number(i, 3)));
            setup.services.append(s);
        }
        if (!rs.isNull(i, 4))
            setup.counters.append({rs.number(i, 4), service});
    }
    setup.readAt = now;
    m_setup = std::move(setup);
}

const waiting::ServiceLoad& HallNow::history(qint64 service, const QDateTime& now)
{
    auto it = m_history.find(service);
    if (it == m_history.end() || !it->readAt.isValid() ||
        it->readAt.secsTo(now) >= m_rule.serviceTimeRefreshSeconds || it->readAt > now) {
        it = m_history.insert(service, {m_estimator.load(service), now});
    }
    return it->load;
}

Snapshot HallNow::read()
{
    const QDateTime now = m_clock.now();
    if (!m_setup.readAt.isValid() || m_setup.readAt.secsTo(now) >= m_rule.setupRefreshSeconds ||
        m_setup.readAt > now || m_setup.readAt.date() != now.date())
        readSetup(now);
    const int nowSecond = now.time().msecsSinceStartOfDay() / 1000;

    struct Ticket
    {
        qint64 service;
        std::optional<int> issued, called, finished;
        bool waiting, calledFlag, cancelled, walkIn;
        qint64 counter;
    };
    const ResultSet rs = m_db.query(
        QStringLiteral("select servAuto, tickTime, call, attended, attTime, finished, status, ttype "
                       "from tblTicket where tickDate=? order by servAuto, tickNo"),
        {m_clock.todayText()});
    QVector<Ticket> tickets;
    tickets.reserve(rs.size());
    // Each counter's latest call today: whether it has a token in hand, and when it last called.
    struct Latest
    {
        int called = -1;
        bool inHand = false;
    };
    QHash<qint64, Latest> latest;
    for (int i = 0; i < rs.size(); ++i) {
        Ticket t;
        t.service = rs.number(i, 0);
        t.issued = waiting::secondsOfDay(rs.text(i, 1));
        t.calledFlag = rs.text(i, 2) == QLatin1String("1");
        t.counter = rs.number(i, 3);
        t.called = waiting::secondsOfDay(rs.text(i, 4));
        t.finished = waiting::secondsOfDay(rs.text(i, 5));
        t.cancelled = rs.text(i, 6).compare(QLatin1String("Cancelled"), Qt::CaseInsensitive) == 0;
        t.walkIn = rs.text(i, 7) == QLatin1String("N") || rs.text(i, 7) == QLatin1String("E");
        t.waiting = !t.calledFlag && !t.cancelled;
        tickets.append(t);
        if (t.calledFlag && t.counter != 0 && t.called && *t.called <= nowSecond) {
            Latest& l = latest[t.counter];
            if (*t.called >= l.called) {
                l.called = *t.called;
                l.inHand =
                    !t.cancelled && (!t.finished || *t.finished < *t.called || *t.finished > nowSecond);
            }
        }
    }

    Snapshot snap;
    snap.at = now;
    snap.services = m_setup.services;
    QHash<qint64, int> index;
    for (int i = 0; i < snap.services.size(); ++i)
        index.insert(snap.services.at(i).service, i);
    QVector<ForecastInput> inputs(snap.services.size());
    QVector<int> staffed(snap.services.size(), 0);
    for (int i = 0; i < snap.services.size(); ++i)
        inputs[i].target = snap.services.at(i).target;

    for (const Ticket& t : tickets) {
        const auto at = index.constFind(t.service);
        if (at == index.constEnd())
            continue;
        ServiceNow& s = snap.services[*at];
        ForecastInput& in = inputs[*at];
        if (t.issued && *t.issued <= nowSecond && *t.issued > nowSecond - m_rule.arrivalMinutes * 60)
            in.arrivalsPerMinute += 1.0 / m_rule.arrivalMinutes;
        if (t.waiting && t.issued) {
            ++s.waiting;
            const qint64 waited = std::max(0, nowSecond - *t.issued);
            s.longestWaitSeconds = std::max(s.longestWaitSeconds.value_or(0), waited);
            if (t.walkIn)
                in.waitedSeconds.append(waited);
        }
        if (t.calledFlag && t.called && t.issued && *t.called <= nowSecond) {
            ++in.calledToday;
            if (s.target.met(std::max(0, *t.called - *t.issued)))
                ++in.withinToday;
        }
        if (t.calledFlag && !t.cancelled && t.called && t.finished && *t.finished >= *t.called &&
            *t.finished <= nowSecond && *t.finished > nowSecond - 3600)
            ++s.servedLastHour;
    }

    for (int i = 0; i < snap.services.size(); ++i) {
        ServiceNow& s = snap.services[i];
        ForecastInput& in = inputs[i];
        // The waiting rule's figures for the service: S and R from history, c and f from the counters
        // now. A counter is staffed when it has a token in hand or called within the rule's serving
        // window; when none is, every active counter of the service counts, as the waiting rule does.
        in.load = history(s.service, now);
        const double window = m_estimator.rule().servingWindow * in.load.serviceMinutes * 60;
        int setUp = 0, free = 0, staffedHere = 0;
        for (const Counter& c : m_setup.counters) {
            if (c.service != s.service)
                continue;
            ++setUp;
            const Latest l = latest.value(c.id);
            if (l.inHand) {
                ++s.serving;
                ++staffedHere;
            } else if (l.called >= 0 && nowSecond - l.called <= window) {
                ++staffedHere;
                ++free;
            }
        }
        s.idle = setUp - s.serving;
        staffed[i] = staffedHere;
        in.load.servingCounters = staffedHere > 0 ? staffedHere : std::max(1, setUp);
        in.load.freeCounters = staffedHere > 0 ? free : 0;
        if (s.target.isSet() && in.calledToday > 0)
            s.sharePercent = 100.0 * in.withinToday / in.calledToday;
        s.arrivalsPerHour = in.arrivalsPerMinute * 60;
        if (in.load.known())
            s.serviceMinutes = in.load.serviceMinutes;
        s.forecast = forecast(in, m_rule);
    }
    return snap;
}

QString waitClock(qint64 seconds)
{
    seconds = std::max<qint64>(0, seconds);
    const qint64 h = seconds / 3600, m = seconds % 3600 / 60, s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(h)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}

} // namespace hallnow
