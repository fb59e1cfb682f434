#!/usr/bin/env bash
# Training 3 played like a user: Enter walks to the page, N starts a game, each of
# the nine pieces is found in a screenshot by comparing the start places with the
# piece pictures, and dragged home with xdotool (press, move in steps, release).
# Afterwards the frame must show the whole picture.
source "$(dirname "$0")/lib.sh"
RESOURCES="$(cd "$(dirname "$0")/../../resources" && pwd)"
PY=/usr/bin/python3
BOT="$E2E_TMP/jigsaw_bot.py"

cat >"$BOT" <<'EOF'
"""Finds the jigsaw on the screen and drags its pieces home.

  jigsaw_bot.py frame <window> <resources> <out>    prints the frame's origin (window coordinates)
  jigsaw_bot.py whole <window> <resources> <fx> <fy>  prints the share of the whole picture shown
  jigsaw_bot.py play  <window> <resources> <fx> <fy> <out>  drags all nine pieces home
"""
import os
import subprocess
import sys
import time

import numpy as np
from PIL import Image

FRAME_ORIGIN = (150, 110)  # the frame's top-left on the surface
TARGETS = [(0, 0), (57, 0), (162, 0), (147, 13), (0, 68), (57, 48), (116, 47), (173, 32), (235, 39)]
STARTS = [(170, 10), (12, 10), (12, 250), (470, 130), (170, 250), (330, 250), (470, 250), (12, 130), (330, 10)]
TOLERANCE = 12  # per channel: 16-bit pictures may be widened to 24 bits differently


def picture(resources, name):
    """The picture's pixels and the mask of its opaque (not pure red) pixels."""
    image = np.array(Image.open(os.path.join(resources, name + ".bmp")).convert("RGB")).astype(np.int32)
    red = (image[:, :, 0] > 240) & (image[:, :, 1] < 16) & (image[:, :, 2] < 16)
    return image, ~red


def client_origin(window):
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True, check=True).stdout
    return (int(info.split("Absolute upper-left X:")[1].split()[0]),
            int(info.split("Absolute upper-left Y:")[1].split()[0]))


def grab(window, save=None):
    png = subprocess.run(["import", "-window", "root", "png:-"], capture_output=True, check=True).stdout
    path = "/tmp/jigsaw_bot_%d.png" % os.getpid()
    with open(path, "wb") as f:
        f.write(png)
    image = Image.open(path).convert("RGB")
    os.remove(path)
    ox, oy = client_origin(window)
    image = image.crop((ox, oy, ox + 632, oy + 453))
    if save:
        image.save(save)
    return np.array(image).astype(np.int32)


def match(screen, image, mask, x, y):
    """Share of the picture's opaque pixels that show at (x, y) of the screen."""
    h, w = mask.shape
    if x < 0 or y < 0 or y + h > screen.shape[0] or x + w > screen.shape[1]:
        return 0.0
    part = screen[y:y + h, x:x + w]
    close = (np.abs(part - image) <= TOLERANCE).all(axis=2)
    return float(close[mask].mean())


def find_frame(screen, image, mask):
    """Where the whole picture shows: a patch from its middle slid over the screen, then checked whole."""
    py, px = image.shape[0] // 2 - 10, image.shape[1] // 2 - 10
    patch = image[py:py + 20, px:px + 20]
    H, W = screen.shape[0] - 19, screen.shape[1] - 19
    ok = np.ones((H, W), dtype=bool)
    for dy in range(20):
        for dx in range(20):
            ok &= (np.abs(screen[dy:dy + H, dx:dx + W] - patch[dy, dx]) <= TOLERANCE).all(axis=2)
    for y, x in zip(*np.nonzero(ok)):
        fx, fy = int(x) - px, int(y) - py
        if match(screen, image, mask, fx, fy) > 0.98:
            return fx, fy
    return None


