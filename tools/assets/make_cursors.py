"""Cursors (Malet, MaletDown, Flower) and the program icon (Pointrix.ico).

The cursors are 32 x 32 with 32-bit colour and alpha plus the usual AND mask. Hot
spots: Malet (15, 17) just below the raised head, MaletDown (17, 10) at the face of
the lowered head, Flower (0, 0) at the arrow's tip.

The icon holds 48, 32 and 16 pixel images, each in 4, 8 and 32 bits per pixel. The
same drawing, at 16 to 256 pixels with alpha, is written as PNGs into the desktop's
hicolor icon theme layout under data/icons/ (installed with the program).
"""

import math
import os
import sys

import numpy as np
from PIL import Image

import pxart as px

OUTLINE = (36, 26, 30)
HEAD = (226, 52, 48)
BAND = (255, 206, 60)
WOOD = (214, 160, 96)

# The 16 colours of the standard VGA palette, used by 4-bit icons.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# The mouse and the ladybird need only these (no greens, cyans or magentas).
VGA16_USED = [0, 1, 3, 4, 7, 8, 9, 11, 12, 15]


def to_rgba(canvas):
    rgb, a = canvas.result()
    out = np.zeros(rgb.shape[:2] + (4,), np.uint8)
    out[..., :3] = np.clip(np.round(rgb), 0, 255)
    out[..., 3] = np.clip(np.round(a * 255), 0, 255)
    out[out[..., 3] == 0, :3] = 0
    return out


def paint_mallet(c, hx, hy, axis_angle, length, dia, grip):
    """A toy mallet: head centred at (hx, hy), `length` along its axis (at axis_angle)
    and `dia` across, with the handle running from the head's centre to `grip`."""
    ax, ay = math.cos(axis_angle), math.sin(axis_angle)
    handle = px.capsule(c, hx, hy, grip[0], grip[1], 1.9, 2.3)
    head = px.rrect(c, hx - length / 2, hy - dia / 2, hx + length / 2, hy + dia / 2, 2.6, angle=axis_angle)
    c.paint(handle - 1.1, OUTLINE)
    c.paint(head - 1.1, OUTLINE)
    c.paint(handle, px.puffy(c, handle, 2.0, WOOD, shine=0.3))
    c.paint(head, px.puffy(c, head, dia / 2, HEAD, shine=0.7))
    for t in (-0.6, 0.6):
        bx, by = hx + ax * length / 2 * t, hy + ay * length / 2 * t
        band = px.intersect(head, np.abs((c.X - bx) * ax + (c.Y - by) * ay) - 1.0)
        c.paint(band, px.puffy(c, head, dia / 2, BAND, shine=0.5))


def make_malet():
    c = px.Canvas(32, 32, ss=8)
    # Raised: the head up at the top left, the handle down to the lower right.
    hx, hy = 12.5, 9.5
    grip = (27.5, 27.5)
    axis = math.atan2(grip[1] - hy, grip[0] - hx) + math.pi / 2
    paint_mallet(c, hx, hy, axis, 13, 10, grip)
    return to_rgba(c)


def make_malet_down():
    c = px.Canvas(32, 32, ss=8)
    # Lowered: the head stands upright with its face on the hot spot's row (y = 10).
    paint_mallet(c, 17.0, 5.0, math.pi / 2, 10, 14, (28.0, 6.0))
    # Impact marks below the face.
    for (x0, y0, x1, y1) in ((10.0, 12.5, 6.5, 15.5), (17.0, 13.5, 17.0, 18.0), (24.0, 12.5, 27.5, 15.5)):
        d = px.capsule(c, x0, y0, x1, y1, 1.0)
        c.paint(d - 0.9, OUTLINE)
        c.paint(d, (255, 224, 60))
    return to_rgba(c)


