#pragma once

#include <QString>

// A server named as "host" or "host:port" (port 5432 when none is given).
struct HostPort
{
    QString host;
    int port = 5432;

    static HostPort parse(const QString& value)
    {
        HostPort result{value.trimmed()};
        const int colon = result.host.lastIndexOf(QLatin1Char(':'));
        if (colon > 0) {
            bool ok = false;
            const int port = result.host.mid(colon + 1).toInt(&ok);
            if (ok) {
                result.port = port;
                result.host = result.host.left(colon);
            }
        }
        return result;
    }
};
