#!/usr/bin/env bash
# Start-up of the Windows program under 32-bit Wine: milliseconds from launching
# pointrix.exe to its first frame on screen, after Wine's own first start (the prefix is
# made and booted beforehand, and one unmeasured run warms the caches). Prints each run
# and the median.
#
#   bash bench/startup/wine_first_frame.sh [runs]     (after tools/windows/build.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
runs=${1:-5}
E2E_BIN=${E2E_BIN:-$root/build-windows/bin/pointrix.exe}
source tests/e2e/lib.sh
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/bench-wineprefix} WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
WINE=${WINE:-/usr/lib/wine/wine}
start_xvfb
[[ -d "$WINEPREFIX" ]] || { "$WINE" wineboot -i >/dev/null 2>&1; /usr/lib/wine/wineserver -w; }
# Keep the Wine server running between runs, as it is on a desktop after the first start.
/usr/lib/wine/wineserver -p

one_run() {
  local log="$E2E_TMP/bench.$RANDOM" begin end
  begin=$(date +%s%N)
  (cd "$(dirname "$E2E_BIN")" && exec "$WINE" "$E2E_BIN") >"$log" 2>/dev/null &
  PX_PID=$!
  while ! grep -q "pointrix: first frame" "$log" 2>/dev/null; do
    kill -0 "$PX_PID" 2>/dev/null || fail "program exited before its first frame"
    sleep 0.01
  done
  end=$(date +%s%N)
  xdotool key Escape
  wait_exit 30
  echo $(((end - begin) / 1000000))
}

one_run >/dev/null
times=()
for i in $(seq 1 "$runs"); do
  t=$(one_run)
  times+=("$t")
  echo "run $i: $t ms"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
echo "median: $median ms to the first frame under Wine ($runs runs)"
/usr/lib/wine/wineserver -k || true
