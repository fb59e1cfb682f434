"""The Training 3 jigsaw: one 300 x 136 picture (Sprite10) and its nine pieces.

Piece i (file Piece<i+1>.bmp) has the size and the place in the frame that the
game expects (PIECES below: offset from the frame's top-left corner, width,
height). The pieces' rectangles overlap; each frame pixel belongs to exactly one
piece, and the pixels of a piece's rectangle that belong to other pieces are pure
red, the sprites' transparent colour. All files are 16-bit (x-5-5-5) BI_RGB
bitmaps; no picture pixel is pure red.

The cut: hand-placed core boxes tile the frame (CORES); their seams are displaced
by a gentle wave so no cut is ruler-straight; then on each seam with room in the
rectangles' overlap one piece gets a round knob on a neck reaching into its
neighbour (KNOBS), like a jigsaw tab. The generator asserts that every piece stays
inside its rectangle and in one part, and, after writing, that the pieces' opaque
pixels tile the frame exactly.
"""

import math
import os
import sys

import numpy as np

import pxart as px

FW, FH = 300, 136
# (left, top) offset from the frame and (width, height), by piece index.
PIECES = [
    ((0, 0), (73, 74)), ((57, 0), (116, 62)), ((162, 0), (138, 48)),
    ((147, 13), (73, 84)), ((0, 68), (70, 68)), ((57, 48), (63, 88)),
    ((116, 47), (92, 89)), ((173, 32), (89, 104)), ((235, 39), (65, 97)),
]
RED555 = 0x7C00


# ---------------------------------------------------------------------------
# The cut.
#
# CORES tiles the frame with axis-aligned boxes (left, top, right, bottom;
# exclusive ends), each inside its piece's rectangle. The seams sit near one
# rectangle's edge so that the other piece has room for a deep knob: KNOBS lists
# (piece with the knob, piece with the socket, seam point x, y, direction, depth).

CORES = {
    0: [(0, 0, 60, 70)],
    1: [(60, 0, 118, 50), (118, 0, 150, 59), (150, 0, 167, 20)],
    2: [(167, 0, 300, 20), (205, 20, 300, 34), (240, 34, 300, 41)],
    3: [(150, 20, 205, 88)],
    4: [(0, 70, 67, 136)],
    5: [(60, 50, 118, 70), (67, 70, 118, 136)],
    6: [(118, 59, 150, 136), (150, 88, 178, 136)],
    7: [(205, 34, 240, 136), (178, 88, 205, 136)],
    8: [(240, 41, 300, 136)],
}

KNOBS = [
    (0, 1, 60, 25, (1, 0), 12.5),
    (5, 4, 67, 103, (-1, 0), 9.5),
    (1, 5, 89, 50, (0, 1), 11.5),
    (6, 1, 134, 59, (0, -1), 11.5),
    (1, 3, 150, 40, (1, 0), 13.5),
    (2, 3, 186, 20, (0, 1), 13.5),
    (3, 7, 205, 64, (1, 0), 13.5),
    (6, 3, 164, 88, (0, -1), 13.0),
    (2, 7, 225, 34, (0, 1), 13.0),
    (6, 7, 178, 113, (1, 0), 13.0),
    (7, 8, 240, 88, (1, 0), 13.0),
]


def _rects():
    ys, xs = np.mgrid[0:FH, 0:FW]
    inside = []
    for (x, y), (w, h) in PIECES:
        inside.append((xs >= x) & (xs < x + w) & (ys >= y) & (ys < y + h))
    return xs, ys, inside


def base_cut():
    """The cores, with every seam displaced by a gentle wave so no cut is ruler-straight."""
    xs, ys, inside = _rects()
    core = np.full((FH, FW), -1)
    for i, boxes in CORES.items():
        for x0, y0, x1, y1 in boxes:
            assert (core[y0:y1, x0:x1] == -1).all(), "cores overlap at piece %d" % i
            core[y0:y1, x0:x1] = i
    assert (core >= 0).all(), "cores leave gaps"
    dx = 2.0 * np.sin(ys / 7.5 + 0.7)
    dy = 2.0 * np.sin(xs / 8.5 + 1.9)
    sx = np.clip(np.round(xs + dx).astype(int), 0, FW - 1)
    sy = np.clip(np.round(ys + dy).astype(int), 0, FH - 1)
    moved = core[sy, sx]
    ok = np.zeros((FH, FW), bool)
    for i in range(9):
        ok |= (moved == i) & inside[i]
    label = np.where(ok, moved, core)
    return label, inside


