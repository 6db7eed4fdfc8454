#include "core/WorkstationConnect.h"

#include "core/ConnectionFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace workstation {

namespace {

bool anyOf(const QString& text, std::initializer_list<const char*> parts)
{
    for (const char* part : parts) {
        if (text.contains(QLatin1String(part), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString serverName(const QString& host)
{
    return host.contains(QLatin1Char(':')) ? host : host + QStringLiteral(":5432");
}

ConnectResult failed(ConnectFailure failure, const QString& message, const QString& detail = {})
{
    return {failure, detail.isEmpty() ? message : message + QLatin1Char('\n') + detail.trimmed()};
}

} // namespace

ConnectFailure classify(const QString& description)
{
    if (anyOf(description, {"certificate verify failed", "does not match host name", "root certificate file",
                            "server certificate for", "does not support SSL"}))
        return ConnectFailure::Untrusted;
    if (anyOf(description, {"password authentication failed", "no password supplied", "role \""}))
        return ConnectFailure::WrongPassword;
    if (anyOf(description, {"database \""}) && anyOf(description, {"does not exist"}))
        return ConnectFailure::NoDatabase;
    if (anyOf(description, {"permission denied", "must be owner", "no pg_hba.conf entry"}))
        return ConnectFailure::NoRights;
    if (anyOf(description,
              {"could not connect", "cannot be reached", "connection refused",
               "could not translate host name", "timeout expired", "no route to host",
               "network is unreachable", "server closed the connection", "name or service not known"}))
        return ConnectFailure::Unreachable;
    return ConnectFailure::Other;
}

ConnectResult connect(const ConnectionValues& values, const QString& file)
{
    const QString configDir = QFileInfo(file).absolutePath();
    if (values.host.trimmed().isEmpty() || values.database.trimmed().isEmpty() ||
        values.user.trimmed().isEmpty())
        return failed(ConnectFailure::BadValue,
                      QStringLiteral("The server, the database and the user are needed."));
    for (const QString& value : {values.host, values.database, values.user, values.password}) {
        if (!connectionFiles::storable(value))
            return failed(
                ConnectFailure::BadValue,
                QStringLiteral("path.txt cannot hold a value with ';', ',', a double quote, a line break "
                               "or spaces at its ends: \"%1\"")
                    .arg(value));
    }
    const QFileInfo info(file);
    if (!QFileInfo(configDir).isDir())
        return failed(
            ConnectFailure::CannotWrite,
            QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(configDir)));
    if (info.exists() ? !info.isWritable() : !QFileInfo(configDir).isWritable())
        return failed(
            ConnectFailure::CannotWrite,
            QStringLiteral("Cannot write %1: this user may not change it (run brivane-ctl connect as "
                           "root, e.g. with sudo).")
                .arg(QDir::toNativeSeparators(file)));

    const QString server = serverName(values.host.trimmed());
    try {
        Database db;
        db.open(values, QString()); // creates the schema when the database has none
    } catch (const DbError& e) {
        switch (classify(e.detail())) {
        case ConnectFailure::Unreachable:
            return failed(
                ConnectFailure::Unreachable,
                QStringLiteral("Cannot reach the database server %1: check the host name and port, that "
                               "the server runs and that it accepts connections from this workstation.")
                    .arg(server),
                e.description());
        case ConnectFailure::Untrusted:
            return failed(
                ConnectFailure::Untrusted,
                QCoreApplication::translate(
                    "workstation",
                    "The server %1 did not prove it is the hall's database server: its certificate is not "
                    "signed by the hall's authority, or is made out to another name. Nothing was sent to it, "
                    "not even the password, and this workstation's connection is unchanged.")
                    .arg(server),
                e.description());
        case ConnectFailure::WrongPassword:
            return failed(
                ConnectFailure::WrongPassword,
                QStringLiteral("The server %1 refused user %2 with this password.").arg(server, values.user),
                e.description());
        case ConnectFailure::NoDatabase:
            return failed(
                ConnectFailure::NoDatabase,
                QStringLiteral("The server %1 has no database %2 (scripts/setup-postgres.sh creates "
                               "it).")
                    .arg(server, values.database),
                e.description());
        case ConnectFailure::NoRights:
            return failed(
                ConnectFailure::NoRights,
                QStringLiteral("User %1 lacks rights on database %2: it must be allowed to connect and "
                               "to create tables (make it the database's owner).")
                    .arg(values.user, values.database),
                e.detail());
        default:
            return failed(ConnectFailure::Other,
                          QStringLiteral("Cannot use database %1 on %2.").arg(values.database, server),
                          e.description());
        }
    }
    const QString error = connectionFiles::writeConnectionFile(file, values);
    if (!error.isEmpty())
        return failed(ConnectFailure::CannotWrite, error);
    return {};
}

} // namespace workstation
