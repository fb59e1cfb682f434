#!/usr/bin/env bash
# A first start in the learner's own language: with LANG=de_DE.UTF-8 and nothing stored,
# the program opens on the German Configure page with "Deutsch" marked in the list
# (the window matches the golden image the scenario tests keep of that page) and stores
# "Deutsch". With a locale no folder declares, English is marked as before.
source "$(dirname "$0")/lib.sh"
start_xvfb
golden="$(dirname "$0")/../golden/page-01-configure-de.png"
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"
# The pointer rests outside the window, where it lights nothing up.
xdotool mousemove 0 0

LANG=de_DE.UTF-8 start_program
grep -q '^"Language"="Deutsch"' "$hive" || fail "Deutsch was not stored: $(cat "$hive")"
# The first frame is on screen; the window shows it once it is mapped and drawn.
for _ in $(seq 1 100); do
  import -window "$PX_WIN" "$E2E_OUT/de-first-start.png"
  diff=$(compare -metric AE "$E2E_OUT/de-first-start.png" "$golden" null: 2>&1 || true)
  [[ "$diff" == 0 ]] && break
  sleep 0.1
done
[[ "$diff" == 0 ]] || fail "the window differs from the German Configure page's golden image in $diff pixels (see $E2E_OUT)"
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"

# A locale that no language folder declares: English, as on any first start.
rm -rf "$POINTRIX_REGISTRY_DIR"
LANG=ja_JP.UTF-8 start_program
grep -q '^"Language"="English"' "$hive" || fail "English was not stored for ja_JP: $(cat "$hive")"
import -window "$PX_WIN" "$E2E_OUT/ja-first-start.png"
xdotool key Escape
wait_exit 5
echo "PASS: language of the locale"
