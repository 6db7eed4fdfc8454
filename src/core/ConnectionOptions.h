#pragma once

#include <QString>

// The options a PostgreSQL connection is opened with, in the Qt driver's "key=value;key=value" form:
// keep-alives and the time-out, the TLS mode (empty: the client library's default), and the
// running program's name, so that the server's list of connections says which program each is.
// With a root certificate (sslrootcert), the server must show a certificate that authority signed.
QString postgresConnectOptions(const QString& sslMode, const QString& sslRootCert = QString());

// The file of the authority named in connection options ("sslrootcert=FILE"); empty when none.
QString sslRootCertOf(const QString& options);

// Connection options in path.txt's form for a TLS mode and the authority's file (either may be empty).
QString tlsOptions(const QString& sslMode, const QString& sslRootCert);

// The running program's file name (brivane, brivane-web, brivane-ctl) in the letters a connection
// option takes without quoting; empty when there is none.
QString connectingProgramName();
