#include "display/media/Playlist.h"

#include "core/Database.h"
#include "ui/VideoPlayer.h"

#include <QImageReader>

Playlist::Playlist(Database& db, VideoPlayer& player, Screen screen, QObject* parent)
    : QObject(parent), m_db(db), m_player(player), m_screen(std::move(screen))
{
    m_pictureTimer.setObjectName(QStringLiteral("Timer9"));
    m_pictureTimer.setSingleShot(true);
    setPictureSeconds(5);
    m_retry.setSingleShot(true);
    setRetrySeconds(30);
    connect(&m_pictureTimer, &QTimer::timeout, this, &Playlist::Timer9_Timer);
    connect(&m_retry, &QTimer::timeout, this, &Playlist::retry);
    connect(&m_player, &VideoPlayer::ended, this, [this] {
        if (!m_running)
            return;
        m_failuresInRow = 0;
        advance();
    });
    connect(&m_player, &VideoPlayer::failed, this, [this] {
        if (m_running)
            entryFailed();
    });
}

void Playlist::Timer9_Timer()
{
    m_pictureTimer.stop();
    if (m_running)
        getNextVid(m_position);
}

void Playlist::retry()
{
    m_retry.stop();
    if (!m_running)
        return;
    m_failuresInRow = 0;
    getNextVid(0);
}

void Playlist::setPictureSeconds(int seconds)
{
    m_pictureTimer.setInterval(qBound(1, seconds, 86400) * 1000);
}

bool Playlist::isPicture(const QString& path)
{
    return !QImageReader::imageFormat(path).isEmpty();
}

QStringList Playlist::activeRows() const
{
    QStringList rows;
    try {
        const ResultSet rs =
            m_db.query(QStringLiteral("select * from tblvideo where active='1' order by vidAuto"));
        for (int r = 0; r < rs.size(); ++r)
            rows.append(rs.text(r, 1));
    } catch (const DbError&) {
        // A failed read counts as an empty list: the area stays empty and the list is read again later.
    }
    return rows;
}

void Playlist::start()
{
    m_running = true;
    m_failuresInRow = 0;
    getNextVid(0);
}

void Playlist::stop()
{
    m_running = false;
    m_pictureTimer.stop();
    m_retry.stop();
    m_player.stop();
    m_screen.nothing();
    m_current.clear();
}

void Playlist::advance()
{
    getNextVid(m_position + 1);
}

void Playlist::getNextVid(int position)
{
    m_running = true;
    m_pictureTimer.stop();
    m_retry.stop();
    const QStringList rows = activeRows();
    if (rows.isEmpty()) {
        m_player.stop();
        m_screen.nothing();
        m_current.clear();
        m_position = 0;
        m_retry.start();
        return;
    }
    m_position = (position >= 0 && position < rows.size()) ? position : 0;
    m_current = rows.at(m_position);

    if (isPicture(m_current)) {
        m_player.stop();
        if (!m_screen.picture(m_current)) {
            entryFailed();
            return;
        }
        m_failuresInRow = 0;
        ++m_position;
        m_pictureTimer.start();
        return;
    }
    m_screen.video();
    if (!m_player.play(m_current, 10 * m_volume))
        entryFailed();
}

void Playlist::entryFailed()
{
    ++m_failuresInRow;
    // Every entry of the list failed one after another: nothing can be shown, so wait and try again
    // rather than go round the list without end.
    if (m_failuresInRow >= qMax<qsizetype>(1, activeRows().size())) {
        m_failuresInRow = 0;
        m_player.stop();
        m_screen.nothing();
        m_current.clear();
        m_retry.start();
        return;
    }
    advance();
}
