#pragma once

class ScreenRegistry;
class CommandRegistry;

// Every subsystem's screens and brivane-ctl commands.
void registerAll(ScreenRegistry& screens, CommandRegistry& commands);

// Qt Multimedia and the platform plugins want a private runtime folder; make one when the session has none.
void prepareRuntimeDir();
