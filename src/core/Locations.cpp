#include "core/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

// The installed folders relative to the folder of the installed executables; the build sets them
// from its install directories.
#ifndef BRIVANE_SHARE_FROM_BIN
#define BRIVANE_SHARE_FROM_BIN "../share/brivane"
#endif
#ifndef BRIVANE_CONFIG_FROM_BIN
#define BRIVANE_CONFIG_FROM_BIN "../../etc/brivane"
#endif
#ifndef BRIVANE_DATA_FROM_BIN
#define BRIVANE_DATA_FROM_BIN "../../var/lib/brivane"
#endif
#ifndef BRIVANE_PROGRAMS_FROM_BIN
#define BRIVANE_PROGRAMS_FROM_BIN "../lib/brivane"
#endif

Locations Locations::oneFolder(const QString& folder)
{
    return {folder, folder, folder, folder, QString()};
}

Locations resolveLocations(const QString& executableDir, const QString& home)
{
    if (!home.isEmpty())
        return Locations::oneFolder(home);
    const QDir bin(executableDir);
    const auto at = [&](const char* relative) {
        return QDir::cleanPath(bin.filePath(QString::fromUtf8(relative)));
    };
    const QString share = at(BRIVANE_SHARE_FROM_BIN);
    if (!QFileInfo(share).isDir()) {
        // A helper program (voice) of an installed program finds the folders as the program does.
        const QString programsBin = QDir::cleanPath(bin.filePath(QStringLiteral("../../bin")));
        if (QDir::cleanPath(QDir(programsBin).filePath(QStringLiteral(BRIVANE_PROGRAMS_FROM_BIN))) ==
                QDir::cleanPath(executableDir) &&
            QFileInfo(QDir(programsBin).filePath(QStringLiteral(BRIVANE_SHARE_FROM_BIN))).isDir())
            return resolveLocations(programsBin, home);
        return Locations::oneFolder(executableDir);
    }
    return {share, at(BRIVANE_CONFIG_FROM_BIN), at(BRIVANE_DATA_FROM_BIN), at(BRIVANE_PROGRAMS_FROM_BIN),
            QString()};
}

Locations locationsOfThisProgram()
{
    return resolveLocations(QCoreApplication::applicationDirPath(), qEnvironmentVariable("BRIVANE_HOME"));
}
