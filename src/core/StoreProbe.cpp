#include "core/StoreProbe.h"

#include "core/ConnectionOptions.h"
#include "core/HostPort.h"
#include "core/PgLink.h"
#include "core/Schema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInt probeCounter;

// The program's tables among the names found.
int ours(const QStringList& names, bool* versionRow)
{
    int count = 0;
    *versionRow = false;
    for (const QString& name : names) {
        if (name.compare(QLatin1String("brivane_schema"), Qt::CaseInsensitive) == 0)
            *versionRow = true;
        else if (schema::table(name))
            ++count;
    }
    return count;
}

StoreFinding judge(const QStringList& names, const QString& where)
{
    bool versionRow = false;
    const int count = ours(names, &versionRow);
    const int all = int(schema::tables().size());
    if (versionRow || count == all)
        return {StoreFinding::State::Ready,
                QCoreApplication::translate("StoreProbe", "The database %1 is ready: it holds a hall.")
                    .arg(where)};
    if (count == 0 && names.isEmpty())
        return {
            StoreFinding::State::NoTables,
            QCoreApplication::translate(
                "StoreProbe", "The database %1 is there but holds no hall yet (none of Brivane's tables).")
                .arg(where)};
    if (count == 0)
        return {StoreFinding::State::Refused,
                QCoreApplication::translate(
                    "StoreProbe", "%1 is the database of another program: it holds none of Brivane's tables.")
                    .arg(where)};
    return {StoreFinding::State::Refused,
            QCoreApplication::translate("StoreProbe", "The database %1 holds only %2 of Brivane's %3 tables.")
                .arg(where)
                .arg(count)
                .arg(all)};
}

// Runs `look` on a connection of its own and removes the connection again.
template <typename Look> StoreFinding withConnection(const QString& driver, Look look)
{
    const QString name = QStringLiteral("brivane-probe-%1").arg(probeCounter.fetchAndAddRelaxed(1));
    StoreFinding finding;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        finding = look(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return finding;
}

StoreFinding probeSqlite(const QString& file)
{
    const QString shown = QDir::toNativeSeparators(file);
    const QFileInfo info(file);
    if (!info.exists())
        return {StoreFinding::State::NoDatabase,
                QCoreApplication::translate("StoreProbe", "There is no database file %1.").arg(shown)};
    if (!info.isFile())
        return {StoreFinding::State::Refused,
                QCoreApplication::translate("StoreProbe", "%1 is not a database file.").arg(shown)};
    return withConnection(QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) -> StoreFinding {
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open())
            return {StoreFinding::State::Refused, db.lastError().text()};
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral(
                "select name from sqlite_master where type='table' and name not like 'sqlite_%'")))
            return {StoreFinding::State::Refused,
                    QStringLiteral("%1: %2").arg(shown, q.lastError().databaseText())};
        QStringList names;
        while (q.next())
            names.append(q.value(0).toString());
        return judge(names, shown);
    });
}

StoreFinding probePostgres(const ConnectionValues& values)
{
    const HostPort server = HostPort::parse(values.host);
    const QString& host = server.host;
    const int port = server.port;
    QString sslMode;
    try {
        sslMode = sslModeOf(values.options);
    } catch (const DbError& e) {
        return {StoreFinding::State::Refused, e.description()};
    }
    const QString where =
        QCoreApplication::translate("StoreProbe", "%1 on %2:%3").arg(values.database, host).arg(port);
    return withConnection(QStringLiteral("QPSQL"), [&](QSqlDatabase& db) -> StoreFinding {
        db.setHostName(host);
        db.setPort(port);
        db.setDatabaseName(values.database);
        if (values.passwordAuthentication) {
            db.setUserName(values.user);
            db.setPassword(values.password);
        }
        QString options = QStringLiteral("connect_timeout=5");
        if (!sslMode.isEmpty())
            options += QStringLiteral(";sslmode=") + sslMode;
        if (const QString rootCert = sslRootCertOf(values.options); !rootCert.isEmpty())
            options += QStringLiteral(";sslrootcert=") + rootCert;
        db.setConnectOptions(options);
        if (!db.open()) {
            const QSqlError error = db.lastError();
            if (pglink::serverUnreachable(error))
                return {StoreFinding::State::Unreachable, DbError::unreachableText()};
            const QString text =
                error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
            if (text.contains(QLatin1String("database \"")) && text.contains(QLatin1String("does not exist")))
                return {StoreFinding::State::NoDatabase,
                        QCoreApplication::translate("StoreProbe",
                                                    "The server answers, but it has no database \"%1\".")
                            .arg(values.database)};
            return {
                StoreFinding::State::Refused,
                QCoreApplication::translate("StoreProbe", "The server answers but refuses the connection: %1")
                    .arg(text.trimmed())};
        }
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral(
                "select table_name from information_schema.tables where table_schema = current_schema()")))
            return {StoreFinding::State::Refused, q.lastError().databaseText()};
        QStringList names;
        while (q.next())
            names.append(q.value(0).toString());
        return judge(names, where);
    });
}

} // namespace

StoreFinding probeStore(const ConnectionValues& values, const QString& dataDir)
{
    if (values.host.trimmed().isEmpty()) {
        QString file = values.database.trimmed();
        if (file.isEmpty())
            return {StoreFinding::State::NoDatabase,
                    QCoreApplication::translate("StoreProbe", "No database file is named.")};
        if (QFileInfo(file).isRelative())
            file = QDir(dataDir).filePath(file);
        return probeSqlite(file);
    }
    return probePostgres(values);
}
