#!/usr/bin/env bash
# Training 1 played by a small bot: Enter walks to the page, N starts a game, the
# bot finds live bugs in screenshots by the colours of the live ladybird and
# clicks them until the board is complete or the time is out; the score panel
# must show something else than before the game.
source "$(dirname "$0")/lib.sh"
BOT="/usr/bin/python3 $(dirname "$0")/games_bot.py"
start_xvfb
start_program
for _ in $(seq 1 6); do
  xdotool key Return
  sleep 0.2
done
# The score value: right-aligned to page x 598 on line 280, the page's client area
# starting at (4, 24).
score_area() { import -window "$PX_WIN" -crop 60x24+560+304 +repage "$E2E_OUT/$1.png"; }
sleep 0.3
shot training1-page
score_area score-before
[[ $($BOT count "$PX_WIN" GameOver) -lt 100 ]] || fail "GameOver picture shown before any game"
xdotool key n
sleep 0.3
$BOT bugs "$PX_WIN" "$E2E_OUT" || fail "the bot could not play Training 1"
score_area score-after
differing=$(compare -metric AE "$E2E_OUT/score-before.png" "$E2E_OUT/score-after.png" null: 2>&1 || true)
[[ "$differing" =~ ^[0-9]+$ && "$differing" -gt 20 ]] || fail "the score panel did not change ($differing pixels differ)"
kill -0 "$PX_PID" || fail "the program ended during the game"
xdotool key Escape 2>/dev/null || true  # the window may be gone before the key is released
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"
echo "PASS: training1"
