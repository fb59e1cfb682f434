"""Game pictures: Live, Dead, Flower, Box, Box2, GameOver and Panel.

Every picture stands on the page colour. Those the program draws transparently take
the bottom-left pixel's colour as the transparent one; so the page colour is palette
entry 0, fills the background and appears nowhere else, and the others simply show
the page colour around their shape.
"""

import math
import os
import sys

import numpy as np

import pxart as px

BLACK = (24, 20, 28)


def _finish(out_dir, preview_dir, name, canvas, ncolors, bpp, scale=4):
    rgb, a = canvas.over(px.PAGE)
    pal, idx = px.quantize_keyed(rgb, a, ncolors, px.PAGE)
    assert idx[-1, 0] == 0, name + ": bottom-left pixel must be the background"
    px.write_bmp_indexed(os.path.join(out_dir, name + ".bmp"), idx, pal, bpp)
    if preview_dir:
        px.save_preview(os.path.join(preview_dir, name + ".png"), px.indexed_to_rgb(idx, pal), scale)
    return pal, idx


# ---------------------------------------------------------------------------
# The ladybird.


def _shell_colour(c, cx, cy, rx, ry):
    return px.radial3(c, cx - rx * 0.4, cy - ry * 0.45, max(rx, ry) * 1.9,
                      (255, 150, 124), (236, 34, 34), (150, 8, 20), mid=0.45)


def _spots(c, cx, cy, sx, sy, spots, r):
    d = None
    for ux, uy, k in spots:
        e = px.ellipse(c, cx + ux * sx, cy + uy * sy, r * k * sx / max(sx, sy) * 1.0, r * k * sy / max(sx, sy))
        d = e if d is None else px.union(d, e)
    return d


LADY_SPOTS = [(-0.5, -0.42, 1.0), (0.5, -0.42, 1.0), (-0.62, 0.12, 1.05), (0.62, 0.12, 1.05),
              (-0.3, 0.55, 0.95), (0.3, 0.55, 0.95)]


def paint_ladybird(c, cx, cy, rx, ry, squashed=False):
    """A ladybird seen from above, head up; `squashed` gives the flattened, dizzy one."""
    head_y = cy - ry * 0.86
    leg_len = 1.25 if squashed else 1.0
    # Legs, three a side.
    for side in (-1, 1):
        for k, (ay, ang) in enumerate([(-0.45, -35), (0.0, 5), (0.45, 40)]):
            a = math.radians(ang if not squashed else ang * 0.6)
            x0, y0 = cx + side * rx * 0.7, cy + ay * ry
            L = rx * 0.55 * leg_len
            x1, y1 = x0 + side * L * math.cos(a), y0 + L * math.sin(a)
            x2, y2 = x1 + side * L * 0.35, y1 + (L * 0.45 if not squashed else L * 0.1)
            c.paint(px.union(px.capsule(c, x0, y0, x1, y1, 1.5), px.capsule(c, x1, y1, x2, y2, 1.3)), BLACK)
    # Antennae.
    if not squashed:
        for side in (-1, 1):
            x0, y0 = cx + side * 3, head_y - 5
            x1, y1 = cx + side * 9, head_y - 13
            c.paint(px.capsule(c, x0, y0, x1, y1, 1.0), BLACK)
            c.paint(px.circle(c, x1 + side * 0.8, y1 - 0.8, 2.2), BLACK)
    # Head.
    hr = rx * 0.5
    c.paint(px.ellipse(c, cx, head_y, hr, hr * 0.82), BLACK)
    # Soft shadow under the body.
    c.paint(px.ellipse(c, cx + 1.5, cy + 3, rx + 1, ry + 1), (60, 50, 90), alpha=0.35, soft=3)
    body = px.ellipse(c, cx, cy, rx, ry)
    c.paint(px.ellipse(c, cx, cy, rx + 1.3, ry + 1.3), BLACK)
    c.paint(body, _shell_colour(c, cx, cy, rx, ry))
    c.paint(px.intersect(_spots(c, cx, cy, rx, ry, LADY_SPOTS, 0.2 * max(rx, ry)), body), BLACK)
    # The seam between the wing cases and the shield behind the head.
    c.paint(px.intersect(px.rrect(c, cx - 0.8, cy - ry, cx + 0.8, cy + ry, 0.8), body), BLACK)
    c.paint(px.intersect(px.ellipse(c, cx, cy - ry * 0.98, rx * 0.55, ry * 0.3), body), BLACK)
    if squashed:
        # Cracks in the shell.
        for pts in ([(-0.35, -0.1), (-0.2, 0.05), (-0.28, 0.25)], [(0.4, -0.2), (0.25, -0.05), (0.38, 0.1)]):
            for (ax, ay), (bx, by) in zip(pts, pts[1:]):
                c.paint(px.capsule(c, cx + ax * rx, cy + ay * ry, cx + bx * rx, cy + by * ry, 0.7), (90, 10, 16))
    # Gloss on both wing cases.
    for side in (-1, 1):
        g = px.ellipse(c, cx + side * rx * 0.36, cy - ry * 0.6, rx * 0.16, ry * 0.09, side * 0.5)
        c.paint(g, (255, 236, 230), alpha=0.7)
    # Eyes.
    ey = head_y - hr * 0.2
    for side in (-1, 1):
        ex = cx + side * hr * 0.45
        if squashed:
            d = 2.4
            c.paint(px.union(px.capsule(c, ex - d, ey - d, ex + d, ey + d, 0.8),
                             px.capsule(c, ex - d, ey + d, ex + d, ey - d, 0.8)), (255, 255, 255))
        else:
            c.paint(px.circle(c, ex, ey, 3.6), (255, 255, 255))
            c.paint(px.circle(c, ex + side * 0.5, ey + 0.4, 1.8), BLACK)
            c.paint(px.circle(c, ex + side * 0.5 - 0.6, ey - 0.3, 0.6), (255, 255, 255))


