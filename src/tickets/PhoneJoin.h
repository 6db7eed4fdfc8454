#pragma once

#include "tickets/Numbering.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class Clock;
class Database;

// Visitors taking a token from their phones. A service is open to it by its flag (tblService.phonejoin,
// off by default). The token is issued as a kiosk issues a walk-in (numbering::storeTicket), marked
// with the origin "phone", so its number, page, estimate and place in the queue are a kiosk token's.
//
// Each join is held to a budget: one waiting token per phone and service (a phone is the random cookie
// the web server gave it), and a few joins an hour from one client address, which also catches a phone
// that drops its cookie. What the budget needs is kept in the hall (PhoneJoinTable.h) as SHA-256 hashes
// of the cookie and of the address, never the address itself.
namespace phonejoin {

// The origin stored with a token taken from a phone.
inline constexpr const char* phoneOrigin = "phone";

// Joins one client address may make in an hour when nothing else is set.
constexpr int defaultJoinsPerHour = 3;

// A service a visitor may join now, with the wait a kiosk would print for a token taken now.
struct Joinable
{
    qint64 service = 0;
    QString name;
    QString description;
    waiting::Estimate estimate;
};

// The active services open to joining from a phone, by name. Store failures pass as DbError.
QVector<Joinable> joinableServices(Database& db, const Clock& clock);

// Opens or closes a service to joining (brivane-ctl join, the service screen).
void setOpen(Database& db, qint64 service, bool open);

struct JoinRequest
{
    qint64 service = 0;
    QByteArray phone; // the phone's cookie value; empty when it sent none
    QString place;    // the client's address as the web server counts clients
    QString language; // the visitor's, stored with the ticket
    int joinsPerHour = defaultJoinsPerHour;
};

struct JoinResult
{
    enum class Status {
        Joined,
        NotOpen,     // no such active service open to joining
        PhoneHasOne, // this phone already waits in this service: webCode is that ticket's
        PlaceBudget, // the address has used its joins of the hour
        Limit,       // the service's numbers are used up for today
        Unavailable, // the hall has no budget table yet (its owner has not opened it since)
    };
    Status status = Status::NotOpen;
    QString webCode; // the ticket's page code (Joined, PhoneHasOne)
    QString label;
};

// Takes a token for the visitor when the service is open and the budget allows; the check, the issue
// and the budget's record are one step for this process (joins of one web server wait for each other).
// Store failures pass as DbError.
JoinResult join(Database& db, const Clock& clock, const JoinRequest& request);

// The SHA-256 of a cookie or an address, as the budget keeps it.
QString budgetHash(const QByteArray& value);

} // namespace phonejoin
