#pragma once

#include <QByteArray>
#include <QString>

// The hall's own certificate authority on a workstation: the one whose signature the database
// server's certificate must bear (sslmode=verify-full). Kept beside path.txt as server-ca.crt, with
// path.txt's owner and mode, so every program of the workstation finds it and no one else changes it.
class ServerAuthority
{
public:
    // Kept in `folder`, the folder of the connection file.
    explicit ServerAuthority(const QString& folder);

    QString file() const { return m_file; }
    // Puts the authority's certificate (PEM) from `source` in place. Empty on success, otherwise the
    // one sentence why nothing was installed.
    QString install(const QString& source);
    // Takes back what install did: the previous authority, or none.
    void undo();
    // The connection works: the file gets the mode and group of the connection file.
    void keep(const QString& connectionFile);

private:
    QString m_file;
    bool m_existed = false;
    QByteArray m_previous;
    bool m_installed = false;
};
