#include "core/PreparedStatements.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include <algorithm>

PreparedStatements::PreparedStatements(int capacity) : m_capacity(qMax(1, capacity)) {}

PreparedStatements::~PreparedStatements() = default;

QSqlQuery* PreparedStatements::checkOut(QSqlDatabase& link, const QString& sql, QSqlError& refused)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->sql != sql)
            continue;
        if (it->busy || it->stale)
            break;
        m_entries.splice(m_entries.begin(), m_entries, it);
        it->busy = true;
        return it->query.get();
    }
    auto query = std::make_unique<QSqlQuery>(link);
    query->setForwardOnly(true);
    if (!query->prepare(sql)) {
        refused = query->lastError();
        return nullptr;
    }
    const bool nested = std::any_of(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return e.busy && e.sql == sql; });
    if (nested) {
        m_transient.push_back(std::move(query));
        return m_transient.back().get();
    }
    m_entries.push_front(Entry{sql, std::move(query), true});
    return m_entries.front().query.get();
}

void PreparedStatements::release(QSqlQuery* query, bool keep)
{
    for (auto it = m_transient.begin(); it != m_transient.end(); ++it) {
        if (it->get() == query) {
            m_transient.erase(it);
            return;
        }
    }
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->query.get() != query)
            continue;
        if (!keep || it->stale) {
            m_entries.erase(it);
            return;
        }
        // Its rows are let go on the server; the prepared statement stays.
        query->finish();
        it->busy = false;
        break;
    }
    while (int(m_entries.size()) > m_capacity && !m_entries.back().busy)
        m_entries.pop_back();
}

void PreparedStatements::setAside(QSqlQuery* query)
{
    for (Entry& e : m_entries) {
        if (e.query.get() == query) {
            e.busy = false;
            e.stale = true;
        }
    }
    for (auto& q : m_transient) {
        if (q.get() == query)
            m_setAside.push_back(std::move(q));
    }
    m_transient.remove(nullptr);
}

void PreparedStatements::clear()
{
    m_setAside.clear();
    // A statement still being read (a nested statement broke the connection) goes when given back.
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->busy) {
            it->stale = true;
            ++it;
        } else {
            it = m_entries.erase(it);
        }
    }
}