def drag(window, origin, a, b, steps=12):
    ox, oy = client_origin(window)
    run = lambda *args: subprocess.run(["xdotool"] + [str(v) for v in args], check=True)
    run("mousemove", ox + a[0], oy + a[1])
    time.sleep(0.1)
    run("mousedown", 1)
    time.sleep(0.1)
    for k in range(1, steps + 1):
        run("mousemove", ox + a[0] + (b[0] - a[0]) * k // steps, oy + a[1] + (b[1] - a[1]) * k // steps)
        time.sleep(0.03)
    time.sleep(0.1)
    run("mouseup", 1)
    time.sleep(0.3)


def main():
    mode, window, resources = sys.argv[1:4]
    whole, whole_mask = picture(resources, "Sprite10")
    if mode == "frame":
        found = find_frame(grab(window, os.path.join(sys.argv[4], "before-game.png")), whole, whole_mask)
        if not found:
            sys.exit("the whole picture is not on the screen")
        print("%d %d" % found)
        return
    fx, fy = int(sys.argv[4]), int(sys.argv[5])
    if mode == "whole":
        print("%.3f" % match(grab(window), whole, whole_mask, fx, fy))
        return
    out = sys.argv[6]
    surface = (fx - FRAME_ORIGIN[0], fy - FRAME_ORIGIN[1])
    screen = grab(window, os.path.join(out, "game-start.png"))
    for i in range(9):
        image, mask = picture(resources, "Piece%d" % (i + 1))
        scores = [match(screen, image, mask, surface[0] + sx, surface[1] + sy) for sx, sy in STARTS]
        best = int(np.argmax(scores))
        # A tall piece at an upper start place may be partly covered by a piece already home.
        if scores[best] < 0.9:
            sys.exit("piece %d not found at any start place (best %.2f)" % (i + 1, scores[best]))
        sx, sy = STARTS[best]
        h, w = mask.shape
        grip = (surface[0] + sx + w // 2, surface[1] + sy + h // 2)
        tx, ty = fx + TARGETS[i][0], fy + TARGETS[i][1]
        drag(window, surface, grip, (grip[0] + tx - surface[0] - sx, grip[1] + ty - surface[1] - sy))
        screen = grab(window, os.path.join(out, "after-piece-%d.png" % (i + 1)))
        if i == 8:
            break  # the ninth piece home is replaced by the whole picture, checked by the caller
        shown = match(screen, image, mask, tx, ty)
        if shown < 0.95:
            sys.exit("piece %d is not home after the drag (%.2f of it shows there)" % (i + 1, shown))
        print("piece %d home" % (i + 1), file=sys.stderr)


main()
EOF

start_xvfb
start_program
for _ in $(seq 1 10); do
  xdotool key Return
  sleep 0.2
done
sleep 0.5
frame=$($PY "$BOT" frame "$PX_WIN" "$RESOURCES" "$E2E_OUT") || fail "Training 3 page: $frame"
read -r fx fy <<<"$frame"
xdotool key n
sleep 0.5
shown=$($PY "$BOT" whole "$PX_WIN" "$RESOURCES" "$fx" "$fy")
/usr/bin/python3 -c "import sys; sys.exit(float('$shown') > 0.5)" || fail "the whole picture still shows after N ($shown)"
$PY "$BOT" play "$PX_WIN" "$RESOURCES" "$fx" "$fy" "$E2E_OUT" || fail "the pieces could not be dragged home"
sleep 0.3
shot complete
shown=$($PY "$BOT" whole "$PX_WIN" "$RESOURCES" "$fx" "$fy")
/usr/bin/python3 -c "import sys; sys.exit(float('$shown') < 0.99)" || fail "the whole picture does not show after the ninth piece ($shown)"
kill -0 "$PX_PID" || fail "the program ended during the game"
xdotool key Escape 2>/dev/null || true
wait_exit 5
[[ "$PX_STATUS" == 0 ]] || fail "exit code $PX_STATUS"
echo "PASS: training3"
