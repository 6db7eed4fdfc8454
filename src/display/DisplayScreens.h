#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerDisplay(ScreenRegistry& screens, CommandRegistry& commands);
