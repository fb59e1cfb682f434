#!/usr/bin/env bash
# Builds the Windows program on Debian 12 and packs it as pointrix-windows.zip:
#
#   bash tools/windows/build.sh            # the program and the zip
#   bash tools/windows/build.sh --tests    # also the test programs (run by tests/windows/run.sh)
#
# Installs the 32-bit MinGW-w64 cross compiler, fetches Debian's own source packages
# of SDL2 and FreeType (adding a source entry for the archive the machine already
# uses), builds both as static libraries for i686-w64-mingw32 into
# build-windows-deps/ (once: a finished build there is kept), then cross-builds
# Pointrix into build-windows/. The result is one pointrix.exe that needs no DLL
# beside it, plus the language folders.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
tests=OFF
[[ "${1:-}" == "--tests" ]] && tests=ON
jobs=$(nproc)
deps=${POINTRIX_WINDOWS_DEPS:-$root/build-windows-deps}
build=${POINTRIX_WINDOWS_BUILD:-$root/build-windows}
host=i686-w64-mingw32
werror=OFF
[[ "${CI:-}" == "true" ]] && werror=ON

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
apt_get() { "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 "$@"; }

# -- Packages --------------------------------------------------------------------
packages=(g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
  dpkg-dev cmake ninja-build pkg-config python3 zip googletest
  fonts-wine fonts-dejavu-core libstb-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source packages come from the same archive and release as the machine's packages.
src_list=/etc/apt/sources.list.d/pointrix-windows-src.sources
have_src() { apt-cache showsrc libsdl2 2>/dev/null | grep -q '^Package: libsdl2'; }
need_update=0
((${#missing[@]})) && need_update=1
if [[ ! -f "$deps/sdl2.done" || ! -f "$deps/freetype.done" ]] && ! have_src; then
  # The Debian archive the machine installs from (not its security archive or others).
  uri=$( (cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true) |
    grep -oE '^(URIs:|deb) +https?://[^ ]+' | awk '{print $2}' | grep -E '/debian/?$' | head -n1 || true)
  [[ -n "$uri" ]] || uri=http://deb.debian.org/debian
  suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  echo "Adding a source entry: $uri $suite"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" "$suite" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  need_update=1
fi
if ((need_update)); then
  apt_get update -qq
fi
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# -- SDL2 and FreeType for the target (once) --------------------------------------
export PATH="/usr/lib/ccache:$PATH"
mkdir -p "$deps/src"
fetch_source() {  # name -> prints the unpacked folder
  local name=$1 dir
  dir=$(find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$name-*" | head -n1)
  if [[ -z "$dir" ]]; then
    (cd "$deps/src" && apt-get source -qq --download-only "$name" >/dev/null &&
      dpkg-source --no-check -x ./"${name}"_*.dsc >/dev/null)
    dir=$(find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$name-*" | head -n1)
  fi
  echo "$dir"
}

if [[ ! -f "$deps/sdl2.done" ]]; then
  echo "== SDL2 for $host"
  src=$(fetch_source libsdl2)
  rm -rf "$deps/build-sdl2" && mkdir -p "$deps/build-sdl2"
  (cd "$deps/build-sdl2" &&
    "$src/configure" --host=$host --prefix="$deps" --enable-static --disable-shared \
      --disable-video-vulkan --disable-render-d3d --disable-hidapi --quiet >configure.log &&
    make -j"$jobs" >make.log && make install >install.log) ||
    { echo "SDL2 build failed; see $deps/build-sdl2"; exit 1; }
  touch "$deps/sdl2.done"
fi

if [[ ! -f "$deps/freetype.done" ]]; then
  echo "== FreeType for $host"
  src=$(fetch_source freetype)
  rm -rf "$deps/build-freetype" && mkdir -p "$deps/build-freetype"
  (cd "$deps/build-freetype" &&
    "$src/configure" --host=$host --prefix="$deps" --enable-static --disable-shared \
      --without-zlib --without-bzip2 --without-png --without-harfbuzz --without-brotli \
      --quiet >configure.log &&
    make -j"$jobs" >make.log && make install >install.log) ||
    { echo "FreeType build failed; see $deps/build-freetype"; exit 1; }
  touch "$deps/freetype.done"
fi

# The header-only image decoder is the same for every target.
mkdir -p "$deps/include" && cp -r /usr/include/stb "$deps/include/"

if [[ "$tests" == ON && ! -f "$deps/googletest.done" ]]; then
  echo "== GoogleTest for $host"
  rm -rf "$deps/build-googletest"
  cmake -S /usr/src/googletest -B "$deps/build-googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-i686.cmake" -DPOINTRIX_WINDOWS_DEPS="$deps" \
    -DCMAKE_INSTALL_PREFIX="$deps" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$deps/build-googletest" -j "$jobs" --target install >/dev/null
  touch "$deps/googletest.done"
fi

# -- Pointrix ---------------------------------------------------------------------
echo "== Pointrix for $host"
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-$(command -v ccache || true)}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-$(command -v ccache || true)}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-i686.cmake" \
  -DPOINTRIX_WINDOWS_DEPS="$deps" -DPOINTRIX_TESTS=$tests -DPOINTRIX_BENCH=OFF \
  -DPOINTRIX_WERROR=$werror >/dev/null
cmake --build "$build" -j "$jobs"

# -- The zip ------------------------------------------------------------------------
stage="$build/zip/Pointrix"
rm -rf "$build/zip" && mkdir -p "$stage"
cp "$build/bin/pointrix.exe" "$stage/"
for folder in "$root"/languages/*/; do cp -r "$folder" "$stage/"; done
rm -f "$root/pointrix-windows.zip"
(cd "$build/zip" && zip -qr -X "$root/pointrix-windows.zip" Pointrix)
echo "Wrote $root/pointrix-windows.zip"
