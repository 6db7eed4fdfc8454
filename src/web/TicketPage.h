#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <optional>

class CallFeed;
class Clock;
class Database;

// What the visitor's page shows of one ticket: nothing that names a person, only the token, its
// service, the tokens ahead of it, the estimated wait and where it was called to.
struct TicketView
{
    qint64 key = 0;
    qint64 service = 0;
    QString token;
    QString serviceName;
    int ahead = -1;   // -1: not known (the token is called, or the estimate is not available)
    int wait = -1;    // minutes; -1: not known
    QString calledTo; // the counter's display name (and its second line); empty while waiting
    QString callKey;  // changes with each showing of the call, so a recall shows again
};

// Whether the text can be a page code at all: letters, digits, "-" and "_", 16 to 64 of them. Anything
// else is not looked up.
bool plausibleCode(const QString& code);

// Today's ticket with that page code; nothing for an unknown code, a label, or a ticket of another day.
std::optional<TicketView> ticketView(Database& db, const Clock& clock, const CallFeed& feed,
                                     const QString& code);
// The ticket again by its key, for a page that is open already.
std::optional<TicketView> ticketViewByKey(Database& db, const Clock& clock, const CallFeed& feed, qint64 key);

QJsonObject ticketJson(const TicketView& view);
// The page with the ticket's state written in, so it shows before its connection is up.
QByteArray ticketPage(const TicketView& view);
