#!/usr/bin/env bash
# First start shows the Configure page and stores the language; Enter walks
# through all thirteen pages (a screenshot of each is kept); a second start opens
# on the Intro page; started from another folder the program still works.
source "$(dirname "$0")/lib.sh"
start_xvfb
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"

start_program
shot first-start
[[ -f "$hive" ]] || fail "no registry file after the first start"
grep -q '^\[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix\]' "$hive" || fail "no Pointrix key: $(cat "$hive")"
grep -q '^"Language"="English"' "$hive" || fail "Language is not English: $(cat "$hive")"

# The Configure page shows the language list: its pixels differ from the Intro page's.
for page in $(seq 1 13); do
  shot "page-$page"
  xdotool key Return
  sleep 0.3
done
cmp -s "$E2E_OUT/page-1.png" "$E2E_OUT/page-2.png" && fail "Enter did not change the page"
shot after-wrap
cmp -s "$E2E_OUT/page-1.png" "$E2E_OUT/after-wrap.png" || echo "note: page after wrapping differs from the first (button states changed)"
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"

# Second start: the Intro page (not the Configure page of the first start).
start_program
shot second-start
cmp -s "$E2E_OUT/second-start.png" "$E2E_OUT/first-start.png" && fail "second start shows the Configure page again"
xdotool key Escape
wait_exit 5

# From another current folder the page files are still found: no error box, same picture.
start_program /
shot other-folder
cmp -s "$E2E_OUT/other-folder.png" "$E2E_OUT/second-start.png" || fail "started from / the window looks different"
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"
echo "PASS: pages"
