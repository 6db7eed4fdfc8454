#include "calling/DeliveryWatch.h"

#include "core/Database.h"
#include "ui/Clock.h"

#include <QCoreApplication>

namespace {
QString say(const char* text)
{
    return QCoreApplication::translate("frmCall", text);
}
} // namespace

void DeliveryWatch::watch(qint64 ticketKey)
{
    m_ticket = ticketKey;
    m_since = m_clock.now();
    m_read = false;
    m_failed = false;
    m_shown = 0;
    m_expected = 0;
    m_spoken = false;
    m_voiceExpected = false;
    m_missing.clear();
}

qint64 DeliveryWatch::secondsWatched() const
{
    return m_since.secsTo(m_clock.now());
}

bool DeliveryWatch::poll()
{
    if (m_ticket == 0)
        return true;
    try {
        const ResultSet call = m_db.query(
            QStringLiteral("select callauto from tblCall where tickAuto = ? order by callauto desc "
                           "limit 1"),
            {m_ticket});
        QVector<delivery::Receipt> receipts;
        if (!call.isEmpty())
            receipts = delivery::receiptsOf(m_db, call.number(0, 0), delivery::stampText(m_since));
        m_shown = 0;
        m_expected = 0;
        m_spoken = false;
        m_voiceExpected = false;
        m_missing.clear();
        for (const delivery::Receipt& r : receipts) {
            const bool shown = !r.shownAt.isEmpty();
            if (delivery::isBoard(r.kind)) {
                ++m_expected;
                m_shown += shown ? 1 : 0;
            } else {
                m_voiceExpected = true;
                m_spoken = m_spoken || shown;
            }
            if (!shown)
                m_missing.append(r.screen);
        }
        m_read = true;
        m_failed = false;
        return true;
    } catch (const DbError&) {
        // A hall without receipts (or a store away): the counter works on without the line.
        m_failed = true;
        return false;
    }
}

bool DeliveryWatch::polling() const
{
    if (m_ticket == 0 || m_failed)
        return false;
    const qint64 watched = secondsWatched();
    if (watched >= WatchSeconds)
        return false;
    if (!m_read)
        return true;
    // Fully acknowledged: every expected board showed it and an expected announcer spoke it.
    if (m_expected > 0 && m_missing.isEmpty())
        return false;
    // No screen of the hall shows this counter's calls: a board that starts now announces itself,
    // but after the warning's time there is nothing left to wait for.
    if (m_expected == 0 && !m_voiceExpected)
        return watched < WarnAfterSeconds;
    return true;
}

QString DeliveryWatch::line() const
{
    if (m_ticket == 0 || !m_read || m_expected == 0)
        return QString();
    if (m_expected == 1)
        return m_spoken ? say("shown on %1 of 1 board, spoken").arg(m_shown)
                        : say("shown on %1 of 1 board").arg(m_shown);
    return m_spoken ? say("shown on %1 of %2 boards, spoken").arg(m_shown).arg(m_expected)
                    : say("shown on %1 of %2 boards").arg(m_shown).arg(m_expected);
}

QString DeliveryWatch::warning() const
{
    if (m_ticket == 0 || !m_read || m_missing.isEmpty() || secondsWatched() < WarnAfterSeconds)
        return QString();
    return say("No acknowledgement from %1 for %2 s")
        .arg(m_missing.join(QStringLiteral(", ")))
        .arg(WarnAfterSeconds);
}
