#pragma once

class CommandRegistry;

// brivane-ctl commands for setting a workstation up: where its files are, and which server it uses.
void registerInstallCommands(CommandRegistry& commands);
