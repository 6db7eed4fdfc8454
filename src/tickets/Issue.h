#pragma once

#include "tickets/Numbering.h"
#include "tickets/TicketPrint.h"

#include <QString>
#include <functional>

struct AppContext;
class QWidget;

// What a kiosk prints on each ticket besides the token itself.
struct TicketStyle
{
    TicketLayout layout = TicketLayout::Windowed;
    TicketHeader header; // with the hall's logo
    // The token is shown large with its estimated wait after a printed issue (a visitor's kiosk; the
    // operator issuing in bulk has no visitor in front of the screen).
    bool showWait = true;
};

// One issue as every kiosk does it: the number is taken and the row stored first, then the copies
// are printed (printed service name: printedName, or the service's own name when that is empty).
// Past the end number the user is told "Limit" and nothing is printed or stored. afterPrinted, when
// set, runs once when at least one copy reached a printer; when none did, the token is shown large
// on the screen over parent's window instead. A printed ticket with an estimate is shown so too,
// with its wait, when the style asks for it. With the hall's web address set, each copy carries the
// ticket page's QR code and the estimated wait. Store failures pass to the caller as DbError.
// printed, when given, tells whether a copy reached a printer.
numbering::IssuedTicket issueAndPrint(AppContext& ctx, const numbering::IssueRequest& request,
                                      const TicketStyle& style, const QString& printedName, QWidget* parent,
                                      const std::function<void()>& afterPrinted = {},
                                      bool* printed = nullptr);

// The same with the services' loads kept by `loads` between this kiosk's issues (see LoadCache).
numbering::IssuedTicket issueAndPrint(AppContext& ctx, const numbering::IssueRequest& request,
                                      waiting::LoadCache& loads, const TicketStyle& style,
                                      const QString& printedName, QWidget* parent,
                                      const std::function<void()>& afterPrinted = {},
                                      bool* printed = nullptr);

// "Estimated wait: about 12 minutes (3 people ahead of you)", in the given language (the windows' by
// default); empty without an estimate.
QString waitLine(const waiting::Estimate& estimate, const Language& language = Language());
