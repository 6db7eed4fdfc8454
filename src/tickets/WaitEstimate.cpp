#include "tickets/WaitEstimate.h"

#include "core/Database.h"
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

ServiceLoad WaitEstimator::load(qint64 serviceId)
{
    ServiceLoad load;
    const QDate today = m_clock.today();
    const int now = m_clock.time().msecsSinceStartOfDay() / 1000;

    // S and R from the latest finished tokens, of earlier days and of today up to now. They are read
    // a sample's worth at a time in the order of the unique index (newest day, highest number first),
    // so the store stops as soon as the sample is full.
    double sum = 0;
    double sumOfSquares = 0;
    for (qint64 offset = 0; load.sample < m_rule.serviceSample; offset += m_rule.serviceSample) {
        const ResultSet done = m_db.query(
            QStringLiteral(
                "select attTime, finished, tickDate from tblTicket where servAuto=? and tickDate>=? "
                "and tickDate<=? and call='1' and finished is not null and finished<>'' "
                "and attTime is not null and attTime<>'' "
                "order by tickDate desc, tickNo desc limit ? offset ?"),
            {serviceId, dayText(today.addDays(-m_rule.historyDays)), dayText(today), m_rule.serviceSample,
             offset});
        for (int r = 0; r < done.size() && load.sample < m_rule.serviceSample; ++r) {
            const std::optional<int> called = secondsOfDay(done.text(r, 0));
            const std::optional<int> finished = secondsOfDay(done.text(r, 1));
            // A token called again after its finish has a finish older than its call: it is still in
            // service and says nothing yet.
            if (!called || !finished || *finished < *called)
                continue;
            if (done.text(r, 2) == dayText(today) && *finished > now)
                continue;
            const double minutes = (*finished - *called) / secondsPerMinute;
            sum += minutes;
            sumOfSquares += minutes * minutes;
            ++load.sample;
        }
        if (done.size() < m_rule.serviceSample)
            break;
    }
    if (load.sample == 0)
        return load;
    load.serviceMinutes = sum / load.sample;
    // E[S²] / (2·E[S]); a sample of services that all took no time leaves nothing to wait for.
    load.residualMinutes = sum > 0 ? (sumOfSquares / load.sample) / (2 * load.serviceMinutes) : 0;

    // The counters that called one of the service's tokens within the serving window, latest first:
    // the first row of each counter tells whether it is free (its latest token finished). A counter
    // that finished while a token of the service was already waiting did not stop for lack of work:
    // it is away (a pause, the end of its shift) and serves nobody now.
    const int window = int(std::ceil(m_rule.servingWindow * load.serviceMinutes * secondsPerMinute));
    const QString since =
        QTime::fromMSecsSinceStartOfDay(qMax(0, now - window) * 1000).toString(QStringLiteral("HH:mm:ss"));
    const ResultSet recent = m_db.query(
        QStringLiteral("select attended, attTime, finished from tblTicket where servAuto=? and tickDate=? "
                       "and call='1' and attTime>=? and attended<>0 order by attTime desc"),
        {serviceId, dayText(today), since});
    const ResultSet oldest = m_db.query(
        QStringLiteral("select min(tickTime) from tblTicket where servAuto=? and tickDate=? and call='0' "
                       "and ttype='N'"),
        {serviceId, dayText(today)});
    const std::optional<int> waitingSince =
        oldest.isEmpty() || oldest.isNull(0, 0) ? std::nullopt : secondsOfDay(oldest.text(0, 0));
    QSet<qint64> seen;
    for (int r = 0; r < recent.size(); ++r) {
        const qint64 counter = recent.number(r, 0);
        const std::optional<int> called = secondsOfDay(recent.text(r, 1));
        if (seen.contains(counter) || !called || *called > now)
            continue;
        seen.insert(counter);
        const std::optional<int> finished = secondsOfDay(recent.text(r, 2));
        if (!finished || *finished < *called || *finished > now) {
            ++load.servingCounters; // busy with a token
        } else if (!waitingSince || *waitingSince > *finished) {
            ++load.servingCounters; // free: nothing was waiting when it finished
            ++load.freeCounters;
        }
    }
    if (load.servingCounters == 0) {
        const ResultSet setUp = m_db.query(
            QStringLiteral("select count(*) from tblCounter where servAuto=? and active='1'"), {serviceId});
        load.servingCounters = int(qMax<qint64>(1, setUp.isEmpty() ? 0 : setUp.number(0, 0)));
        load.countersFromSetup = true;
        // Nobody has called lately, so nothing is known of who is free: every counter may be busy.
        load.freeCounters = 0;
    }
    return load;
}

qint64 WaitEstimator::waitingBefore(qint64 serviceId, const QString& day, qint64 number)
{
    const ResultSet rs = m_db.query(
        QStringLiteral(
            "select count(*) from tblTicket where servAuto=? and tickDate=? and call='0' and tickNo<? "
            "and ttype in ('N','E')"),
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
