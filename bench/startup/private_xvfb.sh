# Sourced by the start-up benchmarks: a temporary folder ($TMP) and a private Xvfb that
# picks a free display itself, both removed when the script exits. Sets DISPLAY.
TMP=$(mktemp -d)
XVFB_PID=""
cleanup() {
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$TMP/display" >/dev/null 2>&1 &
XVFB_PID=$!
for _ in $(seq 1 200); do
  [[ -s "$TMP/display" ]] && break
  sleep 0.05
done
[[ -s "$TMP/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$TMP/display")"
