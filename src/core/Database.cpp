#include "core/Database.h"

#include "core/ConnectionOptions.h"
#include "core/DatabaseNotifications.h"
#include "core/HostPort.h"
#include "core/PgLink.h"
#include "core/PreparedStatements.h"
#include "core/PrivateFile.h"
#include "core/SqlWords.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <atomic>
#include <functional>

namespace {

QAtomicInt connectionCounter;

// `notPermitted`: what this workstation may do, told instead of a refused right's SQL text.
DbError errorFrom(const QSqlError& error, const QString& notPermitted = QString())
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The database refused the statement without giving a reason.");
    const QString code = error.nativeErrorCode();
    // A statement the server ended after its time-out, or that waited too long for a lock.
    if (code == QLatin1String("57014") || code == QLatin1String("55P03"))
        return DbError(DbError::busyText(), DbError::Kind::Other);
    if (code == QLatin1String("42501"))
        return DbError(notPermitted.isEmpty() ? text : notPermitted, DbError::Kind::NotPermitted, text);
    // SQLite: 2067 (or 1555 for a key), PostgreSQL: 23505.
    const bool unique = code == QLatin1String("23505") || code == QLatin1String("2067") ||
                        code == QLatin1String("1555") ||
                        text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
    return DbError(text, unique ? DbError::Kind::UniqueViolation
                                : (error.type() == QSqlError::ConnectionError ? DbError::Kind::Connection
                                                                              : DbError::Kind::Other));
}

std::atomic<int> reopenPauseMs{1000};
std::atomic<int> statementTimeoutMs{5000};
std::atomic<int> busyWaitMs{10000};
// The SQLite busy wait of one step; between steps the window thread handles its events.
constexpr int busyStepMs = 100;

bool sqliteBusy(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("5") || code == QLatin1String("6") ||
           error.databaseText().contains(QLatin1String("database is locked"), Qt::CaseInsensitive);
}

// Windows and timers of the program go on while a busy store is waited for, but a second wait never
// starts inside the first.
thread_local int busyWaitDepth = 0;

} // namespace

Database::Database()
    : m_connectionName(QStringLiteral("brivane-%1").arg(connectionCounter.fetchAndAddRelaxed(1))),
      m_prepared(std::make_unique<PreparedStatements>())
{
}

Database::~Database()
{
    close();
}

void Database::close()
{
    closeLink();
    m_reopen = {};
    m_link = ServerLink{};
    m_identity.clear();
    m_broken = false;
    m_inTransaction = false;
}

void Database::closeLink()
{
    dropLink();
    m_broken = false;
    m_kind = Kind::None;
}

void Database::dropLink()
{
    stopReadingNotifications();
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    // Let go of after the driver: the server forgets a connection's statements when it ends, and a
    // broken connection cannot be asked to.
    m_prepared->clear();
    m_broken = true;
}

void Database::setReopenPause(int milliseconds)
{
    reopenPauseMs = qMax(0, milliseconds);
}

void Database::setDefaultStatementTimeout(int milliseconds)
{
    statementTimeoutMs = qMax(0, milliseconds);
}

void Database::setStatementTimeout(int milliseconds)
{
    m_statementTimeout = qMax(0, milliseconds);
    if (m_kind == Kind::Postgres && !m_broken)
        exec(QStringLiteral("SET statement_timeout = %1").arg(m_statementTimeout));
}

void Database::setBusyWait(int milliseconds)
{
    busyWaitMs = qMax(0, milliseconds);
}

bool Database::waitForBusyStore(QElapsedTimer& waited)
{
    if (!waited.isValid())
        waited.start();
    if (waited.elapsed() >= busyWaitMs.load() || busyWaitDepth > 0 || m_inTransaction)
        return false;
    ++busyWaitDepth;
    // SQLite itself waits one short step (its busy time-out); in between, the window repaints and
    // its clocks go on. Input waits: a click must not start another action on this connection.
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    --busyWaitDepth;
    return true;
}

bool Database::isOpen() const
{
    return m_kind != Kind::None && QSqlDatabase::database(m_connectionName, false).isOpen();
}

