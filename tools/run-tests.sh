#!/usr/bin/env bash
# Installs what is missing, builds Pointrix with every test, and runs them all:
# unit and scenario tests, golden images, end-to-end tests under Xvfb, the asset
# checks, the test suite under AddressSanitizer/UBSan, and the fuzz targets for a
# bounded time. Set CI=true to make compiler warnings errors.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON
fuzz_seconds=${FUZZ_SECONDS:-60}

bash tools/install-deps.sh

echo "== Source layout: clang-format and the layers"
bash tools/checks/check_format.sh
/usr/bin/python3 tools/checks/check_layers.py

echo "== Asset formats"
/usr/bin/python3 tools/assets/check_assets.py

echo "== Language folders: pages, captions, spelling"
/usr/bin/python3 tools/content/test_checks.py
/usr/bin/python3 tools/content/check_pages.py
/usr/bin/python3 tools/content/check_spelling.py

echo "== Build and test (RelWithDebInfo)"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOINTRIX_WERROR=$werror
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"

echo "== Windows build and its tests under Wine"
bash tools/windows/build.sh --tests
POINTRIX_LINUX_BIN="$root/build-test/bin/pointrix" bash tests/windows/run.sh

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPOINTRIX_SANITIZE=ON -DPOINTRIX_BENCH=OFF \
  -DPOINTRIX_WERROR=$werror
cmake --build build-asan -j "$jobs"
# Leaks inside third-party libraries are suppressed (tools/lsan.supp); ours are not.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE e2e

echo "== Fuzz targets (${fuzz_seconds} s each)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOINTRIX_FUZZ=ON \
  -DPOINTRIX_TESTS=OFF -DPOINTRIX_BENCH=OFF
cmake --build build-fuzz -j "$jobs" --target fuzz_all
for target in build-fuzz/fuzz/*/fuzz_*; do
  [[ -x "$target" ]] || continue
  name=$(basename "$target")
  corpus_dir="$root/build-fuzz/corpus-$name"
  mkdir -p "$corpus_dir"
  # Start from the committed corpus (tools/fuzz.sh grows and minimises it).
  committed="$root/fuzz/corpus/${name#fuzz_}"
  [[ -d "$committed" ]] && cp -n "$committed"/* "$corpus_dir"/ 2>/dev/null || true
  seeds=$(cat "$target.seeds" 2>/dev/null || true)
  flags=()
  flags_file="$root/fuzz/$(basename "$(dirname "$target")")/flags"
  [[ -f "$flags_file" ]] && read -r -a flags <"$flags_file"
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 "${flags[@]}" "$corpus_dir" $seeds
done
echo "All tests passed."
