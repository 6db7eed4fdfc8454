#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <memory>

class Chime;
class ClockFace;
class Clock;
class Database;
class MediaPlayers;
class Playlist;
class PictureView;
class Settings;
class VideoPlayer;
struct BoardTheme;

// The video area of the board: the player's picture, or a picture of the video list, or nothing.
class VideoArea : public QObject
{
    Q_OBJECT

public:
    VideoArea(QWidget* board, const QRect& rect, std::unique_ptr<VideoPlayer> player);
    ~VideoArea() override;

    VideoPlayer& player() { return *m_player; }
    PictureView* picture() const;
    QWidget* videoWidget() const;
    bool showPicture(const QString& path);
    void showVideo();
    void showNothing();
    void raise();
    // Whether the area shows a picture or a video (an empty list shows nothing).
    bool showing() const { return m_showing; }

Q_SIGNALS:
    void showingChanged(bool showing);

private:
    void setShowing(bool showing);

    bool m_showing = false;
    std::unique_ptr<VideoPlayer> m_player;
    QPointer<PictureView> m_picture;
};

// Everything the board shows around its call table besides the ticker: the clock face, the logo,
// the video list or live input in the video area, and the chime player. Made when the board opens,
// from the rectangles of its layout (in the board's pixels) and its theme; it places and owns its
// widgets on the board and stops with it.
class BoardMedia : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        Database& db;
        Settings& settings;
        const Clock& clock;
        MediaPlayers& players;
        QString installDir;
    };
    struct Areas
    {
        QRect logo;
        QRect clock;
        QRect video;
    };

    BoardMedia(QWidget* board, const Areas& areas, const BoardTheme& theme, Services services);
    ~BoardMedia() override;

    // Puts the clock face, the logo and the video in front of the board's other elements.
    void raise();

    ClockFace* clockFace() const;
    PictureView* logo() const;
    VideoArea* video() const { return m_video.get(); }
    Playlist* playlist() const { return m_playlist.get(); }
    bool liveInput() const { return m_live; }
    // The face file a clock file name of a theme stands for ("" for none) and the default face.
    static QString clockPath(const QString& installDir, const QString& clockFile);
    static QString defaultClock(const QString& installDir);

private:
    Services m_services;
    std::unique_ptr<Chime> m_chime;
    QPointer<ClockFace> m_clock;
    QPointer<PictureView> m_logo;
    std::unique_ptr<VideoArea> m_video;
    std::unique_ptr<Playlist> m_playlist;
    bool m_live = false;
};
