#pragma once

#include "testsupport/TestEnv.h"

#include <QTextStream>

// Runs a brivane-ctl command in the test's program, as the console would: its exit code, what it
// printed in out and its messages in err (both emptied first); -1 when no command has that name.
inline int runCommand(TestEnv& env, const QString& name, const QStringList& args, QString& out, QString& err)
{
    out.clear();
    err.clear();
    const CommandRegistry::Command* command = env.commands.find(name);
    if (!command)
        return -1;
    QTextStream o(&out), e(&err);
    const int code = command->run(*env.ctx, args, o, e);
    o.flush();
    e.flush();
    return code;
}
