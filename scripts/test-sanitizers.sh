#!/usr/bin/env bash
# Builds the whole suite with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ (or
# $BRIVANE_BUILD) and runs every test under them, on SQLite and on PostgreSQL, as scripts/test.sh does.
# A use after free, a buffer overrun, a leak of our own or undefined behaviour fails the test it
# happens in. Arguments go to ctest (e.g. -R core).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export BRIVANE_BUILD=${BRIVANE_BUILD:-$root/build-asan}
export BRIVANE_CMAKE_ARGS="${BRIVANE_CMAKE_ARGS:-} -DBRIVANE_ASAN=ON -DBRIVANE_UBSAN=ON"
# Findings end the test with a report; leaks are looked for at the end of each test program, and the
# few that belong to the system's libraries are named in lsan-suppressions.txt.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:fast_unwind_on_malloc=0:strict_init_order=1:check_initialization_order=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
exec "$root/scripts/test.sh" "$@"
