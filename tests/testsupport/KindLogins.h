#pragma once

#include "core/Database.h"
#include "core/WorkstationKinds.h"

#include <QStringList>
#include <memory>
#include <vector>

class TestEnv;

// Workstations of each kind on the PostgreSQL hall of a test: a login made afresh per kind (as
// setup-postgres.sh --kinds makes them), made a member of the kind by the hall's owner, connected as a
// workstation of that kind would be. The logins are dropped at the end.
class KindLogins
{
public:
    explicit KindLogins(TestEnv& env);
    ~KindLogins();

    // False when the test server's role may not create roles (the test is skipped then).
    bool possible() const { return m_possible; }
    // A new connection of a workstation of that kind (its login made at the first ask).
    Database& workstation(kinds::Kind kind);

private:
    TestEnv& m_env;
    QString m_database;
    bool m_possible = false;
    QStringList m_logins;
    std::vector<std::unique_ptr<Database>> m_connections;
};
