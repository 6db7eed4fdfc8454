#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

#include "web/WebLimits.h"

class Settings;

// Where brivane-web listens, where it is reached, and how much one client may ask of it. The settings
// Queue / Web / listen, port, rate, joins and origins give the values; the command line overrides them.
// (Queue / Web / address is the address the visitors' phones use, printed on the tickets; it may differ, e.g.
// behind a proxy.)
struct WebConfig
{
    // The one address the server binds to. The loopback address by default, so that a fresh
    // installation shows nothing to the network until someone names the hall network's address.
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 8080;
    // Requests one client address may make: a burst of this many, then this many a minute.
    int burst = 60;
    int perMinute = 120;
    // Tokens one client address may take from phones in an hour (Queue / Web / joins). Each phone
    // also holds one waiting token per service; this catches one that drops its cookie, and a script.
    // On a network where every phone shares one address (IPv4 behind NAT) it is the hall's limit: raise it.
    int joinsPerHour = 3;
    // Pushed connections (open boards and ticket pages) one client address may hold at once.
    int socketsPerClient = weblimits::PagesPerClient;
    // Pushed connections in all.
    int socketsInAll = int(weblimits::MaxConnections * weblimits::PagesShareOfConnections);
    // Open connections of one client address and in all (see WebLimits.h).
    int connectionsPerClient = weblimits::ConnectionsPerClient;
    int connectionsInAll = weblimits::MaxConnections;
    // How long a head may take, and a kept-alive connection stay idle (see WebLimits.h).
    int headTimeoutMs = weblimits::HeadTimeoutMs;
    int idleTimeoutMs = weblimits::IdleTimeoutMs;
    // The addresses the server is reached at, as the visitors' browsers name them
    // ("http://192.168.50.2:8080", "https://queue.example.org"): a page's pushed connection is accepted only
    // from a page of one of them, or of the listening address or localhost at the server's port.
    QStringList origins;
    // The staff page's own address and port (--staff-listen ADDR:PORT, or Queue / Web / stafflisten), apart
    // from the visitors' network: the staff page is then served there only. Null: on the address above.
    QHostAddress staffAddress;
    quint16 staffPort = 0;

    static WebConfig fromSettings(const Settings& settings);
    // Applies --address, --port, --rate (requests a minute), --staff-listen ADDR:PORT and --origin URL (any
    // number) from args,
    // removing them. Returns the description of the first value that cannot be used; empty when all
    // could.
    QString applyOptions(QStringList& args);
    // Keeps the connection limits below the process's limit of open files.
    void fitFileLimit(qint64 openFiles);
};
