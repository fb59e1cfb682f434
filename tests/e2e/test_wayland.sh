#!/usr/bin/env bash
# The real program as a native Wayland client of Weston: its first frame reaches the
# compositor, its toplevel's title is "Pointrix", and Esc ends it with exit code 0.
#
# Weston runs with its X11 backend inside the private Xvfb. Its headless backend
# offers no wl_seat, and SDL 2.26's Wayland driver then crashes while starting video
# (it writes to the seat's input record, a null pointer); the X11 backend has a seat,
# so keys typed into Weston's window reach the program. What the program sent to the
# compositor is read from libwayland's own protocol trace (WAYLAND_DEBUG=client).
source "$(dirname "$0")/lib.sh"
if ! command -v weston >/dev/null; then
  echo "SKIP: weston is not installed"
  exit 0
fi
start_xvfb

export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 --socket=pointrix-e2e \
  --width=1000 --height=700 >"$E2E_TMP/weston.log" 2>&1 &
WESTON_PID=$!
trap 'kill "$WESTON_PID" 2>/dev/null || true; cleanup' EXIT
for _ in $(seq 1 200); do
  [[ -S "$XDG_RUNTIME_DIR/pointrix-e2e" ]] && break
  kill -0 "$WESTON_PID" 2>/dev/null || fail "weston did not start: $(cat "$E2E_TMP/weston.log")"
  sleep 0.05
done
[[ -S "$XDG_RUNTIME_DIR/pointrix-e2e" ]] || fail "weston did not open its socket"

log="$E2E_TMP/stdout"
trace="$E2E_TMP/stderr"
(cd "$(dirname "$E2E_BIN")" && WAYLAND_DISPLAY=pointrix-e2e SDL_VIDEODRIVER=wayland WAYLAND_DEBUG=client \
  exec "$E2E_BIN") >"$log" 2>"$trace" &
PX_PID=$!
for _ in $(seq 1 400); do
  grep -q "pointrix: first frame" "$log" 2>/dev/null && break
  kill -0 "$PX_PID" 2>/dev/null || fail "program exited before its first frame"
  sleep 0.05
done
grep -q "pointrix: first frame" "$log" || fail "no first frame within 20 s"

grep -q 'xdg_toplevel@[0-9]*\.set_title("Pointrix")' "$trace" || fail "no toplevel titled Pointrix"
# The first frame is a buffer attached to the window's surface and committed.
surface=$(grep -o 'xdg_wm_base@[0-9]*\.get_xdg_surface(new id xdg_surface@[0-9]*, wl_surface@[0-9]*)' "$trace" |
  head -n 1 | grep -o 'wl_surface@[0-9]*')
[[ -n "$surface" ]] || fail "no xdg surface was created"
grep -q -- "-> $surface\.attach(wl_buffer@" "$trace" || fail "no buffer was attached to $surface"

# Keys typed into Weston's window go to the focused client: the program's window.
for _ in $(seq 1 200); do
  grep -q "wl_keyboard@[0-9]*\.enter([0-9]*, $surface," "$trace" && break
  sleep 0.05
done
grep -q "wl_keyboard@[0-9]*\.enter([0-9]*, $surface," "$trace" || fail "the window never got the keyboard"
xdotool mousemove 500 350 key Escape
wait_exit 10
[[ "$PX_STATUS" == 0 ]] || fail "Esc: exit code $PX_STATUS"
grep -q 'wl_keyboard@[0-9]*\.key(' "$trace" || fail "the key did not come through Wayland"
echo "PASS: wayland"
