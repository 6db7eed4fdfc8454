#pragma once

#include "core/Database.h"

#include <QString>
#include <functional>
#include <memory>

class QLockFile;
#include <thread>

// Ways to take the PostgreSQL server away from a connection, as a restart, an administrator or a
// broken network would.
namespace outage {

qint64 backendPid(Database& db);

// Ends the server side of `victim`'s connection from `admin` and waits until the server has let it
// go; the victim itself is not told.
void terminateBackend(Database& victim, Database& admin);

// Ends the server side of the connection with that process id as soon as it is running a statement
// (from another thread, on a connection of its own); join() waits for it. With `waitEvent`, only
// once the statement waits on that event ("PgSleep": a pg_sleep, such as a trigger holding a commit).
// Its own connection is open once the constructor returns.
class TerminateWhileBusy
{
public:
    TerminateWhileBusy(const ConnectionValues& admin, qint64 pid, const QString& waitEvent = QString());
    ~TerminateWhileBusy();
    void join();

private:
    std::thread m_thread;
};

// Where a server of the test's own listens, and whether it speaks TLS.
struct OwnServerOptions
{
    QString portVariable = QStringLiteral("BRIVANE_PG_RESTART_PORT");
    QString defaultPort = QStringLiteral("55459");
    QString sslDir; // server.crt and server.key (make-hall-ca.sh); empty: no TLS
};

// A PostgreSQL server of the test's own (port BRIVANE_PG_RESTART_PORT, default 55459), that can be
// stopped and started again on the same data. Needs the server programs and BRIVANE_PG.
class OwnServer
{
public:
    explicit OwnServer(const OwnServerOptions& options = {});
    ~OwnServer();
    bool available() const { return m_available; }
    ConnectionValues values() const { return m_values; }
    // The folder of the test scripts (scripts/ of the source tree); empty when not found.
    static QString scriptsDir();
    // What the server has logged so far.
    QByteArray log() const;
    void stop();
    void resume();

private:
    bool run(const QString& command);
    QString m_script;
    QString m_dir;
    QString m_port;
    QString m_sslDir;
    bool m_available = false;
    ConnectionValues m_values;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace outage
