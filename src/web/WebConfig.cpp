#include "web/WebConfig.h"

#include "core/Settings.h"
#include "web/OriginPolicy.h"

#include <QRegularExpression>

namespace {

const QString App = QStringLiteral("Queue");
const QString Section = QStringLiteral("Web");

// The value of the option and removes both from args; a null string when absent, an empty one when
// the option is the last word.
QString takeValue(QStringList& args, const QString& name)
{
    const int i = args.indexOf(name);
    if (i < 0)
        return QString();
    const QString value = i + 1 < args.size() ? args.at(i + 1) : QStringLiteral("");
    args.remove(i, i + 1 < args.size() ? 2 : 1);
    return value;
}

bool readPort(const QString& text, quint16& port)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 65535) // 0: any free port (the program prints the one it got)
        return false;
    port = quint16(n);
    return true;
}

// "192.168.7.2:8081", "[fd00::2]:8081": the address and the port; false when either is not one.
bool readAddressAndPort(const QString& text, QHostAddress& address, quint16& port)
{
    const QString t = text.trimmed();
    const qsizetype colon = t.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = t.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    const QHostAddress a(host);
    if (a.isNull() || !readPort(t.mid(colon + 1), port))
        return false;
    address = a;
    return true;
}

} // namespace

WebConfig WebConfig::fromSettings(const Settings& settings)
{
    WebConfig c;
    const QHostAddress address(settings.get(App, Section, QStringLiteral("listen")).trimmed());
    if (!address.isNull())
        c.address = address;
    readPort(settings.get(App, Section, QStringLiteral("port")), c.port);
    const qint64 rate = settings.getNumber(App, Section, QStringLiteral("rate"), c.perMinute);
    if (rate > 0 && rate <= 100000)
        c.perMinute = int(rate);
    const qint64 joins = settings.getNumber(App, Section, QStringLiteral("joins"), c.joinsPerHour);
    if (joins > 0 && joins <= 1000)
        c.joinsPerHour = int(joins);
    const QString staff = settings.get(App, Section, QStringLiteral("stafflisten"));
    if (!staff.trimmed().isEmpty() && !readAddressAndPort(staff, c.staffAddress, c.staffPort))
        c.staffAddress.clear();
    const QString origins = settings.get(App, Section, QStringLiteral("origins"));
    for (const QString& origin :
         origins.split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts)) {
        if (OriginPolicy::isOrigin(origin))
            c.origins.append(origin);
    }
    return c;
}

void WebConfig::fitFileLimit(qint64 openFiles)
{
    const qint64 room = qMax<qint64>(1, openFiles - weblimits::FileHandlesKept);
    connectionsInAll = int(qMin<qint64>(connectionsInAll, room));
    socketsInAll = qMin(socketsInAll, qMax(1, int(connectionsInAll * weblimits::PagesShareOfConnections)));
}

QString WebConfig::applyOptions(QStringList& args)
{
    const QString address = takeValue(args, QStringLiteral("--address"));
    if (!address.isNull()) {
        const QHostAddress a(address.trimmed());
        if (a.isNull())
            return QStringLiteral("not an address: ") + address;
        this->address = a;
    }
    const QString port = takeValue(args, QStringLiteral("--port"));
    if (!port.isNull() && !readPort(port, this->port))
        return QStringLiteral("not a port: ") + port;
    const QString rate = takeValue(args, QStringLiteral("--rate"));
    if (!rate.isNull()) {
        bool ok = false;
        const int n = rate.toInt(&ok);
        if (!ok || n < 1)
            return QStringLiteral("not a number of requests a minute: ") + rate;
        perMinute = n;
    }
    const QString staff = takeValue(args, QStringLiteral("--staff-listen"));
    if (!staff.isNull() && !readAddressAndPort(staff, staffAddress, staffPort))
        return QStringLiteral("not an address and port (ADDRESS:PORT): ") + staff;
    for (QString origin = takeValue(args, QStringLiteral("--origin")); !origin.isNull();
         origin = takeValue(args, QStringLiteral("--origin"))) {
        if (!OriginPolicy::isOrigin(origin))
            return QStringLiteral("not a web address (http://HOST[:PORT] or https://HOST[:PORT]): ") + origin;
        origins.append(origin);
    }
    return QString();
}
