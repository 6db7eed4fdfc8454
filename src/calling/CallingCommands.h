#pragma once

class CommandRegistry;

// brivane-ctl next, recall, cancel, transfer, calls and pending.
void registerCallingCommands(CommandRegistry& commands);
