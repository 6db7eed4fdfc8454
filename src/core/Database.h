#pragma once

#include "core/DbError.h"
#include "core/ResultSet.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <functional>

// Where the database is: an empty host means the embedded SQLite file named by `database`
// (relative to the installation folder); otherwise host[:port] is a PostgreSQL server.
struct ConnectionValues
{
    QString host;
    QString database;
    QString user;
    QString password;
    bool passwordAuthentication = true; // false: connect as the operating-system user, no password
};

// The one path to the shared database. Every value goes in as a bound parameter; SQL text uses the
// subset both stores understand. Failures throw DbError with the store's description.
QString identityOf(const ConnectionValues& values, const QString& installDir);

class Database
{
public:
    enum class Kind { None, Sqlite, Postgres };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (or re-opens) the connection and brings the schema up to date. Throws DbError.
    void open(const ConnectionValues& values, const QString& installDir);
    void openSqlite(const QString& file);
    void openPostgres(const QString& host, int port, const QString& database, const QString& user,
                      const QString& password, bool passwordAuthentication = true);
    void close();
    bool isOpen() const;
    // True when the connection answers a trivial query.
    bool ping();
    Kind kind() const { return m_kind; }
    bool isPostgres() const { return m_kind == Kind::Postgres; }
    QString description() const { return m_description; }
    // The connection values this connection was opened with (empty for openSqlite/openPostgres).
    QString identity() const { return m_identity; }

    ResultSet query(const QString& sql, const QVariantList& params = {});
    // Hands the rows to `row` one at a time as the store delivers them, keeping none (long listings).
    void forEachRow(const QString& sql, const QVariantList& params,
                    const std::function<void(const QVector<QVariant>& values)>& row);
    // Statements without rows; returns the number of rows affected.
    qint64 exec(const QString& sql, const QVariantList& params = {});
    // Inserts one row (column names case-insensitive) and returns its new key.
    qint64 insert(const QString& table, const QVariantMap& values);
    // Updates the row with that key; returns the number of rows changed.
    qint64 update(const QString& table, qint64 key, const QVariantMap& values);

    // Rolls back unless committed. SQLite takes its write lock at the start, so that a read followed
    // by a write within the transaction cannot be overtaken by another connection.
    class Transaction
    {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();

    private:
        Database& m_db;
        bool m_done = false;
    };

    // The flag form of a value: "1" for true, 1, "1", "true"; "0" otherwise.
    static QString flag(const QVariant& value);

    // Turns the schema into an empty one (tests only): every table dropped and created again.
    void recreateSchema();
    // Removes every row and restarts the keys (tests only).
    void clearAllTables();

private:
    void openWith(const QString& driver, const std::function<void(class QSqlDatabase&)>& configure, Kind kind,
                  const QString& description);
    void openFrom(const ConnectionValues& values, const QString& installDir);
    void ensureSchema();
    bool schemaExists();
    void createTables();
    QString columnDdl(int type) const;
    QVariant coerce(const QString& table, const QString& column, const QVariant& value) const;

    QString m_connectionName;
    Kind m_kind = Kind::None;
    QString m_description;
    QString m_identity;
};
