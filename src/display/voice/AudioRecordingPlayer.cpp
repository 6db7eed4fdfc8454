#include "display/voice/AudioRecordingPlayer.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioSink>
#include <QDir>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>
#include <limits>

namespace {
// Longest a recording may take to decode.
constexpr int DecodeLimitMs = 10000;
// Time allowed on top of the stream's own length before playing is given up.
constexpr int PlayMarginMs = 5000;
} // namespace

AudioRecordingPlayer::AudioRecordingPlayer(QString installDir, std::function<void(const QString&)> warn,
                                           QObject* parent)
    : QObject(parent), m_installDir(std::move(installDir)), m_warn(std::move(warn)), m_buffer(this),
      m_guard(this)
{
    m_guard.setSingleShot(true);
}

AudioRecordingPlayer::~AudioRecordingPlayer()
{
    m_guard.stop();
    if (m_sink)
        m_sink->stop();
    m_done = nullptr;
}

void AudioRecordingPlayer::play(const vs::CallAnnouncement& announcement, std::function<void()> done)
{
    m_done = std::move(done);
    m_device = QMediaDevices::defaultAudioOutput();
    if (m_device.isNull()) {
        if (!m_toldNoOutput && m_warn)
            m_warn(QStringLiteral("voice: there is no audio output; calls are not spoken"));
        m_toldNoOutput = true;
        finish();
        return;
    }
    QAudioFormat format = m_device.preferredFormat();
    format.setSampleFormat(QAudioFormat::Int16);
    // Another output may want another format: what was decoded for the old one is no use.
    if (format != m_format)
        m_cache.clear();
    m_format = format;
    m_files.clear();
    for (const QString& recording : announcement.recordings) {
        // The decoder wants an absolute path.
        // Counter names are recorded in a cache folder and come by their full path.
        const QFileInfo file(QFileInfo(recording).isAbsolute()
                                 ? recording
                                 : QDir::cleanPath(m_installDir + QLatin1Char('/') + recording));
        if (file.isFile())
            m_files << file.absoluteFilePath();
    }
    m_next = 0;
    m_stream.clear();
    decodeNext();
}

void AudioRecordingPlayer::decodeNext()
{
    while (m_next < m_files.size()) {
        const QString& file = m_files.at(m_next);
        const QDateTime modified = QFileInfo(file).lastModified();
        const auto cached = m_cache.constFind(file);
        if (cached == m_cache.constEnd() || cached->modified != modified)
            break;
        m_stream += cached->pcm;
        ++m_next;
    }
    if (m_next >= m_files.size()) {
        startOutput();
        return;
    }
    m_current.clear();
    m_decoder = std::make_unique<QAudioDecoder>();
    m_decoder->setAudioFormat(m_format);
    connect(m_decoder.get(), &QAudioDecoder::bufferReady, this, [this] {
        while (m_decoder->bufferAvailable()) {
            const QAudioBuffer buffer = m_decoder->read();
            m_current.append(buffer.constData<char>(), buffer.byteCount());
        }
    });
    connect(m_decoder.get(), &QAudioDecoder::finished, this, [this] { decoded(true); });
    connect(m_decoder.get(), qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
            [this] { decoded(false); });
    connect(&m_guard, &QTimer::timeout, m_decoder.get(), [this] { decoded(false); });
    m_guard.start(DecodeLimitMs);
    m_decoder->setSource(QUrl::fromLocalFile(m_files.at(m_next)));
    m_decoder->start();
}

void AudioRecordingPlayer::decoded(bool ok)
{
    m_guard.stop();
    if (!m_decoder)
        return;
    m_decoder->disconnect(this);
    m_guard.disconnect(m_decoder.get());
    m_decoder.release()->deleteLater(); // we are inside one of its signals
    const QString& file = m_files.at(m_next);
    if (ok)
        m_cache.insert(file, {QFileInfo(file).lastModified(), m_current});
    m_stream += m_current;
    ++m_next;
    decodeNext();
}

void AudioRecordingPlayer::startOutput()
{
    if (m_stream.isEmpty()) {
        finish();
        return;
    }
    m_buffer.close();
    m_buffer.setData(m_stream);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(m_device, m_format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (!m_sink)
            return;
        if (state == QAudio::IdleState ||
            (state == QAudio::StoppedState && m_sink->error() != QAudio::NoError))
            finish();
    });
    const qint32 bytes = qint32(qMin<qint64>(m_stream.size(), std::numeric_limits<qint32>::max()));
    const qint64 lengthMs = m_format.durationForBytes(bytes) / 1000;
    connect(&m_guard, &QTimer::timeout, m_sink.get(), [this] { finish(); });
    m_guard.start(int(qMin<qint64>(lengthMs + PlayMarginMs, std::numeric_limits<int>::max())));
    m_sink->start(&m_buffer);
}

void AudioRecordingPlayer::finish()
{
    m_guard.stop();
    if (m_sink) {
        m_sink->disconnect(this);
        m_guard.disconnect(m_sink.get());
        m_sink->stop();
        m_sink.release()->deleteLater();
    }
    m_buffer.close();
    if (auto done = std::move(m_done)) {
        m_done = nullptr;
        done();
    }
}
