#pragma once

#include "core/Database.h"

#include <QString>

// Points this workstation at a PostgreSQL server: the connection is tested and the schema created
// first, and path.txt is written only when both worked, so a mistyped password never takes a
// working workstation off its database.
namespace workstation {

enum class ConnectFailure {
    None,
    BadValue,
    Unreachable,
    WrongPassword,
    NoDatabase,
    NoRights,
    Untrusted, // the server's certificate was not that of the hall's server
    CannotWrite,
    Other
};

struct ConnectResult
{
    ConnectFailure failure = ConnectFailure::None;
    QString message; // for the person: what went wrong and what to do, then the server's own words
};

// What a connection failure's description from the server means.
ConnectFailure classify(const QString& description);

// Tests the values, creates the schema, then writes the connection file (path.txt) with mode 0600 (0640 for
// the group brivane of an installed program).
ConnectResult connect(const ConnectionValues& values, const QString& file);

} // namespace workstation
