#include "web/CallFeed.h"

QString CallFeed::keyOf(const CallRow& call)
{
    const QString key = QString::number(call.callAuto);
    return call.stamp == 0 ? key : key + QLatin1Char('.') + QString::number(call.stamp);
}

bool CallFeed::append(const CallRow& call)
{
    const ShownCall shown{keyOf(call), call};
    if (m_position.contains(shown.key))
        return false;
    m_position.insert(shown.key, m_first + m_calls.size());
    m_ticketKey.insert(call.ticket, shown.key);
    m_calls.append(shown);
    if (m_calls.size() > m_keep) {
        const ShownCall& oldest = m_calls.first();
        m_position.remove(oldest.key);
        // Its ticket's last showing may be this one, which pages can no longer resume from.
        if (m_ticketKey.value(oldest.call.ticket) == oldest.key)
            m_ticketKey.remove(oldest.call.ticket);
        m_calls.removeFirst();
        ++m_first;
    }
    return true;
}

void CallFeed::addHistory(const QVector<CallRow>& calls)
{
    for (const CallRow& call : calls)
        append(call);
}

void CallFeed::add(const CallRow& call)
{
    if (append(call))
        Q_EMIT shown(m_calls.last());
}

void CallFeed::clear()
{
    m_first += m_calls.size();
    m_calls.clear();
    m_position.clear();
    m_ticketKey.clear();
    Q_EMIT cleared();
}

std::optional<QVector<ShownCall>> CallFeed::since(const QString& key, const CounterSet& counters) const
{
    const auto it = m_position.constFind(key);
    if (it == m_position.cend())
        return std::nullopt;
    QVector<ShownCall> after;
    for (qint64 i = *it - m_first + 1; i < m_calls.size(); ++i) {
        if (counters.contains(m_calls[i].call.counter))
            after.append(m_calls[i]);
    }
    return after;
}

QVector<ShownCall> CallFeed::latest(int n, const CounterSet& counters) const
{
    // As a board that showed them one by one: a call of the token on top overwrites the top row.
    QVector<ShownCall> newest;
    QString newer;
    bool first = true;
    for (qint64 i = m_calls.size() - 1; i >= 0 && newest.size() < n; --i) {
        if (!counters.contains(m_calls[i].call.counter))
            continue;
        if (first || m_calls[i].call.label != newer)
            newest.append(m_calls[i]);
        newer = m_calls[i].call.label;
        first = false;
    }
    return newest;
}

QString CallFeed::lastKeyOfTicket(qint64 ticket) const
{
    return m_ticketKey.value(ticket);
}
