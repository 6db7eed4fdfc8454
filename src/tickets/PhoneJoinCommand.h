#pragma once

class CommandRegistry;

namespace phonejoin {

// brivane-ctl join SERVICE on|off: opens a service to joining from phones, or closes it.
void registerJoinCommand(CommandRegistry& commands);

} // namespace phonejoin