def add_knobs(label, inside):
    """Grows each knob (a round head on a neck) out of its piece into the neighbour."""
    xs, ys, _ = _rects()
    cx_, cy_ = xs + 0.5, ys + 0.5
    for src, dst, bx, by, (nx, ny), depth in KNOBS:
        r = 0.54 * depth
        cx, cy = bx + nx * (depth - r), by + ny * (depth - r)
        head = np.hypot(cx_ - cx, cy_ - cy) <= r
        neck_w = 0.56 * r
        if nx:
            lo, hi = sorted((bx - nx * 3.0, cx))
            neck = (cx_ >= lo) & (cx_ <= hi) & (np.abs(cy_ - cy) <= neck_w)
        else:
            lo, hi = sorted((by - ny * 3.0, cy))
            neck = (cy_ >= lo) & (cy_ <= hi) & (np.abs(cx_ - cx) <= neck_w)
        m = head | neck
        assert not (m & ~inside[src]).any(), "knob of piece %d leaves its rectangle" % src
        label[m & ((label == dst) | (label == src))] = src
        assert not (m & (label != src)).any(), "knob of piece %d runs into a third piece" % src
    return label, KNOBS


def _component_list(mask):
    """The 4-connected components of a boolean mask, as lists of (y, x)."""
    seen = np.zeros_like(mask)
    comps = []
    h, w = mask.shape
    for y0, x0 in zip(*np.nonzero(mask)):
        if seen[y0, x0]:
            continue
        stack = [(y0, x0)]
        seen[y0, x0] = True
        comp = []
        while stack:
            y, x = stack.pop()
            comp.append((y, x))
            for yy, xx in ((y + 1, x), (y - 1, x), (y, x + 1), (y, x - 1)):
                if 0 <= yy < h and 0 <= xx < w and mask[yy, xx] and not seen[yy, xx]:
                    seen[yy, xx] = True
                    stack.append((yy, xx))
        comps.append(comp)
    return comps


def _components(mask):
    return len(_component_list(mask))


def drop_crumbs(label, inside):
    """Gives stray bits a knob cut off from their piece to a neighbour that may hold them."""
    for _ in range(3):
        changed = False
        for i in range(9):
            comps = sorted(_component_list(label == i), key=len, reverse=True)
            for comp in comps[1:]:
                assert len(comp) < 40, "piece %d falls apart" % i
                for y, x in comp:
                    votes = {}
                    for yy, xx in ((y + 1, x), (y - 1, x), (y, x + 1), (y, x - 1)):
                        if 0 <= yy < FH and 0 <= xx < FW:
                            j = label[yy, xx]
                            if j != i and inside[j][y, x]:
                                votes[j] = votes.get(j, 0) + 1
                    if votes:
                        label[y, x] = max(sorted(votes), key=lambda j: votes[j])
                        changed = True
        if not changed:
            break
    return label


def make_cut():
    label, inside = base_cut()
    label, knobs = add_knobs(label, inside)
    label = drop_crumbs(label, inside)
    for i in range(9):
        m = label == i
        assert not (m & ~inside[i]).any(), "piece %d leaves its rectangle" % i
        assert _components(m) == 1, "piece %d is not in one part" % i
    return label, knobs


# ---------------------------------------------------------------------------
# The picture: a sunny meadow under a rainbow.


