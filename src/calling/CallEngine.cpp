#include "calling/CallEngine.h"

#include "calling/TokenMoves.h"
#include "core/Database.h"
#include "core/Lookups.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "ui/Clock.h"

namespace {

const QString Calling = QStringLiteral("Calling");
const QString Idle = QStringLiteral("Idle");

// A counter that keeps losing races gives up after this many picks rather than spin.
constexpr int MaxPicks = 50;

} // namespace

CallEngine::CallEngine(Database& db, Settings& settings, Clock& clock, Session& session)
    : m_db(db), m_settings(settings), m_clock(clock), m_session(session)
{
}

bool CallEngine::showBoth() const
{
    if (m_settings.contains(QStringLiteral("queue"), QStringLiteral("show"), QStringLiteral("both")))
        return m_settings.getNumber(QStringLiteral("queue"), QStringLiteral("show"), QStringLiteral("both"),
                                    0) == 1;
    return showBothBox ? showBothBox() : false;
}

QString CallEngine::serviceName()
{
    if (m_nameService != m_session.serviceId) {
        m_serviceName = lookups::serviceNameById(m_db, m_session.serviceId);
        m_nameService = m_session.serviceId;
    }
    return m_serviceName;
}

CallReason CallEngine::reasonNow(CallReason::Rule rule, const QString& issued, qint64 passed) const
{
    return CallReason{rule, secondsWaited(issued, m_clock.timeText()), passed};
}

void CallEngine::setReason(const CallReason& reason)
{
    state.reason = reason;
    if (!reason.isKnown()) {
        state.why.clear();
        return;
    }
    QString name;
    try {
        name = serviceName();
    } catch (const DbError&) {
        // The sentence goes without the name; the call itself is made.
    }
    state.why = callReasonLine(state.lblToken, reason, name);
}

bool CallEngine::take(const Picked& ticket, bool onlyWaiting, bool alwaysCounterName,
                      const CallReason& reason)
{
    // A token called again (sent on from another counter, or back from a list) starts a new
    // service: the finish time of the last one goes.
    QString sql = QStringLiteral("update tblTicket set call='1', attended=?, attTime=?, status='Finished', "
                                 "finished=null where tickAuto=?");
    if (onlyWaiting)
        sql += QStringLiteral(" and call='0'");
    for (int attempt = 0;; ++attempt) {
        bool taken = false;
        qint64 callKey = 0;
        try {
            m_db.inTransaction([&] {
                taken = false;
                callKey = 0;
                // Any refusal of the marking throws and rolls back: it is never counted as a call.
                if (m_db.exec(sql, {m_session.counterId, m_clock.timeText(), ticket.key}) == 0)
                    return;
                callKey = insertCallRow(ticket.key, ticket.label, alwaysCounterName, reason);
                taken = true;
            });
            if (taken && afterTake)
                afterTake(ticket.key);
            return taken;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::OutcomeUnknown || callKey == 0)
                throw;
            // The connection broke on the commit: the call row says whether the call was saved.
            // Should the server still be away, the operator is told the outcome is unknown.
            ResultSet saved;
            try {
                saved =
                    m_db.query(QStringLiteral("select callauto from tblCall where callauto=?"), {callKey});
            } catch (const DbError&) {
                throw e;
            }
            if (!saved.isEmpty())
                return true;
            if (attempt > 0)
                throw DbError(DbError::unreachableText(), DbError::Kind::ConnectionLost);
            // Nothing was saved: the call is made once more on the new connection.
        }
    }
}

void CallEngine::callNext()
{
    for (int pick = 0; pick < MaxPicks; ++pick) {
        const auto picked = pickNext();
        if (!picked) {
            state.Label1 = Idle;
            setReason({});
            return;
        }
        if (beforeTake)
            beforeTake(picked->key);
        const CallReason reason = reasonNow(picked->rule, picked->issued, picked->passed);
        if (!take(*picked, true, false, reason))
            continue; // another counter took it: pick again
        if (picked->rule == CallReason::Rule::WalkIn || picked->rule == CallReason::Rule::Cap)
            ++state.walkInCount;
        state.Label1 = Calling;
        state.lblToken = picked->label;
        state.lblNo = QString::number(picked->key);
        setReason(reason);
        try {
            getPending();
        } catch (const DbError&) {
        }
        return;
    }
    // Every pick was lost to other counters; the operator simply presses Next again.
    state.Label1 = Idle;
    setReason({});
}

bool CallEngine::callPicked(qint64 ticketKey, const QString& label)
{
    return callPicked(ticketKey, label, CallReason{CallReason::Rule::Picked, -1, 0});
}

