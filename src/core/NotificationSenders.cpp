#include "core/NotificationSenders.h"

std::optional<bool> SenderCache::trusted(int sender, qint64 nowMs) const
{
    const auto it = m_senders.constFind(sender);
    if (it == m_senders.cend() || nowMs - it->atMs >= KeptMs || nowMs < it->atMs)
        return std::nullopt;
    return it->trusted;
}

void SenderCache::learn(int sender, bool trusted, qint64 nowMs)
{
    if (m_senders.size() >= MostSenders && !m_senders.contains(sender)) {
        for (auto it = m_senders.begin(); it != m_senders.end();) {
            if (nowMs - it->atMs >= KeptMs || nowMs < it->atMs)
                it = m_senders.erase(it);
            else
                ++it;
        }
        // Still full: many sessions at once. Forgetting costs only a look-up more.
        if (m_senders.size() >= MostSenders)
            m_senders.clear();
    }
    m_senders.insert(sender, Verdict{trusted, nowMs});
}
