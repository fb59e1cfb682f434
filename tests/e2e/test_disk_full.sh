#!/usr/bin/env bash
# The registry on a full disk and on a read-only one: the user changes the language and
# quits with Esc; the stored file stays byte for byte as it was, standard error carries one
# clear line, the exit code is 0, and the next start on a healthy disk works. Then two
# programs change the language at once on one registry: the file holds one of the two
# values, never a mix or a broken file.
# Mounting needs root (CI runs as root); without it the test reports a skip (code 77).
source "$(dirname "$0")/lib.sh"
hive_name=HKEY_CURRENT_USER.reg
healthy="$E2E_TMP/registry"
mounts=()
OTHER_PID=""
unmount_all() {
  [[ -n "$PX_PID" ]] && kill "$PX_PID" 2>/dev/null && wait "$PX_PID" 2>/dev/null
  [[ -n "$OTHER_PID" ]] && kill "$OTHER_PID" 2>/dev/null && wait "$OTHER_PID" 2>/dev/null
  PX_PID="" OTHER_PID=""
  local m
  for m in "${mounts[@]}"; do
    umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
  done
  mounts=()
}
trap 'unmount_all; cleanup' EXIT
set -E
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

skip() {
  echo "SKIP: $*"
  exit 77
}

probe="$E2E_TMP/probe"
mkdir -p "$probe"
mount -t tmpfs -o size=64k tmpfs "$probe" 2>/dev/null || skip "mounting a tmpfs is not permitted (needs root)"
umount "$probe"

start_xvfb

# The window's places: the first tab, and the language list's rows (23 pixels each;
# the rows used, Deutsch to Français, show whole: a click on the partly shown fifth row
# would scroll the list).
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
choose_language() {  # <window> <row>
  click "$1" 28 12
  click "$1" 210 $((285 + 23 * $2))
}

# The registry as the program writes it, holding the language given.
expected_hive() {
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n[HKEY_CURRENT_USER\\Software\\Quillaby Software]\n\n'
  # The setting holds the name as the list shows it, in the program's 8-bit text.
  printf '[HKEY_CURRENT_USER\\Software\\Quillaby Software\\Pointrix]\n"Language"="%s"\n' \
    "$(printf '%s' "$1" | iconv -f UTF-8 -t WINDOWS-1252)"
}

# A first start on a healthy disk stores English; the stored file the program wrote is
# the reference for the texts above.
export POINTRIX_REGISTRY_DIR="$healthy"
start_program
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "first start: exit code $PX_STATUS"
cmp -s "$healthy/$hive_name" <(expected_hive English) || fail "first start wrote: $(cat "$healthy/$hive_name")"
expected_hive Deutsch >"$E2E_TMP/old.reg"
old_sum=$(sha256sum <"$E2E_TMP/old.reg")

# change_and_quit <registry folder> <what>: the stored Deutsch is changed to English, then
# Esc; the file must be unchanged and the note one line.
change_and_quit() {
  local dir=$1 what=$2
  export POINTRIX_REGISTRY_DIR="$dir"
  start_program
  choose_language "$PX_WIN" 1
  xdotool key Escape
  wait_exit 5
  [[ "$PX_STATUS" == 0 ]] || fail "$what: exit code $PX_STATUS"
  [[ "$(sha256sum <"$dir/$hive_name")" == "$old_sum" ]] || fail "$what: the stored file changed: $(cat "$dir/$hive_name")"
  [[ $(wc -l <"$E2E_TMP/stderr") == 1 ]] || fail "$what: not one line on standard error"
  grep -q "^Pointrix: cannot write the registry file $dir/$hive_name (.*); changes are not saved\.$" \
    "$E2E_TMP/stderr" || fail "$what: unclear note: $(cat "$E2E_TMP/stderr")"
  echo "$what: $(cat "$E2E_TMP/stderr")"
}

# --- A full disk: a 64 KB tmpfs holding the file and a filler that takes the rest.
full="$E2E_TMP/full"
mkdir -p "$full"
mount -t tmpfs -o size=64k tmpfs "$full" || fail "cannot mount the small tmpfs"
mounts+=("$full")
cp "$E2E_TMP/old.reg" "$full/$hive_name"
: >"$full/$hive_name.lock"
dd if=/dev/zero of="$full/filler" bs=1024 2>/dev/null || true
[[ $(df --output=avail "$full" | tail -n 1) -eq 0 ]] || fail "the tmpfs is not full"
change_and_quit "$full" "full disk"
leftovers=$(ls -A "$full" | grep -v -x -e "$hive_name" -e "$hive_name.lock" -e filler || true)
[[ -z "$leftovers" ]] || fail "full disk: files left behind: $leftovers"

# --- A read-only disk: a read-only bind mount of a folder holding the file.
backing="$E2E_TMP/backing"
readonly_dir="$E2E_TMP/readonly"
mkdir -p "$backing" "$readonly_dir"
cp "$E2E_TMP/old.reg" "$backing/$hive_name"
mount --bind "$backing" "$readonly_dir" || fail "cannot bind-mount"
mounts+=("$readonly_dir")
mount -o remount,ro,bind "$readonly_dir" || fail "cannot make the bind mount read-only"
touch "$readonly_dir/probe" 2>/dev/null && fail "the bind mount is writable"
change_and_quit "$readonly_dir" "read-only disk"
unmount_all

