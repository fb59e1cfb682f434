#!/usr/bin/env bash
# Errors reach the user: with no display the program ends at once with one line on
# standard error and exit code 1; an error at start-up shows the toolkit's own error
# box (text and OK button) in a window, writes the line to standard error, and OK ends
# the program with exit code 1.
source "$(dirname "$0")/lib.sh"

# --- No display: neither X nor Wayland reachable.
mkdir -p "$E2E_TMP/runtime"
chmod 700 "$E2E_TMP/runtime"
(env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$E2E_TMP/runtime" "$E2E_BIN") >/dev/null 2>"$E2E_TMP/stderr" &
PX_PID=$!
wait_exit 10
[[ "$PX_STATUS" == 1 ]] || fail "no display: exit code $PX_STATUS"
[[ $(wc -l <"$E2E_TMP/stderr") == 1 ]] || fail "no display: not one line on standard error"
grep -q "No display was found" "$E2E_TMP/stderr" || fail "no display: $(cat "$E2E_TMP/stderr")"

# --- A start-up error: the program alone, without any language folder beside it.
start_xvfb
mkdir -p "$E2E_TMP/bare"
cp "$E2E_BIN" "$E2E_TMP/bare/pointrix"
E2E_BIN="$E2E_TMP/bare/pointrix"
start_program "$E2E_TMP/bare"
geometry=$(xwininfo -id "$PX_WIN")
width=$(awk '/  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/  Height:/ {print $2}' <<<"$geometry")
[[ "$width" -lt 632 && "$height" -lt 453 && "$height" -gt 60 ]] || fail "error box is ${width} x ${height}"
line=$(grep "^Pointrix: " "$E2E_TMP/stderr" || true)
[[ -n "$line" ]] || fail "no error line on standard error"
# The text stands right of the icon, above the button: dark pixels there.
import -window "$PX_WIN" "$E2E_OUT/error-box.png"
text_w=$((width - 56 - 12))
text_h=$((height - 12 - 23 - 12 - 12))
dark=$(convert "$E2E_OUT/error-box.png" -crop "${text_w}x${text_h}+56+12" +repage -colorspace Gray \
  -threshold 40% -negate -format "%[fx:mean*w*h]" info:)
[[ "${dark%.*}" -ge 20 ]] || fail "no text in the error box ($dark dark pixels)"
# OK: the button is centred 12 pixels above the bottom edge.
xdotool mousemove --window "$PX_WIN" $((width / 2)) $((height - 12 - 11)) click 1
wait_exit 5
[[ "$PX_STATUS" == 1 ]] || fail "start-up error: exit code $PX_STATUS after OK"
echo "PASS: errors"