def make_live(out_dir, preview_dir):
    c = px.Canvas(72, 72, ss=4)
    paint_ladybird(c, 36, 40, 20, 23)
    return _finish(out_dir, preview_dir, "Live", c, 16, 4)


def make_dead(out_dir, preview_dir):
    c = px.Canvas(72, 72, ss=4)
    # A pale "splat" behind the flattened bug.
    c.paint(px.star(c, 36, 40, 34, 22, points=9, angle=0.2), (255, 236, 130), alpha=0.9)
    paint_ladybird(c, 36, 42, 25, 17, squashed=True)
    # Dizzy stars above it.
    for sx, sy, r in ((17, 11, 5.5), (36, 6, 4.5), (55, 11, 5.5)):
        c.paint(px.star(c, sx, sy, r + 1.2, r * 0.45 + 0.8), (170, 110, 0))
        c.paint(px.star(c, sx, sy, r, r * 0.45), (255, 214, 40))
    return _finish(out_dir, preview_dir, "Dead", c, 16, 4)


# ---------------------------------------------------------------------------


def make_flower(out_dir, preview_dir):
    c = px.Canvas(100, 100, ss=4)
    cx, cy = 50, 50
    # Leaves peeking out behind the blossom.
    for ang in (math.radians(35), math.radians(145)):
        lx, ly = cx + 34 * math.cos(ang), cy + 34 * math.sin(ang)
        leaf = px.ellipse(c, lx, ly, 16, 7.5, ang)
        c.paint(leaf, (30, 110, 40))
        c.paint(px.ellipse(c, lx, ly, 14.5, 6.2, ang), px.linear(c, cx, cy, (120, 210, 90), lx, ly, (46, 150, 56)))
        c.paint(px.capsule(c, cx + 20 * math.cos(ang), cy + 20 * math.sin(ang),
                           cx + 46 * math.cos(ang), cy + 46 * math.sin(ang), 0.7), (36, 120, 46))
    # Petals: an outer ring of eight.
    petals = []
    for k in range(8):
        ang = k * math.pi / 4 + math.pi / 8
        px_, py_ = cx + 25 * math.cos(ang), cy + 25 * math.sin(ang)
        petals.append((px.ellipse(c, px_, py_, 19, 11.5, ang), ang))
    for d, ang in petals:
        c.paint(d, (196, 60, 120))
    for d, ang in petals:
        c.paint(d + 1.1, px.radial(c, cx, cy, 46, (255, 250, 252), (255, 118, 176), power=0.8))
        # A vein down the middle of the petal.
        c.paint(px.capsule(c, cx + 14 * math.cos(ang), cy + 14 * math.sin(ang),
                           cx + 34 * math.cos(ang), cy + 34 * math.sin(ang), 0.6), (240, 130, 180), alpha=0.8)
    # The centre, with a smile.
    c.paint(px.circle(c, cx, cy, 15), (190, 110, 0))
    c.paint(px.circle(c, cx, cy, 13.8), px.radial(c, cx - 4, cy - 5, 20, (255, 240, 120), (245, 170, 20)))
    for k in range(14):
        ang = k * 2 * math.pi / 14
        c.paint(px.circle(c, cx + 10.5 * math.cos(ang), cy + 10.5 * math.sin(ang), 1.0), (205, 120, 10), alpha=0.7)
    for side in (-1, 1):
        c.paint(px.ellipse(c, cx + side * 4.5, cy - 3, 1.8, 2.6), (70, 40, 20))
        c.paint(px.circle(c, cx + side * 4.5 - 0.5, cy - 4, 0.7), (255, 255, 255))
        c.paint(px.circle(c, cx + side * 8, cy + 2.5, 2.4), (255, 120, 90), alpha=0.55)
    smile = px.intersect(px.ring(px.circle(c, cx, cy + 0.5, 5.5), 1.5), (cy + 1.5) - c.Y)
    c.paint(smile, (70, 40, 20))
    return _finish(out_dir, preview_dir, "Flower", c, 256, 8, scale=3)


