#pragma once

#include "core/DbError.h"
#include "core/ListedRow.h"
#include "core/NotificationSenders.h"
#include "core/ResultSet.h"
#include "core/WorkstationRights.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <functional>
#include <memory>

// Where the database is: an empty host means the embedded SQLite file named by `database`
// (relative to the installation folder); otherwise host[:port] is a PostgreSQL server.
struct ConnectionValues
{
    QString host;
    QString database;
    QString user;
    QString password;
    bool passwordAuthentication = true; // false: connect as the operating-system user, no password
    // Field 5 of path.txt: connection options, "sslmode=require" and the like (PostgreSQL only).
    QString options;
};

// Where a PostgreSQL connection goes, for the server's own tools (backup and restore).
struct ServerLink
{
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
    bool passwordAuthentication = true;
    QString sslMode; // empty: the client library's default
    QString
        sslRootCert; // the authority whose signature the server's certificate must bear; empty: none named
};

// The libpq TLS choice named in connection options ("sslmode=require"); empty when none is named.
// Throws DbError for an sslmode the client library does not know.
QString sslModeOf(const QString& options);

// The one path to the shared database. Every value goes in as a bound parameter; SQL text uses the
// subset both stores understand. Failures throw DbError with the store's description.
//
// A PostgreSQL connection that breaks (server restarted, network gone, backend terminated) is
// reopened here, with the 10-second time-out, so that every screen and command works again by itself
// once the server is back:
// - before each statement an idle connection the server has already ended is reopened first, so the
//   statement is simply sent on the new one;
// - a read that fails because the connection broke is run again once on a reopened connection;
// - a change whose connection broke on its way is not sent again: it may have been saved, so the
//   caller gets OutcomeUnknown; inside a transaction (before COMMIT) nothing was saved: ConnectionLost;
// - while no server answers, statements fail at once for a short pause after each failed reopen
//   instead of each waiting for the time-out again.
//
// Nothing waits on the store for long: a PostgreSQL statement ends after a few seconds (a lock held by
// another session must not hang a board or a counter), and a busy SQLite file is waited for in short
// steps; on the program's window thread the window is repainted and its timers run between them.
QString identityOf(const ConnectionValues& values, const QString& installDir);

class PreparedStatements;
class NotificationHub;

class Database
{
public:
    enum class Kind { None, Sqlite, Postgres };

    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Whether opening may make a new database: a missing SQLite file, or the tables in an empty
    // database. Only an explicit step (a new hall, init, demo) creates. AsItIs changes nothing at
    // all, not even what later versions add to a schema (a reader such as the web server): a schema
    // that lacks columns this version reads is refused, a missing index or trigger is left missing.
    enum class Creation { Allowed, Refused, AsItIs };

    // Opens (or re-opens) the connection and brings the schema up to date. Throws DbError.
    // An SQLite file of another program, or one that is not a plain file, is refused and left as it is.
    void open(const ConnectionValues& values, const QString& installDir,
              Creation creation = Creation::Allowed);
    void openSqlite(const QString& file);
    void openPostgres(const QString& host, int port, const QString& database, const QString& user,
                      const QString& password, bool passwordAuthentication = true,
                      const QString& sslMode = QString(), const QString& sslRootCert = QString());
    void close();
    bool isOpen() const;
    // True when the connection answers a trivial query.
    bool ping();
    Kind kind() const { return m_kind; }
    bool isPostgres() const { return m_kind == Kind::Postgres; }
    QString description() const { return m_description; }
    // The connection values this connection was opened with (empty for openSqlite/openPostgres).
    QString identity() const { return m_identity; }
    // The server this connection was opened on; empty host for SQLite.
    ServerLink serverLink() const { return m_link; }
    // True while the connection is known to be broken and could not be reopened yet.
    bool connectionBroken() const { return m_broken; }
    // How long statements fail at once after a reopen that found no server (default 1000 ms).
    static void setReopenPause(int milliseconds);
    // How long a PostgreSQL statement may run on connections opened from now on (default 5000 ms;
    // 0: no limit, for long listings on a worker connection).
    static void setDefaultStatementTimeout(int milliseconds);
    // The limit of this connection, from now on (PostgreSQL; 0: none).
    void setStatementTimeout(int milliseconds);
    // How long a busy SQLite file is waited for before the statement is refused (default 10 000 ms).
    static void setBusyWait(int milliseconds);

    ResultSet query(const QString& sql, const QVariantList& params = {});
    // Hands the rows to `row` one at a time as the store delivers them, keeping none (long listings,
    // see DatabaseListing.cpp). A read that fails before its first row follows the rules above.
    void forEachRow(const QString& sql, const QVariantList& params,
                    const std::function<void(const ListedRow& values)>& row);
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

    // Runs `work` in a transaction and commits it. When the connection broke before the commit
    // (nothing was saved), the connection is reopened and `work` runs once more from the start.
    void inTransaction(const std::function<void()>& work);

    // Settles a change whose commit outcome is unknown (DbError::Kind::OutcomeUnknown): `saved` reads on
    // a new connection whether the change is in the store. While no server answers it is asked again,
    // for up to the settle wait; should the server stay away that long, OutcomeUnknown is thrown.
    bool settleOutcome(const std::function<bool()>& saved);
    // How long settleOutcome waits for the server to come back (default 10 000 ms).
    static void setSettleWait(int milliseconds);

    // The flag form of a value: "1" for true, 1, "1", "true"; "0" otherwise.
    static QString flag(const QVariant& value);

