#!/usr/bin/env bash
# Installs what is missing, builds Pointrix and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --run-only
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPOINTRIX_TESTS=OFF -DPOINTRIX_BENCH=OFF >/dev/null
cmake --build build --target pointrix languages
exec ./build/bin/pointrix
