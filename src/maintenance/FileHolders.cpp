#include "maintenance/FileHolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <unistd.h>

namespace fileholders {

QList<Holder> holding(const QStringList& files)
{
    QSet<QString> wanted;
    for (const QString& f : files) {
        const QFileInfo info(f);
        // What a process's open file points to is the file's own path, its folders' links resolved.
        wanted.insert(info.exists() ? info.canonicalFilePath() : info.absoluteFilePath());
    }
    QList<Holder> found;
    const qint64 self = qint64(getpid());
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        bool holds = false;
        for (const QString& fd : fds.entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot)) {
            if (wanted.contains(QFileInfo(fds.filePath(fd)).symLinkTarget())) {
                holds = true;
                break;
            }
        }
        if (!holds)
            continue;
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        const QString name =
            comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
        Holder h{pid, name, pid == self};
        if (h.thisProgram)
            found.prepend(h);
        else
            found.append(h);
    }
    return found;
}

QString describe(const QList<Holder>& holders)
{
    QStringList parts;
    for (const Holder& h : holders) {
        parts.append(h.thisProgram
                         ? QCoreApplication::translate("fileholders", "other windows of this program")
                         : QCoreApplication::translate("fileholders", "%1 (process %2)")
                               .arg(h.program.isEmpty() ? QStringLiteral("?") : h.program)
                               .arg(h.pid));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace fileholders