bool Database::ping()
{
    if (!isOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    const bool answered = q.exec(QStringLiteral("select 1")) && q.next();
    notificationsAfterStatement();
    return answered;
}

QString identityOf(const ConnectionValues& v, const QString& installDir)
{
    return QStringList{v.host,
                       v.database,
                       v.user,
                       v.password,
                       v.passwordAuthentication ? QStringLiteral("1") : QStringLiteral("0"),
                       v.options,
                       installDir}
        .join(QChar(0x1f));
}

void Database::open(const ConnectionValues& values, const QString& installDir, Creation creation)
{
    m_creation = creation;
    try {
        openFrom(values, installDir);
    } catch (const DbError&) {
        // A database that cannot be used is not left half open for the next statement to stumble on.
        close();
        throw;
    }
    m_identity = identityOf(values, installDir);
}

void Database::openFrom(const ConnectionValues& values, const QString& installDir)
{
    if (values.host.trimmed().isEmpty()) {
        QString file = values.database.trimmed();
        if (file.isEmpty())
            throw DbError(QStringLiteral("No database file is named in the connection values"),
                          DbError::Kind::Connection);
        if (QFileInfo(file).isRelative())
            file = QDir(installDir).filePath(file);
        if (m_creation != Creation::Allowed && !QFileInfo::exists(file))
            throw DbError(QStringLiteral("There is no database file %1. A new hall's database is made on the "
                                         "Connection screen (Create) or with brivane-ctl init.")
                              .arg(QDir::toNativeSeparators(file)),
                          DbError::Kind::Connection);
        // An empty file is one prepared for a new hall (the package's installer makes it): its tables
        // are made.
        if (QFileInfo(file).size() == 0 && m_creation == Creation::Refused)
            m_creation = Creation::Allowed;
        openSqlite(file);
        return;
    }
    const HostPort server = HostPort::parse(values.host);
    const QString& host = server.host;
    const int port = server.port;
    openPostgres(host, port, values.database, values.user, values.password, values.passwordAuthentication,
                 sslModeOf(values.options), sslRootCertOf(values.options));
}

void Database::openSqlite(const QString& file)
{
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        throw DbError(QStringLiteral("%1 is not a database file").arg(QDir::toNativeSeparators(file)),
                      DbError::Kind::Connection);
    // A new database holds every log-in: it is never made readable by others.
    if (file != QLatin1String(":memory:") && !file.startsWith(QLatin1String("file:")))
        privatefile::createDatabaseFile(file);
    openWith(
        QStringLiteral("QSQLITE"),
        [&](QSqlDatabase& db) {
            db.setDatabaseName(file);
            // One short step; longer waits are taken in steps by run().
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyStepMs));
        },
        Kind::Sqlite, file);
    m_reopen = {};
    m_link = ServerLink{};
    refuseForeignFile(file);
    // The schema is looked at first, so that a file refused there is left exactly as it was.
    ensureSchema();
    // Several workstations (or kiosks and counters on one machine) may share the file.
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    // What is deleted is overwritten, not only marked free: a visitor's phone number erased with its
    // ticket leaves nothing of it in the file.
    exec(QStringLiteral("PRAGMA secure_delete=ON"));
}

void Database::openPostgres(const QString& host, int port, const QString& database, const QString& user,
                            const QString& password, bool passwordAuthentication, const QString& sslMode,
                            const QString& sslRootCert)
{
    openWith(
        QStringLiteral("QPSQL"),
        [&](QSqlDatabase& db) {
            db.setHostName(host);
            db.setPort(port);
            db.setDatabaseName(database);
            if (passwordAuthentication) {
                db.setUserName(user);
                db.setPassword(password);
            }
            db.setConnectOptions(postgresConnectOptions(sslMode, sslRootCert));
        },
        Kind::Postgres, QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database));
    pglink::silenceNotices(QSqlDatabase::database(m_connectionName, false));
    m_link = ServerLink{host, port, database, user, password, passwordAuthentication, sslMode, sslRootCert};
    m_reopen = [this, host, port, database, user, password, passwordAuthentication, sslMode, sslRootCert] {
        openPostgres(host, port, database, user, password, passwordAuthentication, sslMode, sslRootCert);
    };
    m_broken = false;
    exec(QStringLiteral("SET client_min_messages TO WARNING"));
    exec(QStringLiteral("SET statement_timeout = %1")
             .arg(m_statementTimeout >= 0 ? m_statementTimeout : statementTimeoutMs.load()));
    ensureSchema();
    resubscribe();
}

