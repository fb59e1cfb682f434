#!/usr/bin/env bash
# Runs every fuzz target for a given time (or a given number of executions) with its corpus
# kept in fuzz/corpus/<target>, minimises the corpus afterwards (libFuzzer
# -set_cover_merge=1; at most FUZZ_MAX_FILES files, default 400) and reports the executions.
#   tools/fuzz.sh <seconds per target> [target...]
#   tools/fuzz.sh --runs <executions per target> [target...]
# A target's own libFuzzer options (for example -max_len) are read from fuzz/<folder>/flags.
# A finding (crash, leak, timeout) stops the script with the fuzzer's exit status; the
# input that caused it is left in build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=-1
seconds=0
if [[ ${1:-} == --runs ]]; then
  runs=${2:?executions per target}
  shift 2
else
  seconds=${1:?seconds per target}
  shift
fi
jobs=${JOBS:-$(nproc)}
max_files=${FUZZ_MAX_FILES:-400}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPOINTRIX_FUZZ=ON \
  -DPOINTRIX_TESTS=OFF -DPOINTRIX_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs" --target fuzz_all
report=()
for target in build-fuzz/fuzz/*/fuzz_*; do
  [[ -x "$target" && "$target" != *.seeds ]] || continue
  name=$(basename "$target")
  short=${name#fuzz_}
  if [[ $# -gt 0 && " $* " != *" $short "* && " $* " != *" $name "* ]]; then continue; fi
  corpus="$root/fuzz/corpus/$short"
  findings="$root/build-fuzz/findings/$short"
  mkdir -p "$corpus" "$findings"
  seeds=$(cat "$target.seeds" 2>/dev/null || true)
  dict=()
  folder="$root/fuzz/$(basename "$(dirname "$target")")"
  for d in "$folder"/*.dict; do
    [[ -f "$d" ]] && dict=(-dict="$d") && break
  done
  flags=()
  [[ -f "$folder/flags" ]] && read -r -a flags <"$folder/flags"
  log="$root/build-fuzz/$short.log"
  if ((runs >= 0)); then echo "-- $name: $runs executions"; else echo "-- $name: $seconds s"; fi
  started=$SECONDS
  "$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "${dict[@]}" "${flags[@]}" "$corpus" $seeds 2>"$log" || {
    tail -n 40 "$log" >&2
    echo "FINDING in $name; inputs in $findings" >&2
    exit 1
  }
  # UndefinedBehaviorSanitizer reports and goes on in these builds: a report is a finding too.
  if grep -q "runtime error:" "$log"; then
    grep -A12 "runtime error:" "$log" | head -n 40 >&2
    echo "FINDING (undefined behaviour) in $name; the log is $log" >&2
    exit 1
  fi
  execs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
  elapsed=$((SECONDS - started))
  # Keep the corpus small: a smallest set of inputs with the same coverage (edges and
  # their hit counts); when that is still more than max_files, the same for edges alone.
  merged=$(mktemp -d)
  "$target" -set_cover_merge=1 "${flags[@]}" "$merged" "$corpus" >/dev/null 2>&1
  if (($(find "$merged" -type f | wc -l) > max_files)); then
    rm -rf "$merged" && merged=$(mktemp -d)
    "$target" -set_cover_merge=1 -use_counters=0 "${flags[@]}" "$merged" "$corpus" >/dev/null 2>&1
  fi
  # Inputs kept under a name of their own (the faults found so far) stay whatever the
  # merge chose; libFuzzer's own inputs are named by their SHA-1.
  kept=$(mktemp -d)
  for input in "$corpus"/*; do
    [[ -f "$input" && ! "$(basename "$input")" =~ ^[0-9a-f]{40}$ ]] && cp "$input" "$kept"/
  done
  for named in "$kept"/*; do
    [[ -f "$named" ]] && rm -f "$merged/$(sha1sum "$named" | cut -c1-40)"
  done
  rm -rf "$corpus" && mkdir -p "$corpus" && cp "$merged"/* "$kept"/* "$corpus"/ 2>/dev/null || true
  rm -rf "$merged" "$kept"
  files=$(find "$corpus" -type f | wc -l)
  report+=("$(printf '%-24s %14s executions in %6s s, corpus %5s files' "$name" "$execs" "$elapsed" "$files")")
done
printf '%s\n' "${report[@]}"
