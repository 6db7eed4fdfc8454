// Long listings on SQLite are read through the library's own interface: the driver turns every
// value of every row into a general value (and every text into UTF-16 and back), which costs a
// report of a few hundred thousand tickets most of its time.
#include "core/Database.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

namespace {

// Ends the statement however the listing ends.
struct Statement
{
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

class SqliteRow : public ListedRow
{
public:
    explicit SqliteRow(sqlite3_stmt* statement)
        : m_statement(statement), m_size(sqlite3_column_count(statement))
    {
    }
    int size() const override { return m_size; }
    bool isNull(int column) const override { return sqlite3_column_type(m_statement, column) == SQLITE_NULL; }
    qint64 number(int column) const override { return sqlite3_column_int64(m_statement, column); }
    QString text(int column) const override
    {
        const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return utf8 ? QString::fromUtf8(utf8, sqlite3_column_bytes(m_statement, column)) : QString();
    }
    QVariant value(int column) const override
    {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
            return QVariant(qlonglong(sqlite3_column_int64(m_statement, column)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_statement, column));
        case SQLITE_BLOB:
            return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_statement, column)),
                                       sqlite3_column_bytes(m_statement, column)));
        case SQLITE_NULL:
            return QVariant();
        default:
            return QVariant(text(column));
        }
    }

private:
    sqlite3_stmt* m_statement;
    int m_size;
};

// Binds the values as the driver does for every other statement: flags as "1"/"0", whole numbers as
// numbers, nulls as NULL, everything else as its text.
int bind(sqlite3_stmt* statement, const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        int rc = SQLITE_OK;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(statement, i + 1);
        } else {
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
                rc = sqlite3_bind_int64(statement, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(statement, i + 1, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                rc = sqlite3_bind_blob64(statement, i + 1, bytes.constData(), sqlite3_uint64(bytes.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray utf8 =
                    (v.typeId() == QMetaType::Bool ? Database::flag(v) : v.toString()).toUtf8();
                rc = sqlite3_bind_text64(statement, i + 1, utf8.constData(), sqlite3_uint64(utf8.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

bool busy(int rc)
{
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

} // namespace

bool Database::forEachSqliteRow(const QString& sql, const QVariantList& params,
                                const std::function<void(const ListedRow& values)>& row)
{
    if (effectOf(sql) != Effect::Read)
        return false;
    makeUsable(Effect::Read);
    const QVariant driverHandle = QSqlDatabase::database(m_connectionName, false).driver()->handle();
    if (!driverHandle.isValid() || qstrcmp(driverHandle.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* link = *static_cast<sqlite3* const*>(driverHandle.constData());
    if (!link)
        return false;
    const QByteArray text = sql.toUtf8();
    QElapsedTimer busyWaited;
    bool delivered = false;
    for (;;) {
        ++m_statementsSent;
        Statement statement;
        int rc = sqlite3_prepare_v2(link, text.constData(), int(text.size()), &statement.handle, nullptr);
        if (rc == SQLITE_OK)
            rc = bind(statement.handle, params);
        if (rc == SQLITE_OK) {
            const SqliteRow values(statement.handle);
            while ((rc = sqlite3_step(statement.handle)) == SQLITE_ROW) {
                delivered = true;
                row(values);
            }
            if (rc == SQLITE_DONE)
                return true;
        }
        // A file busy before the first row is waited for as for every other statement; once rows have
        // been handed over, the listing cannot start again.
        if (busy(rc) && !delivered && waitForBusyStore(busyWaited))
            continue;
        if (busy(rc))
            throw DbError(DbError::busyText(), DbError::Kind::Other);
        throw DbError(QString::fromUtf8(sqlite3_errmsg(link)), DbError::Kind::Other);
    }
}
