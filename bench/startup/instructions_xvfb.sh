#!/usr/bin/env bash
# Instructions from launch to the first presented frame, counted by callgrind: the real
# program and the bare SDL2 window, each once on a private Xvfb (a later start: the
# language is stored by a first run). Unlike wall times these do not depend on the
# machine's load, so they show what a change to the start-up saves.
#
#   bench/startup/instructions_xvfb.sh [build folder]
set -euo pipefail

BUILD=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
command -v valgrind >/dev/null || { echo "valgrind is needed (apt-get install valgrind)" >&2; exit 1; }
source "$(dirname "$0")/private_xvfb.sh"
export SDL_AUDIODRIVER=dummy POINTRIX_REPORT_FRAME=1
export POINTRIX_REGISTRY_DIR="$TMP/registry"

# Runs a program under callgrind until it reports its first frame, then takes the count.
count() {
  local name=$1 program=$2 out="$TMP/$1"
  valgrind --tool=callgrind --callgrind-out-file="$out.cg" "$program" >"$out.log" 2>&1 &
  local pid=$!
  for _ in $(seq 1 600); do
    grep -q "first frame" "$out.log" && break
    sleep 0.1
  done
  grep -q "first frame" "$out.log" || { echo "$name: no first frame" >&2; kill "$pid"; return 1; }
  callgrind_control -d "$pid" >/dev/null 2>&1
  for _ in $(seq 1 50); do
    [[ -s "$out.cg.1" ]] && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -n "${KEEP:-}" ]] && cp "$out.cg.1" "$KEEP/$name.callgrind"
  awk '/^summary:/ {print $2}' "$out.cg.1"
}

# A first run stores the language, as for anyone who has started the program before.
timeout 20 "$BUILD/bin/pointrix" >/dev/null 2>&1 &
first=$!
sleep 3
kill "$first" 2>/dev/null || true
wait "$first" 2>/dev/null || true

program=$(count pointrix "${PROGRAM:-$BUILD/bin/pointrix}")
bare=$(count bench_bare_window "$BUILD/bench/startup/bench_bare_window")
awk -v p="$program" -v b="$bare" 'BEGIN {
  printf "| program | instructions to the first frame |\n|---|---|\n"
  printf "| pointrix | %.1f M |\n| bench_bare_window | %.1f M |\n\nratio %.2f\n", p / 1e6, b / 1e6, p / b
}'
