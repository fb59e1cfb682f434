"""Glyph strips of the picture buttons: BackBtn, NextBtn, ExitBtn and Newgame.

A strip is a row of equal cells; the button takes its state images from them:
cell 0 hot (pointer over it), cell 1 pressed (also the latched state), cell 2 at
rest, cell 3 never shown, cell 4 (five-cell strips only) the disabled look. The
disabled image is made by the button itself by recolouring pure white to the
system highlight, 0x808080 to the system shadow and the transparent colour to the
button face, so the disabled cell is drawn in exactly those colours; on four-cell
strips the recolour applies to cell 0. The transparent colour is the bottom-left
pixel: the page colour the buttons stand on.
"""

import os
import sys

import numpy as np

import pxart as px

WHITE = (255, 255, 255)
GREY = (128, 128, 128)
# The toolkit's button-face colour; a face pixel of this colour would turn
# transparent in the disabled image, so it must never be used.
BTNFACE = (212, 208, 200)

HOT, DOWN, REST, UNUSED, DISABLED = range(5)

SCHEMES = {
    "blue": dict(top=(78, 128, 236), bottom=(28, 58, 168), rim=(18, 30, 96), hot=0.3),
    "green": dict(top=(62, 172, 92), bottom=(14, 92, 46), rim=(8, 52, 26), hot=0.16),
}


def _face_colours(scheme, state):
    s = SCHEMES[scheme]
    top, bottom, rim = np.array(s["top"], float), np.array(s["bottom"], float), s["rim"]
    if state == HOT:
        k = s["hot"]
        top, bottom = px.mix(top, (255, 255, 255), k), px.mix(bottom, (255, 255, 255), k * 0.6)
    elif state in (DOWN, UNUSED):
        top, bottom = top * 0.72, bottom * 0.70
    elif state == DISABLED:
        return (224, 224, 224), (184, 184, 184), GREY
    return tuple(top), tuple(bottom), rim


def paint_face(c, x0, y0, x1, y1, scheme, state):
    """A rounded, lit pill-shaped face with a soft shadow, gloss and rim."""
    if state in (DOWN, UNUSED):
        x0, y0, x1, y1 = x0 + 1, y0 + 1, x1 + 1, y1 + 1
    r = (y1 - y0) / 2.0
    top, bottom, rim = _face_colours(scheme, state)
    if state != DISABLED:
        drop = 1.0 if state in (DOWN, UNUSED) else 2.5
        c.paint(px.rrect(c, x0 + 0.5, y0 + drop, x1 + 0.5, y1 + drop, r), (70, 70, 110), alpha=0.45, soft=2.5)
    if state == HOT:
        c.paint(px.rrect(c, x0 - 1.2, y0 - 1.2, x1 + 1.2, y1 + 1.2, r + 1.2), (255, 226, 100), alpha=1.0, soft=3.0)
    body = px.rrect(c, x0, y0, x1, y1, r)
    c.paint(body, rim)
    inner = px.rrect(c, x0 + 1.4, y0 + 1.4, x1 - 1.4, y1 - 1.4, r - 1.4)
    c.paint(inner, px.linear(c, 0, y0, top, 0, y1, bottom))
    # Gloss: a light band over the upper half, fading downwards.
    gloss = px.rrect(c, x0 + 5, y0 + 2.6, x1 - 5, (y0 + y1) / 2.0 + 1, (y1 - y0) / 4.0)
    gloss_top = 0.55 if state == HOT else (0.25 if state in (DOWN, UNUSED) else 0.42)
    if state == DISABLED:
        # A pure-white rim light along the top (the recolour turns it into the
        # system highlight).
        c.paint(px.intersect(px.ring(inner, 2.2), c.Y - (y0 + r * 0.8)), WHITE)
    else:
        t = np.clip((c.Y - (y0 + 2.6)) / ((y1 - y0) / 2.0), 0, 1)
        c.paint(gloss, WHITE, alpha=gloss_top * (1 - t) + 0.02)


