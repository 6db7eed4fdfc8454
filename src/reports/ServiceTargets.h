#pragma once

#include <QHash>

#include <optional>

class Database;

// A service's level of service: `share` of its tokens called within `waitSeconds` of the time they
// began to wait (80 % within 10 minutes: 0.8 and 600).
struct ServiceTarget
{
    double share = 0;
    int waitSeconds = 0;
};

// By service key; a service without a target is not in it.
using ServiceTargets = QHash<qint64, ServiceTarget>;

// The targets the services carry in the store.
ServiceTargets readServiceTargets(Database& db);
