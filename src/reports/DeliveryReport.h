#pragma once

class CommandRegistry;

// brivane-ctl report delivery --from D --to D: per screen, the calls it should have shown, those it
// showed and those it missed, with the median and slowest time from a call to its showing there.
void registerDeliveryReport(CommandRegistry& commands);
