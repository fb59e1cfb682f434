#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Pointrix needs to build, run and test,
# skipping those already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libfreetype-dev libstb-dev libx11-dev libxcb1-dev libdbus-1-dev
  fonts-wine fonts-dejavu-core
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-dev
  xvfb xdotool x11-utils imagemagick util-linux
  strace dbus-daemon weston clang-format
  python3 python3-pil python3-numpy
  hunspell hunspell-en-us hunspell-de-de hunspell-fr hunspell-es hunspell-it hunspell-nl hunspell-pt-br hunspell-sv
  dpkg-dev desktop-file-utils appstream lintian groff-base
)
if [[ "${1:-}" == "--run-only" ]]; then
  packages=(build-essential cmake ninja-build pkg-config libsdl2-dev libfreetype-dev libstb-dev libx11-dev libxcb1-dev libdbus-1-dev fonts-wine fonts-dejavu-core)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
