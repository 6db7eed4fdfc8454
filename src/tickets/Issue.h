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
    TicketHeader header;
    QString logoFile; // empty when no logo is loaded
};

// One issue as every kiosk does it: the number is taken and the row stored first, then the copies
// are printed (printed service name: printedName, or the service's own name when that is empty).
// Past the end number the user is told "Limit" and nothing is printed or stored. afterPrinted, when
// set, runs once when at least one copy reached a printer; when none did, the token is shown large
// on the screen over parent's window instead. Store failures pass to the caller as DbError.
numbering::IssuedTicket issueAndPrint(AppContext& ctx, const numbering::IssueRequest& request,
                                      const TicketStyle& style, const QString& printedName, QWidget* parent,
                                      const std::function<void()>& afterPrinted = {});

// logo.jpg of the installation folder when it holds a picture; "" otherwise.
QString loadableLogo(const AppContext& ctx);
