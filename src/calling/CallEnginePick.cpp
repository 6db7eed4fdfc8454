// What a counter's Next can take and in which order: the picks, the cap and the pending count.

#include "calling/CallEngine.h"

#include "core/Database.h"
#include "core/QueueLength.h"
#include "core/Session.h"
#include "ui/Clock.h"

namespace {

// An appointment is due from the first second of its minute. Its time is kept as "HH:mm" and the
// clock's time is cut to the minute in the same form (dueMinute), so the two compare as times:
// the one for 10:25 is due at 10:25:00 and at 10:25:20, not at 10:24:59.
const QString appointmentDue = QStringLiteral("substr(apptime,1,5)<=?");

// The two halves of what a counter's Next takes: tokens directed to the counter (values: counter,
// the minute appointments are due by), and walk-ins of its service that no counter has been given (value:
// service). A directed token has a counter and a walk-in none, so no token is in both. The server
// keeps the number of walk-ins waiting by the same rule (queuelength::walkInCondition).
const QString directedCondition = QStringLiteral("attended=? and (ttype='E' or (ttype='A' and ") +
                                  appointmentDue +
                                  QStringLiteral(") or (ttype='N' and status='Transferred'))");
const QString walkInCondition = QStringLiteral("servAuto=? and ttype='N' and coalesce(attended,0)=0");

const QString waitingToday =
    QStringLiteral("(select count(*) from tblticket o where o.call='0' and o.tickDate=? and ");

} // namespace

std::optional<CallEngine::Picked> CallEngine::pickOne(const QString& sql, const QVariantList& values,
                                                      CallReason::Rule rule)
{
    try {
        const ResultSet rs = m_db.query(sql, values);
        if (!rs.isEmpty())
            return Picked{rs.number(0, 0), rs.text(0, 1), rs.text(0, 2), rule,
                          rs.columnCount() > 3 ? rs.number(0, 3) : 0};
    } catch (const DbError& e) {
        // A pick the store refuses counts as no row; a store out of reach is told to the operator.
        if (e.isConnectionFailure())
            throw;
    }
    return std::nullopt;
}

std::optional<CallEngine::Picked> CallEngine::pickDirected(const QString& issuedBy)
{
    const QString today = m_clock.todayText();
    const QVariant counter = m_session.servingCounterId;
    // With the token, the tokens this counter could take that it passes although they were issued
    // before it. Counted only for the row taken.
    const QString select =
        QStringLiteral("select t.tickAuto,t.no_abr,t.tickTime,") + waitingToday +
        QStringLiteral("o.tickTime<t.tickTime and ") + directedCondition + QStringLiteral(") + ") +
        waitingToday + QStringLiteral("o.tickTime<t.tickTime and ") + walkInCondition +
        QStringLiteral(") from tblticket t where t.call='0' and t.tickDate=? and t.attended=? and ");
    const QVariantList passedValues{today, counter, dueMinute(), today, m_session.serviceId};
    QString bound;
    QVariantList boundValues;
    if (!issuedBy.isEmpty()) {
        bound = QStringLiteral(" and coalesce(t.tickTime,'')<=?");
        boundValues.append(issuedBy);
    }
    const QString order = QStringLiteral(" order by t.tickno asc limit 1");
    if (auto emergency =
            pickOne(select + QStringLiteral("t.ttype='E'") + bound + order,
                    passedValues + QVariantList{today, counter} + boundValues, CallReason::Rule::Emergency))
        return emergency;
    if (auto appointment =
            pickOne(select + QStringLiteral("t.ttype='A' and ") + appointmentDue + bound + order,
                    passedValues + QVariantList{today, counter, dueMinute()} + boundValues,
                    CallReason::Rule::Appointment))
        return appointment;
    // Walk-ins another counter handed to this one come before the service's own walk-ins.
    return pickOne(select + QStringLiteral("t.ttype='N' and t.status='Transferred'") + bound + order,
                   passedValues + QVariantList{today, counter} + boundValues, CallReason::Rule::Transfer);
}

std::optional<CallEngine::Picked> CallEngine::pickWalkIn()
{
    // A walk-in handed to a counter belongs to that counter's queue only.
    return pickOne(QStringLiteral("select tickAuto,no_abr,tickTime from tblticket where call='0' and "
                                  "tickDate=? and servAuto=? and ttype='N' and coalesce(attended,0)=0 "
                                  "order by tickno asc limit 1"),
                   {m_clock.todayText(), m_session.serviceId}, CallReason::Rule::WalkIn);
}

