#include "calling/CallEngine.h"

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

std::optional<CallEngine::Picked> CallEngine::pickDirected()
{
    const QString today = m_clock.todayText();
    try {
        const ResultSet rs = m_db.query(
            QStringLiteral(
                "select tickAuto,no_abr from tblticket where call='0' and ttype='E' and tickDate=? and "
                "attended=? order by tickno asc limit 1"),
            {today, m_session.servingCounterId});
        if (!rs.isEmpty())
            return Picked{rs.number(0, 0), rs.text(0, 1)};
    } catch (const DbError&) {
        // A failing pick counts as no row.
    }
    try {
        // Callable in the minute after its time: the time is earlier than now, as "HH:mm" text.
        const QString now = m_clock.time().toString(QStringLiteral("HH:mm"));
        const ResultSet rs = m_db.query(
            QStringLiteral("select tickAuto,no_abr from tblticket where call='0' and ttype='A' and "
                           "substr(apptime,1,5)<? and tickDate=? and attended=? order by tickno asc limit 1"),
            {now, today, m_session.servingCounterId});
        if (!rs.isEmpty())
            return Picked{rs.number(0, 0), rs.text(0, 1)};
    } catch (const DbError&) {
    }
    return std::nullopt;
}

std::optional<CallEngine::Picked> CallEngine::pickWalkIn()
{
    try {
        const ResultSet rs = m_db.query(
            QStringLiteral(
                "select tickAuto,no_abr from tblticket where call='0' and tickDate=? and servAuto=? "
                "and ttype='N' order by tickno asc limit 1"),
            {m_clock.todayText(), m_session.serviceId});
        if (!rs.isEmpty())
            return Picked{rs.number(0, 0), rs.text(0, 1)};
    } catch (const DbError&) {
    }
    return std::nullopt;
}

void CallEngine::markCalled(const Picked& ticket, bool onlyWaiting, bool* taken)
{
    QString sql = QStringLiteral("update tblTicket set call='1', attended=?, attTime=?, status='Finished' "
                                 "where tickAuto=?");
    if (onlyWaiting)
        sql += QStringLiteral(" and call='0'");
    try {
        const qint64 changed = m_db.exec(sql, {m_session.counterId, m_clock.timeText(), ticket.key});
        *taken = changed > 0;
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::OutcomeUnknown) {
            // The connection broke while the server had the change: the ticket row says whether it
            // was saved. Should the server still be away, the operator is told the outcome is unknown.
            try {
                *taken = calledHere(ticket.key);
            } catch (const DbError&) {
                throw e;
            }
            return;
        }
        if (e.kind() != DbError::Kind::Other)
            throw; // nothing reached the server
        // The call row is still written; the ticket row may be fixed by calling it again.
        *taken = true;
    }
}

bool CallEngine::calledHere(qint64 ticketKey)
{
    const ResultSet rs =
        m_db.query(QStringLiteral("select call, attended from tblTicket where tickAuto=?"), {ticketKey});
    return !rs.isEmpty() && rs.text(0, 0) == QLatin1String("1") && rs.number(0, 1) == m_session.counterId;
}

bool CallEngine::take(const Picked& ticket)
{
    if (beforeTake)
        beforeTake(ticket.key);
    bool taken = false;
    markCalled(ticket, true, &taken);
    if (!taken)
        return false;
    state.Label1 = Calling;
    state.lblToken = ticket.label;
    state.lblNo = QString::number(ticket.key);
    try {
        callRC();
    } catch (const DbError&) {
    }
    try {
        getPending();
    } catch (const DbError&) {
    }
    return true;
}

void CallEngine::callNext()
{
    for (int pick = 0; pick < MaxPicks; ++pick) {
        if (const auto directed = pickDirected()) {
            if (take(*directed))
                return;
            continue; // another counter took it: pick again
        }
        const auto walkIn = pickWalkIn();
        if (!walkIn) {
            state.Label1 = Idle;
            return;
        }
        if (take(*walkIn)) {
            ++state.walkInCount;
            return;
        }
    }
    // Every pick was lost to other counters; the operator simply presses Next again.
    state.Label1 = Idle;
}