    // Notifications of the server (PostgreSQL LISTEN/NOTIFY, see DatabaseNotifications.cpp).
    // `handler` runs on the thread that opened this connection, from its event loop, with the payload
    // of each notification on `channel` and the server process of the session that sent it (see
    // callSenderTrust); and once with an empty payload (sender 0) after every reopen of the
    // connection, since what was sent while it was away is lost and the listener reads what it
    // missed. The subscription is kept across reopens until unlisten. Returns false when the store
    // sends no notifications (SQLite) or the server refused; the handler is kept all the same and
    // the subscription made at the next reopen.
    bool listen(const QString& channel, std::function<void(const QString& payload, int sender)> handler);
    void unlisten(const QString& channel);
    // True while the connection is subscribed to `channel`.
    bool listening(const QString& channel) const;
    // Whether the session that sent a notification (its server process id) may announce calls: its
    // login may write calls. Any login may notify any channel, so a call is shown from a notification
    // only when this says Trusted. Looked up once per session and kept for a while (SenderCache).
    SenderTrust callSenderTrust(int sender);
    // What this workstation's login may do, found when the connection opened.
    const WorkstationRights& rights() const { return m_rights; }
    // Finds this login's rights again, when the server refused what they said it may do (a routine
    // dropped or a grant taken back since the connection opened).
    void findRightsAgain();
    bool transactionOpen() const { return m_inTransaction; }
    // Statements sent to the store through this object (the load a screen puts on the server).
    quint64 statementsSent() const { return m_statementsSent; }
    // The channel on which every new call and every recall is announced by the store's trigger on
    // tblCall, with the call's key as payload.
    static QString callChannel();
    // The channel on which changes of tblTicket (an issue, a call, a finish, a move) are announced by
    // the store's trigger, without a payload: by each connection at most once in hallNoticeGapMs (a
    // listener reads once more that long after a burst, for what came within the gap).
    static QString hallChannel();
    static constexpr int hallNoticeGapMs = 250;

    // Turns the schema into an empty one (tests only): every table dropped and created again.
    void recreateSchema();
    // Removes every row and restarts the keys (tests only).
    void clearAllTables();

private:
    enum class Effect { Read, Write, Begin, Commit, Rollback };
    static Effect effectOf(const QString& sql);
    // Sends one statement with the reconnection rules above; `collect` reads its result.
    void run(const QString& sql, const QVariantList& params, Effect effect,
             const std::function<void(class QSqlQuery&)>& collect);
    void makeUsable(Effect effect);
    // forEachRow on SQLite, through the library's own interface; false when this connection's driver
    // offers no handle to it (the caller then reads through the driver).
    bool forEachSqliteRow(const QString& sql, const QVariantList& params,
                          const std::function<void(const ListedRow& values)>& row);
    void reopen();
    void closeLink();
    // Lets go of a broken connection but stays on the same store, to be reopened.
    void dropLink();
    void openWith(const QString& driver, const std::function<void(class QSqlDatabase&)>& configure, Kind kind,
                  const QString& description);
    void openFrom(const ConnectionValues& values, const QString& installDir);
    void ensureSchema();
    // The checks of ensureSchema without any change (Creation::AsItIs).
    void checkSchemaAsItIs();
    // Refuses an SQLite file that holds tables but none of ours (another program's database).
    void refuseForeignFile(const QString& file);
    // The program's tables whose first column is not a key the store assigns.
    QStringList keysNotAutomatic(const QHash<QString, QStringList>& found);
    // Waits a short step for a busy SQLite file; false once the whole wait is used up.
    bool waitForBusyStore(QElapsedTimer& waited);
    void ensureNumberingRoutines();
    void ensureTicketStatistics();
    // The hall's kinds of workstation, made or completed when the owner opens it (WorkstationKinds.h).
    void ensureWorkstationRoles();
    // The trigger on tblCall that stamps and announces new calls and recalls (DatabaseNotifications.cpp).
    void ensureCallTrigger();
    // Subscribes the new connection to every channel listened to (after each open).
    void resubscribe();
    // Notifications that came with a statement's answer are handed on from the event loop.
    void notificationsAfterStatement();
    // The connection is about to go: nothing more is read from its socket.
    void stopReadingNotifications();
    // Creates the indexes added after the first schema where they are missing (and drops the ones
    // they replace).
    void ensureIndexes();
    // Creates the columns added after the first schema where they are missing.
    void ensureAddedColumns();
    QStringList missingAddedColumns(const QHash<QString, QStringList>& found) const;
    bool schemaExists();
    void createTables();
    void createIndexes();
    // The program's tables already in the database, with their columns in order.
    QHash<QString, QStringList> existingTables();
    QString columnDdl(int type) const;
    QVariant coerce(const QString& table, const QString& column, const QVariant& value) const;

    QString m_connectionName;
    Kind m_kind = Kind::None;
    QString m_description;
    QString m_identity;
    std::function<void()> m_reopen; // opens the same store again (PostgreSQL only)
    ServerLink m_link;
    bool m_broken = false;
    bool m_reopening = false;
    bool m_inTransaction = false;
    Creation m_creation = Creation::Allowed;
    int m_statementTimeout = -1; // -1: the default
    QElapsedTimer m_lastFailedReopen;
    // The prepared statements of this connection.
    std::unique_ptr<PreparedStatements> m_prepared;
    std::unique_ptr<NotificationHub> m_notifications;
    quint64 m_statementsSent = 0;
    WorkstationRights m_rights;
};
