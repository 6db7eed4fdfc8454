#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerCalling(ScreenRegistry& screens, CommandRegistry& commands);
