#include "calling/CallDesk.h"

#include "calling/TokenMoves.h"
#include "core/Database.h"
#include "ui/Clock.h"

namespace {

// A desk that keeps losing races gives up after this many picks rather than spin.
constexpr int MaxPicks = 50;

} // namespace

CallDesk::CallDesk(Database& db, Settings& settings, Clock& clock)
    : engine(db, settings, clock, m_session), m_db(db), m_clock(clock)
{
    m_session.isAdmin = true;
}

void CallDesk::syncEngine()
{
    m_session.counterId = counter.key;
    m_session.servingCounterId = counter.key;
    m_session.serviceId = counter.service;
    const bool mine = my.isSet();
    m_session.counterDisplayName = mine ? my.displayName : counter.displayName;
    m_session.counterName = mine ? my.name : counter.name;
    m_session.counterNameA = mine ? my.nameA : counter.nameA;
    m_session.counterDisplayNameA = mine ? my.displayNameA : counter.displayNameA;
}

bool CallDesk::getDetails(const QString& counterName)
{
    const ResultSet rs = m_db.query(
        QStringLiteral("select cntAuto,servAuto,contName,displayName,countNameA,displayNameA from tblCounter "
                       "where contName=? order by cntAuto"),
        {counterName});
    if (rs.isEmpty())
        return false;
    counter.key = rs.number(0, 0);
    counter.service = rs.number(0, 1);
    counter.name = rs.text(0, 2);
    counter.displayName = rs.text(0, 3);
    counter.nameA = rs.text(0, 4);
    counter.displayNameA = rs.text(0, 5);
    syncEngine();
    return true;
}

void CallDesk::chooseMyCounter(const QString& displayName)
{
    my = MyCounter();
    if (!displayName.isEmpty()) {
        const ResultSet rs = m_db.query(
            QStringLiteral("select displayName,displayNameA,contName,countNameA from tblCounter where "
                           "displayName=? order by cntAuto limit 1"),
            {displayName});
        if (!rs.isEmpty())
            my = MyCounter{rs.text(0, 0), rs.text(0, 1), rs.text(0, 2), rs.text(0, 3)};
    }
    syncEngine();
}

QString CallDesk::takeableCondition()
{
    return QStringLiteral("servAuto=? and (coalesce(attended,0)=0 or attended=?)");
}

QVariantList CallDesk::takeableValues() const
{
    return {counter.service, counter.key};
}

void CallDesk::callNext()
{
    CounterState& st = engine.state;
    for (int pick = 0; pick < MaxPicks; ++pick) {
        const ResultSet rs = m_db.query(
            QStringLiteral(
                "select tickAuto,no_abr,tickTime from tblticket where call='0' and tickDate=? and ") +
                takeableCondition() + QStringLiteral(" order by tickno asc limit 1"),
            QVariantList{m_clock.todayText()} + takeableValues());
        if (rs.isEmpty())
            break;
        const qint64 key = rs.number(0, 0);
        if (beforeTake)
            beforeTake(key);
        // Taken only while still waiting: a counter that got there first keeps it.
        const CallReason why{CallReason::Rule::Desk, secondsWaited(rs.text(0, 2), m_clock.timeText()), 0};
        if (!engine.callPicked(key, rs.text(0, 1), why))
            continue;
        try {
            getPending();
        } catch (const DbError&) {
        }
        return;
    }
    st.Label1 = QStringLiteral("Idle");
}

CallEngine::CallResult CallDesk::callThis(qint64 ticketKey, CallEngine::Take take)
{
    // The standard call row, with the desk's names.
    const CallEngine::CallResult result = engine.callThis(ticketKey, QString(), take);
    try {
        getPending();
    } catch (const DbError&) {
    }
    return result;
}

int CallDesk::pendingCount()
{
    const ResultSet rs =
        m_db.query(QStringLiteral("select count(tickNo) from tblticket where call='0' and tickDate=? and ") +
                       takeableCondition(),
                   QVariantList{m_clock.todayText()} + takeableValues());
    return rs.isEmpty() ? 0 : int(rs.number(0, 0));
}

void CallDesk::getPending()
{
    engine.state.lblTotal = QStringLiteral("Total Pending : ") + QString::number(pendingCount());
}

void CallDesk::getLast()
{
    engine.getLast();
    if (engine.state.lblLast == QLatin1String("Last Served : Not Available")) {
        // Recall and Cancel must never act on a token that is not shown.
        engine.state.lblToken.clear();
        engine.state.lblNo.clear();
    }
}

void CallDesk::updateRc()
{
    if (engine.state.lblNo.isEmpty())
        return;
    engine.updateRc();
}

void CallDesk::setFinish()
{
    if (engine.state.lblNo.isEmpty())
        return;
    engine.setFinish();
}

bool CallDesk::finishCurrent()
{
    return engine.finishCurrent();
}

bool CallDesk::cancelCurrent()
{
    if (engine.state.lblNo.isEmpty())
        return false;
    return tokenMoves::cancel(m_db, engine.state.currentKey());
}
