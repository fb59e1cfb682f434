#!/usr/bin/env bash
# Installs 32-bit Wine (and what the Windows tests use beside it) on Debian 12 when
# missing: the i386 architecture is added for wine32.
set -euo pipefail
packages=(wine wine32:i386 xvfb xdotool x11-utils imagemagick python3-pil python3-numpy)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 update -qq
"${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
