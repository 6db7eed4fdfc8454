#pragma once

#include "bench/Bench.h"

namespace bench {

// The connections of the benchmark's kiosks, counters and boards: the owner's, or with --kinds a login
// of each kind, as a hall whose PCs connect with their kind's login has them.
struct WorkerTargets
{
    Target kiosk, counter, board;
};

// The owner's connection for every worker.
WorkerTargets ownerTargets(const Target& owner);

// Makes (or gives a new password to) one login per kind, named after the database (DATABASE_bench_kiosk,
// ...), makes each a workstation of its kind with the owner's connection, and returns their
// connections. Empty `error` on success, otherwise the one sentence why not.
WorkerTargets kindTargets(Database& owner, const Target& target, QString& error);

} // namespace bench