void Database::openWith(const QString& driver, const std::function<void(QSqlDatabase&)>& configure, Kind kind,
                        const QString& description)
{
    closeLink();
    m_inTransaction = false;
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw DbError(QStringLiteral("The database driver %1 is not installed").arg(driver),
                      DbError::Kind::Connection);
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connectionName);
    configure(db);
    if (!db.open()) {
        const QSqlError failure = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        // No server at all is told in plain words; a server that refuses gives its own reason.
        throw DbError(kind == Kind::Postgres && pglink::serverUnreachable(failure)
                          ? DbError::unreachableText()
                          : errorFrom(failure).description(),
                      DbError::Kind::Connection);
    }
    m_kind = kind;
    m_description = description;
}

void Database::reopen()
{
    if (!m_reopen)
        throw DbError(DbError::notConnectedText(), DbError::Kind::Connection);
    if (m_lastFailedReopen.isValid() && m_lastFailedReopen.elapsed() < reopenPauseMs.load())
        throw DbError(DbError::unreachableText(), DbError::Kind::Connection);
    const QString identity = m_identity;
    const std::function<void()> again = m_reopen;
    m_reopening = true;
    try {
        again();
    } catch (const DbError& e) {
        m_reopening = false;
        m_reopen = again;
        m_identity = identity;
        m_kind = Kind::Postgres; // still the same store, only out of reach
        m_broken = true;
        m_lastFailedReopen.start();
        throw DbError(e.kind() == DbError::Kind::Connection ? e.description() : DbError::unreachableText(),
                      DbError::Kind::Connection);
    }
    m_reopening = false;
    m_identity = identity;
    m_broken = false;
    m_lastFailedReopen.invalidate();
}

void Database::makeUsable(Effect effect)
{
    if (m_reopening)
        return;
    if (!m_broken && m_kind == Kind::Postgres &&
        pglink::closedByServer(QSqlDatabase::database(m_connectionName, false))) {
        // Ended while idle: whatever comes next was never sent.
        dropLink();
    }
    if (m_broken) {
        if (m_inTransaction) {
            if (effect == Effect::Rollback)
                return; // the server rolled back when the connection ended
            throw DbError(DbError::unreachableText(), DbError::Kind::ConnectionLost);
        }
        if (effect == Effect::Rollback)
            return;
        reopen();
        return;
    }
    if (m_kind == Kind::None)
        throw DbError(DbError::notConnectedText(), DbError::Kind::Connection);
}

void Database::run(const QString& sql, const QVariantList& params, Effect effect,
                   const std::function<void(QSqlQuery&)>& collect)
{
    QElapsedTimer busyWaited;
    for (int attempt = 0;; ++attempt) {
        makeUsable(effect);
        if (m_broken && effect == Effect::Rollback) {
            m_inTransaction = false;
            return;
        }
        QSqlError failure;
        {
            QSqlDatabase link = QSqlDatabase::database(m_connectionName, false);
            // A statement with values is prepared once per connection and kept: on PostgreSQL that
            // saves round trips, on SQLite parsing the text again (the board polls every 10 ms). A
            // kept SQLite statement is reset after use, so it holds no lock between its runs.
            const bool keepPrepared = m_kind != Kind::None && !params.isEmpty();
            if (effect == Effect::Write && sqlwords::changesTables(sql))
                m_prepared->clear();
            QSqlQuery own(link);
            QSqlQuery* q = &own;
            bool ok = false;
            if (keepPrepared) {
                q = m_prepared->checkOut(link, sql, failure);
            } else {
                own.setForwardOnly(true);
                if (!params.isEmpty() && !own.prepare(sql))
                    q = nullptr;
            }
            if (q) {
                ++m_statementsSent;
                for (int i = 0; i < params.size(); ++i) {
                    const QVariant& p = params.at(i);
                    q->bindValue(i, p.typeId() == QMetaType::Bool ? QVariant(flag(p)) : p);
                }
                ok = params.isEmpty() ? q->exec(sql) : q->exec();
            } else if (!keepPrepared) {
                failure = own.lastError();
            }
            if (ok) {
                try {
                    if (collect)
                        collect(*q);
                } catch (...) {
                    if (keepPrepared)
                        m_prepared->release(q, false);
                    throw;
                }
                // Rows are read one by one as the server sends them; it sends the end of the result
                // only once the statement is complete (and, outside a transaction, committed). A
                // result that broke off before its end is a failure, never a short answer.
                ok = !q->lastError().isValid();
            }
            if (ok) {
                if (keepPrepared)
                    m_prepared->release(q, true);
                notificationsAfterStatement();
                if (effect == Effect::Begin)
                    m_inTransaction = true;
                else if (effect == Effect::Commit || effect == Effect::Rollback)
                    m_inTransaction = false;
                return;
            }
            if (q)
                failure = q->lastError();
            const bool lost = m_kind == Kind::Postgres && pglink::connectionLost(link, failure);
            if (q && keepPrepared) {
                // A statement of a lost connection goes with the connection, below.
                if (lost)
                    m_prepared->setAside(q);
                else
                    m_prepared->release(q, false);
            }
            if (!lost) {
                if (m_kind == Kind::Sqlite && sqliteBusy(failure)) {
                    if (waitForBusyStore(busyWaited)) {
                        --attempt;
                        continue;
                    }
                    throw DbError(DbError::busyText(), DbError::Kind::Other);
                }
                throw errorFrom(failure, m_rights.refusal());
            }
        }
        // The connection is gone. Nothing more is sent on it; the next statement opens a new one.
        dropLink();
        if (m_reopening)
            throw DbError(DbError::unreachableText(), DbError::Kind::Connection);
        const bool wasInTransaction = m_inTransaction;
        m_inTransaction = false;
        if (effect == Effect::Rollback)
            return;
        if (effect == Effect::Commit || (effect == Effect::Write && !wasInTransaction))
            throw DbError(DbError::outcomeUnknownText(), DbError::Kind::OutcomeUnknown);
        if (wasInTransaction)
            throw DbError(DbError::unreachableText(), DbError::Kind::ConnectionLost);
        if (attempt > 0)
            throw DbError(DbError::unreachableText(), DbError::Kind::Connection);
        // A read, or the start of a transaction: nothing was changed, so it runs again once.
    }
}

