#include "display/media/BoardMedia.h"

#include "core/Settings.h"
#include "display/BoardTheme.h"
#include "display/media/ClockFace.h"
#include "display/media/PictureView.h"
#include "display/media/Playlist.h"
#include "ui/VideoPlayer.h"

#include <QDir>
#include <QFileInfo>

VideoArea::VideoArea(QWidget* board, const QRect& rect, std::unique_ptr<VideoPlayer> player)
    : m_player(std::move(player)), m_picture(new PictureView(board))
{
    m_picture->setObjectName(QStringLiteral("vidPicture"));
    m_picture->setGeometry(rect);
    QWidget* video = m_player->widget();
    video->setObjectName(QStringLiteral("vidPlayer"));
    video->setGeometry(rect);
    showNothing();
}

VideoArea::~VideoArea()
{
    m_player->stop();
    delete m_picture;
}

PictureView* VideoArea::picture() const
{
    return m_picture;
}

QWidget* VideoArea::videoWidget() const
{
    return m_player->widget();
}

bool VideoArea::showPicture(const QString& path)
{
    if (!m_picture->setFile(path)) {
        showNothing();
        return false;
    }
    videoWidget()->hide();
    m_picture->show();
    m_picture->raise();
    setShowing(true);
    return true;
}

void VideoArea::showVideo()
{
    m_picture->hide();
    m_picture->setFile(QString());
    videoWidget()->show();
    videoWidget()->raise();
    setShowing(true);
}

void VideoArea::showNothing()
{
    m_picture->hide();
    m_picture->setFile(QString());
    videoWidget()->hide();
    setShowing(false);
}

void VideoArea::setShowing(bool showing)
{
    if (m_showing == showing)
        return;
    m_showing = showing;
    Q_EMIT showingChanged(showing);
}

void VideoArea::raise()
{
    if (videoWidget()->isVisible())
        videoWidget()->raise();
    if (m_picture->isVisible())
        m_picture->raise();
}

QString BoardMedia::clockPath(const QString& installDir, const QString& clockFile)
{
    if (clockFile.trimmed().isEmpty())
        return {};
    // Themes keep the name only; an older theme may keep a path with backslashes.
    QString name = clockFile.trimmed();
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir(installDir).filePath(QStringLiteral("files/clock/") + QFileInfo(name).fileName());
}

QString BoardMedia::defaultClock(const QString& installDir)
{
    return QDir(installDir).filePath(QStringLiteral("files/clock/classic.svg"));
}

BoardMedia::BoardMedia(QWidget* board, const Areas& areas, const BoardTheme& theme, Services services)
    : QObject(board), m_services(std::move(services))
{
    const Settings& s = m_services.settings;
    // The chime is only handed to its player; nothing on the board plays it.
    m_chime =
        m_services.players.loadChime(QDir(m_services.installDir).filePath(QStringLiteral("ding.wav")), 9000);

    if (theme.showTime && !theme.clockFile.isEmpty()) {
        m_clock = new ClockFace(m_services.clock, board);
        m_clock->setObjectName(QStringLiteral("Flash2"));
        m_clock->setGeometry(areas.clock);
        m_clock->setFile(clockPath(m_services.installDir, theme.clockFile),
                         defaultClock(m_services.installDir));
        m_clock->show();
    }

    if (!theme.logo.isEmpty()) {
        m_logo = new PictureView(board);
        m_logo->setObjectName(QStringLiteral("Flash1"));
        m_logo->setGeometry(areas.logo);
        m_logo->setFile(theme.logo);
        m_logo->show();
    }

    m_live = s.get(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("VideoIn"),
                   QStringLiteral("0")) == QLatin1String("1");
    if ((m_live || theme.movie) && !areas.video.isEmpty()) {
        m_video = std::make_unique<VideoArea>(board, areas.video, m_services.players.createVideo(board));
        if (m_live) {
            const qint64 source =
                s.getNumber(QStringLiteral("Queue"), QStringLiteral("Video"), QStringLiteral("Source"), -1);
            // No such input: the area stays empty, with no message.
            if (source >= 0 && source <= INT_MAX && m_video->player().showCamera(int(source)))
                m_video->showVideo();
        } else {
            VideoArea* area = m_video.get();
            Playlist::Screen screen{[area](const QString& path) { return area->showPicture(path); },
                                    [area] { area->showVideo(); }, [area] { area->showNothing(); }};
            m_playlist = std::make_unique<Playlist>(m_services.db, m_video->player(), std::move(screen));
            const qint64 seconds =
                s.getNumber(QStringLiteral("Queue"), QStringLiteral("Pic"), QStringLiteral("Duration"), 5);
            m_playlist->setPictureSeconds(int(qBound(qint64(1), seconds, qint64(86400))));
            m_playlist->setVolume(theme.volume);
            m_playlist->start();
        }
    }
    raise();
}

BoardMedia::~BoardMedia()
{
    if (m_playlist)
        m_playlist->stop();
    m_playlist.reset();
    m_video.reset();
    delete m_clock;
    delete m_logo;
}

ClockFace* BoardMedia::clockFace() const
{
    return m_clock;
}

PictureView* BoardMedia::logo() const
{
    return m_logo;
}

void BoardMedia::raise()
{
    if (m_video)
        m_video->raise();
    if (m_logo)
        m_logo->raise();
    if (m_clock)
        m_clock->raise();
}
