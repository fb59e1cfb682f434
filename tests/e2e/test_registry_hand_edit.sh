#!/usr/bin/env bash
# A settings file edited by hand: lines the program cannot read (an unknown escape, a
# value without quotes) cost only those lines. The learner's language is read from the
# lines around them, each is reported once with its line number, and when the learner
# chooses another language they are written back exactly as they were.
source "$(dirname "$0")/lib.sh"
start_xvfb
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"
mkdir -p "$POINTRIX_REGISTRY_DIR"
bad_escape='"Path"="C:\temp\new"'
bad_value='"Teacher"=Anna'
{
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix]\n'
  printf '%s\n"Language"="Deutsch"\n%s\n' "$bad_escape" "$bad_value"
} >"$hive"

start_program
ls "$POINTRIX_REGISTRY_DIR" | grep -q corrupt && fail "the file was set aside: $(ls "$POINTRIX_REGISTRY_DIR")"
grep -q 'line 4' "$E2E_TMP/stderr" || fail "the unknown escape on line 4 was not reported: $(cat "$E2E_TMP/stderr")"
grep -q 'line 6' "$E2E_TMP/stderr" || fail "the value without quotes on line 6 was not reported"
grep -qF '"Language"="Deutsch"' "$hive" || fail "the stored language was lost: $(cat "$hive")"

# The learner chooses English (the list's second row) on the Configure page.
xdotool mousemove --window "$PX_WIN" 28 12 click 1
xdotool mousemove --window "$PX_WIN" 210 308 click 1
for _ in $(seq 1 100); do
  grep -qF '"Language"="English"' "$hive" && break
  sleep 0.05
done
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "Esc: exit code $PX_STATUS"
grep -qF '"Language"="English"' "$hive" || fail "the new language was not stored: $(cat "$hive")"
grep -qxF "$bad_escape" "$hive" || fail "the line with the unknown escape was not kept: $(cat "$hive")"
grep -qxF "$bad_value" "$hive" || fail "the value without quotes was not kept: $(cat "$hive")"
reports=$(grep -c 'line [46]' "$E2E_TMP/stderr" || true)
[[ "$reports" == 2 ]] || fail "each unreadable line is reported once, saw $reports reports"
echo "PASS: registry hand edit"
