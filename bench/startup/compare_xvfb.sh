#!/usr/bin/env bash
# The real program against a bare SDL2 window of the same size, alternating runs on one
# private Xvfb: launch to a viewable window and to the first frame, RSS and threads
# after 2 s, CPU over 10 idle seconds (first 3 runs of each). Prints every run and a
# table of medians with the ratio.
#
#   bench/startup/compare_xvfb.sh [build folder] [runs]
set -euo pipefail

BUILD=$(cd "${1:-$(dirname "$0")/../../build}" && pwd)
RUNS=${2:-15}
for f in "$BUILD/bin/pointrix" "$BUILD/bench/startup/bench_bare_window" "$BUILD/bench/startup/bench_startup_compare"; do
  [[ -x "$f" ]] || { echo "missing $f (build pointrix, bench_bare_window, bench_startup_compare)" >&2; exit 1; }
done

source "$(dirname "$0")/private_xvfb.sh"
unset XDG_CONFIG_HOME
export TMPDIR="$TMP"
"$BUILD/bench/startup/bench_startup_compare" "$RUNS" "${IDLE_RUNS:-3}" 10 "$BUILD/bin/pointrix" "$BUILD/bench/startup/bench_bare_window"