bool CallEngine::callPicked(qint64 ticketKey, const QString& label, const CallReason& why)
{
    CallReason reason = why;
    if (reason.waitedSeconds < 0) {
        const ResultSet rs =
            m_db.query(QStringLiteral("select tickTime from tblticket where tickAuto=?"), {ticketKey});
        if (!rs.isEmpty())
            reason.waitedSeconds = secondsWaited(rs.text(0, 0), m_clock.timeText());
    }
    if (!take(Picked{ticketKey, label, QString(), reason.rule, reason.passed}, true, false, reason))
        return false;
    state.Label1 = Calling;
    state.lblToken = label;
    state.lblNo = QString::number(ticketKey);
    setReason(reason);
    return true;
}

CallEngine::CallResult CallEngine::callThis(qint64 ticketKey, const QString& kind, Take how)
{
    ResultSet rs;
    try {
        rs = m_db.query(
            QStringLiteral(
                "select tickAuto,no_abr,tickTime,call from tblticket where tickDate=? and tickAuto=?"),
            {m_clock.todayText(), ticketKey});
    } catch (const DbError& e) {
        if (e.isConnectionFailure())
            throw;
    }
    if (rs.isEmpty()) {
        state.Label1 = Idle;
        return CallResult::NotFound;
    }
    const Picked ticket{rs.number(0, 0), rs.text(0, 1), rs.text(0, 2), CallReason::Rule::Recall, 0};
    // A waiting token chosen from a list passes those that waited longer; a called one is called again.
    CallReason reason = reasonNow(CallReason::Rule::Recall, ticket.issued, 0);
    if (rs.text(0, 3) != QLatin1String("1")) {
        reason.rule = CallReason::Rule::Picked;
        try {
            reason.passed = waitedLonger(ticket.key, ticket.issued);
        } catch (const DbError& e) {
            if (e.isConnectionFailure())
                throw;
        }
    }
    if (how == Take::OnlyWaiting && beforeTake)
        beforeTake(ticket.key);
    if (!take(ticket, how == Take::OnlyWaiting, kind == QLatin1String("Report"), reason))
        return CallResult::CalledByOther;
    // The operator moves on from the token served so far.
    const qint64 previous = state.currentKey();
    if (previous != 0 && previous != ticket.key) {
        try {
            finish(previous);
        } catch (const DbError&) {
        }
    }
    state.Label1 = Calling;
    state.lblToken = ticket.label;
    state.lblNo = QString::number(ticket.key);
    setReason(reason);
    try {
        getPending();
    } catch (const DbError&) {
    }
    return CallResult::Called;
}

void CallEngine::callRC()
{
    insertCallRow(state.currentKey(), state.lblToken, false, CallReason{CallReason::Rule::Recall, -1, 0});
}

void CallEngine::callRC1()
{
    insertCallRow(state.currentKey(), state.lblToken, true, CallReason{CallReason::Rule::Recall, -1, 0});
}

qint64 CallEngine::insertCallRow(qint64 ticketKey, const QString& label, bool alwaysCounterName,
                                 const CallReason& reason)
{
    const bool both = showBoth();
    QVariantMap row{
        {QStringLiteral("servAuto"), m_session.counterId},
        {QStringLiteral("no_abr"), label},
        {QStringLiteral("displayName"), m_session.counterDisplayName},
        {QStringLiteral("status1"), QStringLiteral("0")},
        {QStringLiteral("tickAuto"), ticketKey},
        {QStringLiteral("tickDate"), m_clock.todayText()},
        {QStringLiteral("contName"), (both || alwaysCounterName) ? m_session.counterName : QString()},
        {QStringLiteral("displayNameA"), m_session.counterDisplayNameA}};
    if (both)
        row.insert(QStringLiteral("countNameA"), m_session.counterNameA);
    if (reason.isKnown()) {
        row.insert(QStringLiteral("whyrule"), reason.code());
        if (reason.waitedSeconds >= 0)
            row.insert(QStringLiteral("whywait"), reason.waitedSeconds);
        row.insert(QStringLiteral("whypassed"), reason.passed);
    }
    return m_db.insert(QStringLiteral("tblCall"), row);
}

