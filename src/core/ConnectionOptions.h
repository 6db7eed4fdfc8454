#pragma once

#include <QString>

// The options a PostgreSQL connection is opened with, in the Qt driver's "key=value;key=value" form:
// keep-alives and the time-out, the TLS mode (empty: the client library's default), and the
// running program's name, so that the server's list of connections says which program each is.
QString postgresConnectOptions(const QString& sslMode);

// The running program's file name (brivane, brivane-web, brivane-ctl) in the letters a connection
// option takes without quoting; empty when there is none.
QString connectingProgramName();
