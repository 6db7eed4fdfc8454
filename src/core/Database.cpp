#include "core/Database.h"

#include "core/ExistingSchema.h"
#include "core/Schema.h"

#include "core/PgLink.h"
#include "core/PreparedStatements.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <atomic>
#include <functional>

namespace {

QAtomicInt connectionCounter;

DbError errorFrom(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The database refused the statement without giving a reason.");
    const QString code = error.nativeErrorCode();
    // SQLite: 2067 (or 1555 for a key), PostgreSQL: 23505.
    const bool unique = code == QLatin1String("23505") || code == QLatin1String("2067") ||
                        code == QLatin1String("1555") ||
                        text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
    return DbError(text, unique ? DbError::Kind::UniqueViolation
                                : (error.type() == QSqlError::ConnectionError ? DbError::Kind::Connection
                                                                              : DbError::Kind::Other));
}

std::atomic<int> reopenPauseMs{1000};

bool startsWithWord(const QString& sql, const char* word)
{
    const QString t = sql.trimmed();
    const QLatin1String w(word);
    return t.startsWith(w, Qt::CaseInsensitive) && (t.size() == w.size() || !t.at(w.size()).isLetter());
}

// A statement after which prepared statements may no longer fit the tables.
bool changesTables(const QString& sql)
{
    return startsWithWord(sql, "create") || startsWithWord(sql, "drop") || startsWithWord(sql, "alter") ||
           startsWithWord(sql, "truncate");
}

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

bool Database::isOpen() const
{
    return m_kind != Kind::None && QSqlDatabase::database(m_connectionName, false).isOpen();
}

bool Database::ping()
{
    if (!isOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    return q.exec(QStringLiteral("select 1")) && q.next();
}

QString identityOf(const ConnectionValues& v, const QString& installDir)
{
    return QStringList{v.host,
                       v.database,
                       v.user,
                       v.password,
                       v.passwordAuthentication ? QStringLiteral("1") : QStringLiteral("0"),
                       installDir}
        .join(QChar(0x1f));
}

void Database::open(const ConnectionValues& values, const QString& installDir)
{
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
        openSqlite(file);
        return;
    }
    QString host = values.host.trimmed();
    int port = 5432;
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const int p = host.mid(colon + 1).toInt(&ok);
        if (ok) {
            port = p;
            host = host.left(colon);
        }
    }
    openPostgres(host, port, values.database, values.user, values.password, values.passwordAuthentication);
}

void Database::openSqlite(const QString& file)
{
    openWith(
        QStringLiteral("QSQLITE"),
        [&](QSqlDatabase& db) {
            db.setDatabaseName(file);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        },
        Kind::Sqlite, file);
    m_reopen = {};
    m_link = ServerLink{};
    // Several workstations (or kiosks and counters on one machine) may share the file.
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    ensureSchema();
}

void Database::openPostgres(const QString& host, int port, const QString& database, const QString& user,
                            const QString& password, bool passwordAuthentication)
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
            // A server that vanishes without closing the connection (a cut cable) is noticed within
            // seconds instead of leaving a board or counter waiting on a dead socket.
            db.setConnectOptions(QStringLiteral("connect_timeout=10;keepalives=1;keepalives_idle=5;"
                                                "keepalives_interval=2;keepalives_count=3"));
        },
        Kind::Postgres, QStringLiteral("%1:%2/%3").arg(host).arg(port).arg(database));
    pglink::silenceNotices(QSqlDatabase::database(m_connectionName, false));
    m_link = ServerLink{host, port, database, user, password, passwordAuthentication};
    m_reopen = [this, host, port, database, user, password, passwordAuthentication] {
        openPostgres(host, port, database, user, password, passwordAuthentication);
    };
    m_broken = false;
    exec(QStringLiteral("SET client_min_messages TO WARNING"));
    ensureSchema();
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

Database::Effect Database::effectOf(const QString& sql)
{
    if (startsWithWord(sql, "select") || startsWithWord(sql, "with") || startsWithWord(sql, "set") ||
        startsWithWord(sql, "pragma") || startsWithWord(sql, "show"))
        return Effect::Read;
    if (startsWithWord(sql, "begin"))
        return Effect::Begin;
    if (startsWithWord(sql, "commit"))
        return Effect::Commit;
    if (startsWithWord(sql, "rollback"))
        return Effect::Rollback;
    return Effect::Write;
}

void Database::reopen()
{
    if (!m_reopen)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::Connection);
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
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::Connection);
}

