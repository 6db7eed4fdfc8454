#pragma once

class ScreenRegistry;
class CommandRegistry;

void registerTickets(ScreenRegistry& screens, CommandRegistry& commands);
