#!/usr/bin/env bash
# Configures and builds Brivane into build/ (or $BRIVANE_BUILD).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVANE_BUILD:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${BRIVANE_BUILD_TYPE:-Debug} ${BRIVANE_CMAKE_ARGS:-} >/dev/null
ninja -C "$build" "$@"
