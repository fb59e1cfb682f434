#!/usr/bin/env bash
# The zoomed window on a large screen whose desktop asks for double size (GDK_SCALE=2;
# Xvfb has no desktop settings of its own): the first start shows the window at twice
# its size, a click on Next where it shows changes the page, Ctrl+Minus brings the
# window back to 632 x 453, and the next start remembers that.
source "$(dirname "$0")/lib.sh"
E2E_SCREEN=2560x1440x24 start_xvfb
export GDK_SCALE=2
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"

client_size() {
  local geometry
  geometry=$(xwininfo -id "$PX_WIN")
  echo "$(awk '/  Width:/ {print $2}' <<<"$geometry")x$(awk '/  Height:/ {print $2}' <<<"$geometry")"
}
# wait_size <WxH>: waits up to 5 s for the client area to take that size.
wait_size() {
  for _ in $(seq 1 100); do
    [[ "$(client_size)" == "$1" ]] && return 0
    sleep 0.05
  done
  fail "client area is $(client_size), not $1"
}
# The tab row of the window (form rows 0..29 at factor 2): it shows which page is active.
tabs() { import -window "$PX_WIN" -crop 1264x60+0+0 +repage "$E2E_OUT/$1.png"; }

start_program
wait_size 1264x906
grep -q '"Zoom"' "$hive" 2>/dev/null && fail "a chosen factor was stored: $(cat "$hive")"

# Next is at (408, 400) .. (508, 448) in the form: (816, 800) .. (1016, 896) zoomed.
tabs before
origin=$(xwininfo -id "$PX_WIN" | awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} END {print x, y}')
read -r wx wy <<<"$origin"
xdotool mousemove $((wx + 1000)) $((wy + 880)) click 1
changed=""
for _ in $(seq 1 100); do
  tabs after
  if ! cmp -s "$E2E_OUT/before.png" "$E2E_OUT/after.png"; then changed=1; break; fi
  sleep 0.05
done
[[ -n "$changed" ]] || fail "a click on the zoomed Next button did not change the page"

xdotool key ctrl+minus
wait_size 632x453
grep -q '^"Zoom"="1"' "$hive" || fail "Zoom is not stored as 1: $(cat "$hive")"
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"

# The remembered factor wins over the desktop's.
start_program
wait_size 632x453
xdotool key ctrl+plus
wait_size 1264x906
grep -q '^"Zoom"="2"' "$hive" || fail "Zoom is not stored as 2: $(cat "$hive")"
xdotool key Escape
wait_exit 5
echo "PASS: zoom"