def paint_scene(c):
    W, H = FW, FH
    c.paint(c.X * 0 - 1, px.linear(c, 0, 0, (88, 168, 244), 0, 100, (192, 230, 254)))
    # Sun with rays and a smile.
    sx, sy = 38, 34
    for k in range(12):
        a = k * math.pi / 6 + 0.13
        tip = (sx + 30 * math.cos(a), sy + 30 * math.sin(a))
        l = (sx + 19 * math.cos(a - 0.2), sy + 19 * math.sin(a - 0.2))
        r = (sx + 19 * math.cos(a + 0.2), sy + 19 * math.sin(a + 0.2))
        c.paint(px.polygon(c, [l, tip, r]), (255, 222, 90))
    c.paint(px.circle(c, sx, sy, 19.5), (236, 150, 20))
    c.paint(px.circle(c, sx, sy, 18.3), px.radial(c, sx - 6, sy - 7, 28, (255, 250, 170), (255, 196, 30)))
    for side in (-1, 1):
        c.paint(px.ellipse(c, sx + side * 6, sy - 3, 2.0, 3.0), (110, 60, 10))
        c.paint(px.circle(c, sx + side * 6 - 0.6, sy - 4.2, 0.8), (255, 255, 255))
        c.paint(px.circle(c, sx + side * 10.5, sy + 3.5, 3.0), (255, 140, 90), alpha=0.55)
    c.paint(px.intersect(px.ring(px.circle(c, sx, sy + 1, 8.5), 2.0), (sy + 3) - c.Y), (110, 60, 10))
    # Rainbow.
    rx, ry = 205, 158
    bands = [(236, 54, 60), (250, 146, 40), (252, 218, 56), (96, 196, 84), (70, 136, 232), (150, 94, 206)]
    for k, col in enumerate(bands):
        c.paint(px.subtract(px.circle(c, rx, ry, 112 - k * 7), px.circle(c, rx, ry, 105 - k * 7)), col, alpha=0.92)
    # Clouds.
    for cx, cy, s in ((112, 26, 1.0), (262, 20, 0.85), (178, 66, 0.6)):
        blobs = [(-16, 4, 10), (-5, -4, 13), (9, -2, 11), (19, 5, 8), (0, 7, 10), (-20, 9, 6)]
        d = None
        for ox, oy, r in blobs:
            e = px.circle(c, cx + ox * s, cy + oy * s, r * s)
            d = e if d is None else px.union(d, e)
        c.paint(d - 0.8, (150, 180, 220))
        c.paint(d, px.linear(c, 0, cy - 14 * s, (255, 255, 255), 0, cy + 14 * s, (214, 228, 246)))
    # Hills.
    back = c.Y - (84 + 9 * np.sin(c.X / 38.0 + 0.6) + 5 * np.sin(c.X / 17.0))
    c.paint(-back, px.linear(c, 0, 74, (150, 214, 96), 0, 136, (96, 170, 70)))
    front = c.Y - (104 + 7 * np.sin(c.X / 29.0 + 2.0) + 3 * np.sin(c.X / 11.0))
    c.paint(-front + 0.6, (60, 130, 50))
    c.paint(-front, px.linear(c, 0, 96, (118, 198, 72), 0, 136, (58, 148, 52)))
    # A round tree on the back hill, right.
    tx, ty = 268, 70
    c.paint(px.rrect(c, tx - 3, ty, tx + 3, ty + 22, 1.5), (130, 84, 40))
    crown = px.union(px.circle(c, tx, ty - 8, 14), px.circle(c, tx - 10, ty, 10), px.circle(c, tx + 10, ty - 1, 10))
    c.paint(crown - 0.8, (30, 100, 40))
    c.paint(crown, px.radial(c, tx - 6, ty - 14, 30, (150, 220, 90), (40, 130, 50)))
    for ax, ay in ((-7, -10), (5, -13), (-2, -2), (8, 2), (-11, 3)):
        c.paint(px.circle(c, tx + ax, ty + ay, 2.2), (236, 54, 60))
        c.paint(px.circle(c, tx + ax - 0.6, ty + ay - 0.6, 0.8), (255, 200, 190))
    # A butterfly over the left hill.
    bx, by = 96, 74
    for side in (-1, 1):
        c.paint(px.ellipse(c, bx + side * 6, by - 4, 6.5, 5.0, side * 0.5), (120, 40, 140))
        c.paint(px.ellipse(c, bx + side * 6, by - 4, 5.2, 3.8, side * 0.5), (196, 110, 230))
        c.paint(px.ellipse(c, bx + side * 5, by + 3.5, 4.2, 3.4, -side * 0.6), (120, 40, 140))
        c.paint(px.ellipse(c, bx + side * 5, by + 3.5, 3.0, 2.3, -side * 0.6), (255, 170, 60))
        c.paint(px.circle(c, bx + side * 7, by - 5, 1.5), (255, 240, 250))
        c.paint(px.capsule(c, bx, by - 5, bx + side * 4, by - 11, 0.5), (60, 30, 50))
    c.paint(px.capsule(c, bx, by - 5, bx, by + 6, 1.3), (60, 30, 50))
    # Flowers in the grass.
    flowers = [(16, 122, (255, 120, 180)), (44, 112, (255, 226, 60)), (74, 126, (170, 120, 240)),
               (128, 118, (255, 255, 255)), (160, 128, (255, 150, 60)), (196, 116, (255, 120, 180)),
               (226, 128, (255, 226, 60)), (292, 118, (170, 120, 240)), (246, 104, (255, 255, 255))]
    for fx, fy, col in flowers:
        c.paint(px.capsule(c, fx, fy, fx + 1, fy + 14, 0.9), (40, 110, 40))
        c.paint(px.ellipse(c, fx + 4, fy + 8, 3.5, 1.6, 0.5), (70, 160, 60))
        d = None
        for k in range(5):
            a = -math.pi / 2 + k * 2 * math.pi / 5
            e = px.circle(c, fx + 3.6 * math.cos(a), fy + 3.6 * math.sin(a), 2.9)
            d = e if d is None else px.union(d, e)
        c.paint(d - 0.6, tuple(int(v * 0.6) for v in col))
        c.paint(d, col)
        c.paint(px.circle(c, fx, fy, 1.9), (250, 190, 30))
    # A little ladybird on the grass.
    lx, ly = 106, 120
    c.paint(px.circle(c, lx - 6, ly, 2.6), (30, 24, 30))
    c.paint(px.ellipse(c, lx, ly, 6.2, 5.0), (30, 24, 30))
    c.paint(px.ellipse(c, lx, ly, 5.4, 4.3), (226, 40, 40))
    c.paint(px.rrect(c, lx - 5, ly - 0.35, lx + 5.4, ly + 0.35, 0.2), (30, 24, 30))
    for ox, oy in ((-1.5, -2.2), (2.5, -2.0), (-1.2, 2.2), (2.8, 2.0)):
        c.paint(px.circle(c, lx + ox, ly + oy, 1.1), (30, 24, 30))


