#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerMaintenance(ScreenRegistry& screens, CommandRegistry& commands);
