#!/usr/bin/env bash
# The program starts no other program: traced from launch to its first frame and to
# Esc, the only execve is its own. No session bus is known, so nothing may start one.
source "$(dirname "$0")/lib.sh"
if ! command -v strace >/dev/null; then
  echo "SKIP: strace is not installed"
  exit 0
fi
start_xvfb
unset DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR

log="$E2E_TMP/stdout"
trace="$E2E_TMP/trace"
(cd "$(dirname "$E2E_BIN")" && exec strace -f -e trace=execve -o "$trace" "$E2E_BIN") >"$log" 2>"$E2E_TMP/stderr" &
PX_PID=$!
for _ in $(seq 1 400); do
  grep -q "pointrix: first frame" "$log" 2>/dev/null && break
  kill -0 "$PX_PID" 2>/dev/null || fail "program exited before its first frame"
  sleep 0.05
done
grep -q "pointrix: first frame" "$log" || fail "no first frame within 20 s"
xdotool search --name '^Pointrix$' >/dev/null || fail "no window found"
xdotool key Escape
wait_exit 10
[[ "$PX_STATUS" == 0 ]] || fail "Esc: exit code $PX_STATUS"
cp "$trace" "$E2E_OUT/execve.trace"
calls=$(grep -c 'execve(' "$trace" || true)
[[ "$calls" == 1 ]] || fail "$calls execve calls, not 1: $(grep 'execve(' "$trace")"
grep -q "execve(\"$E2E_BIN\"" "$trace" || fail "the one execve is not the program: $(cat "$trace")"
echo "PASS: no child process"
