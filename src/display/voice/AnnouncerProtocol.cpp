#include "display/voice/AnnouncerProtocol.h"

#include "display/CallBoardEngine.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <sys/stat.h>
#include <unistd.h>

namespace announcer {

namespace {

const QString LabelKey = QStringLiteral("label");
const QString CaptionKey = QStringLiteral("caption");
const QString SecondLineKey = QStringLiteral("line2");
const QString CaptionAKey = QStringLiteral("captionA");
const QString RowsKey = QStringLiteral("rows");
const QString LanguageKey = QStringLiteral("lang");
// Keys as texts: a stamp may exceed what a JSON number holds exactly.
const QString CallKey = QStringLiteral("call");
const QString StampKey = QStringLiteral("stamp");
const QString ScreenKey = QStringLiteral("screen");
const QString SpokenKey = QStringLiteral("spoken");

qint64 keyOf(const QJsonObject& o, const QString& name)
{
    bool ok = false;
    const qint64 key = o.value(name).toString().toLongLong(&ok);
    return ok && key > 0 ? key : 0;
}

QString baseName(const QString& installDir)
{
    const QString folder = QDir::cleanPath(QFileInfo(installDir).absoluteFilePath());
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("brivane-voice-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash.left(16)));
}

// The user's own runtime folder; a folder another user owns or may write into is refused (its
// socket and lock could be replaced), and nothing falls back to a shared folder with a guessable name.
QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat st
    {
    };
    if (runtime.isEmpty() || ::lstat(QFile::encodeName(runtime).constData(), &st) != 0 ||
        !S_ISDIR(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0)
        return QStringLiteral("/nonexistent/refused-runtime-folder");
    return runtime;
}

} // namespace

ShownCall shownCall(const CallRow& call)
{
    return {call.label,    call.displayName, call.contName, call.displayNameA, call.boardRows,
            call.language, call.callAuto,    call.stamp,    call.screen};
}

QByteArray encode(const ShownCall& call)
{
    const QJsonObject o{{LabelKey, call.tokenLabel},
                        {CaptionKey, call.caption},
                        {SecondLineKey, call.secondLine},
                        {CaptionAKey, call.captionA},
                        {RowsKey, call.boardRows},
                        {LanguageKey, call.language},
                        {CallKey, QString::number(call.callAuto)},
                        {StampKey, QString::number(call.stamp)},
                        {ScreenKey, call.screen}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

QByteArray encodeSpoken(const ShownCall& call)
{
    if (call.callAuto <= 0 || call.screen.isEmpty())
        return {};
    const QJsonObject o{{SpokenKey, QString::number(call.callAuto)},
                        {StampKey, QString::number(call.stamp)},
                        {ScreenKey, call.screen}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<Spoken> decodeSpoken(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    const qint64 call = keyOf(o, SpokenKey);
    if (call == 0 || !o.value(ScreenKey).isString())
        return std::nullopt;
    return Spoken{call, keyOf(o, StampKey), o.value(ScreenKey).toString().left(200)};
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
    return ShownCall{o.value(LabelKey).toString(),
                     o.value(CaptionKey).toString(),
                     o.value(SecondLineKey).toString(),
                     o.value(CaptionAKey).toString(),
                     qBound(0, o.value(RowsKey).toInt(), 100000),
                     o.value(LanguageKey).toString().left(8),
                     keyOf(o, CallKey),
                     keyOf(o, StampKey),
                     o.value(ScreenKey).toString().left(200)};
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
