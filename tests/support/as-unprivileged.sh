#!/usr/bin/env bash
# Runs a test program as an ordinary user, so file permissions bind it: they do not
# bind root, and tests of write-protected or unreadable files would have nothing to
# test. An ordinary user runs the program directly. Root drops to the user "nobody"
# (or $POINTRIX_UNPRIVILEGED_USER) with setpriv, and fails - never skips - when that
# is impossible.
# Usage: as-unprivileged.sh <program> [arguments...]
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

program=${1:?usage: as-unprivileged.sh <program> [arguments...]}
shift
if [[ $(id -u) -ne 0 ]]; then
  exec "$program" "$@"
fi

user=${POINTRIX_UNPRIVILEGED_USER:-nobody}
uid=$(id -u "$user" 2>/dev/null) || fail "no user '$user' to run the test as"
gid=$(id -g "$user")
[[ "$uid" -ne 0 ]] || fail "user '$user' is root"
command -v setpriv >/dev/null || fail "setpriv is not installed (util-linux)"
drop=(setpriv --reuid="$uid" --regid="$gid" --clear-groups)
[[ "$("${drop[@]}" id -u 2>&1)" == "$uid" ]] || fail "cannot drop privileges to '$user' with setpriv"

# A work folder the user owns: home, temporary files and, when the build tree is
# out of its reach (a checkout under /root, say), a copy of the program.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
mkdir "$tmp/home" "$tmp/tmp"
chown "$uid:$gid" "$tmp/home" "$tmp/tmp"
if ! "${drop[@]}" test -r "$program" -a -x "$program"; then
  cp "$program" "$tmp/"
  program="$tmp/$(basename "$program")"
  chmod 755 "$program"
  "${drop[@]}" test -x "$program" || fail "user '$user' cannot run $program"
fi

cd "$tmp/home"
status=0
HOME="$tmp/home" TMPDIR="$tmp/tmp" USER="$user" LOGNAME="$user" "${drop[@]}" "$program" "$@" || status=$?
exit "$status"
