#!/usr/bin/env bash
# Another process holds the registry's lock (a second copy stuck in a write, a backup
# tool): the program still starts and shows its window, answers Esc, and the language it
# stores at its first start is written once the lock is free. With the lock held to the
# end it still ends, leaving the file alone.
source "$(dirname "$0")/lib.sh"
start_xvfb
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"
mkdir -p "$POINTRIX_REGISTRY_DIR"
HOLDER=""
trap 'cleanup; [[ -n "$HOLDER" ]] && kill "$HOLDER" 2>/dev/null || true' EXIT

# hold_lock: flock(1) holds the lock until its command ends, which waits on a FIFO.
hold_lock() {
  rm -f "$E2E_TMP/held" "$E2E_TMP/release"
  mkfifo "$E2E_TMP/release"
  flock "$hive.lock" -c "echo held >'$E2E_TMP/held'; read -r _ <'$E2E_TMP/release'" &
  HOLDER=$!
  for _ in $(seq 1 200); do
    [[ -s "$E2E_TMP/held" ]] && return 0
    sleep 0.05
  done
  fail "the lock was not taken"
}

release_lock() {
  echo go >"$E2E_TMP/release"
  wait "$HOLDER"
  HOLDER=""
}

# The lock is freed while the program runs: the kept change is written when it ends.
hold_lock
start_program
[[ ! -e "$hive" ]] || fail "the registry was written while another program held its lock"
release_lock
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "Esc: exit code $PX_STATUS"
grep -q '"Language"="English"' "$hive" || fail "the language was not stored: $(cat "$hive" 2>&1)"
notes=$(grep -c "locked by another program" "$E2E_TMP/stderr" || true)
[[ "$notes" == 1 ]] || fail "expected one note about the lock, saw $notes"

# The lock is held to the end: the program still ends and the file is left as it was.
rm -f "$hive"
hold_lock
start_program
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "Esc with the lock held: exit code $PX_STATUS"
[[ ! -e "$hive" ]] || fail "the registry was written while another program held its lock"
grep -q "changes are not saved" "$E2E_TMP/stderr" || fail "no note that the change was lost"
release_lock
echo "PASS: registry lock"
