#include "tickets/TicketsScreens.h"

void registerTickets(ScreenRegistry&, CommandRegistry&) {}
