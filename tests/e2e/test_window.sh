#!/usr/bin/env bash
# The real program under Xvfb: window geometry and title, a screenshot, Esc ends it
# with exit code 0, and so does the close box.
source "$(dirname "$0")/lib.sh"
start_xvfb

start_program
geometry=$(xwininfo -id "$PX_WIN")
width=$(awk '/  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/  Height:/ {print $2}' <<<"$geometry")
[[ "$width" == 632 && "$height" == 453 ]] || fail "client area is ${width} x ${height}, not 632 x 453"
title=$(xdotool getwindowname "$PX_WIN")
[[ "$title" == "Pointrix" ]] || fail "title is '$title'"
xprop -id "$PX_WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "window is not kept on top"
hints=$(xprop -id "$PX_WIN" WM_NORMAL_HINTS)
grep -q "minimum size: 632 by 453" <<<"$hints" && grep -q "maximum size: 632 by 453" <<<"$hints" ||
  fail "window can be resized: $hints"
shot window
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "Esc: exit code $PX_STATUS"

start_program
"${E2E_XCLOSE:?path to xclose}" "$PX_WIN"
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "close box: exit code $PX_STATUS"
echo "PASS: window"
