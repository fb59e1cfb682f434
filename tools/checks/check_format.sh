#!/usr/bin/env bash
# Fails when a C or C++ file of the repository differs from what clang-format (with the
# repository's .clang-format) makes of it, and names the files. Run `clang-format -i` on
# them to mend it.
set -euo pipefail
cd "$(dirname "$0")/../.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' | grep -v '^tests/rtf/corpus/')
bad=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || bad+=("$file")
done
if ((${#bad[@]})); then
  echo "These files differ from clang-format's layout (run: clang-format -i <file>):"
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as clang-format lays them out"
