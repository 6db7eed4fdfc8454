#include "core/ConnectionOptions.h"

#include "core/Database.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

QString postgresConnectOptions(const QString& sslMode, const QString& sslRootCert)
{
    // A server that vanishes without closing the connection (a cut cable) is noticed within
    // seconds instead of leaving a board or counter waiting on a dead socket.
    QString options = QStringLiteral("connect_timeout=10;keepalives=1;keepalives_idle=5;"
                                     "keepalives_interval=2;keepalives_count=3");
    if (!sslMode.isEmpty())
        options += QStringLiteral(";sslmode=") + sslMode;
    if (!sslRootCert.isEmpty())
        options += QStringLiteral(";sslrootcert=") + sslRootCert;
    if (const QString program = connectingProgramName(); !program.isEmpty())
        options += QStringLiteral(";application_name=") + program;
    return options;
}

QString connectingProgramName()
{
    if (!QCoreApplication::instance())
        return {};
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    name.remove(unsafe);
    return name.left(63);
}

namespace {

// The value of the last `key=value` of connection options; empty when none.
QString optionValue(const QString& options, QLatin1String key)
{
    QString value;
    for (const QString& part :
         options.split(QRegularExpression(QStringLiteral("[\\s&]+")), Qt::SkipEmptyParts)) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq > 0 && part.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            value = part.mid(eq + 1).trimmed();
    }
    return value;
}

} // namespace

QString sslRootCertOf(const QString& options)
{
    return optionValue(options, QLatin1String("sslrootcert"));
}

QString tlsOptions(const QString& sslMode, const QString& sslRootCert)
{
    QStringList parts;
    if (!sslMode.isEmpty())
        parts.append(QStringLiteral("sslmode=") + sslMode);
    if (!sslRootCert.isEmpty())
        parts.append(QStringLiteral("sslrootcert=") + sslRootCert);
    return parts.join(QLatin1Char(' '));
}

QString sslModeOf(const QString& options)
{
    static const QStringList known{QStringLiteral("disable"),   QStringLiteral("allow"),
                                   QStringLiteral("prefer"),    QStringLiteral("require"),
                                   QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
    const QString mode = optionValue(options, QLatin1String("sslmode")).toLower();
    if (!mode.isEmpty() && !known.contains(mode))
        throw DbError(QStringLiteral("The connection option sslmode=%1 is not known; use one of %2")
                          .arg(mode, known.join(QStringLiteral(", "))),
                      DbError::Kind::Connection);
    return mode;
}
