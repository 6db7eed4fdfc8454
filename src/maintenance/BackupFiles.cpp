#include "maintenance/BackupFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace backupfiles {

QString datedFileIn(const QString& folder, const QString& suffix, const QDateTime& at)
{
    return QDir(folder).filePath(QStringLiteral("data-") + at.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) +
                                 QLatin1Char('.') + suffix);
}

bool isDatedName(const QString& fileName, const QString& suffix)
{
    static const QRegularExpression form(QStringLiteral("^data-\\d{4}-\\d{2}-\\d{2}_\\d{6}\\.([a-z]+)$"));
    const QRegularExpressionMatch m = form.match(QFileInfo(fileName).fileName());
    return m.hasMatch() && m.captured(1) == suffix;
}

QString publishLatest(const QString& dated, const QString& latest)
{
    const QString part = latest + QStringLiteral(".part");
    QFile::remove(part);
    QFile source(dated);
    if (!source.copy(part)) {
        const QString error = source.errorString();
        QFile::remove(part);
        return error;
    }
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(latest).constData()) != 0) {
        const QString error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(part);
        return error;
    }
    return {};
}

QStringList keepNewest(const QString& folder, const QString& suffix, int keep)
{
    QStringList dated;
    for (const QString& name :
         QDir(folder).entryList({QStringLiteral("data-*.") + suffix}, QDir::Files, QDir::Name)) {
        if (isDatedName(name, suffix))
            dated.append(name);
    }
    // The names sort by their date and time.
    QStringList removed;
    for (qsizetype i = 0; i + qMax(keep, 1) < dated.size(); ++i) {
        const QString file = QDir(folder).filePath(dated[i]);
        if (QFile::remove(file))
            removed.append(file);
    }
    return removed;
}

QString defaultFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Brivane backups"));
}

} // namespace backupfiles
