#include "ui/ProgramLauncher.h"

#include <QProcess>

bool SystemProgramLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
