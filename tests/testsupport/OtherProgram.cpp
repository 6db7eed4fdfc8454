#include "testsupport/OtherProgram.h"

#include "core/Settings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

void setAsAnotherProgram(const QString& settingsFile, const QString& app, const QString& section,
                         const QString& key, const QString& value)
{
    const QFileInfo before(settingsFile);
    const QDateTime was = before.exists() ? before.lastModified() : QDateTime();
    // A copy under another name, so that this process's own store of the file is not the one writing.
    const QString copy = settingsFile + QStringLiteral(".other");
    QFile::remove(copy);
    if (before.exists())
        QFile::copy(settingsFile, copy);
    {
        Settings other(copy);
        other.set(app, section, key, value);
    }
    std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(settingsFile).constData());
    // A file time the reader has not seen, even within the same millisecond.
    QFile file(settingsFile);
    if (was.isValid() && file.open(QIODevice::ReadWrite)) {
        const QDateTime now = QDateTime::currentDateTime();
        file.setFileTime(now > was ? now.addSecs(1) : was.addSecs(1), QFileDevice::FileModificationTime);
    }
}
