#pragma once

#include "core/Database.h"
#include "core/WorkstationKinds.h"

#include <memory>

class TestEnv;

// A PostgreSQL login of that kind for the test's hall (made afresh by the hall's owner, env.db) and a
// connection of its own, as a workstation of that kind would have. Null when the owner may not make
// roles (the caller skips).
std::unique_ptr<Database> kindWorkstation(TestEnv& env, kinds::Kind kind, const QString& suffix = QString());

// Drops every login kindWorkstation made for the test's hall (their connections closed first).
void dropKindWorkstations(TestEnv& env);
