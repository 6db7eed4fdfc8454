#pragma once

#include "tickets/TicketPrint.h"

#include <QByteArray>
#include <QImage>
#include <QString>

struct AppContext;

// The hall's own ticket: the header every kiosk prints, and the ticket drawn as a picture for the
// company details screen.

// The company's lines and the hall's logo (company::printedLogo). A store that does not answer gives
// empty lines and the installation folder's own logo, if any; the issue itself meets the store after.
TicketHeader ticketHeader(AppContext& ctx);

// A full-screen kiosk's ticket with these company lines and stored logo (empty: none stored), for the
// hall's first service, drawn by the same printout as the kiosks' tickets at a screen's resolution.
QImage previewTicket(AppContext& ctx, const QString& name, const QString& address, const QByteArray& logo);
