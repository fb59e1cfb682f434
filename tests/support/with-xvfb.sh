#!/usr/bin/env bash
# Runs a command against a private Xvfb of its own, so tests that need a real X
# server run on any machine and never share a server with tests beside them.
# Usage: with-xvfb.sh <program> [arguments...]
# The program sees DISPLAY (that server only), SDL_VIDEODRIVER=x11 and
# POINTRIX_REQUIRE_DISPLAY=1: a display it cannot use is a failure, not a skip.
# Fails when Xvfb is missing or does not start.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

command -v Xvfb >/dev/null || fail "Xvfb is not installed (tools/install-deps.sh installs it)"
tmp=$(mktemp -d)
xvfb_pid=""
cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts
# connections; reading it through a pipe waits for exactly that moment, and an
# Xvfb that dies first closes the pipe with nothing written.
mkfifo "$tmp/display"
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
read -r -t 60 display <"$tmp/display" || true
if [[ ! "$display" =~ ^[0-9]+$ ]]; then
  cat "$tmp/xvfb.log" >&2
  fail "Xvfb did not start"
fi

export DISPLAY=":$display"
export SDL_VIDEODRIVER=x11
export POINTRIX_REQUIRE_DISPLAY=1
status=0
"$@" || status=$?
exit "$status"
