#!/usr/bin/env bash
# The Windows build under 32-bit Wine: the test programs built for Windows (after
# tools/windows/build.sh --tests), then the program itself on a private Xvfb.
#
#   bash tests/windows/run.sh
#
# Wine keeps its own registry and C: drive in a fresh prefix under build-windows/.
# Screenshots (the Windows program's first page beside the Linux program's, and the
# picture of their differences) are kept in build-windows/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=${POINTRIX_WINDOWS_BUILD:-$root/build-windows}
bash tools/windows/install-wine.sh

export WINEPREFIX="$build/wineprefix" WINEARCH=win32 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
export WINE=/usr/lib/wine/wine
rm -rf "$WINEPREFIX"
echo "== Wine's first start"
"$WINE" wineboot -i >/dev/null 2>&1
/usr/lib/wine/wineserver -w

if [[ -f "$build/tests/CTestTestfile.cmake" ]]; then
  echo "== Test programs under Wine"
  ctest --test-dir "$build" --output-on-failure -E '^e2e_'
fi

echo "== The program under Wine"
E2E_OUT="$build/artifacts" E2E_BIN="$build/bin/pointrix.exe" \
  E2E_LINUX_BIN="${POINTRIX_LINUX_BIN:-$root/build-test/bin/pointrix}" \
  bash tests/windows/test_wine_window.sh
