#include "ui/VideoPlayer.h"

#include <QAudioOutput>
#include <QCamera>
#include <QCameraDevice>
#include <QFileInfo>
#include <QMediaCaptureSession>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPointer>
#include <QUrl>
#include <QVideoWidget>

namespace {

class SystemVideoPlayer : public VideoPlayer
{
public:
    explicit SystemVideoPlayer(QWidget* parent) : m_view(new QVideoWidget(parent))
    {
        m_view->setAspectRatioMode(Qt::KeepAspectRatio);
        m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_player.setAudioOutput(&m_audio);
        m_player.setVideoOutput(m_view.data());
        connect(&m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
            if (s == QMediaPlayer::EndOfMedia)
                Q_EMIT ended();
            else if (s == QMediaPlayer::InvalidMedia)
                Q_EMIT failed();
        });
        connect(&m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
            if (error != QMediaPlayer::NoError)
                Q_EMIT failed();
        });
    }
    ~SystemVideoPlayer() override
    {
        stopCamera();
        m_player.stop();
        m_player.setVideoOutput(nullptr);
        delete m_view;
    }

    QWidget* widget() override { return m_view; }

    bool play(const QString& file, int volume) override
    {
        stopCamera();
        const QFileInfo info(file);
        if (!info.isFile() || !info.isReadable())
            return false;
        m_audio.setVolume(float(qBound(0, volume, 100)) / 100.0f);
        m_player.setVideoOutput(m_view.data());
        m_player.setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
        m_player.play();
        return m_player.error() == QMediaPlayer::NoError;
    }

    void stop() override
    {
        m_player.stop();
        stopCamera();
    }

    bool showCamera(int device) override
    {
        const QList<QCameraDevice> inputs = QMediaDevices::videoInputs();
        if (device < 0 || device >= inputs.size())
            return false;
        m_player.stop();
        m_player.setVideoOutput(nullptr);
        m_camera = std::make_unique<QCamera>(inputs.at(device));
        m_session.setCamera(m_camera.get());
        m_session.setVideoOutput(m_view.data());
        m_camera->start();
        return true;
    }

private:
    void stopCamera()
    {
        if (!m_camera)
            return;
        m_camera->stop();
        m_session.setCamera(nullptr);
        m_session.setVideoOutput(nullptr);
        m_camera.reset();
    }

    QPointer<QVideoWidget> m_view;
    QMediaPlayer m_player;
    QAudioOutput m_audio;
    QMediaCaptureSession m_session;
    std::unique_ptr<QCamera> m_camera;
};

class SystemChime : public Chime
{
public:
    SystemChime(const QString& file, int volume)
    {
        m_player.setAudioOutput(&m_audio);
        m_audio.setVolume(float(qBound(0, volume, 10000)) / 10000.0f);
        if (QFileInfo(file).isFile())
            m_player.setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    }

private:
    QMediaPlayer m_player;
    QAudioOutput m_audio;
};

} // namespace

std::unique_ptr<VideoPlayer> SystemMediaPlayers::createVideo(QWidget* parent)
{
    return std::make_unique<SystemVideoPlayer>(parent);
}

QStringList SystemMediaPlayers::cameraNames() const
{
    QStringList names;
    for (const QCameraDevice& d : QMediaDevices::videoInputs())
        names.append(d.description());
    return names;
}

std::unique_ptr<Chime> SystemMediaPlayers::loadChime(const QString& file, int volume)
{
    return std::make_unique<SystemChime>(file, volume);
}
