#pragma once

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

// True when the failure means the connection itself is gone, not that the statement was refused.
bool connectionLost(const QSqlDatabase& db, const QSqlError& error);

// True when opening failed because no server answered (refused, timed out, unknown host, starting
// up or shutting down), as opposed to the server refusing the log-in or the database.
bool serverUnreachable(const QSqlError& error);

} // namespace pglink
