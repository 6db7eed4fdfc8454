#include "core/ConsolePassword.h"

#include <cstdio>
#include <termios.h>
#include <unistd.h>

QString readPasswordFromTerminal(const QString& prompt, QTextStream& out)
{
    out << prompt << Qt::flush;
    termios old{};
    const bool tty = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &old) == 0;
    if (tty) {
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    QTextStream in(stdin);
    const QString line = in.readLine();
    if (tty) {
        tcsetattr(STDIN_FILENO, TCSANOW, &old);
        out << Qt::endl;
    }
    return line;
}
