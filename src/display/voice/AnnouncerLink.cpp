#include "display/voice/AnnouncerLink.h"

AnnouncerLink::AnnouncerLink(QString socketPath, QObject* parent)
    : QObject(parent), m_path(std::move(socketPath)), m_socket(this)
{
    connect(&m_socket, &QLocalSocket::connected, this, [this] {
        m_socket.write(m_waiting);
        m_waiting.clear();
    });
    // Nobody listens (or the announcer went away): what waited is dropped, the next call tries again.
    connect(&m_socket, &QLocalSocket::errorOccurred, this, [this] { m_waiting.clear(); });
    connect(&m_socket, &QLocalSocket::readyRead, this, &AnnouncerLink::readAnswers);
}

void AnnouncerLink::readAnswers()
{
    while (m_socket.canReadLine()) {
        const auto spoken = announcer::decodeSpoken(m_socket.readLine().trimmed());
        if (spoken && m_spokenHandler)
            m_spokenHandler(*spoken);
    }
    // An announcer that answers more than this without a line end is not ours.
    if (m_socket.bytesAvailable() > 64 * 1024)
        m_socket.abort();
}

void AnnouncerLink::send(const announcer::ShownCall& call)
{
    const QByteArray message = announcer::encode(call);
    switch (m_socket.state()) {
    case QLocalSocket::ConnectedState:
        m_socket.write(message);
        return;
    case QLocalSocket::ConnectingState:
        m_waiting += message;
        return;
    default:
        m_socket.abort(); // a connection the announcer closed
        m_waiting = message;
        m_socket.connectToServer(m_path);
        return;
    }
}
