#pragma once

#include "display/voice/Announcer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <memory>

class QAudioDecoder;
class QAudioSink;

// Plays an announcement through Qt Multimedia without gaps between its words: every recording is
// decoded to the output's format first and the whole announcement goes to the audio output as one
// stream. Decoded recordings are kept, so the words a hall hears all day are decoded once. A missing
// recording is skipped; one that cannot be decoded is skipped too. Without an audio output nothing is
// played and warn is told so once.
class AudioRecordingPlayer : public QObject, public RecordingPlayer
{
public:
    AudioRecordingPlayer(QString installDir, std::function<void(const QString&)> warn,
                         QObject* parent = nullptr);
    ~AudioRecordingPlayer() override;

    void play(const vs::CallAnnouncement& announcement, std::function<void()> done) override;

private:
    struct Decoded
    {
        QDateTime modified;
        QByteArray pcm;
    };

    void decodeNext();
    void decoded(bool ok);
    void startOutput();
    void finish();

    QString m_installDir;
    std::function<void(const QString&)> m_warn;
    bool m_toldNoOutput = false;

    std::function<void()> m_done;
    QAudioDevice m_device;
    QAudioFormat m_format;
    QStringList m_files;
    qsizetype m_next = 0;
    QByteArray m_stream;
    QByteArray m_current;
    QHash<QString, Decoded> m_cache;
    std::unique_ptr<QAudioDecoder> m_decoder;
    std::unique_ptr<QAudioSink> m_sink;
    QBuffer m_buffer;
    QTimer m_guard; // a decoder or an output that never reports back must not stop the queue
};