def paint_gift(c, body_top, body_bot, rim, ribbon, ribbon_dark):
    # Box body, lid, ribbon and bow in a 20 x 20 cell; the left column and the
    # bottom row stay background.
    c.paint(px.rrect(c, 2.0, 7.0, 18.0, 19.0, 1.5), rim)
    c.paint(px.rrect(c, 2.8, 7.8, 17.2, 18.2, 1.0), px.linear(c, 0, 8, body_top, 0, 18, body_bot))
    c.paint(px.rrect(c, 1.0, 5.0, 19.0, 9.4, 1.2), rim)
    c.paint(px.rrect(c, 1.8, 5.7, 18.2, 8.7, 0.8), px.linear(c, 0, 5.5, px.mix(body_top, (255, 255, 255), 0.35), 0, 9, body_top))
    c.paint(px.rrect(c, 8.6, 5.0, 11.4, 19.0, 0.3), ribbon)
    c.paint(px.rrect(c, 8.6, 9.4, 11.4, 10.4, 0.1), ribbon_dark, alpha=0.6)
    for side in (-1, 1):
        loop = px.ellipse(c, 10 + side * 3.6, 3.6, 3.6, 2.3, side * -0.45)
        c.paint(loop, ribbon_dark)
        c.paint(px.ellipse(c, 10 + side * 3.6, 3.6, 2.6, 1.4, side * -0.45), ribbon)
        c.paint(px.ellipse(c, 10 + side * 3.5, 3.8, 1.2, 0.6, side * -0.45), ribbon_dark)
    c.paint(px.circle(c, 10, 5.0, 1.7), ribbon_dark)
    c.paint(px.circle(c, 10, 4.7, 1.1), ribbon)
    # Glint.
    c.paint(px.rrect(c, 3.6, 10.5, 4.8, 14.5, 0.5), (255, 255, 255), alpha=0.45)


def make_boxes(out_dir, preview_dir):
    c = px.Canvas(20, 20, ss=8)
    paint_gift(c, (250, 96, 80), (196, 36, 40), (120, 20, 24), (255, 222, 60), (200, 140, 10))
    _finish(out_dir, preview_dir, "Box", c, 256, 8, scale=8)
    c = px.Canvas(20, 20, ss=8)
    paint_gift(c, (96, 160, 255), (40, 80, 200), (20, 36, 110), (255, 150, 210), (200, 70, 140))
    _finish(out_dir, preview_dir, "Box2", c, 256, 8, scale=8)


