#!/usr/bin/env bash
# Builds the Debian package with CPack, checks it (control fields, apt's view of its
# dependencies, lintian), unpacks it into a temporary root and checks that the menu
# entry, the icons, the software-centre entry and the manual page are where the
# desktop looks for them. Then the unpacked program is started from another folder
# under a private Xvfb: it must find its English pages in <prefix>/share/pointrix/
# languages and look exactly like the build folder's program. Window screenshots of
# four pages are kept in $E2E_OUT/screenshots (the copies in docs/screenshots/ come
# from there).
set -euo pipefail
build_dir=${PX_BUILD_DIR:?build folder}
build_bin=${PX_BUILD_BIN:?path to the built pointrix}
version=${PX_VERSION:?project version}
app_id=${PX_APP_ID:?desktop id}
E2E_BIN=unpacked-later
source "$(dirname "$0")/../e2e/lib.sh"

pkg="$E2E_TMP/pkg"
root="$E2E_TMP/root"
E2E_BIN="$root/usr/bin/pointrix"

# --- The package.
cpack -G DEB -B "$pkg" --config "$build_dir/CPackConfig.cmake" >"$E2E_TMP/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$E2E_TMP/cpack.log")"
debs=("$pkg"/pointrix_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one pointrix_*.deb, found: ${debs[*]}"
deb=${debs[0]}
cp "$deb" "$E2E_OUT/"
[[ $(basename "$deb") == "pointrix_${version}_$(dpkg --print-architecture).deb" ]] || fail "package file named $(basename "$deb")"

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == pointrix && $(field Version) == "$version" ]] || fail "control: $(dpkg-deb -f "$deb")"
depends=$(field Depends)
# dpkg-shlibdeps found the shared libraries; the fonts are inside the program.
for lib in libc6 libstdc++6 libsdl2-2.0-0 libfreetype6; do
  [[ ",$depends" == *", $lib "* || ",$depends" == *",$lib "* ]] || fail "Depends lacks $lib: $depends"
done
[[ $depends != *fonts-* ]] || fail "Depends names a font package although the fonts are built in: $depends"

# apt accepts it as it stands (a simulation: nothing is installed).
apt-get install -s "$deb" >"$E2E_TMP/apt.log" 2>&1 || fail "apt-get install -s: $(cat "$E2E_TMP/apt.log")"
grep -q '^Inst pointrix ' "$E2E_TMP/apt.log" || fail "apt would not install it: $(cat "$E2E_TMP/apt.log")"

# lintian: no errors; warnings are listed.
set +e
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" >"$E2E_OUT/lintian.txt" 2>&1
lintian_status=$?
set -e
cat "$E2E_OUT/lintian.txt"
((lintian_status == 0)) || fail "lintian found errors (exit $lintian_status)"

# --- Unpacked: everything where the desktop looks for it.
dpkg -x "$deb" "$root"
[[ -x "$root/usr/bin/pointrix" ]] || fail "no /usr/bin/pointrix"
[[ -f "$root/usr/share/pointrix/languages/English/English.txt" ]] || fail "no English language folder in /usr/share/pointrix/languages"
[[ ! -e "$root/usr/bin/English" ]] || fail "a language folder beside /usr/bin/pointrix"
entry="$root/usr/share/applications/$app_id.desktop"
[[ -f $entry ]] || fail "no menu entry $entry"
desktop-file-validate "$entry" || fail "installed menu entry does not validate"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x "$root/usr/bin/$exec_name" ]] || fail "the menu entry starts '$exec_name', which is not in /usr/bin"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [[ -f $png ]] || fail "no ${size} px icon at ${png#"$root"}"
  [[ $(identify -format '%wx%h' "$png") == "${size}x${size}" ]] || fail "${png#"$root"} is $(identify -format '%wx%h' "$png")"
done
[[ -f "$root/usr/share/metainfo/$app_id.metainfo.xml" ]] || fail "no software-centre entry"
appstreamcli validate-tree --no-net "$root/usr" || fail "appstreamcli validate-tree failed"
man_page="$root/usr/share/man/man6/pointrix.6.gz"
[[ -f $man_page ]] || fail "no manual page"
zcat "$man_page" | groff -man -ww -z 2>"$E2E_TMP/man.log" && [[ ! -s "$E2E_TMP/man.log" ]] ||
  fail "manual page: $(cat "$E2E_TMP/man.log")"
[[ -f "$root/usr/share/doc/pointrix/copyright" ]] || fail "no copyright file"
[[ $(cd / && "$E2E_BIN" --version) == "Pointrix $version" ]] || fail "installed --version: $(cd / && "$E2E_BIN" --version)"

# --- Started under Xvfb from another folder, with no languages of the user's own.
export XDG_DATA_HOME="$E2E_TMP/xdg-data"
mkdir -p "$XDG_DATA_HOME"
start_xvfb
xdotool mousemove 0 0

window_shot() { import -window "$PX_WIN" "$1"; }
# wait_for_change <before.png> <after.png>: shoots the window until it differs from before.
wait_for_change() {
  for _ in $(seq 1 100); do
    window_shot "$2"
    cmp -s "$1" "$2" || return 0
    sleep 0.1
  done
  fail "the window did not change within 10 s"
}

# The build folder's program, for reference: a first start shows the Configure page.
installed_bin=$E2E_BIN
E2E_BIN=$build_bin
export POINTRIX_REGISTRY_DIR="$E2E_TMP/registry-build"
start_program
window_shot "$E2E_OUT/build-first-start.png"
xdotool key Escape
wait_exit 5

E2E_BIN=$installed_bin
export POINTRIX_REGISTRY_DIR="$E2E_TMP/registry-installed"
start_program "$E2E_TMP"
hive="$POINTRIX_REGISTRY_DIR/HKEY_CURRENT_USER.reg"
grep -q '^"Language"="English"' "$hive" 2>/dev/null || fail "the installed program did not choose English: $(cat "$hive" 2>&1)"
mkdir -p "$E2E_OUT/screenshots"
shots="$E2E_OUT/screenshots"
window_shot "$shots/configure.png"
cmp -s "$shots/configure.png" "$E2E_OUT/build-first-start.png" ||
  fail "the installed program's first page differs from the build folder's (see $E2E_OUT)"

# Walk the pages; Holding is the fourth, Training 1 the seventh, Training 3 the eleventh.
declare -A keep=([4]=holding [7]=training1 [11]=training3)
previous="$shots/configure.png"
for page in $(seq 2 11); do
  xdotool key Return
  current="$E2E_TMP/page-$page.png"
  wait_for_change "$previous" "$current"
  [[ -n ${keep[$page]:-} ]] && cp "$current" "$shots/${keep[$page]}.png"
  previous=$current
done
xdotool key Escape
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"
echo "PASS: package $(basename "$deb")"
