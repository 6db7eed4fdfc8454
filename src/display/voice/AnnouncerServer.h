#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

class Announcer;

// The announcer's side of the link: holds the lock that makes it the only announcer of this
// installation and user, listens on the socket the board writes to and hands every call it reads,
// in order, to the announcer's queue.
class AnnouncerServer : public QObject
{
public:
    AnnouncerServer(Announcer& announcer, const QString& installDir, QObject* parent = nullptr);

    enum class Start { Listening, AlreadyRunning, Failed };
    // error tells what went wrong when the result is Failed.
    Start start(QString* error = nullptr);

    QString socketPath() const { return m_path; }

    // A connection sending more than this without a line end is not a board: it is dropped.
    static constexpr qint64 MaxLine = 64 * 1024;

private:
    void acceptAll();

    Announcer& m_announcer;
    QString m_path;
    QLockFile m_lock;
    QLocalServer m_server;
};
