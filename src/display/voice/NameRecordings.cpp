#include "display/voice/NameRecordings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

NameRecordings::NameRecordings(QString installDir, QString cacheDir, std::function<void(const QString&)> warn)
    : m_installDir(std::move(installDir)), m_cacheDir(std::move(cacheDir)), m_warn(std::move(warn))
{
}

QString NameRecordings::defaultCacheDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/brivane/voice");
}

QString NameRecordings::voiceOf(const QString& language) const
{
    QFile file(m_installDir + QStringLiteral("/vs/") + language + QStringLiteral("/voice"));
    if (file.open(QIODevice::ReadOnly)) {
        const QString voice = QString::fromUtf8(file.readLine()).trimmed();
        if (!voice.isEmpty())
            return voice;
    }
    if (language == QLatin1String("english"))
        return QStringLiteral("en");
    if (language == QLatin1String("hindi"))
        return QStringLiteral("hi");
    return language;
}

QString NameRecordings::cachedPath(const QString& language, const QString& text) const
{
    // A readable name and a hash of what is said and how, so a changed voice makes a new recording.
    QString readable;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            readable.append(c.toLower());
        else if (!readable.endsWith(QLatin1Char('-')))
            readable.append(QLatin1Char('-'));
    }
    readable = readable.left(40);
    while (readable.startsWith(QLatin1Char('-')))
        readable.remove(0, 1);
    if (readable.isEmpty())
        readable = QStringLiteral("name-"); // a name in another script
    else if (!readable.endsWith(QLatin1Char('-')))
        readable.append(QLatin1Char('-'));
    const QByteArray hash = QCryptographicHash::hash((voiceOf(language) + QLatin1Char('\n') + text).toUtf8(),
                                                     QCryptographicHash::Sha1)
                                .toHex()
                                .left(12);
    QString folder = language;
    folder.replace(QLatin1Char('/'), QLatin1Char('_'));
    return m_cacheDir + QLatin1Char('/') + folder + QLatin1Char('/') + readable + QString::fromLatin1(hash) +
           QStringLiteral(".wav");
}

QString NameRecordings::recording(const QString& language, const QString& text)
{
    const QString spoken = text.simplified();
    if (spoken.isEmpty())
        return QString();
    const QString path = cachedPath(language, spoken);
    if (QFileInfo(path).size() > 44) // more than a WAV header
        return path;
    if (m_failed.contains(path))
        return QString();
    auto fail = [&](const QString& reason) {
        m_failed.insert(path, reason);
        if (m_warn)
            m_warn(QStringLiteral("voice: no recording of \"%1\" for %2: %3").arg(spoken, language, reason));
        return QString();
    };
    if (!QDir().mkpath(QFileInfo(path).path()))
        return fail(QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).path()));
    // Written beside its place and moved there when complete, so a half-made file is never played.
    const QString part = path + QStringLiteral(".part");
    QProcess synth;
    synth.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    synth.start(m_program, {QStringLiteral("-v"), voiceOf(language), QStringLiteral("-s"),
                            QStringLiteral("150"), QStringLiteral("-w"), part, QStringLiteral("--stdin")});
    if (!synth.waitForStarted(5000))
        return fail(QStringLiteral("%1 cannot be started (is it installed?)").arg(m_program));
    synth.write(spoken.toUtf8());
    synth.closeWriteChannel();
    if (!synth.waitForFinished(20000)) {
        synth.kill();
        synth.waitForFinished(1000);
        QFile::remove(part);
        return fail(QStringLiteral("%1 took too long").arg(m_program));
    }
    if (synth.exitStatus() != QProcess::NormalExit || synth.exitCode() != 0 || QFileInfo(part).size() <= 44) {
        QFile::remove(part);
        return fail(QStringLiteral("%1 failed").arg(m_program));
    }
    QFile::remove(path);
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        return fail(QStringLiteral("cannot write %1").arg(path));
    }
    ++m_made;
    return path;
}
