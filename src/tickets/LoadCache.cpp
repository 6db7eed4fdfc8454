#include "tickets/LoadCache.h"

#include "core/Database.h"
#include "ui/Clock.h"

namespace waiting {

LoadCache::LoadCache(int maxAgeSeconds, Rule rule) : m_maxAge(maxAgeSeconds), m_rule(rule) {}

ServiceLoad LoadCache::load(Database& db, const Clock& clock, qint64 serviceId)
{
    // One look at the clock: each is a local time worked out.
    const QDateTime at = clock.now();
    const QDate today = at.date();
    const int now = at.time().msecsSinceStartOfDay() / 1000;
    const auto kept = m_inputs.constFind(serviceId);
    if (kept != m_inputs.cend() && kept->day == today && now >= kept->readAt &&
        now - kept->readAt < m_maxAge) {
        if (const std::optional<ServiceLoad> load = loadAt(*kept, now, m_rule))
            return *load;
    }
    ++m_reads;
    const LoadInputs fresh = readLoadInputs(db, serviceId, today, now, m_rule);
    m_inputs.insert(serviceId, fresh);
    return loadAt(fresh, now, m_rule).value();
}

void LoadCache::issued(qint64 serviceId, const QDate& day, const QString& tickTime)
{
    const auto kept = m_inputs.find(serviceId);
    if (kept == m_inputs.end() || kept->day != day)
        return;
    if (kept->oldestWaiting.isEmpty() || tickTime < kept->oldestWaiting)
        kept->oldestWaiting = tickTime;
}

void LoadCache::forget(qint64 serviceId)
{
    m_inputs.remove(serviceId);
}

void LoadCache::forgetAll()
{
    m_inputs.clear();
}

} // namespace waiting
