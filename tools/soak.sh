#!/usr/bin/env bash
# Random play on the real main window for many virtual hours (CI runs one).
#   tools/soak.sh [seed] [hours]     seed: random when left out; hours: 10
# Builds the soak test in build-test and runs it; on failure prints the seed and the
# command that replays the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${1:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
hours=${2:-10}
[[ -d build-test ]] || cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test --target test_soak
echo "soak: seed $seed, $hours virtual hours"
if ! POINTRIX_SOAK_SEED=$seed POINTRIX_SOAK_HOURS=$hours build-test/tests/soak/test_soak; then
  echo "soak FAILED with seed $seed; replay with:" >&2
  echo "  tools/soak.sh $seed $hours" >&2
  echo "  (or: POINTRIX_SOAK_SEED=$seed POINTRIX_SOAK_HOURS=$hours build-test/tests/soak/test_soak)" >&2
  exit 1
fi
