# Shared helpers for the end-to-end tests: a private Xvfb, the program started
# with a temporary registry, waiting for its first frame, screenshots.
set -euo pipefail

E2E_BIN=${E2E_BIN:?path to the pointrix binary}
E2E_OUT=${E2E_OUT:-$(mktemp -d)}
mkdir -p "$E2E_OUT"
E2E_TMP=$(mktemp -d)
export POINTRIX_REGISTRY_DIR="$E2E_TMP/registry"
export SDL_AUDIODRIVER=dummy
export POINTRIX_REPORT_FRAME=1
unset XDG_CONFIG_HOME
# The desktop's scale decides the first zoom factor: none unless a test sets one.
unset GDK_SCALE
# The machine's own language settings and translations have no say: English unless a
# test sets a locale, and only the language folders the test puts in place.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
export XDG_DATA_HOME="$E2E_TMP/data"
PX_PID=""
XVFB_PID=""

fail() {
  echo "FAIL: $*" >&2
  if [[ -s "$E2E_TMP/stderr" ]]; then
    echo "--- the program's standard error:" >&2
    cat "$E2E_TMP/stderr" >&2
  fi
  exit 1
}

start_xvfb() {
  # Xvfb picks a free display itself (-displayfd), so tests running side by side never
  # share a server. -noreset: by default the server resets when its last client leaves,
  # and a program connecting during that reset is refused as if there were no display.
  local fdfile="$E2E_TMP/display"
  : >"$fdfile"
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 200); do
    if [[ -s "$fdfile" ]]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.05
  done
  fail "Xvfb did not start"
}

cleanup() {
  [[ -n "$PX_PID" ]] && kill "$PX_PID" 2>/dev/null || true
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$E2E_TMP"
}
trap cleanup EXIT

# start_program [dir]: starts the binary (from dir as current directory) and waits
# until it reports its first frame.
start_program() {
  local dir=${1:-$(dirname "$E2E_BIN")}
  local log="$E2E_TMP/stdout.$RANDOM"
  (cd "$dir" && exec "$E2E_BIN") >"$log" 2>"$E2E_TMP/stderr" &
  PX_PID=$!
  for _ in $(seq 1 200); do
    grep -q "pointrix: first frame" "$log" 2>/dev/null && break
    kill -0 "$PX_PID" 2>/dev/null || fail "program exited before its first frame: $(cat "$E2E_TMP/stderr")"
    sleep 0.05
  done
  grep -q "pointrix: first frame" "$log" || fail "no first frame within 10 s"
  PX_WIN=$(xdotool search --pid "$PX_PID" --name Pointrix | head -n 1)
  [[ -n "$PX_WIN" ]] || fail "no window found"
}

# wait_exit <seconds>: waits for the program to end and sets PX_STATUS.
wait_exit() {
  local t=$1
  for _ in $(seq 1 $((t * 20))); do
    kill -0 "$PX_PID" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$PX_PID" 2>/dev/null && fail "program still running after ${t} s"
  set +e
  wait "$PX_PID"
  PX_STATUS=$?
  set -e
  PX_PID=""
}

shot() { import -window root "$E2E_OUT/$1.png"; }
