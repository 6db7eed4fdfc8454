#pragma once

#include "tickets/WaitEstimate.h"

#include <QDate>
#include <QString>

class Database;
class Clock;
namespace waiting {
class LoadCache;
}

// Token numbers and ticket rows. The next number of a service follows the highest number already
// stored for the issue date, or starts at the service's start number; numbers restart every day.
namespace numbering {

// The highest token number the ticket table holds (a 32-bit column).
constexpr qint64 highestTokenNumber = 2147483647;

// The label printed, listed and spoken: prefix followed by the number (B and 7 give B7).
QString tokenLabel(const QString& prefix, qint64 number);

// The next number of the service for the issue date; 0 when the service has neither a ticket that
// day nor a row of its own.
qint64 getToken(Database& db, qint64 serviceId, const QDate& issueDate);

// The label of the most recently issued token of the service that has been called today; "" when
// none has.
QString getNowServing(Database& db, const Clock& clock, qint64 serviceId);

struct ServiceInfo
{
    bool found = false;
    qint64 endNo = 0;
    QString prefix;
    QString description;
    QString name;
};
ServiceInfo readService(Database& db, qint64 serviceId);

// Where an emergency, appointment or report token goes: stored with it at issue, so that it is
// never a walk-in of its service in between.
struct Direction
{
    QString type = QStringLiteral("N"); // "N", "R", "A", "E"
    qint64 counter = 0;                 // cntAuto of the counter; 0: an ordinary walk-in
    QString note;                       // ref
    QString appTime;                    // "HH:mm"
};

// The number an issue asks for when it takes the day's next: the one getToken reads, read where the
// number is taken (under the service's lock), so the kiosk needs no read of its own before.
constexpr qint64 nextNumber = 0;

struct IssueRequest
{
    qint64 serviceId = 0;
    // The number asked for; a number already taken moves on to the next after the day's highest.
    // nextNumber: the day's next.
    qint64 number = nextNumber;
    QDate issueDate; // the day the token is numbered and dated for
    bool writeAppTime = true;
    Direction direction; // with a counter: the ticket waits there as "Transferred", of its type
    // The visitor's language (tblTicket.lang): its ticket, page and announcement speak it. Empty: none
    // chosen, the hall's own.
    QString language;
    // Where the token was taken (tblTicket.origin): "phone" for one a visitor took from their phone;
    // empty at a kiosk.
    QString origin;
    // Whether the ticket gets a wait estimate (people ahead and minutes). Off only where issuing is
    // measured without it (brivane-bench --no-estimate), on a hall whose server counts no queue: the
    // issue then counts none either.
    bool estimate = true;
};

struct IssuedTicket
{
    enum class Status { Issued, Limit, NoService };
    Status status = Status::NoService;
    qint64 tickAuto = 0;
    qint64 number = 0;
    QString label;
    ServiceInfo service;
    // The visitor's page code stored with the ticket (tblTicket.webcode), and the wait estimated at
    // issue (its minutes stored in tblTicket.estwait; none for a day other than today or a service
    // without history).
    QString webCode;
    waiting::Estimate estimate;
    QString issueTime; // tblTicket.tickTime as stored ("HH:mm:ss")
    bool issued() const { return status == Status::Issued; }
};

// Takes the number and stores the waiting ticket row (a walk-in, or directed) in one transaction. Issues of
// one service wait for each other (PostgreSQL: a lock on the service for the transaction; SQLite: the write
// lock), so a number another workstation took first moves on to the next free one without a refused insert.
// The unique index on service, day and number stays the last guard: a refused row starts the issue
// again in a new transaction. A commit whose answer a broken connection lost is settled before the caller
// hears of it: the ticket is looked for by its page code on a new connection (waiting a while for the
// server), and issued once more when it is not there; should the server stay away, the DbError says
// that the outcome is unknown (OutcomeUnknown) and no ticket is told as issued. Every ticket gets a fresh
// page code and the wait estimated for it (people ahead counted where the number is taken, minutes from
// the hall's history just before the issue). Nothing is stored when the number would pass the service's end
// number (Limit) or the service is gone (NoService). Store failures pass to the caller as DbError.
IssuedTicket storeTicket(Database& db, const Clock& clock, const IssueRequest& request);
// The same with the services' loads kept by `loads` between issues (see LoadCache): a workstation that
// issues many tokens reads them from the store only when they may have changed.
IssuedTicket storeTicket(Database& db, const Clock& clock, const IssueRequest& request,
                         waiting::LoadCache& loads);

// What storeTicket says when the store did not answer whether the ticket was stored.
QString outcomeUnknownText();

// How many issues of this process lost the answer to their commit and were looked up, and how many
// of those were found stored.
struct SettledIssues
{
    qint64 lookedUp = 0;
    qint64 foundStored = 0;
};
SettledIssues settledIssues();

// How many rows the unique index has refused in this process (each one a transaction rolled back
// and issued again); with every issuer taking the service lock it stays 0.
qint64 numberClashes();

} // namespace numbering
