#include "web/ManagerSessions.h"

#include <QRandomGenerator>

QByteArray ManagerSessions::open()
{
    const qint64 now = m_ms();
    for (auto it = m_started.begin(); it != m_started.end();)
        it = now - *it >= LifetimeMs ? m_started.erase(it) : std::next(it);
    while (m_started.size() >= MaxSessions) {
        auto oldest = m_started.begin();
        for (auto it = m_started.begin(); it != m_started.end(); ++it) {
            if (*it < *oldest)
                oldest = it;
        }
        m_started.erase(oldest);
    }
    // 256 bits from the system's generator: not to be guessed.
    quint32 words[8];
    QRandomGenerator::system()->fillRange(words);
    const QByteArray id = QByteArray(reinterpret_cast<const char*>(words), sizeof(words))
                              .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);
    m_started.insert(id, now);
    return id;
}

bool ManagerSessions::valid(const QByteArray& id) const
{
    const auto it = m_started.constFind(id);
    return !id.isEmpty() && it != m_started.cend() && m_ms() - *it < LifetimeMs;
}

void ManagerSessions::close(const QByteArray& id)
{
    m_started.remove(id);
}

QByteArray ManagerSessions::idIn(const QByteArray& cookieHeader)
{
    for (const QByteArray& part : cookieHeader.split(';')) {
        const QByteArray p = part.trimmed();
        if (p.startsWith(QByteArray(CookieName) + '='))
            return p.mid(qstrlen(CookieName) + 1);
    }
    return QByteArray();
}

QByteArray ManagerSessions::setCookie(const QByteArray& id, bool secure)
{
    QByteArray c = QByteArray(CookieName) + '=' + id +
                   "; Path=/manager; HttpOnly; SameSite=Strict; Max-Age=" +
                   (id.isEmpty() ? QByteArray("0") : QByteArray::number(LifetimeMs / 1000));
    if (secure)
        c += "; Secure";
    return c;
}

qint64 ManagerSessions::waitMs(const QString& client, const QString& user, const QDateTime& now) const
{
    const auto of = [&](const QString& key) {
        const auto it = m_tries.constFind(key);
        return it == m_tries.cend() ? 0 : it->remainingMs(now);
    };
    return qMax(of(QStringLiteral("c:") + client), of(QStringLiteral("u:") + user));
}

void ManagerSessions::failed(const QString& client, const QString& user, const QDateTime& now)
{
    if (m_tries.size() >= MaxTried) {
        // Those whose wait is over only remember how many tries failed: they go first.
        for (auto it = m_tries.begin(); it != m_tries.end();)
            it = it->remainingMs(now) == 0 ? m_tries.erase(it) : std::next(it);
    }
    if (m_tries.size() >= MaxTried)
        m_tries.clear();
    m_tries[QStringLiteral("c:") + client].failed(now);
    m_tries[QStringLiteral("u:") + user].failed(now);
}

void ManagerSessions::succeeded(const QString& client, const QString& user)
{
    m_tries.remove(QStringLiteral("c:") + client);
    m_tries.remove(QStringLiteral("u:") + user);
}
