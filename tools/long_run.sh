#!/usr/bin/env bash
# Long run of the real program: left on the Training 2 page under a private Xvfb, a new
# game every <interval> seconds (the N key, then the sixteen boxes double-clicked by the
# end-to-end tests' player), its resident memory sampled every minute from
# /proc/<pid>/status. Prints the samples and the growth: over the whole run, and from the
# minute-1 sample (after the first games have warmed the caches) to the last one.
#   tools/long_run.sh [minutes] [interval seconds]       defaults: 30 minutes, 30 s
# The binary is $POINTRIX_BIN, else build-test/bin/pointrix (built if missing).
# Not part of CI: it takes as long as it is told to.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
minutes=${1:-30}
interval=${2:-30}
bin=${POINTRIX_BIN:-$root/build-test/bin/pointrix}
if [[ ! -x "$bin" ]]; then
  [[ -d build-test ]] || cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build-test --target pointrix
fi
bot="/usr/bin/python3 $root/tests/e2e/games_bot.py"
tmp=$(mktemp -d)
export POINTRIX_REGISTRY_DIR="$tmp/registry" SDL_AUDIODRIVER=dummy POINTRIX_REPORT_FRAME=1
unset XDG_CONFIG_HOME
xvfb="" px=""
trap '[[ -n "$px" ]] && kill "$px" 2>/dev/null; [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null; rm -rf "$tmp"' EXIT
die() {
  echo "long run: $*" >&2
  exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 200); do
  [[ -s "$tmp/display" ]] && break
  sleep 0.05
done
[[ -s "$tmp/display" ]] || die "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$tmp/display")"

(cd "$(dirname "$bin")" && exec "$bin") >"$tmp/stdout" 2>"$tmp/stderr" &
px=$!
for _ in $(seq 1 400); do
  grep -q "pointrix: first frame" "$tmp/stdout" 2>/dev/null && break
  kill -0 "$px" 2>/dev/null || die "the program ended before its first frame: $(cat "$tmp/stderr")"
  sleep 0.05
done
grep -q "pointrix: first frame" "$tmp/stdout" || die "no first frame within 20 s"
win=$(xdotool search --pid "$px" --name Pointrix | head -n 1)
[[ -n "$win" ]] || die "no window found"

# Enter walks the pages; the eighth is Training 2.
for _ in $(seq 1 8); do
  xdotool key Return
  sleep 0.2
done
xdotool key n
sleep 0.5
[[ $($bot count "$win" Boxes) -gt 100 ]] || die "the Training 2 boxes do not show"

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$px/status"; }
samples=() games=0 played=0
start=$(date +%s)
next_sample=$start next_game=$start
end=$((start + minutes * 60))
while :; do
  now=$(date +%s)
  kill -0 "$px" 2>/dev/null || die "the program ended after $((now - start)) s: $(cat "$tmp/stderr")"
  if ((now >= next_sample)); then
    kb=$(rss_kb)
    samples+=("$kb")
    printf 'minute %3d: RSS %6d kB (%d games, %d played to the end)\n' \
      $(((now - start) / 60)) "$kb" "$games" "$played"
    next_sample=$((next_sample + 60))
  fi
  ((now >= end)) && break
  if ((now >= next_game)); then
    xdotool key n
    games=$((games + 1))
    sleep 0.5
    if $bot boxes "$win" "$tmp" 2>/dev/null; then played=$((played + 1)); fi
    next_game=$((next_game + interval))
  fi
  sleep 1
done

first=${samples[0]} last=${samples[-1]} max=${samples[0]}
for s in "${samples[@]}"; do ((s > max)) && max=$s; done
echo "samples (kB): ${samples[*]}"
warm=${samples[1]:-$first}
printf 'games %d (%d played to the end); RSS first %d kB, minute 1 %d kB, last %d kB, highest %d kB\n' \
  "$games" "$played" "$first" "$warm" "$last" "$max"
printf 'growth: %+d kB over the run, %+d kB after minute 1\n' $((last - first)) $((last - warm))
xdotool key Escape 2>/dev/null || true
for _ in $(seq 1 100); do
  kill -0 "$px" 2>/dev/null || break
  sleep 0.05
done
set +e
wait "$px"
status=$?
set -e
px=""
echo "exit code $status"
