#pragma once

#include "web/AlertChoice.h"

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
    std::optional<qint64> ahead; // while it waits
    std::optional<int> wait;     // minutes, when the hall's history gives an estimate
    QString calledTo;            // the counter's display name; empty while it waits
    QString callKey;             // changes with each showing of the call, so a recall shows again
    QString language;            // the visitor's, chosen at issue; "" for the server's
    QString code;                // the page's
    alertchoice::Found alerts;   // the near-turn alert asked for it, where the hall keeps them
};

// Today's ticket with that page code; nothing for a label, a code of the wrong form, a code no ticket
// has, or a ticket of another day (a page lives as long as its ticket's day). Without a feed, the
// call's key is the call row's own.
std::optional<TicketView> ticketView(Database& db, const Clock& clock, const CallFeed* feed,
                                     const QString& code);

QJsonObject ticketJson(const TicketView& view);
// The page with the ticket's state written in, so it shows before its connection is up; `alertError`
// answers a near-turn alert's choice refused just now.
QByteArray ticketPage(const TicketView& view, const QString& alertError = QString());
