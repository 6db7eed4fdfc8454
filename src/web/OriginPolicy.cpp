#include "web/OriginPolicy.h"

#include <QUrl>

QString OriginPolicy::normalized(const QString& origin)
{
    const QUrl url(origin.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty() || !url.userInfo().isEmpty() || (!url.path().isEmpty() && url.path() != "/") ||
        url.hasQuery() || url.hasFragment())
        return QString();
    const int port = url.port(scheme == QLatin1String("https") ? 443 : 80);
    return scheme + QStringLiteral("://") + url.host().toLower() + QLatin1Char(':') + QString::number(port);
}

bool OriginPolicy::isOrigin(const QString& text)
{
    return !normalized(text).isEmpty();
}

OriginPolicy::OriginPolicy(const QStringList& configured, const QHostAddress& listening, quint16 port)
{
    for (const QString& origin : configured) {
        const QString n = normalized(origin);
        if (!n.isEmpty())
            m_allowed.insert(n);
    }
    QStringList own{QStringLiteral("localhost"), QStringLiteral("127.0.0.1"), QStringLiteral("[::1]")};
    const bool any = listening == QHostAddress(QHostAddress::Any) ||
                     listening == QHostAddress(QHostAddress::AnyIPv4) ||
                     listening == QHostAddress(QHostAddress::AnyIPv6);
    if (!any && !listening.isNull()) {
        own.append(listening.protocol() == QAbstractSocket::IPv6Protocol
                       ? QLatin1Char('[') + listening.toString() + QLatin1Char(']')
                       : listening.toString());
    }
    for (const QString& host : own)
        m_allowed.insert(normalized(QStringLiteral("http://%1:%2").arg(host).arg(port)));
}

bool OriginPolicy::allows(const QString& origin) const
{
    if (origin.isEmpty())
        return true;
    const QString n = normalized(origin);
    return !n.isEmpty() && m_allowed.contains(n);
}
