#pragma once

#include <QList>
#include <QString>

class QSqlDatabase;
class QSqlError;

// What the PostgreSQL client library knows about one connection, beyond what Qt's driver tells.
namespace pglink {

// True when the server has already ended this idle connection: it closed the socket, or left its
// parting error message in it (a restart or a terminated backend does both). Looks without waiting
// and without a round trip, so it can be asked before every statement.
bool closedByServer(const QSqlDatabase& db);

// The client library prints the server's notices on stderr, and a server going down leaves its
// parting words as one; this layer reports such things itself, so they are dropped.
void silenceNotices(const QSqlDatabase& db);

// One notification as the server delivered it, with the server process of the session that sent it.
struct ServerNotification
{
    QString channel;
    QString payload;
    int sender = 0;
};

// The connection's socket; -1 when there is none.
int socketOf(const QSqlDatabase& db);

// Reads what the server has sent, without waiting, and takes up to `most` notifications off the
// connection in the order they came. `lost` is set when the connection turned out to be broken.
QList<ServerNotification> takeNotifications(const QSqlDatabase& db, int most, bool& lost);

// True when the failure means the connection itself is gone, not that the statement was refused.
bool connectionLost(const QSqlDatabase& db, const QSqlError& error);

// True when opening failed because no server answered (refused, timed out, unknown host, starting
// up or shutting down), as opposed to the server refusing the log-in or the database.
bool serverUnreachable(const QSqlError& error);

} // namespace pglink
