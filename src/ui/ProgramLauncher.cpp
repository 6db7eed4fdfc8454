#include "ui/ProgramLauncher.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

bool SystemProgramLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool SystemProgramLauncher::openDocument(const QString& file)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return false;
    // xdg-open itself runs detached and cannot tell us it found nothing: ask first whether the
    // desktop has a program for this kind of file.
    const QString mime = QMimeDatabase().mimeTypeForFile(file).name();
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        QProcess p;
        p.start(query, {QStringLiteral("query"), QStringLiteral("default"), mime});
        if (p.waitForFinished(3000) && p.exitCode() == 0 && p.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    return QProcess::startDetached(opener, {file});
}
