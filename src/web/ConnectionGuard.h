#pragma once

#include "web/RequestHead.h"
#include "web/WebAnswers.h"
#include "web/WebLimits.h"

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>
#include <deque>

class QTcpSocket;

// The listening socket of brivane-web and the guard of every connection it accepts, in front of the
// HTTP parser: it bounds what one client may hold of the server.
// - Connections: at most `perClient` from one address and `inAll` in all; more are closed at once.
// - Time: a head must be complete within the head time-out, a kept-alive connection that stays idle
//   is closed; a pushed connection (WebSocket) is the pages' business once handed over.
// - Heads: each head's bytes are checked as they arrive (RequestHead) before the parser keeps them;
//   a refused one gets its 4xx answer and the connection is closed, its body never read.
// - Answers: written in the order of their requests, also when one waits for the database.
class ConnectionGuard : public QTcpServer
{
    Q_OBJECT
public:
    struct Limits
    {
        int perClient = weblimits::ConnectionsPerClient;
        int inAll = weblimits::MaxConnections;
        int headTimeoutMs = weblimits::HeadTimeoutMs;
        int idleTimeoutMs = weblimits::IdleTimeoutMs;
        int lingerMs = weblimits::LingerMs;
        int maxRequestLine = weblimits::MaxRequestLine;
        int maxHeadBytes = weblimits::MaxHeadBytes;
        int maxPipelined = weblimits::MaxPipelined;
    };

    explicit ConnectionGuard(const Limits& limits, QObject* parent = nullptr);
    ~ConnectionGuard() override;

    // Open connections in all, and of one client address (as RateLimiter counts clients).
    int openConnections() const { return int(m_connections.size()); }
    int connectionsOf(const QHostAddress& client) const;
    // True when the socket is one of this guard's connections.
    bool holds(QTcpSocket* socket) const { return m_connections.contains(socket); }

    // A request on the socket is being handled: its answer goes out with answer() under the number
    // returned, after the answers of the requests before it. -1 when the client has too many waiting
    // (the connection is then closed).
    qint64 expectAnswer(QTcpSocket* socket);
    // The answer of that request; `close` closes the connection after it. Nothing when the
    // connection is gone.
    void answer(QTcpSocket* socket, qint64 number, const QByteArray& message, bool close);
    // The socket is now a page's pushed connection: no more time-outs or head checks here; it still
    // counts against its client until it closes.
    void handedOver(QTcpSocket* socket);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    struct Connection
    {
        QPointer<QTcpSocket> socket;
        QString client;
        RequestHead head;
        qint64 deadline = 0;     // ms of m_clock; 0: none
        qint64 checkedAhead = 0; // bytes in the socket's buffer already checked
        qint64 nextNumber = 0;
        qint64 nextToWrite = 0;
        std::deque<std::pair<qint64, std::pair<QByteArray, bool>>> ready; // answers waiting for earlier ones
        bool handedOver = false;
        bool closing = false;
    };

    void beforeParser(QTcpSocket* socket);
    void afterParser(QTcpSocket* socket);
    // Answers with the refusal and closes; the parser sees nothing more of this connection.
    void refuse(Connection& c, int status);
    void closeAfterWrite(Connection& c);
    void release(QTcpSocket* socket);
    void sweep();
    qint64 now() const { return m_clock.elapsed(); }

    Limits m_limits;
    QHash<QTcpSocket*, Connection> m_connections;
    QHash<QString, int> m_perClient;
    QTimer m_sweep;
    QElapsedTimer m_clock;
};
