#include "core/ServerAuthority.h"

#include "core/PrivateFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

ServerAuthority::ServerAuthority(const QString& folder)
    : m_file(QDir(folder).absoluteFilePath(QStringLiteral("server-ca.crt")))
{
}

QString ServerAuthority::install(const QString& source)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QCoreApplication::translate("ServerAuthority", "Cannot read %1: %2")
            .arg(QDir::toNativeSeparators(source), in.errorString());
    const QByteArray pem = in.read(1024 * 1024);
    if (!pem.contains("-----BEGIN CERTIFICATE-----") || pem.contains("PRIVATE KEY"))
        return QCoreApplication::translate("ServerAuthority",
                                           "%1 is not the certificate of an authority (a PEM file "
                                           "beginning with -----BEGIN CERTIFICATE-----, and no key).")
            .arg(QDir::toNativeSeparators(source));
    // The connection options name the file without quotes.
    static const QRegularExpression unquotable(QStringLiteral("[\\s;,\"'\\\\&=]"));
    if (m_file.contains(unquotable))
        return QCoreApplication::translate("ServerAuthority",
                                           "The configuration folder's path %1 holds a space or a sign "
                                           "a connection option cannot name.")
            .arg(QDir::toNativeSeparators(m_file));
    QFile old(m_file);
    m_existed = old.exists();
    if (m_existed && old.open(QIODevice::ReadOnly))
        m_previous = old.readAll();
    QString error;
    if (!privatefile::write(m_file, pem, &error))
        return QCoreApplication::translate("ServerAuthority", "Cannot write %1: %2")
            .arg(QDir::toNativeSeparators(m_file), error);
    m_installed = true;
    return QString();
}

void ServerAuthority::undo()
{
    if (!m_installed)
        return;
    if (m_existed)
        privatefile::write(m_file, m_previous);
    else
        QFile::remove(m_file);
    m_installed = false;
}

void ServerAuthority::keep(const QString& connectionFile)
{
    if (m_installed && QFile::exists(connectionFile))
        privatefile::takeOwnerAndMode(m_file, connectionFile);
}
