#!/usr/bin/env bash
# Builds the Debian package dist/brivane_<version>_<arch>.deb from a release build of its own
# (build-package/, or $BRIVANE_PACKAGE_BUILD). Install it with: sudo apt install ./dist/brivane_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIVANE_PACKAGE_BUILD:-$root/build-package}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBRIVANE_TESTS=OFF -DBRIVANE_WERROR=ON >/dev/null
ninja -C "$build"
mkdir -p "$root/dist"
(cd "$build" && cpack -G DEB -B "$root/dist" >/dev/null)
rm -rf "$root/dist/_CPack_Packages"
ls "$root"/dist/brivane_*.deb
