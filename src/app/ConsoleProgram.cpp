#include "app/ConsoleProgram.h"

#include "app/AllScreens.h"
#include "core/CommandRegistry.h"
#include "ui/Clock.h"

ConsoleProgram::Environment::Environment()
{
    prepareRuntimeDir();
    readLocalZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

ConsoleProgram::ConsoleProgram(int& argc, char** argv) : m_app(argc, argv)
{
    QApplication::setApplicationName(QStringLiteral("Brivane"));
    args = QCoreApplication::arguments().mid(1);
    dbFile = takeOption(args, QStringLiteral("--db"));
    pathFile = takeOption(args, QStringLiteral("--path-file"));
    m_program.ctx.endProgram = [] {};
    useConnectionFile(m_program.ctx, pathFile);
}