ResultSet Database::query(const QString& sql, const QVariantList& params)
{
    QStringList columns;
    QVector<QVector<QVariant>> rows;
    run(sql, params, effectOf(sql), [&](QSqlQuery& q) {
        // A read broken off with its connection runs again from the start.
        columns.clear();
        rows.clear();
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i)
            columns.append(record.fieldName(i));
        while (q.next()) {
            QVector<QVariant> row(record.count());
            for (int i = 0; i < record.count(); ++i)
                row[i] = q.value(i);
            rows.append(std::move(row));
        }
    });
    return ResultSet(columns, std::move(rows));
}

namespace {

// A row of a listing read through the Qt driver.
class DriverRow : public ListedRow
{
public:
    explicit DriverRow(const QSqlQuery& q) : m_q(q), m_size(q.record().count()) {}
    int size() const override { return m_size; }
    bool isNull(int column) const override { return m_q.isNull(column); }
    qint64 number(int column) const override { return m_q.value(column).toLongLong(); }
    QString text(int column) const override { return m_q.value(column).toString(); }
    QVariant value(int column) const override { return m_q.value(column); }

private:
    const QSqlQuery& m_q;
    int m_size;
};

} // namespace

void Database::forEachRow(const QString& sql, const QVariantList& params,
                          const std::function<void(const ListedRow& values)>& row)
{
    if (m_kind == Kind::Sqlite && forEachSqliteRow(sql, params, row))
        return;
    run(sql, params, effectOf(sql), [&](QSqlQuery& q) {
        const DriverRow values(q);
        while (q.next())
            row(values);
        if (q.lastError().isValid())
            throw errorFrom(q.lastError(), m_rights.refusal());
    });
}

qint64 Database::exec(const QString& sql, const QVariantList& params)
{
    qint64 affected = 0;
    run(sql, params, effectOf(sql), [&](QSqlQuery& q) { affected = q.numRowsAffected(); });
    return affected;
}

Database::Transaction::Transaction(Database& db) : m_db(db)
{
    m_db.exec(m_db.isPostgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE"));
}

Database::Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
            // The connection is gone; the server has rolled back already.
        }
    }
}

void Database::Transaction::commit()
{
    m_db.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

void Database::inTransaction(const std::function<void()>& work)
{
    for (int attempt = 0;; ++attempt) {
        try {
            Transaction transaction(*this);
            work();
            transaction.commit();
            return;
        } catch (const DbError& e) {
            if (e.kind() != DbError::Kind::ConnectionLost || attempt > 0)
                throw;
        }
    }
}
