#pragma once

class CommandRegistry;

// brivane-ctl grant KIND LOGIN: makes a PostgreSQL login a workstation of that kind.
void registerGrantCommand(CommandRegistry& commands);
