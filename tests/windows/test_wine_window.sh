#!/usr/bin/env bash
# pointrix.exe under Wine on a private Xvfb: a window titled "Pointrix" with a 632 x 453
# client area whose first page matches the Linux program's pixel for pixel (the share of
# differing pixels is printed and must stay under 1 %), Enter changes the page, the
# language is stored in the Windows registry, Esc ends it with exit code 0.
#
# E2E_BIN: pointrix.exe; E2E_LINUX_BIN: the Linux program for the reference picture;
# WINE and WINEPREFIX as run.sh sets them.
source "$(dirname "$0")/../e2e/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
WINE=${WINE:-/usr/lib/wine/wine}
start_xvfb

# launch <dir> <command...>: starts a program and waits (up to 90 s: Wine starts slowly
# on a busy machine) for its first frame, then finds its window.
launch() {
  local dir=$1 log="$E2E_TMP/stdout.$RANDOM"
  shift
  (cd "$dir" && exec "$@") >"$log" 2>"$E2E_TMP/stderr" &
  PX_PID=$!
  for _ in $(seq 1 1800); do
    grep -q "pointrix: first frame" "$log" 2>/dev/null && break
    kill -0 "$PX_PID" 2>/dev/null || fail "program exited before its first frame"
    sleep 0.05
  done
  grep -q "pointrix: first frame" "$log" || fail "no first frame within 90 s"
  PX_WIN=""
  for _ in $(seq 1 200); do
    PX_WIN=$(xdotool search --onlyvisible --pid "$PX_PID" --name '^Pointrix$' 2>/dev/null | head -n 1 || true)
    [[ -n "$PX_WIN" ]] && break
    sleep 0.05
  done
  [[ -n "$PX_WIN" ]] || fail "no window titled Pointrix"
}

# shot_until_changed <name> <previous.png>: screenshots the window until it differs
# from the previous picture (at most 10 s).
shot_until_changed() {
  for _ in $(seq 1 100); do
    import -window "$PX_WIN" "$E2E_OUT/$1.png"
    cmp -s "$E2E_OUT/$1.png" "$2" || return 0
    sleep 0.1
  done
  fail "$1: the window did not change"
}

# The Linux program's first page, the reference picture.
if [[ -x "${E2E_LINUX_BIN:-}" ]]; then
  launch "$(dirname "$E2E_LINUX_BIN")" "$E2E_LINUX_BIN"
  import -window "$PX_WIN" "$E2E_OUT/linux-first-page.png"
  xdotool key Escape
  wait_exit 10
fi

# A fresh Wine registry: the first start shows the Configure page.
"$WINE" reg delete 'HKCU\Software\Quillaby Software' /f >/dev/null 2>&1 || true
launch "$(dirname "$E2E_BIN")" "$WINE" "$E2E_BIN"
title=$(xdotool getwindowname "$PX_WIN")
[[ "$title" == "Pointrix" ]] || fail "title is '$title'"
geometry=$(xwininfo -id "$PX_WIN")
width=$(awk '/  Width:/ {print $2}' <<<"$geometry")
height=$(awk '/  Height:/ {print $2}' <<<"$geometry")
[[ "$width" == 632 && "$height" == 453 ]] || fail "client area is ${width} x ${height}, not 632 x 453"
import -window "$PX_WIN" "$E2E_OUT/windows-first-page.png"

if [[ -f "$E2E_OUT/linux-first-page.png" ]]; then
  share=$(/usr/bin/python3 "$here/compare_shots.py" "$E2E_OUT/windows-first-page.png" "$E2E_OUT/linux-first-page.png" \
    "$E2E_OUT/first-page-differences.png") || fail "screenshots not comparable: $share"
  echo "first page: ${share} % of the pixels differ from the Linux program's"
  /usr/bin/python3 -c "import sys; sys.exit(0 if float('$share') < 1.0 else 1)" ||
    fail "first page differs from the Linux program's in ${share} % of its pixels"
fi

# The server keeps its focus between programs (-noreset): give it to this window.
xdotool windowfocus "$PX_WIN" 2>/dev/null || true
xdotool key Return
shot_until_changed windows-second-page "$E2E_OUT/windows-first-page.png"
xdotool key Escape
wait_exit 30
[[ "$PX_STATUS" == 0 ]] || fail "Esc: exit code $PX_STATUS"

stored=$("$WINE" reg query 'HKCU\Software\Quillaby Software\Pointrix' /v Language 2>/dev/null | tr -d '\r') ||
  fail "no Language value in the registry"
grep -Eq 'Language +REG_SZ +English$' <<<"$stored" || fail "Language is not English: $stored"
echo "PASS: wine window"
