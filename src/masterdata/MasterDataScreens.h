#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerMasterData(ScreenRegistry& screens, CommandRegistry& commands);