def picture_555():
    c = px.Canvas(FW, FH, ss=4)
    paint_scene(c)
    rgb, _ = c.over((255, 255, 255))
    words = px.rgb_to_555(rgb)
    # Pure red is the sprites' transparent colour: nudge any such pixel off it.
    words[words == RED555] = RED555 | (1 << 5)
    return words


def piece_words(words, label, i):
    """Piece i: its rectangle of the picture, bevelled at its own edges, red elsewhere."""
    (x, y), (w, h) = PIECES[i]
    mine = label == i
    rgb = px.expand_555(words).astype(np.float64)
    up = np.zeros_like(mine)
    up[1:] = mine[1:] & ~mine[:-1]
    left = np.zeros_like(mine)
    left[:, 1:] = mine[:, 1:] & ~mine[:, :-1]
    down = np.zeros_like(mine)
    down[:-1] = mine[:-1] & ~mine[1:]
    right = np.zeros_like(mine)
    right[:, :-1] = mine[:, :-1] & ~mine[:, 1:]
    # The frame's own border counts as an edge too.
    up[0] |= mine[0]
    left[:, 0] |= mine[:, 0]
    down[-1] |= mine[-1]
    right[:, -1] |= mine[:, -1]
    light = up | left
    dark = (down | right) & ~light
    rgb[light] = rgb[light] * 0.55 + 255 * 0.45
    rgb[dark] = rgb[dark] * 0.6
    out = px.rgb_to_555(np.clip(np.round(rgb), 0, 255).astype(np.uint8))
    out[out == RED555] = RED555 | (1 << 5)
    out[~mine] = RED555
    return np.ascontiguousarray(out[y:y + h, x:x + w])


def check_tiling(out_dir):
    """Reads the written pieces back and checks that their opaque pixels tile the frame."""
    import check_assets
    cover = np.zeros((FH, FW), int)
    for i, ((x, y), (w, h)) in enumerate(PIECES):
        info = check_assets.read_bmp(os.path.join(out_dir, "Piece%d.bmp" % (i + 1)))
        assert (info["width"], info["height"], info["bpp"]) == (w, h, 16), i
        opaque = info["words"] != RED555
        assert opaque.any(), i
        cover[y:y + h, x:x + w] += opaque
    assert cover.min() == 1 and cover.max() == 1, "pieces leave gaps or overlap"
    whole = check_assets.read_bmp(os.path.join(out_dir, "Sprite10.bmp"))
    assert (whole["words"] != RED555).all(), "the whole picture must have no transparent pixel"


def main(out_dir, preview_dir=None):
    label, knobs = make_cut()
    words = picture_555()
    px.write_bmp_555(os.path.join(out_dir, "Sprite10.bmp"), words)
    for i in range(9):
        px.write_bmp_555(os.path.join(out_dir, "Piece%d.bmp" % (i + 1)), piece_words(words, label, i))
    check_tiling(out_dir)
    if preview_dir:
        _preview(preview_dir, words, label)
    return knobs


def _preview(preview_dir, words, label):
    rgb = px.expand_555(words)
    px.save_preview(os.path.join(preview_dir, "Sprite10.png"), rgb, 3)
    cols = np.array([[230, 80, 80], [80, 170, 80], [80, 80, 230], [230, 200, 60], [200, 80, 200],
                     [60, 200, 200], [240, 150, 60], [150, 100, 60], [140, 140, 140]], np.uint8)
    px.save_preview(os.path.join(preview_dir, "cut.png"), cols[label], 3)
    # The pieces scattered on the page colour, as at the start of a game.
    canvas = np.zeros((260, 640, 3), np.uint8)
    canvas[:] = px.PAGE
    x = 5
    yrow = 5
    for i, ((_, _), (w, h)) in enumerate(PIECES):
        if x + w > 635:
            x, yrow = 5, yrow + 115
        pw = piece_words(words, label, i)
        prgb = px.expand_555(pw)
        m = pw != RED555
        canvas[yrow:yrow + h, x:x + w][m] = prgb[m]
        x += w + 8
    px.save_preview(os.path.join(preview_dir, "pieces.png"), canvas, 2)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path.insert(0, here)
    for k in main(os.path.join(here, "..", "..", "resources"), sys.argv[1] if len(sys.argv) > 1 else None):
        print("knob", k)