// Without a cap: directed tokens first (emergencies, due appointments, transfers), then the oldest
// walk-in of the service.
//
// With a cap of N minutes: a walk-in that has waited more than N minutes is called before new
// emergencies and appointments. The walk-in weighed is the one Next would take next among the
// service's walk-ins (the lowest number no counter has been given). Once it has waited more than N
// minutes by the clock (from its issue time, to the second), "new" means every directed token
// issued after it: emergencies, due appointments and walk-ins sent to this counter whose issue time
// is later than its own. Directed tokens issued at or before it keep their place ahead of it, in the
// usual order; a token without an issue time counts as issued before. Until then, and without a cap,
// the order is the one above. The cap changes the order, never which tokens Next can take, so the
// pending count and list stay as they are.
std::optional<CallEngine::Picked> CallEngine::pickNext()
{
    const int cap = capMinutes();
    if (cap <= 0) {
        if (auto directed = pickDirected())
            return directed;
        return pickWalkIn();
    }
    auto walkIn = pickWalkIn();
    const bool heldTooLong = walkIn && secondsWaited(walkIn->issued, m_clock.timeText()) > qint64(cap) * 60;
    if (!heldTooLong) {
        if (auto directed = pickDirected())
            return directed;
        return walkIn;
    }
    if (auto older = pickDirected(walkIn->issued))
        return older;
    // The walk-in goes first; the cap chose it when newer directed tokens were waiting.
    walkIn->passed = newerDirected(walkIn->issued);
    if (walkIn->passed > 0)
        walkIn->rule = CallReason::Rule::Cap;
    return walkIn;
}

qint64 CallEngine::newerDirected(const QString& issued)
{
    const ResultSet rs = m_db.query(
        QStringLiteral("select count(*) from tblticket where call='0' and tickDate=? and tickTime>? and ") +
            directedCondition,
        {m_clock.todayText(), issued, m_session.servingCounterId, dueMinute()});
    return rs.isEmpty() ? 0 : rs.number(0, 0);
}

qint64 CallEngine::waitedLonger(qint64 ticketKey, const QString& issued)
{
    const QString today = m_clock.todayText();
    const QString earlier = QStringLiteral("o.tickTime<? and o.tickAuto<>? and ");
    const ResultSet rs =
        m_db.query(QStringLiteral("select ") + waitingToday + earlier + directedCondition +
                       QStringLiteral(") + ") + waitingToday + earlier + walkInCondition + QLatin1Char(')'),
                   {today, issued, ticketKey, m_session.servingCounterId, dueMinute(), today, issued,
                    ticketKey, m_session.serviceId});
    return rs.isEmpty() ? 0 : rs.number(0, 0);
}

int CallEngine::capMinutes()
{
    if (!m_cap || m_capService != m_session.serviceId) {
        const ResultSet rs = m_db.query(QStringLiteral("select capwait from tblService where servAuto=?"),
                                        {m_session.serviceId});
        m_cap = rs.isEmpty() ? 0 : int(rs.number(0, 0));
        m_capService = m_session.serviceId;
    }
    return qMax(0, *m_cap);
}

QString CallEngine::takeableCondition()
{
    return QStringLiteral("((") + directedCondition + QStringLiteral(") or (") + walkInCondition +
           QStringLiteral("))");
}

QVariantList CallEngine::takeableValues() const
{
    return {m_session.servingCounterId, dueMinute(), m_session.serviceId};
}

int CallEngine::pendingCount()
{
    // The halves counted apart: each then reads only its own rows by its index, where the two joined by
    // "or" may lead a planner to read the whole day's queue after each Next. The walk-ins of the
    // service are one row where the server keeps their number. The service's cap comes along, so Next
    // knows it without a query of its own.
    const QString today = m_clock.todayText();
    const QVariantList values = takeableValues();
    const QString count =
        QStringLiteral("(select count(*) from tblticket where call='0' and tickDate=? and ");
    const bool kept = m_db.rights().readsQueueLengths();
    const QString walkIns =
        kept ? QStringLiteral("coalesce((select w.walkins from %1 w where w.servauto=? and w.tickdate=?), 0)")
                   .arg(queuelength::tableName())
             : count + walkInCondition + QLatin1Char(')');
    const QVariantList walkInValues =
        kept ? QVariantList{values.at(2), today} : QVariantList{today, values.at(2)};
    ResultSet rs;
    try {
        rs = m_db.query(QStringLiteral("select ") + count + directedCondition + QStringLiteral(") + ") +
                            walkIns + QStringLiteral(", (select capwait from tblService where servAuto=?)"),
                        QVariantList{today, values.at(0), values.at(1)} + walkInValues +
                            QVariantList{m_session.serviceId});
    } catch (const DbError& e) {
        // The kept lengths gone since the connection opened (a hall made again): counted.
        if (!kept || m_db.transactionOpen() || !e.detail().contains(queuelength::tableName()))
            throw;
        m_db.findRightsAgain();
        if (m_db.rights().readsQueueLengths())
            throw;
        return pendingCount();
    }
    if (rs.isEmpty())
        return 0;
    m_cap = int(rs.number(0, 1));
    m_capService = m_session.serviceId;
    return int(rs.number(0, 0));
}

QString CallEngine::dueMinute() const
{
    return m_clock.time().toString(QStringLiteral("HH:mm"));
}
