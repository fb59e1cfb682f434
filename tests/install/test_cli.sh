#!/usr/bin/env bash
# --help and --version answer on standard output without a display; anything else
# is refused with one line on standard error and exit status 2.
set -uo pipefail
bin=${PX_BIN:?path to pointrix}
version=${PX_VERSION:?project version}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); }

# No display at all: a program that tried to open its window would fail or hang.
run() {
  (cd / && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen-none timeout 20 "$bin" "$@") \
    >"$tmp/out" 2>"$tmp/err"
  status=$?
}

for opt in --help -h; do
  run "$opt"
  [[ $status == 0 ]] || fail "$opt: exit $status"
  head -n 1 "$tmp/out" | grep -qx 'Usage: pointrix \[--help | --version\]' || fail "$opt: no usage line: $(cat "$tmp/out")"
  grep -q -- '--version' "$tmp/out" || fail "$opt: does not mention --version"
  [[ ! -s "$tmp/err" ]] || fail "$opt: wrote to standard error: $(cat "$tmp/err")"
done

for opt in --version -V; do
  run "$opt"
  [[ $status == 0 ]] || fail "$opt: exit $status"
  [[ "$(cat "$tmp/out")" == "Pointrix $version" ]] || fail "$opt: printed '$(cat "$tmp/out")', expected 'Pointrix $version'"
done

# Refusals: the offending argument named on one line, nothing on standard output.
check_refused() {
  local expect=$1
  shift
  run "$@"
  [[ $status == 2 ]] || fail "'$*': exit $status, expected 2"
  [[ ! -s "$tmp/out" ]] || fail "'$*': wrote to standard output"
  [[ $(wc -l <"$tmp/err") == 1 ]] || fail "'$*': expected one line on standard error, got: $(cat "$tmp/err")"
  grep -qF -- "$expect" "$tmp/err" || fail "'$*': message '$(cat "$tmp/err")' lacks \"$expect\""
}
check_refused "unknown option '--frobnicate'" --frobnicate
check_refused "unknown option '-x'" -x
check_refused "unexpected argument 'lesson.txt'" lesson.txt
check_refused "unexpected argument 'extra'" --help extra
check_refused "unknown option '--help'" --version --help

# An answer that cannot be written is not a success.
if [[ -w /dev/full ]]; then
  (cd / && env -u DISPLAY "$bin" --version >/dev/full 2>/dev/null)
  status=$?
  [[ $status != 0 ]] || fail "--version to a full device reported success"
fi

((fails == 0)) || exit 1
echo "PASS: command line"
