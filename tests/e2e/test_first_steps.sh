#!/usr/bin/env bash
# A beginner's first steps on the real program: clicking "English" in the language
# list and pressing Enter shows the Intro page (one page, not two); clicking the
# "Time:" label of Training 2 does not end the program; without an English folder
# the first listed language is chosen; without any language folder the program
# says where one belongs and ends with exit code 1.
source "$(dirname "$0")/lib.sh"
start_xvfb
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"

# Window client coordinates (from the declared layout): the second item of the
# language list ("English", after "Deutsch"), and the "Time:" label of Training 2.
ENGLISH_X=204 ENGLISH_Y=304
TIME2_X=500 TIME2_Y=170

# move_to <x> <y>: the pointer to window client coordinates; click_at: and a left click.
move_to() {
  local info x y
  info=$(xwininfo -id "$PX_WIN")
  x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  xdotool mousemove $((x + $1)) $((y + $2))
}
click_at() {
  move_to "$1" "$2"
  xdotool click 1
}
# pixels <file>: the window's raw pixels (no file dates that would differ).
pixels() { import -window "$PX_WIN" -depth 8 "rgb:$1"; }
# wait_picture <reference> <what>: waits until the window shows the reference picture.
wait_picture() {
  for _ in $(seq 1 100); do
    pixels "$E2E_TMP/now.rgb"
    cmp -s "$E2E_TMP/now.rgb" "$1" && return 0
    kill -0 "$PX_PID" 2>/dev/null || fail "the program ended while waiting for $2"
    sleep 0.1
  done
  cp "$E2E_TMP/now.rgb" "$E2E_OUT/$(basename "$1" .rgb)-seen.rgb"
  fail "the window never showed $2"
}
# bot_count <picture>: how many pixels of a resource picture the window shows.
bot_count() { /usr/bin/python3 "$(dirname "$0")/games_bot.py" count "$PX_WIN" "$1"; }

# The Intro page as a later start opens on it (its first frame), with the pointer
# already where the list item will be clicked.
start_program
xdotool key Escape
wait_exit 5
start_program
move_to "$ENGLISH_X" "$ENGLISH_Y"
xdotool key Escape
wait_exit 5
start_program
pixels "$E2E_TMP/intro.rgb"
shot intro-reference
xdotool key Escape
wait_exit 5

# First start (nothing stored): click "English", press Enter once: the Intro page.
rm -f "$hive"
start_program
shot configure
click_at "$ENGLISH_X" "$ENGLISH_Y"
xdotool key Return
wait_picture "$E2E_TMP/intro.rgb" "the Intro page after one Enter"
shot intro-after-enter

# Training 2: walk there, start a game (its boxes show), click the "Time:" label, then
# leave the page; the boxes going away proves the click before it was handled.
xdotool key Return Return Return Return Return Return Return n
for _ in $(seq 1 100); do
  [[ $(bot_count Boxes) -gt 100 ]] && break
  sleep 0.1
done
[[ $(bot_count Boxes) -gt 100 ]] || fail "no Training 2 game to be seen"
shot training2
click_at "$TIME2_X" "$TIME2_Y"
xdotool key BackSpace
for _ in $(seq 1 100); do
  kill -0 "$PX_PID" 2>/dev/null || fail "clicking the Time label ended the program"
  [[ $(bot_count Boxes) -lt 100 ]] && break
  sleep 0.1
done
kill -0 "$PX_PID" 2>/dev/null || fail "clicking the Time label ended the program"
[[ $(bot_count Boxes) -lt 100 ]] || fail "Backspace after the label click was not handled"
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"

# No English folder: the program runs from its own folder with two other languages
# and chooses the first by name, letter case ignored.
english="$(dirname "$E2E_BIN")/English"
alone="$E2E_TMP/alone"
mkdir -p "$alone"
cp "$E2E_BIN" "$alone/pointrix"
for name in svenska Deutsch; do
  cp -r "$english" "$alone/$name"
  mv "$alone/$name/English.txt" "$alone/$name/$name.txt"
done
rm -f "$hive"
E2E_BIN="$alone/pointrix" start_program
grep -q '^"Language"="Deutsch"' "$hive" || fail "Deutsch was not chosen: $(cat "$hive")"
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"

# No language folder at all: a message naming the folder, exit code 1.
rm -rf "$alone/svenska" "$alone/Deutsch"
rm -f "$hive"
(cd / && exec "$alone/pointrix") >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
PX_PID=$!
boxed=""
for _ in $(seq 1 100); do
  kill -0 "$PX_PID" 2>/dev/null || break
  # Where an error box can be shown it waits for the user: answer it as a user would.
  if box=$(xdotool search --name '^Pointrix$' 2>/dev/null | head -n 1) && [[ -n "$box" ]]; then
    boxed=yes
    import -window "$box" "$E2E_OUT/no-language-box.png" 2>/dev/null || true
    xdotool key --window "$box" Return 2>/dev/null || true
    "${E2E_XCLOSE:?path to xclose}" "$box" 2>/dev/null || true
  fi
  sleep 0.1
done
wait_exit 5
[[ "$PX_STATUS" == 1 ]] || fail "no language folder: exit code $PX_STATUS, not 1"
if grep -q "No language folder was found in .*$alone" "$E2E_TMP/stderr"; then
  :
elif [[ -n "$boxed" ]]; then
  echo "note: the message was shown in a box only"
else
  fail "no message naming $alone: $(cat "$E2E_TMP/stderr")"
fi
echo "PASS: first steps"
