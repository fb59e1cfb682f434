"""The Holding page pictures: a hand on a mouse, seen from above.

Holdingr shows a right hand (thumb on the mouse's left side, index finger on the
left button); Holdingl is its mirror image for a left-handed user, whose index
finger then rests on the right button, the primary one when the buttons are
swapped. The button under the index finger is tinted to show which one to press.
"""

import os
import sys

import numpy as np

import pxart as px

W, H = 168, 193

SKIN = (250, 200, 164)
SKIN_LINE = (168, 100, 72)
NAIL = (252, 214, 200)
MOUSE = (246, 247, 252)
MOUSE_LINE = (64, 70, 96)
PRIMARY = (255, 206, 70)

# Fingers as (base x, base y, tip x, tip y, base radius, tip radius).
FINGERS = [
    (116, 144, 127, 119, 6.4, 5.5),   # little
    (103, 133, 113, 95, 7.3, 6.5),    # ring
    (88, 128, 93, 81, 7.9, 7.1),      # middle
    (72, 130, 70, 85, 7.8, 7.0),      # index
    (64, 158, 46, 131, 8.8, 7.6),     # thumb
]


def mouse_shape(c):
    front = px.ellipse(c, 84, 96, 35, 62)
    back = px.ellipse(c, 84, 122, 41, 50)
    return px.smooth_union(front, back, 6)


def hand_shape(c):
    palm = px.ellipse(c, 92, 158, 37, 29, 0.2)
    wrist = px.capsule(c, 96, 168, 114, 225, 25)
    return px.smooth_union(palm, wrist, 10)


def finger(c, f):
    return px.capsule(c, *f)


def paint(c):
    m = mouse_shape(c)
    # Cable, curling up out of the picture.
    pts = [(84, 36), (84, 26), (91, 18), (91, 9), (83, 3), (81, -4)]
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        c.paint(px.capsule(c, ax, ay, bx, by, 3.0), MOUSE_LINE)
    for (ax, ay), (bx, by) in zip(pts, pts[1:]):
        c.paint(px.capsule(c, ax, ay, bx, by, 1.7), (150, 156, 176))
    # Shadow of the mouse, then the mouse body.
    c.paint(m - 0.5, (60, 50, 100), alpha=0.35, soft=6)
    c.paint(m - 1.6, MOUSE_LINE)
    c.paint(m, px.puffy(c, m, 16, MOUSE, shine=0.5))
    # Buttons: the front part is split down the middle; the primary one is tinted.
    split_y = 96
    left_btn = px.intersect(m + 2.2, c.Y - split_y, c.X - 83.0)
    c.paint(left_btn, px.linear(c, 56, 44, (255, 238, 150), 82, 96, PRIMARY))
    c.paint(px.intersect(m, px.rrect(c, 83.0, 40, 85.0, split_y, 0.5)), MOUSE_LINE)
    c.paint(px.intersect(m, px.ring(c.Y - split_y, 1.8)), MOUSE_LINE)
    # Scroll wheel.
    c.paint(px.rrect(c, 79.5, 52, 88.5, 74, 4), MOUSE_LINE)
    c.paint(px.rrect(c, 81, 53.5, 87, 72.5, 3), px.linear(c, 81, 0, (120, 126, 150), 87, 0, (210, 214, 230)))
    for y in range(56, 71, 3):
        c.paint(px.rrect(c, 81.2, y, 86.8, y + 0.9, 0.3), (96, 100, 126), alpha=0.7)
    # Soft shadow of the hand on the mouse.
    hand_all = hand_shape(c)
    for f in FINGERS:
        hand_all = px.union(hand_all, finger(c, f))
    c.paint(hand_all - 1, (40, 30, 60), alpha=0.3, soft=7)
    # The palm with its outline, then the fingers, then the palm again over the
    # finger roots so that the fingers grow out of it without seams.
    palm = hand_shape(c)
    c.paint(palm - 1.6, SKIN_LINE)
    c.paint(palm, px.puffy(c, palm, 26, SKIN))
    for f in FINGERS:
        d = finger(c, f)
        c.paint(d - 1.5, SKIN_LINE)
        c.paint(d, px.puffy(c, d, f[4] * 1.1, SKIN, shine=0.15))
        bx, by, tx, ty, rb, rt = f
        ux, uy = tx - bx, ty - by
        ln = (ux * ux + uy * uy) ** 0.5
        ux, uy = ux / ln, uy / ln
        # Nail near the tip.
        nx, ny = tx - ux * (rt * 0.55), ty - uy * (rt * 0.55)
        ang = np.arctan2(uy, ux)
        c.paint(px.ellipse(c, nx, ny, rt * 0.75, rt * 0.56, ang), (214, 150, 130))
        c.paint(px.ellipse(c, nx - ux * 0.4, ny - uy * 0.4, rt * 0.62, rt * 0.44, ang), NAIL)
        # A knuckle crease across the finger.
        kx, ky = bx + ux * ln * 0.55, by + uy * ln * 0.55
        px_, py_ = -uy, ux
        w = (rb + rt) * 0.28
        c.paint(px.capsule(c, kx - px_ * w, ky - py_ * w, kx + px_ * w, ky + py_ * w, 0.55), SKIN_LINE, alpha=0.55)
    roots = px.intersect(palm + 2.2, 128 - c.Y)
    c.paint(roots, px.puffy(c, palm, 26, SKIN))


def main(out_dir, preview_dir=None):
    c = px.Canvas(W, H, ss=4)
    paint(c)
    rgb, a = c.over(px.PAGE)
    pal, idx = px.quantize_keyed(rgb, a, 16, px.PAGE)
    assert idx[-1, 0] == 0 and idx[-1, -1] == 0, "bottom corners must be background"
    for name, pic in (("Holdingr", idx), ("Holdingl", idx[:, ::-1])):
        px.write_bmp_indexed(os.path.join(out_dir, name + ".bmp"), np.ascontiguousarray(pic), pal, 4)
        if preview_dir:
            px.save_preview(os.path.join(preview_dir, name + ".png"), px.indexed_to_rgb(pic, pal), 2)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(os.path.join(here, "..", "..", "resources"), sys.argv[1] if len(sys.argv) > 1 else None)