# --- The next start on a healthy disk, from the file the full disk kept: it starts
# without a note, and the same change is now stored.
cp "$E2E_TMP/old.reg" "$healthy/$hive_name"
export POINTRIX_REGISTRY_DIR="$healthy"
start_program
choose_language "$PX_WIN" 1
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "healthy disk: exit code $PX_STATUS"
[[ ! -s "$E2E_TMP/stderr" ]] || fail "healthy disk: a note: $(cat "$E2E_TMP/stderr")"
cmp -s "$healthy/$hive_name" <(expected_hive English) || fail "healthy disk: stored $(cat "$healthy/$hive_name")"

# --- Two programs on one registry change the language at once, a few rounds. Their
# windows are moved apart on the one screen so each gets its own clicks.
# launch <tag>: starts a copy with its own output files; sets LAUNCHED_PID and LAUNCHED_WIN.
launch() {
  local tag=$1
  (cd "$(dirname "$E2E_BIN")" && exec "$E2E_BIN") >"$E2E_TMP/out.$tag" 2>"$E2E_TMP/err.$tag" &
  LAUNCHED_PID=$!
  for _ in $(seq 1 200); do
    grep -q "pointrix: first frame" "$E2E_TMP/out.$tag" 2>/dev/null && break
    kill -0 "$LAUNCHED_PID" 2>/dev/null || fail "$tag ended before its first frame: $(cat "$E2E_TMP/err.$tag")"
    sleep 0.05
  done
  grep -q "pointrix: first frame" "$E2E_TMP/out.$tag" || fail "$tag: no first frame within 10 s"
  # Both windows carry the same name: look for this program's own (--all: pid and name).
  LAUNCHED_WIN=""
  for _ in $(seq 1 200); do
    LAUNCHED_WIN=$(xdotool search --all --pid "$LAUNCHED_PID" --name Pointrix 2>/dev/null | head -n 1 || true)
    [[ -n "$LAUNCHED_WIN" ]] && break
    sleep 0.05
  done
  [[ -n "$LAUNCHED_WIN" ]] || fail "$tag: no window found"
}

rounds=(1:3 3:1 0:2)  # rows chosen by the first and the second program
names=(Deutsch English Español Français Italiano)
for round in "${rounds[@]}"; do
  a=${round%:*} b=${round#*:}
  launch first
  PX_PID=$LAUNCHED_PID
  win_a=$LAUNCHED_WIN
  xdotool windowmove "$win_a" 0 0
  launch second
  OTHER_PID=$LAUNCHED_PID
  win_b=$LAUNCHED_WIN
  xdotool windowmove "$win_b" 392 315
  # One stream of clicks alternates between the two windows, so both programs write at
  # the same moments: each clicks its two languages back and forth, ending on its own.
  clicks=(mousemove --window "$win_a" 28 12 click 1 mousemove --window "$win_b" 28 12 click 1)
  for row_pair in "$b:$a" "$a:$b" "$b:$a" "$a:$b"; do
    clicks+=(mousemove --window "$win_a" 210 $((285 + 23 * ${row_pair%:*})) click 1)
    clicks+=(mousemove --window "$win_b" 210 $((285 + 23 * ${row_pair#*:})) click 1)
  done
  xdotool "${clicks[@]}"
  # Esc to each, its window given the keyboard focus first.
  xdotool windowfocus "$win_a" key Escape
  wait_exit 10
  [[ "$PX_STATUS" == 0 ]] || fail "two programs: the first ended with $PX_STATUS: $(cat "$E2E_TMP/err.first")"
  PX_PID=$OTHER_PID OTHER_PID=""
  xdotool windowfocus "$win_b" key Escape
  wait_exit 10
  [[ "$PX_STATUS" == 0 ]] || fail "two programs: the second ended with $PX_STATUS: $(cat "$E2E_TMP/err.second")"
  file="$healthy/$hive_name"
  if cmp -s "$file" <(expected_hive "${names[$a]}"); then
    kept=${names[$a]}
  elif cmp -s "$file" <(expected_hive "${names[$b]}"); then
    kept=${names[$b]}
  else
    fail "two programs (${names[$a]}, ${names[$b]}): the file holds $(cat "$file")"
  fi
  for tag in first second; do
    grep -v "locked by another program" "$E2E_TMP/err.$tag" | grep -q . &&
      fail "two programs: the $tag wrote: $(cat "$E2E_TMP/err.$tag")"
  done
  echo "two programs chose ${names[$a]} and ${names[$b]}: $kept kept"
  ls "$healthy" | grep -q -v -x -e "$hive_name" -e "$hive_name.lock" && fail "files left behind: $(ls "$healthy")"
done

# The program reads what they left: it starts on the Intro page (a stored language)
# without a note.
start_program
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 && ! -s "$E2E_TMP/stderr" ]] || fail "start after two programs: $PX_STATUS"
cmp -s "$healthy/$hive_name" <(expected_hive "$kept") || fail "the last start changed the file"
echo "PASS: disk full"
