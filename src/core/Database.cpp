#include "core/Database.h"

#include "core/Schema.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <functional>

namespace {

QAtomicInt connectionCounter;

DbError errorFrom(const QSqlError& error, const QString& sql = QString())
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("Unknown database error");
    const QString code = error.nativeErrorCode();
    // SQLite: 2067 (or 1555 for a key), PostgreSQL: 23505.
    const bool unique = code == QLatin1String("23505") || code == QLatin1String("2067") ||
                        code == QLatin1String("1555") ||
                        text.contains(QLatin1String("UNIQUE constraint failed"), Qt::CaseInsensitive);
    Q_UNUSED(sql);
    return DbError(text, unique ? DbError::Kind::UniqueViolation
                                : (error.type() == QSqlError::ConnectionError ? DbError::Kind::Connection
                                                                              : DbError::Kind::Other));
}

// Prepares, binds and runs a statement whose rows are read forward once.
void runSelect(QSqlQuery& q, const QString& sql, const QVariantList& params)
{
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw errorFrom(q.lastError(), sql);
    for (const QVariant& p : params)
        q.addBindValue(p.typeId() == QMetaType::Bool ? QVariant(Database::flag(p)) : p);
    if (!q.exec())
        throw errorFrom(q.lastError(), sql);
}

} // namespace

Database::Database()
    : m_connectionName(QStringLiteral("brivane-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

Database::~Database()
{
    close();
}

void Database::close()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    m_kind = Kind::None;
    m_identity.clear();
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
    openFrom(values, installDir);
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
    exec(QStringLiteral("SET client_min_messages TO WARNING"));
    ensureSchema();
}

void Database::openWith(const QString& driver, const std::function<void(QSqlDatabase&)>& configure, Kind kind,
                        const QString& description)
{
    close();
    if (!QSqlDatabase::isDriverAvailable(driver))
        throw DbError(QStringLiteral("The database driver %1 is not installed").arg(driver),
                      DbError::Kind::Connection);
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, m_connectionName);
    configure(db);
    if (!db.open()) {
        const DbError error = errorFrom(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
        throw DbError(error.description(), DbError::Kind::Connection);
    }
    m_kind = kind;
    m_description = description;
}

ResultSet Database::query(const QString& sql, const QVariantList& params)
{
    if (m_kind == Kind::None)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::Connection);
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    runSelect(q, sql, params);
    QStringList columns;
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i)
        columns.append(record.fieldName(i));
    QVector<QVector<QVariant>> rows;
    while (q.next()) {
        QVector<QVariant> row(record.count());
        for (int i = 0; i < record.count(); ++i)
            row[i] = q.value(i);
        rows.append(std::move(row));
    }
    return ResultSet(columns, std::move(rows));
}

void Database::forEachRow(const QString& sql, const QVariantList& params,
                          const std::function<void(const QVector<QVariant>& values)>& row)
{
    if (m_kind == Kind::None)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::Connection);
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    runSelect(q, sql, params);
    const int columns = q.record().count();
    QVector<QVariant> values(columns);
    while (q.next()) {
        for (int i = 0; i < columns; ++i)
            values[i] = q.value(i);
        row(values);
    }
    if (q.lastError().isValid())
        throw errorFrom(q.lastError(), sql);
}

qint64 Database::exec(const QString& sql, const QVariantList& params)
{
    if (m_kind == Kind::None)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::Connection);
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (params.isEmpty()) {
        if (!q.exec(sql))
            throw errorFrom(q.lastError(), sql);
    } else {
        if (!q.prepare(sql))
            throw errorFrom(q.lastError(), sql);
        for (const QVariant& p : params)
            q.addBindValue(p.typeId() == QMetaType::Bool ? QVariant(flag(p)) : p);
        if (!q.exec())
            throw errorFrom(q.lastError(), sql);
    }
    return q.numRowsAffected();
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
    if (m_kind == Kind::None)
        throw DbError(QStringLiteral("Operation is not allowed when the object is closed."),
                      DbError::Kind::Connection);
    QSqlQuery q(QSqlDatabase::database(m_connectionName, false));
    if (!q.prepare(sql))
        throw errorFrom(q.lastError(), sql);
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw errorFrom(q.lastError(), sql);
    return q.lastInsertId().toLongLong();
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
    // The hot queries: today's tickets by service and by counter, today's new calls.
    exec(QStringLiteral("create unique index ux_ticket_number on tblTicket (servAuto, tickDate, tickNo)"));
    exec(QStringLiteral("create index ix_ticket_counter on tblTicket (tickDate, attended, call)"));
    exec(QStringLiteral("create index ix_ticket_waiting on tblTicket (tickDate, call, servAuto)"));
    exec(QStringLiteral("create index ix_call_new on tblCall (tickDate, status1, callauto)"));
    exec(QStringLiteral("create index ix_call_ticket on tblCall (tickAuto)"));
    exec(QStringLiteral("create index ix_servno_day on tblServiceNo (servAuto, sdate)"));
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
            createTables();
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
