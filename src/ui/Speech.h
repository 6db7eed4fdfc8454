#pragma once

#include <QLocale>
#include <QObject>
#include <QString>
#include <memory>

class QProcess;
class QTextStream;

// Says a sentence aloud for a visitor who cannot read the screen. A new sentence cuts off the one
// still being said: the visitor hears what the latest key press meant, not a queue of old answers.
class Speech
{
public:
    virtual ~Speech() = default;
    // voice: the synthesizer's language code ("en", "hi", "ar").
    virtual void say(const QString& text, const QString& voice) = 0;

    // The synthesizer's voice for a language: its two-letter code, English for the "C" locale.
    static QString voiceFor(const QLocale& locale);
};

// The offline synthesizer the hall announcer's name recordings come from (espeak-ng), speaking
// straight to the sound output. A machine without the program or without sound says nothing.
class SynthesizerSpeech : public QObject, public Speech
{
public:
    explicit SynthesizerSpeech(QObject* parent = nullptr);
    ~SynthesizerSpeech() override;
    void say(const QString& text, const QString& voice) override;
    void setProgram(QString program) { m_program = std::move(program); }

private:
    void stop();

    QString m_program = QStringLiteral("espeak-ng");
    QProcess* m_process = nullptr;
};

// `--print`: one line per sentence, "say VOICE: TEXT", instead of sound.
class PrintedSpeech : public Speech
{
public:
    explicit PrintedSpeech(QTextStream& out) : m_out(out) {}
    void say(const QString& text, const QString& voice) override;

private:
    QTextStream& m_out;
};
