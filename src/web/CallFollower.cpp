#include "web/CallFollower.h"

#include "core/Database.h"
#include "ui/Clock.h"
#include "web/CallFeed.h"

CallFollower::CallFollower(Database& db, const Clock& clock, CallFeed& feed, QObject* parent)
    : QObject(parent), m_db(db), m_clock(clock), m_feed(feed),
      m_engine(db, m_session, clock, (m_table.reset(2, 4), m_table), CallBoardEngine::Mode::Follow),
      m_wakeup(db, clock)
{
    m_engine.setAnnounces(false);
    m_engine.setReconnect([this] { return m_db.ping(); });
    m_engine.setShownHandler([this](const CallRow& call) { m_feed.add(call); });
    m_wakeup.serve(m_engine);
    connect(&m_wakeup, &CallWakeup::readDone, this, &CallFollower::readDone);
}

void CallFollower::start()
{
    startDay();
    m_wakeup.start();
}

void CallFollower::startDay()
{
    m_day = m_clock.todayText();
    m_feed.clear();
    // The follower first, then the history: a call made between the two comes from both and the feed
    // keeps it once; none can fall between them.
    m_engine.addFirst();
    try {
        m_feed.addHistory(todaysCalls());
    } catch (const DbError&) {
        // The pages start from the calls that come from now on.
    }
}

QVector<CallRow> CallFollower::todaysCalls()
{
    QVector<CallRow> calls;
    // In the order of their stamps (a recall moves a call to its place); calls made before stamps
    // existed have none and come first, on either store.
    m_db.forEachRow(QStringLiteral("select callauto, servAuto, tickAuto, no_abr, displayName, contName, "
                                   "displayNameA, countNameA, callstamp from tblCall where tickDate=? "
                                   "order by coalesce(callstamp, 0), callauto"),
                    {m_day}, [&](const ListedRow& v) {
                        CallRow c;
                        c.callAuto = v.number(0);
                        c.counter = v.number(1);
                        c.ticket = v.number(2);
                        c.label = v.text(3);
                        c.displayName = v.text(4);
                        c.contName = v.text(5);
                        c.displayNameA = v.text(6);
                        c.countNameA = v.text(7);
                        c.stamp = v.number(8);
                        calls.append(c);
                    });
    return calls;
}

void CallFollower::readDone(bool ok)
{
    if (ok && m_clock.todayText() != m_day)
        startDay();
    // A single failed read is no outage yet: the wake-up says when reads have failed for a while.
    const bool reachable = !m_wakeup.offline();
    if (reachable != m_reachable) {
        m_reachable = reachable;
        Q_EMIT storeReachable(reachable);
    }
}
