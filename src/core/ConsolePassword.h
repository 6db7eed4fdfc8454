#pragma once

#include <QString>
#include <QTextStream>

// Asks for a password on the terminal without echoing it (plain reading when standard input is not
// a terminal, so scripts can pipe it in).
QString readPasswordFromTerminal(const QString& prompt, QTextStream& out);