void Database::run(const QString& sql, const QVariantList& params, Effect effect,
                   const std::function<void(QSqlQuery&)>& collect)
{
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
            if (effect == Effect::Write && changesTables(sql))
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
                if (keepPrepared)
                    m_prepared->release(q, true);
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
            if (!lost)
                throw errorFrom(failure);
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

void Database::forEachRow(const QString& sql, const QVariantList& params,
                          const std::function<void(const QVector<QVariant>& values)>& row)
{
    run(sql, params, effectOf(sql), [&](QSqlQuery& q) {
        const int columns = q.record().count();
        QVector<QVariant> values(columns);
        while (q.next()) {
            for (int i = 0; i < columns; ++i)
                values[i] = q.value(i);
            row(values);
        }
        if (q.lastError().isValid())
            throw errorFrom(q.lastError());
    });
}

qint64 Database::exec(const QString& sql, const QVariantList& params)
{
    qint64 affected = 0;
    run(sql, params, effectOf(sql), [&](QSqlQuery& q) { affected = q.numRowsAffected(); });
    return affected;
}

QString Database::flag(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    const QString t = value.toString().trimmed();
    if (t == QLatin1String("1") || t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
        t == QLatin1String("-1"))
        return QStringLiteral("1");
    return QStringLiteral("0");
}

QVariant Database::coerce(const QString& tableName, const QString& column, const QVariant& value) const
{
    const schema::Table* table = schema::table(tableName);
    const schema::Column* col = table ? table->column(column) : nullptr;
    if (!col)
        throw DbError(QStringLiteral(
            "Item cannot be found in the collection corresponding to the requested name or ordinal."));
    if (value.isNull())
        return QVariant();
    switch (col->type) {
    case schema::Type::Flag:
        return flag(value);
    case schema::Type::Integer:
    case schema::Type::Key: {
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? 1 : 0;
        const QString t = value.toString().trimmed();
        if (t.isEmpty())
            return QVariant();
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (ok)
            return n;
        const double d = t.toDouble(&ok);
        if (ok)
            return qint64(d);
        throw DbError(QStringLiteral("Type mismatch: \"%1\" is not a number for %2").arg(t, col->name));
    }
    case schema::Type::Text:
        if (value.typeId() == QMetaType::Bool)
            return flag(value);
        return value.toString();
    }
    return value;
}

qint64 Database::insert(const QString& tableName, const QVariantMap& values)
{
    const schema::Table* table = schema::table(tableName);
    if (!table)
        throw DbError(QStringLiteral("Invalid object name '%1'.").arg(tableName));
    QStringList names;
    QStringList marks;
    QVariantList params;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const schema::Column* col = table->column(it.key());
        if (!col)
            throw DbError(QStringLiteral("Invalid column name '%1'.").arg(it.key()));
        names.append(col->name);
        marks.append(QStringLiteral("?"));
        params.append(coerce(table->name, col->name, it.value()));
    }
    QString sql = names.isEmpty()
                      ? QStringLiteral("insert into %1 default values").arg(table->name)
                      : QStringLiteral("insert into %1 (%2) values (%3)")
                            .arg(table->name, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (m_kind == Kind::Postgres) {
        sql += QStringLiteral(" returning ") + table->key();
        const ResultSet rs = query(sql, params);
        return rs.isEmpty() ? 0 : rs.number(0, 0);
    }
    qint64 key = 0;
    run(sql, params, Effect::Write, [&](QSqlQuery& q) { key = q.lastInsertId().toLongLong(); });
    return key;
}

qint64 Database::update(const QString& tableName, qint64 key, const QVariantMap& values)
{
    const schema::Table* table = schema::table(tableName);
    if (!table)
        throw DbError(QStringLiteral("Invalid object name '%1'.").arg(tableName));
    if (values.isEmpty())
        return 0;
    QStringList sets;
    QVariantList params;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const schema::Column* col = table->column(it.key());
        if (!col)
            throw DbError(QStringLiteral("Invalid column name '%1'.").arg(it.key()));
        sets.append(col->name + QStringLiteral("=?"));
        params.append(coerce(table->name, col->name, it.value()));
    }
    params.append(key);
    return exec(QStringLiteral("update %1 set %2 where %3=?")
                    .arg(table->name, sets.join(QLatin1Char(',')), table->key()),
                params);
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

QString Database::columnDdl(int type) const
{
    const bool pg = m_kind == Kind::Postgres;
    switch (schema::Type(type)) {
    case schema::Type::Key:
        return pg ? QStringLiteral("bigint generated by default as identity primary key")
                  : QStringLiteral("integer primary key autoincrement");
    case schema::Type::Integer:
        return pg ? QStringLiteral("bigint") : QStringLiteral("integer");
    case schema::Type::Text:
        return QStringLiteral("text");
    case schema::Type::Flag:
        return QStringLiteral("varchar(1)");
    }
    return QStringLiteral("text");
}

void Database::createTables()
{
    for (const schema::Table& t : schema::tables()) {
        QStringList cols;
        for (const schema::Column& c : t.columns)
            cols.append(c.name + QLatin1Char(' ') + columnDdl(int(c.type)));
        exec(QStringLiteral("create table %1 (%2)").arg(t.name, cols.join(QStringLiteral(", "))));
    }
    createIndexes();
}

void Database::createIndexes()
{
    // The hot queries: today's tickets by service and by counter, today's new calls.
    exec(QStringLiteral(
        "create unique index if not exists ux_ticket_number on tblTicket (servAuto, tickDate, tickNo)"));
    exec(QStringLiteral(
        "create index if not exists ix_ticket_counter on tblTicket (tickDate, attended, call)"));
    exec(QStringLiteral(
        "create index if not exists ix_ticket_waiting on tblTicket (tickDate, call, servAuto)"));
    exec(QStringLiteral("create index if not exists ix_call_new on tblCall (tickDate, status1, callauto)"));
    exec(QStringLiteral("create index if not exists ix_call_ticket on tblCall (tickAuto)"));
    exec(QStringLiteral("create index if not exists ix_servno_day on tblServiceNo (servAuto, sdate)"));
}

QHash<QString, QStringList> Database::existingTables()
{
    QHash<QString, QStringList> found;
    if (m_kind == Kind::Postgres) {
        const ResultSet rs =
            query(QStringLiteral("select table_name, column_name from information_schema.columns "
                                 "where table_schema = current_schema() "
                                 "order by table_name, ordinal_position"));
        for (int i = 0; i < rs.size(); ++i) {
            const QString table = rs.text(i, 0).toLower();
            if (schema::table(table))
                found[table].append(rs.text(i, 1));
        }
        return found;
    }
    const ResultSet names = query(QStringLiteral("select name from sqlite_master where type='table'"));
    for (int i = 0; i < names.size(); ++i) {
        const QString table = names.text(i, 0);
        if (!schema::table(table))
            continue;
        const ResultSet cols =
            query(QStringLiteral("select name from pragma_table_info(?) order by cid"), {table});
        QStringList& columns = found[table.toLower()];
        for (int c = 0; c < cols.size(); ++c)
            columns.append(cols.text(c, 0));
    }
    return found;
}

bool Database::schemaExists()
{
    const QString versionTable = QStringLiteral("brivane_schema");
    if (m_kind == Kind::Postgres)
        return !query(QStringLiteral(
                          "select 1 from information_schema.tables where table_schema = current_schema() "
                          "and table_name = ?"),
                      {versionTable})
                    .isEmpty();
    return !query(QStringLiteral("select 1 from sqlite_master where type='table' and name=?"), {versionTable})
                .isEmpty();
}

void Database::ensureSchema()
{
    if (!schemaExists()) {
        Transaction t(*this);
        // Two workstations may start on an empty database at once: the second waits for the first.
        if (m_kind == Kind::Postgres)
            query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
        if (!schemaExists()) {
            // Tables made by another tool or by hand are taken as they are when nothing is missing from
            // them; a part of the schema is never completed by guesswork.
            const QHash<QString, QStringList> found = existingTables();
            if (schema::noneFound(found)) {
                createTables();
            } else {
                const QStringList missing = schema::missingParts(found);
                if (!missing.isEmpty())
                    throw DbError(QStringLiteral("The database holds tables that lack what Brivane needs: %1")
                                      .arg(missing.join(QStringLiteral(", "))),
                                  DbError::Kind::Connection);
                createIndexes();
            }
            exec(QStringLiteral("create table brivane_schema (version integer not null)"));
            exec(QStringLiteral("insert into brivane_schema (version) values (?)"), {schema::currentVersion});
        }
        t.commit();
    }
    const ResultSet rs = query(QStringLiteral("select max(version) from brivane_schema"));
    const qint64 version = rs.isEmpty() ? 0 : rs.number(0, 0);
    if (version > schema::currentVersion)
        throw DbError(
            QStringLiteral("The database was made by a newer version of Brivane (schema %1)").arg(version),
            DbError::Kind::Connection);
    // Later migrations go here, one numbered step each, raising the version row.
    if (m_kind == Kind::Postgres)
        ensureTokenNumberRoutine();
}

void Database::ensureTokenNumberRoutine()
{
    const ResultSet rs = query(QStringLiteral("select prosrc from pg_proc where proname = ?"),
                               {schema::tokenNumberRoutineName()});
    if (rs.size() == 1 && rs.text(0, 0) == schema::tokenNumberRoutineBody())
        return;
    try {
        inTransaction([&] {
            query(QStringLiteral("select pg_advisory_xact_lock(7274001)"));
            exec(schema::tokenNumberRoutineDdl());
        });
    } catch (const DbError& e) {
        // A user who may not create routines still issues tokens, numbered by the kiosk.
        if (e.kind() != DbError::Kind::Other)
            throw;
    }
}

void Database::recreateSchema()
{
    for (const schema::Table& t : schema::tables())
        exec(QStringLiteral("drop table if exists %1").arg(t.name));
    exec(QStringLiteral("drop table if exists brivane_schema"));
    ensureSchema();
}

void Database::clearAllTables()
{
    if (m_kind == Kind::Postgres) {
        QStringList names;
        for (const schema::Table& t : schema::tables())
            names.append(t.name);
        exec(QStringLiteral("truncate %1 restart identity").arg(names.join(QLatin1Char(','))));
        return;
    }
    for (const schema::Table& t : schema::tables())
        exec(QStringLiteral("delete from %1").arg(t.name));
    exec(QStringLiteral("delete from sqlite_sequence"));
}
