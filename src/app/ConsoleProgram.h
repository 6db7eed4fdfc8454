#pragma once

#include "app/ConsoleServices.h"
#include "app/Program.h"

#include <QApplication>
#include <QStringList>
#include <QTextStream>

// How the programs without a person at a screen (brivane-ctl, brivane-web) start: a runtime folder,
// the offscreen platform unless another is asked for, every screen and command registered with
// console dialogs and no sound, and the options --db FILE and --path-file FILE taken from the
// arguments (the connection file given is the one in use from here on).
class ConsoleProgram
{
public:
    ConsoleProgram(int& argc, char** argv);

    QTextStream out{stdout};
    QTextStream err{stderr};
    QStringList args; // after the program's name, without --db and --path-file
    QString dbFile;
    QString pathFile;

    Program& program() { return m_program; }
    AppContext& ctx() { return m_program.ctx; }
    int exec() { return QApplication::exec(); }

private:
    // Before the application object: what it reads from the environment.
    struct Environment
    {
        Environment();
    } m_environment;
    QApplication m_app;
    ConsoleDialogs m_dialogs{err};
    NoSound m_sound;
    Program m_program{m_dialogs, m_sound};
};