def paint_badge(c, cx, cy, kind, state, scheme):
    """A round badge carrying an arrow (back / next) or a cross (exit)."""
    if state in (DOWN, UNUSED):
        cx, cy = cx + 1, cy + 1
    rr = 10.5
    disabled = state == DISABLED
    if disabled:
        c.paint(px.circle(c, cx, cy, rr + 1.2), GREY)
        c.paint(px.circle(c, cx, cy, rr), WHITE)
        sym = GREY
    else:
        c.paint(px.circle(c, cx + 0.6, cy + 1.2, rr + 0.5), (0, 0, 40), alpha=0.35, soft=1.5)
        if kind == "exit":
            disc = px.radial(c, cx - 3, cy - 4, rr * 1.7, (255, 150, 140), (206, 40, 48))
            c.paint(px.circle(c, cx, cy, rr + 1.0), (120, 20, 30))
            c.paint(px.circle(c, cx, cy, rr), disc)
            sym = (255, 250, 240)
        else:
            hi = (255, 255, 246) if state == HOT else (252, 248, 230)
            disc = px.radial(c, cx - 3, cy - 4, rr * 1.7, hi, (255, 204, 64))
            c.paint(px.circle(c, cx, cy, rr + 1.0), (150, 96, 10))
            c.paint(px.circle(c, cx, cy, rr), disc)
            sym = SCHEMES[scheme]["bottom"]
    if kind in ("back", "next"):
        s = -1 if kind == "back" else 1
        shaft = px.capsule(c, cx - 4.5 * s, cy, cx + 2.5 * s, cy, 1.9)
        head1 = px.capsule(c, cx + 4.6 * s, cy, cx + 0.4 * s, cy - 4.6, 1.9)
        head2 = px.capsule(c, cx + 4.6 * s, cy, cx + 0.4 * s, cy + 4.6, 1.9)
        shape = px.union(shaft, head1, head2)
    else:
        d = 4.0
        shape = px.union(px.capsule(c, cx - d, cy - d, cx + d, cy + d, 1.8),
                         px.capsule(c, cx - d, cy + d, cx + d, cy - d, 1.8))
    c.paint(shape, sym)


def make_cell(w, h, scheme, state, badge=None, badge_x=None):
    c = px.Canvas(w, h, ss=4)
    paint_face(c, 3, 3, w - 4, h - 5, scheme, state)
    if badge:
        paint_badge(c, badge_x, (h - 2) / 2.0, badge, state, scheme)
    return c


def make_strip(w, h, ncells, scheme, badge=None, badge_x=None):
    states = [HOT, DOWN, REST, UNUSED, DISABLED][:ncells]
    rgbs, alphas = [], []
    for st in states:
        c = make_cell(w, h, scheme, st, badge, badge_x)
        rgb, a = c.over(px.PAGE)
        rgbs.append(rgb)
        alphas.append(a)
    rgb = np.concatenate(rgbs, axis=1)
    a = np.concatenate(alphas, axis=1)
    # The disabled cell must keep pure white and 0x808080 exactly; they are fixed entries.
    pal, idx = px.quantize_keyed(rgb, a, 256, px.PAGE, fixed=(WHITE, GREY), forbid=(BTNFACE,))
    return pal, idx


def check_strip(name, pal, idx, w, h, ncells):
    assert idx.shape == (h, w * ncells), name
    assert tuple(pal[idx[-1, 0]]) == px.PAGE, name + ": bottom-left pixel must be the page colour"
    for cell in range(ncells):
        sub = idx[:, cell * w:(cell + 1) * w]
        assert tuple(pal[sub[-1, 0]]) == px.PAGE, name
        assert (sub != 0).sum() > w * h // 3, name + ": empty cell"
    used = {tuple(pal[i]) for i in np.unique(idx)}
    assert BTNFACE not in used, name
    if ncells == 5:
        dis = idx[:, 4 * w:]
        cols = {tuple(pal[i]) for i in np.unique(dis)}
        assert WHITE in cols and GREY in cols, name + ": disabled cell lacks white or 0x808080"


def main(out_dir, preview_dir=None):
    jobs = [
        ("BackBtn", 100, 48, 5, "blue", "back", 21),
        ("NextBtn", 100, 48, 5, "blue", "next", 78),
        ("ExitBtn", 100, 48, 4, "blue", "exit", 79),
        ("Newgame", 150, 45, 4, "green", None, None),
    ]
    for name, w, h, n, scheme, badge, bx in jobs:
        pal, idx = make_strip(w, h, n, scheme, badge, bx)
        check_strip(name, pal, idx, w, h, n)
        px.write_bmp_indexed(os.path.join(out_dir, name + ".bmp"), idx, pal, 8)
        if preview_dir:
            px.save_preview(os.path.join(preview_dir, name + ".png"), px.indexed_to_rgb(idx, pal), 3)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(os.path.join(here, "..", "..", "resources"), sys.argv[1] if len(sys.argv) > 1 else None)
