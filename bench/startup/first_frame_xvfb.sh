#!/usr/bin/env bash
# Times the real program under a private Xvfb from launch to its first presented
# frame (the "pointrix: first frame" line that POINTRIX_REPORT_FRAME=1 makes it
# print), over several runs, each with a fresh registry (so every run is a first
# start on the Configure page). Prints one line per run and a summary in ms.
#
#   bench/startup/first_frame_xvfb.sh [path/to/pointrix] [runs]
set -euo pipefail

BIN=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/bin/pointrix}
RUNS=${2:-10}
[[ -x "$BIN" ]] || { echo "no program at $BIN" >&2; exit 1; }

TMP=$(mktemp -d)
XVFB_PID=""
PX_PID=""
cleanup() {
  [[ -n "$PX_PID" ]] && kill "$PX_PID" 2>/dev/null || true
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT

for n in $(seq 150 199); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    break
  fi
done
[[ -n "$XVFB_PID" ]] || { echo "no free X display" >&2; exit 1; }
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

export SDL_AUDIODRIVER=dummy POINTRIX_REPORT_FRAME=1
unset XDG_CONFIG_HOME

times=()
for run in $(seq 1 "$RUNS"); do
  export POINTRIX_REGISTRY_DIR="$TMP/registry-$run"
  fifo="$TMP/out-$run"
  mkfifo "$fifo"
  start=$(date +%s%N)
  "$BIN" >"$fifo" 2>"$TMP/err-$run" &
  PX_PID=$!
  # Reading the pipe returns the line as soon as the program writes it.
  if ! timeout 20 grep -q -m1 "pointrix: first frame" "$fifo"; then
    echo "run $run: no first frame: $(cat "$TMP/err-$run")" >&2
    exit 1
  fi
  end=$(date +%s%N)
  kill "$PX_PID" 2>/dev/null || true
  wait "$PX_PID" 2>/dev/null || true
  PX_PID=""
  ms=$(( (end - start) / 1000000 ))
  times+=("$ms")
  echo "run $run: ${ms} ms"
done

printf '%s\n' "${times[@]}" | sort -n | awk '
  { v[NR] = $1; sum += $1 }
  END {
    median = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "runs %d  min %d ms  median %s ms  mean %.1f ms  max %d ms\n", NR, v[1], median, sum / NR, v[NR]
  }'
