#pragma once

#include "core/Database.h"

#include <QString>

// What is found at a set of connection values, without creating or changing anything there: used by
// Test Connection and by the connection screen's watch for a server that comes back. Safe to call on
// any thread (it uses a connection of its own).
struct StoreFinding
{
    enum class State {
        Unreachable, // no server answers
        Refused,     // the server (or the file) refuses: a wrong password, a file that is no database
        NoDatabase,  // the server answers but has no such database; no such SQLite file
        NoTables,    // the database is there but holds no hall yet
        Ready        // a hall's database
    };
    State state = State::Unreachable;
    QString detail; // what was found, in words for the user
};

StoreFinding probeStore(const ConnectionValues& values, const QString& dataDir);
