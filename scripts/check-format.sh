#!/usr/bin/env bash
# Fails when clang-format would change a C++ file of the project (the style is in .clang-format).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
bad=()
for f in "${files[@]}"; do
  clang-format --style=file "$f" | cmp -s - "$f" || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "These files are not formatted (run clang-format -i on them):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "Formatting checked: ${#files[@]} files"