def make_flower_cursor():
    c = px.Canvas(32, 32, ss=8)
    arrow = [(0.6, 0.6), (0.6, 17.5), (4.6, 13.7), (7.6, 20.4), (10.4, 19.2), (7.4, 12.6), (12.8, 12.6)]
    d = px.polygon(c, arrow)
    c.paint(d - 1.1, OUTLINE)
    c.paint(d, (255, 255, 255))
    cx, cy = 21.5, 20.0
    # Stem and leaf, then five petals and a yellow heart.
    c.paint(px.capsule(c, cx, cy, cx - 2.5, cy + 9.0, 1.6), (20, 70, 30))
    c.paint(px.capsule(c, cx, cy, cx - 2.5, cy + 9.0, 0.9), (70, 170, 70))
    petals = None
    for k in range(5):
        a = -math.pi / 2 + k * 2 * math.pi / 5
        e = px.circle(c, cx + 5.0 * math.cos(a), cy + 5.0 * math.sin(a), 3.9)
        petals = e if petals is None else px.union(petals, e)
    c.paint(petals - 1.0, (120, 20, 70))
    c.paint(petals, px.radial(c, cx, cy, 9, (255, 236, 246), (246, 86, 160)))
    c.paint(px.circle(c, cx, cy, 3.0) - 0.8, (150, 90, 0))
    c.paint(px.circle(c, cx, cy, 3.0), px.radial(c, cx - 1, cy - 1, 4, (255, 250, 170), (255, 190, 20)))
    return to_rgba(c)


def paint_icon(c, s):
    """The program icon at scale s (1.0 = 48 pixels): a mouse with its left button lit."""
    k = s
    cx = 24 * k
    m = px.smooth_union(px.ellipse(c, cx, 26 * k, 14 * k, 19 * k), px.ellipse(c, cx, 31 * k, 15.5 * k, 15 * k), 3 * k)
    lw = max(1.0, 1.6 * k)
    cable = [(cx, 8 * k), (cx, 5.5 * k), (cx - 3 * k, 3 * k), (cx - 2 * k, -1 * k)]
    for (ax, ay), (bx, by) in zip(cable, cable[1:]):
        c.paint(px.capsule(c, ax, ay, bx, by, max(1.0, 2.0 * k)), (44, 50, 80))
    for (ax, ay), (bx, by) in zip(cable, cable[1:]):
        c.paint(px.capsule(c, ax, ay, bx, by, max(0.45, 1.0 * k)), (120, 130, 170))
    c.paint(m - lw, (44, 50, 80))
    c.paint(m, px.puffy(c, m, 9 * k, (244, 246, 255), shine=0.5))
    split = 25 * k
    btn = px.intersect(m + max(0.8, 1.3 * k), c.Y - split, c.X - (cx - 0.7 * k))
    c.paint(btn, px.linear(c, 10 * k, 8 * k, (255, 240, 150), cx, split, (250, 170, 20)))
    c.paint(px.intersect(m, px.rrect(c, cx - 0.7 * k, 6 * k, cx + 0.7 * k, split, 0.2)), (44, 50, 80))
    c.paint(px.intersect(m, px.ring(c.Y - split, max(1.0, 1.4 * k))), (44, 50, 80))
    if k >= 0.6:
        c.paint(px.rrect(c, cx - 2.2 * k, 11 * k, cx + 2.2 * k, 19 * k, 2 * k), (60, 66, 100))
    # A ladybird on the right button, for the bigger sizes.
    if k >= 0.6:
        lx, ly, r = cx + 7.5 * k, 17.5 * k, 4.6 * k
        c.paint(px.circle(c, lx, ly - r * 0.9, r * 0.55), (30, 24, 30))
        c.paint(px.circle(c, lx, ly, r + 0.8 * k), (30, 24, 30))
        c.paint(px.circle(c, lx, ly, r), px.radial(c, lx - r * 0.4, ly - r * 0.4, r * 2, (255, 130, 110), (200, 20, 30)))
        c.paint(px.rrect(c, lx - 0.45 * k, ly - r, lx + 0.45 * k, ly + r, 0.2), (30, 24, 30))
        for ox, oy in ((-0.5, -0.2), (0.5, -0.2), (-0.35, 0.5), (0.35, 0.5)):
            c.paint(px.circle(c, lx + ox * r, ly + oy * r, r * 0.22), (30, 24, 30))


