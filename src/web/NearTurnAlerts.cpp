#include "web/NearTurnAlerts.h"

#include "core/AlertTables.h"
#include "core/Database.h"
#include "tickets/WaitEstimate.h"
#include "ui/Clock.h"

#include <QHash>

namespace {

struct Waiting
{
    qint64 ticket = 0;
    QString lead;
    qint64 service = 0;
    qint64 ahead = 0;
    bool walkIn = false;
    bool phone = false;
};

} // namespace

bool NearTurnAlerts::isDue(const QString& lead, qint64 ahead, std::optional<int> minutes)
{
    if (ahead <= 0)
        return true;
    if (lead == QLatin1String("next") || !minutes)
        return false;
    bool ok = false;
    const int leadMinutes = lead.toInt(&ok);
    return ok && *minutes <= leadMinutes;
}

QList<qint64> NearTurnAlerts::check()
{
    if (!m_available)
        m_available = alerttables::present(m_db);
    if (!*m_available)
        return {};
    const QString today = m_clock.todayText();
    // Every alert still to fire, with its token's state and the waiting tokens ahead of it, counted as
    // the ticket page counts them.
    const ResultSet rs = m_db.query(QStringLiteral(
        "select a.tickauto, a.lead, t.tickAuto, t.call, t.tickDate, t.servAuto, t.ttype, "
        "(select count(*) from tblTicket w where w.servAuto = t.servAuto and w.tickDate = t.tickDate "
        "and w.call = '0' and w.tickNo < t.tickNo and w.ttype in ('N','E')), "
        "(select count(*) from brivane_phone p where p.tickauto = a.tickauto) "
        "from brivane_alert a left join tblTicket t on t.tickAuto = a.tickauto "
        "where a.fired = '' and a.firedahead is null"));
    QList<qint64> moot;
    QList<Waiting> waiting;
    for (int i = 0; i < rs.size(); ++i) {
        const qint64 ticket = rs.number(i, 0);
        if (rs.isNull(i, 2) || rs.text(i, 3) != QLatin1String("0") || rs.text(i, 4) != today) {
            moot.append(ticket);
            continue;
        }
        waiting.append({ticket, rs.text(i, 1), rs.number(i, 5), rs.number(i, 7),
                        rs.text(i, 6) == QLatin1String("N"), rs.number(i, 8) > 0});
    }
    QList<qint64> changed;
    try {
        for (qint64 ticket : moot) {
            if (m_db.exec(QStringLiteral("update brivane_alert set firedwait = -1, firedahead = -1 "
                                         "where tickauto = ? and fired = '' and firedahead is null"),
                          {ticket}) > 0)
                changed.append(ticket);
        }
        waiting::WaitEstimator estimator(m_db, m_clock);
        QHash<qint64, waiting::ServiceLoad> loads;
        const QString now = m_clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        for (const Waiting& w : waiting) {
            // Only a walk-in has an estimate in minutes (as on its page).
            std::optional<int> minutes;
            if (w.walkIn) {
                if (!loads.contains(w.service))
                    loads.insert(w.service, estimator.load(w.service));
                minutes = waiting::minutesToWait(loads.value(w.service), w.ahead, estimator.rule());
            }
            if (!isDue(w.lead, w.ahead, minutes))
                continue;
            // Once: another server of the hall may have fired it in the meantime.
            const qint64 fired = m_db.exec(
                QStringLiteral("update brivane_alert set fired = ?, firedwait = ?, firedahead = ?, "
                               "sms = case when exists (select 1 from brivane_phone p where p.tickauto = "
                               "brivane_alert.tickauto) then 'due' else sms end "
                               "where tickauto = ? and fired = '' and firedahead is null"),
                {now, minutes ? QVariant(qint64(*minutes)) : QVariant(QMetaType::fromType<qint64>()), w.ahead,
                 w.ticket});
            if (fired == 0)
                continue;
            changed.append(w.ticket);
            if (w.phone && textDue)
                textDue(w.ticket);
        }
    } catch (const DbError& e) {
        if (e.isConnectionFailure() || e.kind() != DbError::Kind::NotPermitted)
            throw;
        // A login that may only read: this server keeps no alerts.
        m_available = false;
    }
    return changed;
}
