#!/usr/bin/env bash
# Configures and builds Brivane into build/ (or $BRIVANE_BUILD).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVANE_BUILD:-$root/build}
# The same options for running and testing, so one build serves both (the code builds without warnings).
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${BRIVANE_BUILD_TYPE:-Debug} -DBRIVANE_WERROR=ON \
  ${BRIVANE_CMAKE_ARGS:-} >/dev/null
ninja -C "$build" "$@"
