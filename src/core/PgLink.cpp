#include "core/PgLink.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>
#include <QVariant>

#include <cerrno>
#include <libpq-fe.h>
#include <sys/socket.h>

namespace pglink {

namespace {

PGconn* handleOf(const QSqlDatabase& db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    // The driver names the type after the structure behind the PGconn typedef.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.data());
}

bool containsAny(const QString& text, const QStringList& phrases)
{
    for (const QString& p : phrases)
        if (text.contains(p, Qt::CaseInsensitive))
            return true;
    return false;
}

QString textOf(const QSqlError& error)
{
    return error.databaseText() + QLatin1Char(' ') + error.driverText();
}

} // namespace

void silenceNotices(const QSqlDatabase& db)
{
    if (PGconn* conn = handleOf(db))
        PQsetNoticeProcessor(
            conn, [](void*, const char*) {}, nullptr);
}

int socketOf(const QSqlDatabase& db)
{
    PGconn* conn = handleOf(db);
    return conn && PQstatus(conn) == CONNECTION_OK ? PQsocket(conn) : -1;
}

QList<ServerNotification> takeNotifications(const QSqlDatabase& db, int most, bool& lost)
{
    QList<ServerNotification> taken;
    lost = false;
    PGconn* conn = handleOf(db);
    if (!conn)
        return taken;
    if (PQstatus(conn) != CONNECTION_OK || PQconsumeInput(conn) == 0 || PQstatus(conn) != CONNECTION_OK) {
        lost = true;
        return taken;
    }
    while (taken.size() < most) {
        PGnotify* n = PQnotifies(conn);
        if (!n)
            break;
        taken.append({QString::fromUtf8(n->relname), QString::fromUtf8(n->extra ? n->extra : ""), n->be_pid});
        PQfreemem(n);
    }
    return taken;
}

bool closedByServer(const QSqlDatabase& db)
{
    PGconn* conn = handleOf(db);
    if (!conn)
        return false;
    if (PQstatus(conn) == CONNECTION_BAD)
        return true;
    const int fd = PQsocket(conn);
    if (fd < 0)
        return true;
    char first = 0;
    const ssize_t n = ::recv(fd, &first, 1, MSG_PEEK | MSG_DONTWAIT);
    if (n == 0)
        return true; // the server closed its end
    if (n < 0)
        return errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR;
    // Between statements the server sends nothing unasked except its last words ('E', an error
    // response) before it ends the session; notices and other messages leave the link usable.
    return first == 'E';
}

bool connectionLost(const QSqlDatabase& db, const QSqlError& error)
{
    if (PGconn* conn = handleOf(db); conn && PQstatus(conn) == CONNECTION_BAD)
        return true;
    const QString code = error.nativeErrorCode();
    if (code.startsWith(QLatin1String("08")) || code == QLatin1String("57P01") ||
        code == QLatin1String("57P02") || code == QLatin1String("57P03"))
        return true;
    if (!code.isEmpty())
        return false;
    static const QStringList lostLink{QStringLiteral("server closed the connection"),
                                      QStringLiteral("no connection to the server"),
                                      QStringLiteral("terminating connection"),
                                      QStringLiteral("could not receive data"),
                                      QStringLiteral("could not send data"),
                                      QStringLiteral("connection not open"),
                                      QStringLiteral("connection to server"),
                                      QStringLiteral("SSL SYSCALL error"),
                                      QStringLiteral("Connection reset"),
                                      QStringLiteral("Broken pipe"),
                                      QStringLiteral("connection timed out")};
    return error.type() == QSqlError::ConnectionError || containsAny(textOf(error), lostLink);
}

bool serverUnreachable(const QSqlError& error)
{
    static const QStringList noServer{QStringLiteral("Connection refused"),
                                      QStringLiteral("timeout expired"),
                                      QStringLiteral("timed out"),
                                      QStringLiteral("could not translate host name"),
                                      QStringLiteral("No route to host"),
                                      QStringLiteral("Network is unreachable"),
                                      QStringLiteral("the database system is starting up"),
                                      QStringLiteral("the database system is shutting down"),
                                      QStringLiteral("the database system is in recovery mode"),
                                      QStringLiteral("server closed the connection"),
                                      QStringLiteral("No such file or directory")};
    return containsAny(textOf(error), noServer);
}

} // namespace pglink
