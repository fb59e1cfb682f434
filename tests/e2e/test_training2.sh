#!/usr/bin/env bash
# Training 2 played like a user: Enter walks to the page, N starts a game, the
# sixteen boxes are found in a screenshot by their colours and each is
# double-clicked with xdotool; then the "GameOver" picture must show.
source "$(dirname "$0")/lib.sh"
BOT="/usr/bin/python3 $(dirname "$0")/games_bot.py"
start_xvfb
start_program
for _ in $(seq 1 8); do
  xdotool key Return
  sleep 0.2
done
sleep 0.3
[[ $($BOT count "$PX_WIN" GameOver) -lt 100 ]] || fail "GameOver picture shown before any game"
xdotool key n
sleep 0.5
shot training2-start
$BOT boxes "$PX_WIN" "$E2E_OUT" || fail "sixteen double-clicks did not finish the game"
kill -0 "$PX_PID" || fail "the program ended during the game"
xdotool key Escape 2>/dev/null || true  # the window may be gone before the key is released
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"
echo "PASS: training2"
