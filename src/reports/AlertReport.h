#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

class CommandRegistry;
class Database;

// What the near-turn alerts did, per service, over the tickets of a range of days: how many were asked
// for and how many fired (with the texts sent), how long before the call they fired, and whether the
// visitors they reached came back in time, beside the visitors who joined from the phone and those who
// took their token at a kiosk. A visitor was served when the token was called and not marked
// cancelled or not arrived; tokens still waiting today are not counted yet.
namespace alertreport {

struct Share
{
    qint64 served = 0;
    qint64 of = 0;
    // "12/15, 80 %" (whole percent); "0/0" when there is none to count.
    QString text() const;
};

struct ServiceAlerts
{
    QString service;
    qint64 asked = 0;
    qint64 fired = 0;
    qint64 textsSent = 0;
    std::optional<double> medianLeadMinutes; // from firing to the call, of the fired alerts called
    Share alerted;                           // of the tickets whose alert fired
    Share joined;                            // of the tickets taken from the phone
    Share kiosk;                             // of the tickets taken at a kiosk
};

// The services with tickets in from..to (both included), by name; `today` tells tokens still waiting.
QList<ServiceAlerts> measure(Database& db, const QDate& from, const QDate& to, const QDate& today);

// The report as brivane-ctl prints it: one block per service; a service without alerts says so.
QString format(const QList<ServiceAlerts>& services, const QDate& from, const QDate& to);

// brivane-ctl report alerts --from D --to D
void registerAlertReport(CommandRegistry& commands);

} // namespace alertreport
