#include "core/ConnectionFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

namespace connectionFiles {

namespace {

QString stripItem(QString item)
{
    item = item.trimmed();
    if (item.size() >= 2 && item.startsWith(QLatin1Char('"')) && item.endsWith(QLatin1Char('"')))
        item = item.mid(1, item.size() - 2);
    else if (item.startsWith(QLatin1Char('"')))
        item = item.mid(1);
    return item;
}

bool readFile(const QString& file, QString& content, QString& error)
{
    QFile f(file);
    if (!f.exists()) {
        error = QCoreApplication::translate("ConnectionFiles", "File not found: %1")
                    .arg(QDir::toNativeSeparators(file));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        error = QCoreApplication::translate("ConnectionFiles", "Permission denied: %1")
                    .arg(QDir::toNativeSeparators(file));
        return false;
    }
    content = QString::fromUtf8(f.readAll());
    // Editors on some systems start a UTF-8 file with a byte-order mark; it is no part of the host name.
    if (content.startsWith(QChar(0xFEFF)))
        content.remove(0, 1);
    return true;
}

} // namespace

QString lastItem(const QString& content)
{
    QString text = content;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Line ends after the last item do not start another one.
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QStringList items = text.split(QRegularExpression(QStringLiteral("[,\n]")));
    return items.isEmpty() ? QString() : stripItem(items.last());
}

QString readPathFile(const QString& configDir, ConnectionValues& values)
{
    return readConnectionFile(QDir(configDir).filePath(QStringLiteral("path.txt")), values);
}

QString readConnectionFile(const QString& file, ConnectionValues& values)
{
    QString content;
    QString error;
    if (!readFile(file, content, error))
        return error;
    const QStringList fields = lastItem(content).split(QLatin1Char(';'));
    QString* targets[] = {&values.host, &values.database, &values.user, &values.password};
    for (int i = 0; i < 4; ++i) {
        if (i >= fields.size())
            return QCoreApplication::translate("ConnectionFiles", "Subscript out of range");
        *targets[i] = fields.at(i);
    }
    if (fields.size() < 5)
        return QCoreApplication::translate("ConnectionFiles", "Subscript out of range");
    // Field 5: connection options such as sslmode=require.
    values.options = fields.at(4).trimmed();
    return QString();
}

bool storable(const QString& value)
{
    static const QRegularExpression breaking(QStringLiteral("[,;\"\r\n]"));
    return !value.contains(breaking) && value == value.trimmed();
}

QString unwritableValue(const ConnectionValues& values)
{
    const std::pair<const char*, const QString*> fields[] = {
        {QT_TRANSLATE_NOOP("ConnectionFiles", "Host"), &values.host},
        {QT_TRANSLATE_NOOP("ConnectionFiles", "Database"), &values.database},
        {QT_TRANSLATE_NOOP("ConnectionFiles", "Username"), &values.user},
        {QT_TRANSLATE_NOOP("ConnectionFiles", "Password"), &values.password},
        {QT_TRANSLATE_NOOP("ConnectionFiles", "Options"), &values.options}};
    for (const auto& [label, value] : fields) {
        if (!storable(*value))
            return QCoreApplication::translate(
                       "ConnectionFiles", "%1 cannot be kept in path.txt: it may not hold a comma, a "
                                          "semicolon, a double quote, a line break or spaces at either end")
                .arg(QCoreApplication::translate("ConnectionFiles", label));
    }
    return QString();
}

QString pathLine(const ConnectionValues& values)
{
    return QStringList{values.host, values.database, values.user, values.password, values.options}.join(
        QLatin1Char(';'));
}

QString writePathFile(const QString& configDir, const ConnectionValues& values)
{
    return writeConnectionFile(QDir(configDir).filePath(QStringLiteral("path.txt")), values);
}

QString writeConnectionFile(const QString& path, const ConnectionValues& values)
{
    const QString refused = unwritableValue(values);
    if (!refused.isEmpty())
        return refused;
    // Only the owner reads path.txt, and in an installed program the group of the people who run it.
    // The file is written in place so that it keeps that group.
    const QFileInfo info(path);
    const QFile::Permissions groupRead = info.exists() && info.group() == QLatin1String("brivane")
                                             ? info.permissions() & QFile::ReadGroup
                                             : QFile::Permissions();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QCoreApplication::translate("ConnectionFiles", "Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    // The rights are narrowed before the password goes in.
    file.setPermissions(groupRead | QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                        QFile::WriteUser);
    const QByteArray line = (pathLine(values) + QLatin1Char('\n')).toUtf8();
    if (file.write(line) != line.size() || !file.flush())
        return QCoreApplication::translate("ConnectionFiles", "Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

bool readExitCode(const QString& configDir, QString& code, QString& error)
{
    QString content;
    if (!readFile(QDir(configDir).filePath(QStringLiteral("code.txt")), content, error)) {
        code.clear();
        return false;
    }
    code = lastItem(content);
    if (code.isEmpty())
        code = QString::fromLatin1(defaultExitCode);
    return true;
}

} // namespace connectionFiles
