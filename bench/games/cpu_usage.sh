#!/usr/bin/env bash
# CPU use of the real program under a private Xvfb, over 10 s each: on an idle
# page (the Intro page, nothing running but the idle prompt's timer) and during a
# Training 2 game (its clock ticks as fast as the platform's timer allows).
# Usage: cpu_usage.sh [path to pointrix]   (default: build/bin/pointrix)
# ZOOM=2 (a whole factor) runs the window zoomed: a 2560 x 1440 screen whose desktop
# asks for that scale (GDK_SCALE), so the first start chooses it.
# Prints one line per case: "<case> <percent of one core>".
here=$(cd "$(dirname "$0")" && pwd)
export E2E_BIN=${1:-${E2E_BIN:-$here/../../build/bin/pointrix}}
source "$here/../../tests/e2e/lib.sh"
SECONDS_MEASURED=${SECONDS_MEASURED:-10}
hz=$(getconf CLK_TCK)

# CPU ticks (user + system) the program has used so far.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$PX_PID/stat"; }
measure() {
  local name=$1 before after
  before=$(cpu_ticks)
  sleep "$SECONDS_MEASURED"
  after=$(cpu_ticks)
  awk -v n="$name" -v d=$((after - before)) -v hz="$hz" -v s="$SECONDS_MEASURED" \
    'BEGIN { printf "%s %.2f\n", n, 100 * d / hz / s }'
}

if [[ -n "${ZOOM:-}" ]]; then
  export GDK_SCALE=$ZOOM E2E_SCREEN=2560x1440x24
fi
start_xvfb
start_program
xdotool key --window "$PX_WIN" Return  # Configure -> Intro
sleep 2
measure idle-page
for _ in $(seq 1 7); do
  xdotool key --window "$PX_WIN" Return
  sleep 0.2
done
xdotool key --window "$PX_WIN" n  # a Training 2 game
sleep 1
measure training2-game
xdotool key --window "$PX_WIN" Escape 2>/dev/null || true
wait_exit 5
