#pragma once

class ScreenRegistry;
class CommandRegistry;

// Every subsystem's screens and brivane-ctl commands.
void registerAll(ScreenRegistry& screens, CommandRegistry& commands);

// The installation folder: BRIVANE_HOME when set, else the executable's folder.
#include <QString>
QString installationFolder();
