#pragma once

#include "reports/DayFigures.h"

#include <QTextStream>

class CommandRegistry;

// brivane-ctl simulate: a past day replayed through the call engine, its waits beside the real ones.
void registerSimulateCommand(CommandRegistry& commands);

// The table of the waits per kind: the day as it was, and as the replay had it.
void printReplayTable(const QVector<KindFigures>& real, const QVector<KindFigures>& replayed,
                      QTextStream& out);
