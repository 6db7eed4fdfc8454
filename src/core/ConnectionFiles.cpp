#include "core/ConnectionFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

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
        error = QStringLiteral("File not found: %1").arg(QDir::toNativeSeparators(file));
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Permission denied: %1").arg(QDir::toNativeSeparators(file));
        return false;
    }
    content = QString::fromUtf8(f.readAll());
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
    QString content;
    QString error;
    if (!readFile(QDir(configDir).filePath(QStringLiteral("path.txt")), content, error))
        return error;
    const QStringList fields = lastItem(content).split(QLatin1Char(';'));
    QString* targets[] = {&values.host, &values.database, &values.user, &values.password};
    for (int i = 0; i < 4; ++i) {
        if (i >= fields.size())
            return QStringLiteral("Subscript out of range");
        *targets[i] = fields.at(i);
    }
    if (fields.size() < 5)
        return QStringLiteral("Subscript out of range");
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
