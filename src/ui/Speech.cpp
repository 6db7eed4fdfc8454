#include "ui/Speech.h"

#include <QProcess>
#include <QTextStream>

QString Speech::voiceFor(const QLocale& locale)
{
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QStringLiteral("en");
    const QString code = locale.bcp47Name().section(QLatin1Char('-'), 0, 0).toLower();
    return code.isEmpty() ? QStringLiteral("en") : code;
}

SynthesizerSpeech::SynthesizerSpeech(QObject* parent) : QObject(parent) {}

SynthesizerSpeech::~SynthesizerSpeech()
{
    stop();
}

void SynthesizerSpeech::stop()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished(1000);
    }
    delete m_process;
    m_process = nullptr;
}

void SynthesizerSpeech::say(const QString& text, const QString& voice)
{
    stop();
    if (text.trimmed().isEmpty())
        return;
    m_process = new QProcess(this);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    // The same pace as the announcer's recordings of names; the text comes on standard input, so
    // nothing in it is read as an option.
    m_process->start(m_program, {QStringLiteral("-v"), voice, QStringLiteral("-s"), QStringLiteral("150"),
                                 QStringLiteral("--stdin")});
    if (!m_process->waitForStarted(3000)) {
        stop();
        return;
    }
    m_process->write(text.toUtf8());
    m_process->closeWriteChannel();
}

void PrintedSpeech::say(const QString& text, const QString& voice)
{
    m_out << "say " << voice << ": " << text.simplified() << Qt::endl;
}
