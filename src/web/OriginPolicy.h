#pragma once

#include <QHostAddress>
#include <QSet>
#include <QString>
#include <QStringList>

// Which pages may open a pushed connection. A browser names the site of the page in Origin; a page
// of another site that had its name pointed at this server (DNS rebinding) still carries its own
// name there, whatever its Host header says. So Origin is compared with the addresses the server
// is configured to be reached at, never with the request's Host:
// - the configured addresses (--origin, Queue / Web / origins), scheme, host and port alike;
// - always: the listening address itself (unless it is the any-address) and localhost, 127.0.0.1
//   and [::1], over http at the listening port.
// A connection without Origin is not a browser page (no browser can be made to leave it out) and
// is let through, as it gains nothing a plain request would not.
class OriginPolicy
{
public:
    OriginPolicy(const QStringList& configured, const QHostAddress& listening, quint16 port);

    bool allows(const QString& origin) const;
    // Whether the text is an origin as one is configured: http or https, a host, no path.
    static bool isOrigin(const QString& text);

private:
    // "scheme://host:port", lower-case, the port always written; empty for what is not an origin.
    static QString normalized(const QString& origin);

    QSet<QString> m_allowed;
};
