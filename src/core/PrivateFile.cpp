#include "core/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sys/stat.h>
#include <unistd.h>

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

bool createDatabaseFile(const QString& file)
{
    const QFileInfo info(file);
    if (info.exists())
        return true;
    QDir().mkpath(info.absolutePath());
    const bool shared = QFileInfo(info.absolutePath()).group() == QLatin1String("brivane");
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                  shared ? ownerOnly | QFileDevice::ReadGroup | QFileDevice::WriteGroup : ownerOnly);
}

void takeOwnerAndMode(const QString& file, const QString& model)
{
    const QByteArray path = QFile::encodeName(file);
    struct stat was
    {
    };
    if (model.isEmpty() || ::stat(QFile::encodeName(model).constData(), &was) != 0) {
        ::chmod(path.constData(), S_IRUSR | S_IWUSR);
        return;
    }
    // The group first: a member may give a file to a group of theirs; the owner only root may change.
    if (::chown(path.constData(), geteuid() == 0 ? was.st_uid : uid_t(-1), was.st_gid) != 0)
        (void)::chown(path.constData(), uid_t(-1), was.st_gid);
    ::chmod(path.constData(), was.st_mode & 07777);
}

} // namespace privatefile
