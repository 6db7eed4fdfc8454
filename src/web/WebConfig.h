#pragma once

#include <QHostAddress>
#include <QString>
#include <QStringList>

class Settings;

// Where brivane-web listens and how much one client may ask of it. The settings Queue / Web / listen,
// port and rate give the values; the command line overrides them. (Queue / Web / address is the
// address the visitors' phones use, printed on the tickets; it may differ, e.g. behind a proxy.)
struct WebConfig
{
    // The one address the server binds to. The loopback address by default, so that a fresh
    // installation shows nothing to the network until someone names the hall network's address.
    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = 8080;
    // Requests one client address may make: a burst of this many, then this many a minute.
    int burst = 60;
    int perMinute = 120;
    // Pushed connections (open boards and ticket pages) one client address may hold at once.
    int socketsPerClient = 16;
    // Pushed connections in all.
    int socketsInAll = 2000;

    static WebConfig fromSettings(const Settings& settings);
    // Applies --address, --port and --rate (requests a minute) from args, removing them. Returns the
    // description of the first value that cannot be used; empty when all could.
    QString applyOptions(QStringList& args);
};
