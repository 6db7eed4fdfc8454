#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class Database;
class VideoPlayer;

// The board's video list: the active rows of tblvideo one after another, read again at every step so
// that edits take effect at the next entry. Videos play to their end; pictures stay for the picture
// duration. An entry that cannot be shown is skipped; when no entry of the list can be shown (or the
// list is empty) the area stays empty and the list is tried again after a pause.
class Playlist : public QObject
{
    Q_OBJECT

public:
    // What the video area shows: a picture (false when it cannot be read), the player's video, or
    // nothing at all.
    struct Screen
    {
        std::function<bool(const QString& path)> picture;
        std::function<void()> video;
        std::function<void()> nothing;
    };

    Playlist(Database& db, VideoPlayer& player, Screen screen, QObject* parent = nullptr);

    // Seconds a picture stays (setting Queue / Pic / Duration).
    void setPictureSeconds(int seconds);
    // 0..10; the player gets ten times this.
    void setVolume(int volume) { m_volume = qBound(0, volume, 10); }
    // Seconds to wait before trying again a list of which nothing could be shown.
    void setRetrySeconds(int seconds) { m_retry.setInterval(qMax(1, seconds) * 1000); }

    // Starts with the first entry.
    void start();
    void stop();
    // Shows the entry at `position` of the active rows, or the first one past the end.
    void getNextVid(int position);

    int position() const { return m_position; }
    QString current() const { return m_current; }
    bool waitingToRetry() const { return m_retry.isActive(); }

    // Timer9: the picture's time is up; the next entry follows.
    void Timer9_Timer();
    // The pause after a list of which nothing could be shown is over.
    void retry();
    const QTimer& pictureTimer() const { return m_pictureTimer; }
    const QTimer& retryTimer() const { return m_retry; }

    // Whether a file is a picture, judged by its content as Qt reads it.
    static bool isPicture(const QString& path);

private:
    QStringList activeRows() const;
    void advance();
    void entryFailed();

    Database& m_db;
    VideoPlayer& m_player;
    Screen m_screen;
    QTimer m_pictureTimer;
    QTimer m_retry;
    int m_position = 0;
    int m_volume = 5;
    int m_failuresInRow = 0;
    bool m_running = false;
    QString m_current;
};