CallEngine::CallResult CallEngine::callThis(qint64 ticketKey, const QString& kind, Take how)
{
    ResultSet rs;
    try {
        rs = m_db.query(
            QStringLiteral("select tickAuto,no_abr from tblticket where tickDate=? and tickAuto=?"),
            {m_clock.todayText(), ticketKey});
    } catch (const DbError&) {
    }
    if (rs.isEmpty()) {
        state.Label1 = Idle;
        return CallResult::NotFound;
    }
    const Picked ticket{rs.number(0, 0), rs.text(0, 1)};
    if (how == Take::OnlyWaiting && beforeTake)
        beforeTake(ticket.key);
    bool taken = false;
    markCalled(ticket, how == Take::OnlyWaiting, &taken);
    if (!taken)
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
    try {
        if (kind == QLatin1String("Report"))
            callRC1();
        else
            callRC();
    } catch (const DbError&) {
    }
    try {
        getPending();
    } catch (const DbError&) {
    }
    return CallResult::Called;
}

void CallEngine::callRC()
{
    insertCallRow(false);
}

void CallEngine::callRC1()
{
    insertCallRow(true);
}

void CallEngine::insertCallRow(bool alwaysCounterName)
{
    const bool both = showBoth();
    QVariantMap row{
        {QStringLiteral("servAuto"), m_session.counterId},
        {QStringLiteral("no_abr"), state.lblToken},
        {QStringLiteral("displayName"), m_session.counterDisplayName},
        {QStringLiteral("status1"), QStringLiteral("0")},
        {QStringLiteral("tickAuto"), state.currentKey()},
        {QStringLiteral("tickDate"), m_clock.todayText()},
        {QStringLiteral("contName"), (both || alwaysCounterName) ? m_session.counterName : QString()},
        {QStringLiteral("displayNameA"), m_session.counterDisplayNameA}};
    if (both)
        row.insert(QStringLiteral("countNameA"), m_session.counterNameA);
    try {
        m_db.insert(QStringLiteral("tblCall"), row);
    } catch (const DbError&) {
        // The ticket already has a call row: bring its newest one back as a fresh call of this ticket.
        const ResultSet existing = m_db.query(
            QStringLiteral("select callauto from tblCall where tickAuto=? order by callauto desc limit 1"),
            {state.currentKey()});
        if (existing.isEmpty())
            return;
        if (!both)
            row.insert(QStringLiteral("countNameA"), QVariant());
        m_db.update(QStringLiteral("tblCall"), existing.number(0, 0), row);
    }
}

void CallEngine::updateRc()
{
    const ResultSet rs = m_db.query(
        QStringLiteral("select callauto from tblCall where tickAuto=? order by callauto desc limit 1"),
        {state.currentKey()});
    if (rs.isEmpty())
        return;
    m_db.exec(QStringLiteral("update tblCall set status1='0' where callauto=?"), {rs.number(0, 0)});
}

void CallEngine::setFinish()
{
    finish(state.currentKey());
}

void CallEngine::finish(qint64 ticketKey)
{
    // A token keeps its first finish time (Next after "Idle" finishes the same token again), unless it
    // was called again after it: then the new service ends now.
    m_db.exec(QStringLiteral("update tblTicket set finished=? where tickAuto=? and (finished is null or "
                             "finished='' or finished<attTime)"),
              {m_clock.timeText(), ticketKey});
}

int CallEngine::pendingCount()
{
    // A token transferred here from a counter of the same service is one token, not two.
    const ResultSet rs = m_db.query(
        QStringLiteral("select count(tickNo) from tblticket where call='0' and tickDate=? and (servAuto=? or "
                       "(status='Transferred' and attended=?))"),
        {m_clock.todayText(), m_session.serviceId, m_session.servingCounterId});
    return rs.isEmpty() ? 0 : int(rs.number(0, 0));
}

void CallEngine::getPending()
{
    state.lblTotal = QStringLiteral("Total Pending : ") + QString::number(pendingCount());
}

void CallEngine::getLast()
{
    const ResultSet rs = m_db.query(
        QStringLiteral("select no_abr,tickAuto from tblticket where call='1' and tickDate=? and attended=? "
                       "order by tickAuto desc limit 1"),
        {m_clock.todayText(), m_session.servingCounterId});
    if (rs.isEmpty()) {
        state.lblLast = QStringLiteral("Last Served : Not Available");
        return;
    }
    state.lblLast = QStringLiteral("Last Served : ") + rs.text(0, 0);
    state.lblNo = QString::number(rs.number(0, 1));
    state.lblToken = lookups::tokenLabelById(m_db, rs.number(0, 1));
}
