#!/usr/bin/python3
"""A small player for the end-to-end tests of the two clicking games.

It looks at screenshots of the program's window (taken with ImageMagick's
`import`), finds things by the colours of the program's own pictures in
resources/ and clicks them with xdotool, like a user with a mouse.

  games_bot.py bugs  <window-id> <out-dir>   Training 1: hit live bugs until the game ends
  games_bot.py boxes <window-id> <out-dir>   Training 2: double-click every box
  games_bot.py count <window-id> <name>      prints how many pixels of picture <name> show
                                             (GameOver, or Boxes: the Training 2 boxes)

Coordinates are window client coordinates; the client origin on the screen comes
from xwininfo. Exit status 0 on success; messages go to stderr.
"""

import os
import subprocess
import sys
import time

import numpy as np
from PIL import Image

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources")
TRANSPARENT = (200, 200, 225)  # the pictures' lower-left pixel, drawn transparent


def picture_colours(name, minimum=30, exclude=()):
    """The colours of a resource picture used by at least `minimum` pixels, minus others' colours."""
    image = Image.open(os.path.join(RESOURCES, name + ".bmp")).convert("RGB")
    counts = {}
    for c in image.getdata():
        counts[c] = counts.get(c, 0) + 1
    excluded = set()
    for other in exclude:
        excluded |= set(Image.open(os.path.join(RESOURCES, other + ".bmp")).convert("RGB").getdata())
    return [c for c, n in counts.items() if n >= minimum and c != TRANSPARENT and c not in excluded]


def client_origin(window):
    info = subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True, check=True).stdout
    x = int(info.split("Absolute upper-left X:")[1].split()[0])
    y = int(info.split("Absolute upper-left Y:")[1].split()[0])
    return x, y


def grab(window):
    png = subprocess.run(["import", "-window", window, "png:-"], capture_output=True, check=True).stdout
    path = "/tmp/games_bot_%d.png" % os.getpid()
    with open(path, "wb") as f:
        f.write(png)
    image = np.array(Image.open(path).convert("RGB")).astype(np.int32)
    os.remove(path)
    return image


def mask_of(image, colours):
    key = (image[:, :, 0] << 16) | (image[:, :, 1] << 8) | image[:, :, 2]
    wanted = np.array([(r << 16) | (g << 8) | b for r, g, b in colours], dtype=np.int32)
    return np.isin(key, wanted)


def clusters(mask, cell, minimum):
    """Centres of the connected groups of mask pixels, joined through cell x cell squares
    (so the spots and lines of a picture do not split it); groups smaller than minimum are dropped."""
    h, w = mask.shape
    ys, xs = np.nonzero(mask)
    cells = {}
    for x, y in zip(xs.tolist(), ys.tolist()):
        cells.setdefault((x // cell, y // cell), []).append((x, y))
    seen, centres = set(), []
    for start in cells:
        if start in seen:
            continue
        seen.add(start)
        stack, points = [start], []
        while stack:
            cx, cy = stack.pop()
            points += cells[(cx, cy)]
            for nx in (cx - 1, cx, cx + 1):
                for ny in (cy - 1, cy, cy + 1):
                    if (nx, ny) in cells and (nx, ny) not in seen:
                        seen.add((nx, ny))
                        stack.append((nx, ny))
        if len(points) >= minimum:
            centres.append((sum(p[0] for p in points) // len(points), sum(p[1] for p in points) // len(points)))
    return centres


def click(origin, point, repeat=1):
    x, y = origin[0] + point[0], origin[1] + point[1]
    command = ["xdotool", "mousemove", "--sync", str(x), str(y), "click"]
    if repeat > 1:
        command += ["--repeat", str(repeat), "--delay", "80"]
    subprocess.run(command + ["1"], check=True)


def game_over_pixels(image):
    return int(mask_of(image, GAME_OVER).sum())


# White is everywhere (the page texts' background); the rest of the picture's big colours are its own.
GAME_OVER = [c for c in picture_colours("GameOver", minimum=300, exclude=("Panel", "Newgame", "Live", "Dead", "Flower"))
             if c != (255, 255, 255)]


def play_bugs(window, out):
    # Reds of the live ladybird that the dead one (and the window's other pictures) lack.
    live = picture_colours("Live", minimum=100, exclude=("Dead", "Panel", "Newgame", "GameOver"))
    origin = client_origin(window)
    clicked, frames = 0, 0
    deadline = time.time() + 40  # a game lasts 20 s
    while time.time() < deadline:
        image = grab(window)
        frames += 1
        if game_over_pixels(image) > 1000:
            Image.fromarray(image.astype(np.uint8)).save(os.path.join(out, "bugs-end.png"))
            print("game over after %d frames, %d bugs clicked" % (frames, clicked), file=sys.stderr)
            return 0 if clicked > 0 else 1
        for point in clusters(mask_of(image, live), cell=8, minimum=150):
            click(origin, point)
            clicked += 1
            if clicked == 1:
                Image.fromarray(image.astype(np.uint8)).save(os.path.join(out, "bugs-first.png"))
    print("the game did not end within 40 s (%d bugs clicked)" % clicked, file=sys.stderr)
    return 1


def play_boxes(window, out):
    boxes = picture_colours("Box", minimum=8) + picture_colours("Box2", minimum=8)
    origin = client_origin(window)
    image = grab(window)
    centres = sorted(clusters(mask_of(image, boxes), cell=8, minimum=20), key=lambda p: (p[1] // 30, p[0]))
    if len(centres) != 16:
        Image.fromarray(image.astype(np.uint8)).save(os.path.join(out, "boxes-found.png"))
        print("found %d boxes, not 16: %s" % (len(centres), centres), file=sys.stderr)
        return 1
    for point in centres:
        click(origin, point, repeat=2)
        time.sleep(0.15)
    time.sleep(0.5)
    image = grab(window)
    Image.fromarray(image.astype(np.uint8)).save(os.path.join(out, "boxes-end.png"))
    shown = game_over_pixels(image)
    print("%d pixels of the GameOver picture after 16 double-clicks" % shown, file=sys.stderr)
    return 0 if shown > 1000 else 1


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    command, window, arg = sys.argv[1], sys.argv[2], sys.argv[3]
    if command == "bugs":
        return play_bugs(window, arg)
    if command == "boxes":
        return play_boxes(window, arg)
    if command == "count" and arg == "GameOver":
        print(game_over_pixels(grab(window)))
        return 0
    if command == "count" and arg == "Boxes":
        print(int(mask_of(grab(window), picture_colours("Box", minimum=8) + picture_colours("Box2", minimum=8)).sum()))
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
