#include "tickets/WaitEstimate.h"

#include "core/Database.h"
#include "core/QueueLength.h"
#include "ui/Clock.h"

#include <QHash>
#include <QSet>
#include <QTime>

#include <cmath>

namespace waiting {

namespace {

constexpr double secondsPerMinute = 60.0;

QString dayText(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

std::optional<int> secondsOfDay(const QString& text)
{
    QTime t = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(text, QStringLiteral("HH:mm"));
    if (!t.isValid())
        return std::nullopt;
    return t.msecsSinceStartOfDay() / 1000;
}

std::optional<int> minutesToWait(const ServiceLoad& load, qint64 peopleAhead, const Rule& rule)
{
    if (!load.known(rule) || load.servingCounters < 1)
        return std::nullopt;
    if (peopleAhead < load.freeCounters)
        return 0;
    const double others = double(peopleAhead - load.freeCounters);
    const double minutes = (others * load.serviceMinutes + load.residualMinutes) / load.servingCounters;
    return int(std::lround(minutes));
}

WaitEstimator::WaitEstimator(Database& db, const Clock& clock, Rule rule)
    : m_db(db), m_clock(clock), m_rule(rule)
{
}

SqlPart minutesSql(const ServiceLoad& load, const QString& ahead, const Rule& rule)
{
    if (!load.known(rule) || load.servingCounters < 1)
        return {QStringLiteral("cast(null as bigint)"), {}};
    // The service figures go as texts of 17 significant digits, which the server reads back to the
    // very same doubles; the rounding is lround's (halves away from zero) on a value that is never
    // negative past the free counters.
    const auto exact = [](double value) { return QString::number(value, 'g', 17); };
    return {
        QStringLiteral("(select case when x.a < ? then 0 else cast(floor(x.m) as bigint) + "
                       "case when x.m - floor(x.m) >= 0.5 then 1 else 0 end end "
                       "from (select y.a, (cast(y.a - ? as double precision) * cast(? as double precision) + "
                       "cast(? as double precision)) / cast(? as double precision) as m "
                       "from (select %1 as a) y) x)")
            .arg(ahead),
        {qint64(load.freeCounters), qint64(load.freeCounters), exact(load.serviceMinutes),
         exact(load.residualMinutes), qint64(load.servingCounters)}};
}

namespace {

// S and R over the sample. A token called again after its finish has a finish older than its call:
// it is still in service and says nothing yet; one finished later than now (a clock ahead of this
// one) neither.
void takeSample(const LoadInputs& in, int now, const Rule& rule, ServiceLoad& load)
{
    double sum = 0;
    double sumOfSquares = 0;
    for (const LoadInputs::Done& row : in.done) {
        if (load.sample >= rule.serviceSample)
            break;
        if (!row.called || !row.finished || *row.finished < *row.called)
            continue;
        if (row.today && *row.finished > now)
            continue;
        const double minutes = (*row.finished - *row.called) / secondsPerMinute;
        sum += minutes;
        sumOfSquares += minutes * minutes;
        ++load.sample;
    }
    if (load.sample == 0)
        return;
    load.serviceMinutes = sum / load.sample;
    // E[S²] / (2·E[S]); a sample of services that all took no time leaves nothing to wait for.
    load.residualMinutes = sum > 0 ? (sumOfSquares / load.sample) / (2 * load.serviceMinutes) : 0;
}

} // namespace

LoadInputs readLoadInputs(Database& db, qint64 serviceId, const QDate& today, int now, const Rule& rule)
{
    LoadInputs in;
    in.day = today;
    in.readAt = now;

    // The latest finished tokens, of earlier days and of today, read a sample's worth at a time in the
    // order of the unique index (newest day, highest number first), so the store stops as soon as the
    // sample is full at `now`; a later moment needs no more of them (see loadAt).
    ServiceLoad sample;
    for (qint64 offset = 0;; offset += rule.serviceSample) {
        const ResultSet done =
            db.query(QStringLiteral(
                         "select attTime, finished, tickDate from tblTicket where servAuto=? and tickDate>=? "
                         "and tickDate<=? and call='1' and finished is not null and finished<>'' "
                         "and attTime is not null and attTime<>'' "
                         "order by tickDate desc, tickNo desc limit ? offset ?"),
                     {serviceId, dayText(today.addDays(-rule.historyDays)), dayText(today),
                      rule.serviceSample, offset});
        for (int r = 0; r < done.size(); ++r)
            in.done.append({secondsOfDay(done.text(r, 0)), secondsOfDay(done.text(r, 1)),
                            done.text(r, 2) == dayText(today)});
        sample = ServiceLoad();
        takeSample(in, now, rule, sample);
        if (sample.sample >= rule.serviceSample || done.size() < rule.serviceSample)
            break;
    }
    if (sample.sample == 0)
        return in;

    // The calls within the serving window of now. Two calls of a counter in the same second (a Next
    // right after a call) come latest number first: that is the one it serves; the store's own order of
    // such ties could differ from one read to the next.
    const int window = int(std::ceil(rule.servingWindow * sample.serviceMinutes * secondsPerMinute));
    in.callsRead = true;
    in.callsSince =
        QTime::fromMSecsSinceStartOfDay(qMax(0, now - window) * 1000).toString(QStringLiteral("HH:mm:ss"));
    const ResultSet recent = db.query(
        QStringLiteral("select attended, attTime, finished from tblTicket where servAuto=? and tickDate=? "
                       "and call='1' and attTime>=? and attended<>0 order by attTime desc, tickNo desc"),
        {serviceId, dayText(today), in.callsSince});
    for (int r = 0; r < recent.size(); ++r)
        in.calls.append({recent.number(r, 0), recent.text(r, 1), secondsOfDay(recent.text(r, 1)),
                         secondsOfDay(recent.text(r, 2))});
    const ResultSet rest = db.query(
        QStringLiteral("select (select min(tickTime) from tblTicket where servAuto=? and tickDate=? and "
                       "call='0' and ttype='N'), "
                       "(select count(*) from tblCounter where servAuto=? and active='1')"),
        {serviceId, dayText(today), serviceId});
    if (!rest.isEmpty()) {
        in.oldestWaiting = rest.isNull(0, 0) ? QString() : rest.text(0, 0);
        in.countersSetUp = rest.number(0, 1);
    }
    return in;
}

std::optional<ServiceLoad> loadAt(const LoadInputs& in, int now, const Rule& rule)
{
    ServiceLoad load;
    takeSample(in, now, rule, load);
    if (load.sample == 0)
        return load;

    // The counters that called one of the service's tokens within the serving window, latest first:
    // the first row of each counter tells whether it is free (its latest token finished). A counter
    // that finished while a token of the service was already waiting did not stop for lack of work:
    // it is away (a pause, the end of its shift) and serves nobody now.
    const int window = int(std::ceil(rule.servingWindow * load.serviceMinutes * secondsPerMinute));
    const QString since =
        QTime::fromMSecsSinceStartOfDay(qMax(0, now - window) * 1000).toString(QStringLiteral("HH:mm:ss"));
    if (!in.callsRead || since < in.callsSince)
        return std::nullopt;
    const std::optional<int> waitingSince =
        in.oldestWaiting.isEmpty() ? std::nullopt : secondsOfDay(in.oldestWaiting);
    QSet<qint64> seen;
    for (const LoadInputs::Call& call : in.calls) {
        if (call.calledText < since || seen.contains(call.counter) || !call.called || *call.called > now)
            continue;
        seen.insert(call.counter);
        if (!call.finished || *call.finished < *call.called || *call.finished > now) {
            ++load.servingCounters; // busy with a token
        } else if (!waitingSince || *waitingSince > *call.finished) {
            ++load.servingCounters; // free: nothing was waiting when it finished
            ++load.freeCounters;
        }
    }
    if (load.servingCounters == 0) {
        load.servingCounters = int(qMax<qint64>(1, in.countersSetUp));
        load.countersFromSetup = true;
        // Nobody has called lately, so nothing is known of who is free: every counter may be busy.
        load.freeCounters = 0;
    }
    return load;
}

ServiceLoad WaitEstimator::load(qint64 serviceId)
{
    const int now = m_clock.time().msecsSinceStartOfDay() / 1000;
    return loadAt(readLoadInputs(m_db, serviceId, m_clock.today(), now, m_rule), now, m_rule).value();
}

QString aheadCount(const QString& service, const QString& day, const QString& number)
{
    return QStringLiteral("(select count(*) from tblTicket w where w.servAuto=%1 and w.tickDate=%2 and "
                          "w.tickNo<%3 and %4)")
        .arg(service, day, number, queuelength::waitingCondition(QStringLiteral("w")));
}

qint64 WaitEstimator::waitingBefore(qint64 serviceId, const QString& day, qint64 number)
{
    const ResultSet rs = m_db.query(
        QStringLiteral("select ") + aheadCount(QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")),
        {serviceId, day, number});
    return rs.isEmpty() ? 0 : rs.number(0, 0);
}

Estimate WaitEstimator::forNewTicket(qint64 serviceId, qint64 number, const QString& issueDay)
{
    Estimate e;
    if (issueDay != m_clock.todayText())
        return e;
    e.peopleAhead = waitingBefore(serviceId, issueDay, number);
    e.minutes = minutesToWait(load(serviceId), e.peopleAhead, m_rule);
    return e;
}

Estimate WaitEstimator::forTicket(qint64 tickAuto)
{
    Estimate e;
    const ResultSet rs = m_db.query(
        QStringLiteral("select servAuto, tickDate, tickNo, call, ttype from tblTicket where tickAuto=?"),
        {tickAuto});
    if (rs.isEmpty() || rs.text(0, 3) != QLatin1String("0") || rs.text(0, 1) != m_clock.todayText())
        return e;
    const qint64 service = rs.number(0, 0);
    e.peopleAhead = waitingBefore(service, rs.text(0, 1), rs.number(0, 2));
    // Only a walk-in waits its turn in the service's queue; a report token is called from the lists
    // and an appointment at its time.
    if (rs.text(0, 4) == QLatin1String("N"))
        e.minutes = minutesToWait(load(service), e.peopleAhead, m_rule);
    return e;
}

QString waitText(const std::optional<int>& minutes, const Language& language)
{
    if (!minutes)
        return {};
    if (*minutes < 1)
        return language.translate("WaitEstimate", "less than a minute");
    if (*minutes == 1)
        return language.translate("WaitEstimate", "about 1 minute");
    return language.translate("WaitEstimate", "about %1 minutes").arg(*minutes);
}

} // namespace waiting
