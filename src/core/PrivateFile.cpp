#include "core/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace privatefile {

namespace {

constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

bool keepPrivate(const QString& file)
{
    const QFileInfo info(file);
    if (!info.exists()) {
        QDir().mkpath(info.absolutePath());
        QFile f(file);
        // Created with the owner-only mode from the start, so the secret is never readable by others.
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
            return QFileInfo::exists(file) && keepPrivate(file);
        return true;
    }
    QFile f(file);
    if ((f.permissions() & ~(ownerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser)) == 0)
        return true;
    return f.setPermissions(ownerOnly);
}

bool write(const QString& file, const QByteArray& content, QString* error)
{
    // The save file takes over the mode of the file it replaces.
    if (!keepPrivate(file)) {
        if (error)
            *error = QStringLiteral("Permission denied: %1").arg(file);
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return keepPrivate(file);
}

} // namespace privatefile
