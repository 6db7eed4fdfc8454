#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerContent(ScreenRegistry& screens, CommandRegistry& commands);
