#pragma once

class ScreenRegistry;
class CommandRegistry;

// The screens and brivane-ctl commands of the core: connection settings, first administrator, demo.
void registerCore(ScreenRegistry& screens, CommandRegistry& commands);
// Users and passwords.
void registerUsers(ScreenRegistry& screens, CommandRegistry& commands);
