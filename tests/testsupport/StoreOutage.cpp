#include "testsupport/StoreOutage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <chrono>
#include <future>

namespace outage {

qint64 backendPid(Database& db)
{
    return db.query(QStringLiteral("select pg_backend_pid()")).number(0, 0);
}

void terminateBackend(Database& victim, Database& admin)
{
    const qint64 pid = backendPid(victim);
    admin.query(QStringLiteral("select pg_terminate_backend(cast(? as integer))"), {pid});
    for (int i = 0; i < 1000; ++i) {
        if (admin.query(QStringLiteral("select 1 from pg_stat_activity where pid=?"), {pid}).isEmpty())
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TerminateWhileBusy::TerminateWhileBusy(const ConnectionValues& values, qint64 pid, const QString& waitEvent)
{
    std::promise<void> opened;
    std::future<void> open = opened.get_future();
    m_thread = std::thread([values, pid, waitEvent, &opened] {
        Database admin;
        try {
            admin.open(values, QString());
        } catch (const DbError&) {
            opened.set_value();
            return;
        }
        opened.set_value();
        for (int i = 0; i < 2000; ++i) {
            const ResultSet busy =
                waitEvent.isEmpty()
                    ? admin.query(
                          QStringLiteral("select 1 from pg_stat_activity where pid=? and state='active'"),
                          {pid})
                    : admin.query(QStringLiteral("select 1 from pg_stat_activity where pid=? and "
                                                 "state='active' and wait_event=?"),
                                  {pid, waitEvent});
            if (!busy.isEmpty()) {
                admin.query(QStringLiteral("select pg_terminate_backend(cast(? as integer))"), {pid});
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    open.wait();
}

TerminateWhileBusy::~TerminateWhileBusy()
{
    join();
}

void TerminateWhileBusy::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

QString OwnServer::scriptsDir()
{
    // The test programs live in build/bin; the scripts in scripts/ of the source tree above it.
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4 && !dir.exists(QStringLiteral("scripts/pg-test-server.sh")); ++up)
        dir.cdUp();
    return dir.exists(QStringLiteral("scripts/pg-test-server.sh")) ? dir.filePath(QStringLiteral("scripts"))
                                                                   : QString();
}

QByteArray OwnServer::log() const
{
    QFile f(m_dir + QStringLiteral("/log"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

OwnServer::OwnServer(const OwnServerOptions& options) : m_sslDir(options.sslDir)
{
    const QString pg = qEnvironmentVariable("BRIVANE_PG");
    if (pg.isEmpty() || scriptsDir().isEmpty())
        return;
    m_script = scriptsDir() + QStringLiteral("/pg-test-server.sh");
    m_port = qEnvironmentVariable(options.portVariable.toUtf8().constData(), options.defaultPort);
    m_dir = QStringLiteral("/tmp/brivane-pg-restart-%1").arg(m_port);
    // Test programs run side by side; one at a time stops and starts this server.
    m_lock = std::make_unique<QLockFile>(m_dir + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0);
    if (!m_lock->lock())
        return;
    if (!run(QStringLiteral("start")))
        return;
    m_values.host = QStringLiteral("127.0.0.1:") + m_port;
    m_values.database = QStringLiteral("brivane");
    m_values.user = QStringLiteral("brivane");
    m_values.password = QStringLiteral("brivane");
    m_available = true;
}

OwnServer::~OwnServer()
{
    if (m_available)
        run(QStringLiteral("stop"));
}

void OwnServer::stop()
{
    run(QStringLiteral("stop"));
}

void OwnServer::resume()
{
    run(QStringLiteral("resume"));
}

bool OwnServer::run(const QString& command)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BRIVANE_PG_DIR"), m_dir);
    env.insert(QStringLiteral("BRIVANE_PG_PORT"), m_port);
    if (!m_sslDir.isEmpty())
        env.insert(QStringLiteral("BRIVANE_PG_SSL_DIR"), m_sslDir);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), {m_script, command});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace outage