def make_icon_images():
    images = []
    for size in (48, 32, 16):
        c = px.Canvas(size, size, ss=8)
        paint_icon(c, size / 48.0)
        rgba = to_rgba(c)
        a = rgba[..., 3] / 255.0
        flat = np.clip(np.round(rgba[..., :3] * a[..., None] + np.array(px.PAGE) * (1 - a[..., None])), 0, 255).astype(np.uint8)
        opaque = rgba[..., 3] >= 128
        mask_rgba = rgba.copy()
        mask_rgba[..., 3] = np.where(opaque, 255, 0)
        # 4 bits: the standard 16 colours; 8 bits: an adaptive palette.
        idx4 = px.map_to_palette(flat, VGA16, allowed=VGA16_USED)
        idx4[~opaque] = 0
        pal8 = px.build_palette(flat, opaque, 255, fixed=((0, 0, 0),))
        idx8 = px.map_to_palette(flat, pal8)
        idx8[~opaque] = 0
        images.append((rgba, 32, None, None))
        images.append((mask_rgba, 8, pal8, idx8))
        images.append((mask_rgba, 4, VGA16, idx4))
    return images


# Desktop icon sizes (hicolor theme folders <n>x<n>/apps/) and the icon's name there,
# which is the program's desktop id.
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
DESKTOP_ICON_NAME = "example.quillaby_software.Pointrix"


def make_desktop_icon(size):
    # Large sizes need fewer samples per pixel for the same smoothness (and memory).
    c = px.Canvas(size, size, ss=8 if size <= 64 else 4)
    paint_icon(c, size / 48.0)
    return to_rgba(c)


def write_desktop_icons(data_dir, preview_dir=None):
    """Writes data/icons/hicolor/<n>x<n>/apps/<name>.png for every desktop size."""
    for size in DESKTOP_ICON_SIZES:
        folder = os.path.join(data_dir, "icons", "hicolor", "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        rgba = make_desktop_icon(size)
        Image.fromarray(rgba, "RGBA").save(os.path.join(folder, DESKTOP_ICON_NAME + ".png"), optimize=True)
        if preview_dir and size == 256:
            a = rgba[..., 3:4] / 255.0
            flat = (rgba[..., :3] * a + np.array(px.PAGE) * (1 - a)).astype(np.uint8)
            px.save_preview(os.path.join(preview_dir, "icon_256.png"), flat)


def main(out_dir, preview_dir=None):
    cursors = [("Malet", make_malet(), (15, 17)), ("MaletDown", make_malet_down(), (17, 10)),
               ("Flower", make_flower_cursor(), (0, 0))]
    for name, rgba, hot in cursors:
        px.write_cursor(os.path.join(out_dir, name + ".cur"), rgba, hot)
        if preview_dir:
            _preview_cursor(os.path.join(preview_dir, name + "_cur.png"), rgba, hot)
    images = make_icon_images()
    px.write_icon(os.path.join(out_dir, "Pointrix.ico"), images)
    if preview_dir:
        _preview_icon(os.path.join(preview_dir, "icon.png"), images)
    write_desktop_icons(os.path.join(out_dir, "..", "data"), preview_dir)


def _preview_cursor(path, rgba, hot):
    tiles = []
    for bg in ((255, 255, 255), (200, 200, 225), (40, 40, 40)):
        a = rgba[..., 3:4] / 255.0
        t = (rgba[..., :3] * a + np.array(bg) * (1 - a)).astype(np.uint8)
        t = t.copy()
        t[hot[1], hot[0]] = (0, 255, 0)
        tiles.append(np.kron(t, np.ones((6, 6, 1), np.uint8)))
    px.save_preview(path, np.concatenate(tiles, axis=1))


def _preview_icon(path, images):
    rows = []
    for rgba, bpp, pal, idx in images:
        if bpp == 32:
            a = rgba[..., 3:4] / 255.0
            t = (rgba[..., :3] * a + np.array((255, 255, 255)) * (1 - a)).astype(np.uint8)
        else:
            t = np.asarray(pal, np.uint8)[idx]
            t[rgba[..., 3] < 128] = (255, 255, 255)
        k = 192 // t.shape[0]
        t = np.kron(t, np.ones((k, k, 1), np.uint8))
        pad = np.full((192, 192, 3), 255, np.uint8)
        pad[: t.shape[0], : t.shape[1]] = t
        rows.append(pad)
    px.save_preview(path, np.concatenate([np.concatenate(rows[i:i + 3], axis=1) for i in (0, 3, 6)], axis=0))


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(os.path.join(here, "..", "..", "resources"), sys.argv[1] if len(sys.argv) > 1 else None)
