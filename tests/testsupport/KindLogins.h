#pragma once

#include "core/WorkstationKinds.h"
#include "testsupport/TestEnv.h"

#include <memory>
#include <vector>

// Workstations of a PostgreSQL hall that connect with a login of their kind, as setup-postgres.sh
// --kinds and brivane-ctl grant make them: each login is made afresh by the test's owner connection.
class KindLogins
{
public:
    static constexpr const char* password = "kind-pw";

    explicit KindLogins(TestEnv& env);
    ~KindLogins();

    // Whether the hall can have kinds here: PostgreSQL, and an owner that may create roles.
    bool available() const { return m_available; }
    const QString& database() const { return m_database; }

    // A login of its own (made afresh, no rights yet).
    QString makeLogin(const QString& suffix);
    // A workstation of that kind: its login made a member of the kind by the owner, then connected.
    Database& workstation(kinds::Kind kind);
    Database& connectAs(const QString& login);
    // A workstation of that kind on a connection the caller owns (closing it ends its session); the
    // suffix tells two of a kind apart. Null when the kind could not be given.
    std::unique_ptr<Database> open(kinds::Kind kind, const QString& suffix = QString());

private:
    std::unique_ptr<Database> openAs(const QString& login) const;

    TestEnv& m_env;
    QString m_database;
    bool m_available = false;
    std::vector<std::unique_ptr<Database>> m_open;
};

// The program as it runs on a workstation of its own connection: every screen and command registered
// over that database, with the test's settings, clock, dialogs, printers and the rest. The session's
// connection values become that login's, as its connection file would name them.
struct WorkstationProgram
{
    WorkstationProgram(TestEnv& env, Database& db);
    ~WorkstationProgram();

    ScreenRegistry screens;
    CommandRegistry commands;
    std::unique_ptr<AppContext> ctx;
    bool ended = false;
};