# ---------------------------------------------------------------------------


def make_gameover(out_dir, preview_dir):
    w, h = 374, 72
    c = px.Canvas(w, h, ss=4)
    x0, y0, x1, y1 = 6, 5, w - 7, h - 8
    r = (y1 - y0) / 2
    c.paint(px.rrect(c, x0 + 1, y0 + 3, x1 + 1, y1 + 3, r), (60, 50, 100), alpha=0.4, soft=3)
    c.paint(px.rrect(c, x0, y0, x1, y1, r), (150, 40, 70))
    c.paint(px.rrect(c, x0 + 2, y0 + 2, x1 - 2, y1 - 2, r - 2),
            px.linear(c, 0, y0, (255, 160, 80), 0, y1, (232, 60, 110)))
    c.paint(px.rrect(c, x0 + 14, y0 + 4, x1 - 14, (y0 + y1) / 2, 10), (255, 255, 255),
            alpha=np.clip(0.45 - (c.Y - y0) / 60.0, 0, 1))
    # Stars at both ends.
    for sx in (x0 + r, x1 - r):
        c.paint(px.star(c, sx, (y0 + y1) / 2 + 1, 19, 8.5), (150, 90, 0))
        c.paint(px.star(c, sx, (y0 + y1) / 2 + 1, 16.5, 7.2),
                px.radial(c, sx - 4, (y0 + y1) / 2 - 4, 22, (255, 250, 180), (255, 196, 20)))
    cy = (y0 + y1) / 2 + 1
    c.text("GAME OVER", px.FONT_BOLD, 38, w / 2 + 1.5, cy + 2, (110, 20, 50))
    c.text("GAME OVER", px.FONT_BOLD, 38, w / 2, cy, (255, 255, 255), outline=2, outline_color=(150, 36, 66))
    return _finish(out_dir, preview_dir, "GameOver", c, 256, 8, scale=2)


def make_panel(out_dir, preview_dir):
    w, h = 150, 200
    c = px.Canvas(w, h, ss=4)
    x0, y0, x1, y1 = 2, 2, w - 4, h - 5
    r = 16
    c.paint(px.rrect(c, x0 + 1.5, y0 + 3, x1 + 1.5, y1 + 3, r), (60, 50, 100), alpha=0.4, soft=3)
    c.paint(px.rrect(c, x0, y0, x1, y1, r), px.linear(c, 0, y0, (110, 150, 230), 0, y1, (60, 90, 190)))
    c.paint(px.rrect(c, x0 + 4, y0 + 4, x1 - 4, y1 - 4, r - 4), (48, 70, 150))
    c.paint(px.rrect(c, x0 + 5, y0 + 5, x1 - 5, y1 - 5, r - 5),
            px.linear(c, 0, y0, (255, 254, 244), 0, y1, (240, 236, 214)))
    # A faint gloss on the rim and four little rivets.
    c.paint(px.intersect(px.ring(px.rrect(c, x0 + 2, y0 + 2, x1 - 2, y1 - 2, r - 2), 1.2), c.Y - (y0 + 30)),
            (255, 255, 255), alpha=0.5)
    for rx, ry in ((x0 + 12, y0 + 12), (x1 - 12, y0 + 12), (x0 + 12, y1 - 12), (x1 - 12, y1 - 12)):
        c.paint(px.circle(c, rx, ry, 2.2), (150, 160, 200))
        c.paint(px.circle(c, rx - 0.5, ry - 0.5, 1.0), (250, 250, 255))
    return _finish(out_dir, preview_dir, "Panel", c, 256, 8, scale=2)


def main(out_dir, preview_dir=None):
    make_live(out_dir, preview_dir)
    make_dead(out_dir, preview_dir)
    make_flower(out_dir, preview_dir)
    make_boxes(out_dir, preview_dir)
    make_gameover(out_dir, preview_dir)
    make_panel(out_dir, preview_dir)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(os.path.join(here, "..", "..", "resources"), sys.argv[1] if len(sys.argv) > 1 else None)
