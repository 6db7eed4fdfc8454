#include "display/voice/AnnouncerServer.h"

#include "display/voice/Announcer.h"
#include "display/voice/AnnouncerProtocol.h"

#include <QLocalSocket>
#include <QPointer>

AnnouncerServer::AnnouncerServer(Announcer& announcer, const QString& installDir, QObject* parent)
    : QObject(parent), m_announcer(announcer), m_path(announcer::socketPath(installDir)),
      m_lock(announcer::lockPath(installDir)), m_server(this)
{
    connect(&m_server, &QLocalServer::newConnection, this, &AnnouncerServer::acceptAll);
}

AnnouncerServer::Start AnnouncerServer::start(QString* error)
{
    // The lock outlives a crash only as long as its process: a lock whose owner has died is taken over.
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError)
            return Start::AlreadyRunning;
        if (error)
            *error = QStringLiteral("cannot create the lock file %1").arg(m_lock.fileName());
        return Start::Failed;
    }
    // A socket file left by an announcer that died is ours to replace: we hold the lock.
    QLocalServer::removeServer(m_path);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_path)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1: %2").arg(m_path, m_server.errorString());
        m_lock.unlock();
        return Start::Failed;
    }
    return Start::Listening;
}

void AnnouncerServer::acceptAll()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto read = [this, socket] {
            while (socket->canReadLine()) {
                const auto call = announcer::decode(socket->readLine().trimmed());
                if (!call)
                    continue;
                // Once said, the board that sent it is told, to record that it was spoken.
                QPointer<QLocalSocket> board(socket);
                m_announcer.announce(*call, [board, answer = announcer::encodeSpoken(*call)] {
                    if (board && !answer.isEmpty() && board->state() == QLocalSocket::ConnectedState)
                        board->write(answer);
                });
            }
            if (socket->bytesAvailable() > MaxLine)
                socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        read(); // what arrived with the connection
    }
}
