#include "display/voice/AnnouncerProtocol.h"

#include "display/CallBoardEngine.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <unistd.h>

namespace announcer {

namespace {

const QString LabelKey = QStringLiteral("label");
const QString CaptionKey = QStringLiteral("caption");
const QString SecondLineKey = QStringLiteral("line2");
const QString CaptionAKey = QStringLiteral("captionA");
const QString RowsKey = QStringLiteral("rows");

QString baseName(const QString& installDir)
{
    const QString folder = QDir::cleanPath(QFileInfo(installDir).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("brivane-voice-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash.left(16)));
}

QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() || !QFileInfo(runtime).isDir() ? QDir::tempPath() : runtime;
}

} // namespace

ShownCall shownCall(const CallRow& call)
{
    return {call.label, call.displayName, call.contName, call.displayNameA, call.boardRows};
}

QByteArray encode(const ShownCall& call)
{
    const QJsonObject o{{LabelKey, call.tokenLabel},
                        {CaptionKey, call.caption},
                        {SecondLineKey, call.secondLine},
                        {CaptionAKey, call.captionA},
                        {RowsKey, call.boardRows}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<ShownCall> decode(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    if (!o.value(LabelKey).isString())
        return std::nullopt;
    return ShownCall{o.value(LabelKey).toString(), o.value(CaptionKey).toString(),
                     o.value(SecondLineKey).toString(), o.value(CaptionAKey).toString(),
                     qBound(0, o.value(RowsKey).toInt(), 100000)};
}

QString socketPath(const QString& installDir)
{
    return runtimeFolder() + QLatin1Char('/') + baseName(installDir);
}

QString lockPath(const QString& installDir)
{
    return socketPath(installDir) + QStringLiteral(".lock");
}

} // namespace announcer
