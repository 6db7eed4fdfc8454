#!/usr/bin/env bash
# Installs the Debian packages Brivane needs to build, run and test (skipped when all are present).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <(tr ' ' '\n' < "$here/packages.txt" | sed '/^$/d')
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# axe-core, the accessibility checker the browser tests run inside the web pages: one pinned release,
# checked against its known digest, kept in the user's cache folder (the tests look for it there).
axe_version=4.10.3
axe_sha256=0f2b4d7dcdf7d1219df8d1959ad68e565f51d14c3f0d88bb71cd59abeb956292
axe_dir=${BRIVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brivane}/axe-core-$axe_version
if [ ! -s "$axe_dir/axe.min.js" ]; then
  if ! command -v npm >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends nodejs npm >/dev/null
  fi
  work=$(mktemp -d)
  (cd "$work" && npm pack --silent "axe-core@$axe_version" >/dev/null)
  echo "$axe_sha256  $work/axe-core-$axe_version.tgz" | sha256sum --check --quiet
  tar -xzf "$work/axe-core-$axe_version.tgz" -C "$work" package/axe.min.js package/LICENSE
  mkdir -p "$axe_dir"
  cp "$work/package/axe.min.js" "$work/package/LICENSE" "$axe_dir/"
  rm -rf "$work"
fi