void CallEngine::updateRc()
{
    const qint64 key = state.currentKey();
    if (key == 0)
        return;
    // The call row keeps why the token was chosen; the counter shows that it was called again.
    const ResultSet rs = m_db.query(
        QStringLiteral("select (select max(callauto) from tblCall where tickAuto=?), (select tickTime from "
                       "tblticket where tickAuto=?)"),
        {key, key});
    const CallReason reason = reasonNow(CallReason::Rule::Recall, rs.text(0, 1), 0);
    if (rs.isEmpty() || rs.isNull(0, 0)) {
        // Its call never reached the boards: this recall is its call.
        QString label = state.lblToken;
        if (label.isEmpty())
            label = lookups::tokenLabelById(m_db, key);
        insertCallRow(key, label, false, reason);
    } else {
        // Each recall is counted on the call it repeats, in the same statement that shows it again.
        m_db.exec(
            QStringLiteral("update tblCall set status1='0', recalls=coalesce(recalls,0)+1 where callauto=?"),
            {rs.number(0, 0)});
    }
    setReason(reason);
}

int CallEngine::recallsOfCurrent()
{
    const qint64 key = state.currentKey();
    if (key == 0)
        return 0;
    const ResultSet rs = m_db.query(
        QStringLiteral(
            "select coalesce(recalls,0) from tblCall where tickAuto=? order by callauto desc limit 1"),
        {key});
    return rs.isEmpty() ? 0 : int(rs.number(0, 0));
}

int CallEngine::recallsBeforeNotArrived() const
{
    const qint64 n = m_settings.getNumber(QStringLiteral("queue"), QStringLiteral("notarrived"),
                                          QStringLiteral("recalls"), 2);
    return int(qBound(qint64(0), n, qint64(99)));
}

CallEngine::NotArrivedResult CallEngine::markNotArrived()
{
    const qint64 key = state.currentKey();
    if (key == 0)
        return NotArrivedResult::NoToken;
    if (recallsOfCurrent() < recallsBeforeNotArrived())
        return NotArrivedResult::TooFewRecalls;
    // Only the token this counter called and still serves; its finish time stays empty, as nobody was
    // served.
    if (m_db.exec(QStringLiteral("update tblTicket set status='NotArrived' where tickAuto=? and call='1' and "
                                 "attended=? and coalesce(status,'') not in ('Cancelled','NotArrived')"),
                  {key, m_session.counterId}) == 0)
        return NotArrivedResult::NotServedHere;
    state.lblNo.clear();
    state.lblToken.clear();
    state.Label1 = Idle;
    return NotArrivedResult::Marked;
}

bool CallEngine::finishCurrent()
{
    const qint64 key = state.currentKey();
    if (key == 0)
        return false;
    finish(key);
    state.lblNo.clear();
    state.lblToken.clear();
    state.Label1 = Idle;
    setReason({});
    return true;
}

bool CallEngine::transferCurrent(qint64 targetCounterId, const QString& note)
{
    const qint64 key = state.currentKey();
    if (key == 0)
        return false;
    if (!tokenMoves::transferServed(m_db, key, m_session.counterId, targetCounterId, note,
                                    m_clock.timeText()))
        return false;
    state.lblNo.clear();
    state.lblToken.clear();
    state.Label1 = Idle;
    setReason({});
    return true;
}

void CallEngine::setFinish()
{
    finish(state.currentKey());
}

void CallEngine::finish(qint64 ticketKey)
{
    // A token keeps its first finish time (Next after "Idle" finishes the same token again), unless it
    // was called again after it: then the new service ends now.
    // A visitor who did not come was not served: no finish time.
    m_db.exec(QStringLiteral("update tblTicket set finished=? where tickAuto=? and (finished is null or "
                             "finished='' or finished<attTime) and coalesce(status,'')<>'NotArrived'"),
              {m_clock.timeText(), ticketKey});
}

void CallEngine::getPending()
{
    state.lblTotal = QStringLiteral("Total Pending : ") + QString::number(pendingCount());
}

void CallEngine::getLast()
{
    // The token the counter called last (the latest call time; "HH:mm:ss" of today), whatever its
    // number: an emergency or a token sent here may have a higher number than the ones served after
    // it. Within one second, the later issued; a called row without a time (older data) comes last
    // on either store. A visitor marked as not arrived is gone: never current again by itself.
    const ResultSet rs = m_db.query(
        QStringLiteral("select no_abr,tickAuto from tblticket where call='1' and tickDate=? and attended=? "
                       "and coalesce(status,'')<>'NotArrived' "
                       "order by coalesce(attTime,'') desc, tickAuto desc limit 1"),
        {m_clock.todayText(), m_session.servingCounterId});
    if (rs.isEmpty()) {
        state.lblLast = QStringLiteral("Last Served : Not Available");
        return;
    }
    state.lblLast = QStringLiteral("Last Served : ") + rs.text(0, 0);
    // Why that token was called is not read back: the line shows only what this counter just did.
    setReason({});
    state.lblNo = QString::number(rs.number(0, 1));
    state.lblToken = lookups::tokenLabelById(m_db, rs.number(0, 1));
}
