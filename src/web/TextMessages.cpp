#include "web/TextMessages.h"

#include "core/AlertTables.h"
#include "core/Database.h"
#include "core/PersonalData.h"
#include "tickets/WaitEstimate.h"
#include "ui/Clock.h"
#include "ui/Language.h"
#include "web/TextGateway.h"

TextMessages::TextMessages(Database& db, const Clock& clock, TextGateway& gateway, QObject* parent)
    : QObject(parent), m_db(db), m_clock(clock), m_gateway(gateway)
{
    connect(&m_gateway, &TextGateway::done, this, &TextMessages::settle);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        checkDay();
        storeOutcomes();
        sendDue();
    });
}

void TextMessages::start(int everyMs)
{
    checkDay();
    sendDue();
    m_timer.start(everyMs);
}

QString TextMessages::textFor(const QString& token, std::optional<int> waitMinutes, const Language& language)
{
    if (!waitMinutes)
        return language.translate("TextMessage", "Token %1: your turn is near. Please come back now.")
            .arg(token);
    return language.translate("TextMessage", "Token %1: your turn is near (%2). Please come back now.")
        .arg(token, waiting::waitText(waitMinutes, language));
}

void TextMessages::due(qint64 ticket)
{
    if (!m_sending.contains(ticket) && !m_unstored.contains(ticket))
        send(ticket);
}

void TextMessages::sendDue()
{
    try {
        // A hall whose owner has not opened it since the alerts came has none to send.
        if (!alerttables::present(m_db))
            return;
        const ResultSet rs = m_db.query(
            QStringLiteral("select tickauto from brivane_alert where sms = 'due' order by tickauto"));
        m_toldUnreadable = false;
        for (int i = 0; i < rs.size(); ++i)
            due(rs.number(i, 0));
    } catch (const DbError& e) {
        // The store is away or the hall has no alerts: the next look tries again.
        // Said once: a hall whose owner has not opened it since the alerts came has no such table yet.
        if (!e.isConnectionFailure() && !m_toldUnreadable)
            m_gateway.log(tr("texts due cannot be read: %1").arg(e.detail()));
        m_toldUnreadable = !e.isConnectionFailure();
        return;
    }
}

void TextMessages::checkDay()
{
    const QDate today = m_clock.today();
    if (today == m_day)
        return;
    try {
        const qint64 erased = personaldata::eraseEndedDays(m_db, today);
        if (erased > 0)
            m_gateway.log(tr("%n phone number(s) of earlier days erased", nullptr, int(erased)));
        m_day = today;
    } catch (const DbError&) {
        // Tried again at the next look.
    }
}

void TextMessages::send(qint64 ticket)
{
    ResultSet rs;
    try {
        rs = m_db.query(QStringLiteral("select t.no_abr, t.lang, a.firedwait, p.phone from brivane_alert a "
                                       "left join tblTicket t on t.tickAuto = a.tickauto "
                                       "left join brivane_phone p on p.tickauto = a.tickauto "
                                       "where a.tickauto = ? and a.sms = 'due'"),
                        {ticket});
    } catch (const DbError& e) {
        if (!e.isConnectionFailure())
            m_gateway.log(tr("the text for ticket %1 cannot be read: %2").arg(ticket).arg(e.detail()));
        return;
    }
    if (rs.isEmpty())
        return; // settled meanwhile, or no such alert
    // A ticket deleted since is named by its key.
    const QString token = rs.isNull(0, 0) ? QString::number(ticket) : rs.text(0, 0);
    const QString phone = rs.text(0, 3).trimmed();
    if (phone.isEmpty()) {
        m_gateway.log(
            tr("text for %1 not sent: its number was erased (the ticket ended, or its day)").arg(token));
        m_sending.insert(ticket);
        settle(ticket, false, QString());
        return;
    }
    std::optional<int> wait;
    if (!rs.isNull(0, 2))
        wait = int(rs.number(0, 2));
    m_sending.insert(ticket);
    m_gateway.send(ticket, phone, textFor(token, wait, Language(rs.text(0, 1))));
}

void TextMessages::settle(qint64 ticket, bool sent, const QString& reason)
{
    Q_UNUSED(reason); // the gateway logged it
    if (!m_sending.remove(ticket))
        return;
    m_unstored.insert(ticket, {sent ? QStringLiteral("sent") : QStringLiteral("failed"),
                               m_clock.now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    storeOutcomes();
}

void TextMessages::storeOutcomes()
{
    // An outcome the store did not take is kept and written at the next look: a text sent is never
    // sent again because its outcome was not stored at once.
    for (auto it = m_unstored.begin(); it != m_unstored.end();) {
        try {
            m_db.exec(QStringLiteral("update brivane_alert set sms = ?, smsat = ? where tickauto = ? and "
                                     "sms = 'due'"),
                      {it.value().first, it.value().second, it.key()});
            it = m_unstored.erase(it);
        } catch (const DbError& e) {
            m_gateway.log(tr("the outcome of the text for ticket %1 cannot be stored yet: %2")
                              .arg(it.key())
                              .arg(e.detail()));
            return;
        }
    }
}
