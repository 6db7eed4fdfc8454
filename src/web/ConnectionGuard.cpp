#include "web/ConnectionGuard.h"

#include "web/RateLimiter.h"

#include <QTcpSocket>
#include <unistd.h>

ConnectionGuard::ConnectionGuard(const Limits& limits, QObject* parent) : QTcpServer(parent), m_limits(limits)
{
    m_clock.start();
    // Time-outs are seen within a quarter of the shortest one.
    m_sweep.setInterval(qBound(20, qMin(m_limits.headTimeoutMs, m_limits.idleTimeoutMs) / 4, 1000));
    connect(&m_sweep, &QTimer::timeout, this, &ConnectionGuard::sweep);
    m_sweep.start();
}

ConnectionGuard::~ConnectionGuard()
{
    // The sockets outlive this object's members for a moment: they tell it nothing more.
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it->socket)
            disconnect(it->socket, nullptr, this, nullptr);
    }
}

int ConnectionGuard::connectionsOf(const QHostAddress& client) const
{
    return m_perClient.value(RateLimiter::clientKey(client));
}

void ConnectionGuard::incomingConnection(qintptr descriptor)
{
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        ::close(int(descriptor));
        return;
    }
    const QString client = RateLimiter::clientKey(socket->peerAddress());
    if (m_perClient.value(client) >= m_limits.perClient || int(m_connections.size()) >= m_limits.inAll) {
        // Closed before a byte is read: the handle is free again at once.
        socket->abort();
        socket->deleteLater();
        return;
    }
    socket->setReadBufferSize(weblimits::SocketReadBuffer);
    Connection c;
    c.socket = socket;
    c.client = client;
    c.head = RequestHead(m_limits.maxRequestLine, m_limits.maxHeadBytes);
    c.deadline = now() + m_limits.headTimeoutMs;
    m_connections.insert(socket, std::move(c));
    m_perClient[client] += 1;
    // Connected before the parser's own handlers (which addPendingConnection makes), so the head is
    // checked before the parser reads it; the second one notes what the parser left unread.
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { beforeParser(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { release(socket); });
    connect(socket, &QObject::destroyed, this, [this, socket] { release(socket); });
    addPendingConnection(socket);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { afterParser(socket); });
}

void ConnectionGuard::beforeParser(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end() || it->handedOver || !socket->isOpen())
        return;
    Connection& c = *it;
    if (c.closing) {
        // Nothing more is read from a refused client: what comes is dropped.
        socket->skip(socket->bytesAvailable());
        return;
    }
    const QByteArray fresh = socket->peek(socket->bytesAvailable()).mid(c.checkedAhead);
    qsizetype at = 0;
    while (at < fresh.size()) {
        const bool idle = !c.head.started();
        qsizetype used = 0;
        const RequestHead::Verdict v = c.head.feed(QByteArrayView(fresh).sliced(at), used);
        at += used;
        if (idle && c.head.started() && c.nextToWrite == c.nextNumber)
            c.deadline = qMin(c.deadline, now() + m_limits.headTimeoutMs);
        if (v == RequestHead::Verdict::More || v == RequestHead::Verdict::Complete)
            continue;
        refuse(c, RequestHead::status(v));
        return;
    }
    c.checkedAhead += fresh.size();
}

void ConnectionGuard::afterParser(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it != m_connections.end() && !it->closing)
        it->checkedAhead = socket->bytesAvailable();
}

void ConnectionGuard::refuse(Connection& c, int status)
{
    QTcpSocket* socket = c.socket;
    // The parser gets no more of this connection: its handlers are cut, its unread bytes dropped.
    if (parent())
        disconnect(socket, &QTcpSocket::readyRead, parent(), nullptr);
    socket->skip(socket->bytesAvailable());
    WebAnswer a = textAnswer(status, "Request refused");
    if (status == 405)
        a.allow = "GET";
    c.ready.clear();
    socket->write(httpMessage(a, true));
    closeAfterWrite(c);
}

void ConnectionGuard::closeAfterWrite(Connection& c)
{
    c.closing = true;
    c.deadline = now() + m_limits.lingerMs;
    c.socket->disconnectFromHost();
}

qint64 ConnectionGuard::expectAnswer(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end() || it->closing)
        return -1;
    if (it->nextNumber - it->nextToWrite >= m_limits.maxPipelined) {
        socket->abort();
        return -1;
    }
    it->deadline = 0; // the answer is on its way; the time-outs start again after it
    return it->nextNumber++;
}

void ConnectionGuard::answer(QTcpSocket* socket, qint64 number, const QByteArray& message, bool close)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end() || it->closing || !it->socket)
        return;
    Connection& c = *it;
    c.ready.push_back({number, {message, close}});
    std::sort(c.ready.begin(), c.ready.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    while (!c.ready.empty() && c.ready.front().first == c.nextToWrite) {
        const auto [bytes, closeAfter] = c.ready.front().second;
        c.ready.pop_front();
        ++c.nextToWrite;
        socket->write(bytes);
        if (closeAfter) {
            closeAfterWrite(c);
            return;
        }
    }
    if (c.nextToWrite == c.nextNumber)
        c.deadline = now() + (c.head.started() ? m_limits.headTimeoutMs : m_limits.idleTimeoutMs);
}

void ConnectionGuard::handedOver(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    it->handedOver = true;
    it->deadline = 0;
    // The parser cuts every handler of the socket as it hands it over; its end is still noted.
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(0, this, [this, guarded, socket] {
        if (!guarded)
            release(socket);
        else
            connect(socket, &QObject::destroyed, this, [this, socket] { release(socket); });
    });
}

void ConnectionGuard::release(QTcpSocket* socket)
{
    const auto it = m_connections.find(socket);
    if (it == m_connections.end())
        return;
    const QString client = it->client;
    m_connections.erase(it);
    if (--m_perClient[client] <= 0)
        m_perClient.remove(client);
}

void ConnectionGuard::sweep()
{
    const qint64 t = now();
    QList<QTcpSocket*> gone;
    QList<QTcpSocket*> late;
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (!it->socket || it->socket->state() == QAbstractSocket::UnconnectedState)
            gone.append(it.key());
        else if (it->deadline > 0 && t >= it->deadline)
            late.append(it.key());
    }
    for (QTcpSocket* socket : gone)
        release(socket);
    for (QTcpSocket* socket : late) {
        const auto it = m_connections.find(socket);
        if (it == m_connections.end())
            continue;
        if (it->closing || !it->head.started() || it->handedOver)
            socket->abort(); // an idle connection, or a refused one that does not read its answer
        else
            refuse(*it, 408);
    }
}
