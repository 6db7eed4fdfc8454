#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerReports(ScreenRegistry& screens, CommandRegistry& commands);
