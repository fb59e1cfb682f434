"""Drawing, quantising and file-writing helpers shared by the asset generators.

Pictures are drawn as signed-distance shapes on a supersampled float canvas (so
edges come out anti-aliased after the box filter), then composited over the colour
they will be shown on and reduced to the bit depth the program expects. Everything
here is deterministic: no clocks, no unseeded randomness, so a rerun writes the same
bytes.
"""

import math
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

# Colour behind most pictures: the window and page colour (written 0xBBGGRR as
# 0xE1C8C8 in the program, i.e. red 200, green 200, blue 225).
PAGE = (200, 200, 225)

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# ---------------------------------------------------------------------------
# Signed-distance shapes. Every function returns an array (negative inside) over
# the canvas's sample grid X, Y, measured in output pixels.


def circle(c, cx, cy, r):
    return np.hypot(c.X - cx, c.Y - cy) - r


def ellipse(c, cx, cy, rx, ry, angle=0.0):
    """Approximate distance to a rotated ellipse (exact on the axes)."""
    x, y = rotate_xy(c.X - cx, c.Y - cy, -angle)
    k = np.hypot(x / rx, y / ry)
    return (k - 1.0) * min(rx, ry)


def rrect(c, x0, y0, x1, y1, r, angle=0.0, pivot=None):
    """Rounded rectangle from (x0, y0) to (x1, y1), corner radius r, optionally rotated."""
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    px, py = c.X - cx, c.Y - cy
    if angle:
        if pivot is not None:
            ox, oy = pivot[0] - cx, pivot[1] - cy
            px, py = rotate_xy(px - ox, py - oy, -angle)
            px, py = px + ox, py + oy
        else:
            px, py = rotate_xy(px, py, -angle)
    hx, hy = (x1 - x0) / 2.0 - r, (y1 - y0) / 2.0 - r
    qx, qy = np.abs(px) - hx, np.abs(py) - hy
    outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
    inside = np.minimum(np.maximum(qx, qy), 0)
    return outside + inside - r


def capsule(c, x0, y0, x1, y1, r0, r1=None):
    """Segment from (x0, y0) to (x1, y1) thickened to radius r0 at the start, r1 at the end."""
    if r1 is None:
        r1 = r0
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    t = np.clip(((c.X - x0) * dx + (c.Y - y0) * dy) / ll, 0.0, 1.0) if ll else 0.0 * c.X
    d = np.hypot(c.X - (x0 + t * dx), c.Y - (y0 + t * dy))
    return d - (r0 + (r1 - r0) * t)


def polygon(c, pts):
    """Exact distance to a simple polygon given as a list of (x, y)."""
    pts = [(float(x), float(y)) for x, y in pts]
    X, Y = c.X, c.Y
    d = np.full(X.shape, np.inf)
    inside = np.zeros(X.shape, bool)
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        wx, wy = X - ax, Y - ay
        t = np.clip((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0, 1.0)
        d = np.minimum(d, np.hypot(wx - t * ex, wy - t * ey))
        cond = (ay <= Y) != (by <= Y)
        xint = ax + (Y - ay) * ex / (ey if ey else 1e-12)
        inside ^= cond & (X < xint)
    return np.where(inside, -d, d)


def star(c, cx, cy, r_out, r_in, points=5, angle=-math.pi / 2):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = angle + i * math.pi / points
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(c, pts)


def union(*ds):
    out = ds[0]
    for d in ds[1:]:
        out = np.minimum(out, d)
    return out


def smooth_union(a, b, k):
    """Union that rounds the seam between the two shapes over about k pixels."""
    h = np.clip(0.5 + 0.5 * (b - a) / k, 0, 1)
    return b * (1 - h) + a * h - k * h * (1 - h)


def intersect(*ds):
    out = ds[0]
    for d in ds[1:]:
        out = np.maximum(out, d)
    return out


def subtract(a, b):
    return np.maximum(a, -b)


def ring(d, width):
    """Outline band of the given width centred on the shape's edge."""
    return np.abs(d) - width / 2.0


def rotate_xy(x, y, a):
    ca, sa = math.cos(a), math.sin(a)
    return x * ca - y * sa, x * sa + y * ca


# ---------------------------------------------------------------------------
# Colour fields: functions of the canvas grid returning (H, W, 3) float arrays.


def _col(c):
    return np.array(c, dtype=np.float64)


def linear(c, x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    t = np.clip(((c.X - x0) * dx + (c.Y - y0) * dy) / (dx * dx + dy * dy), 0, 1)[..., None]
    return _col(c0) * (1 - t) + _col(c1) * t


def radial(c, cx, cy, r, c0, c1, power=1.0):
    t = np.clip(np.hypot(c.X - cx, c.Y - cy) / r, 0, 1) ** power
    t = t[..., None]
    return _col(c0) * (1 - t) + _col(c1) * t


def radial3(c, cx, cy, r, c0, c1, c2, mid=0.5):
    """Radial gradient through three colours: c0 at the centre, c1 at `mid`, c2 at r."""
    t = np.clip(np.hypot(c.X - cx, c.Y - cy) / r, 0, 1)[..., None]
    lo = _col(c0) * (1 - t / mid) + _col(c1) * (t / mid)
    hi = _col(c1) * (1 - (t - mid) / (1 - mid)) + _col(c2) * ((t - mid) / (1 - mid))
    return np.where(t < mid, lo, hi)


def puffy(c, d, radius, base, light=(-0.45, -0.6, 0.66), ambient=0.5, diffuse=0.62, shine=0.0):
    """Colour field that makes a flat shape look rounded, lit from the upper left.

    The shape is given by its distance field d; it is treated as a pillow whose
    height rises over `radius` pixels from the edge.
    """
    depth = np.clip(-d / radius, 0, 1)
    hgt = np.sqrt(1 - (1 - depth) ** 2) * radius
    gy, gx = np.gradient(hgt, 1.0 / c.ss)
    n = np.stack([-gx, -gy, np.ones_like(gx)], axis=-1)
    n /= np.linalg.norm(n, axis=-1, keepdims=True)
    lv = np.array(light, float)
    lv /= np.linalg.norm(lv)
    lam = np.clip((n * lv).sum(axis=-1), 0, 1)
    col = _col(base) * (ambient + diffuse * lam)[..., None]
    if shine:
        hv = lv + np.array([0, 0, 1.0])
        hv /= np.linalg.norm(hv)
        s = np.clip((n * hv).sum(axis=-1), 0, 1) ** 24 * shine
        col = col + (255 - col) * s[..., None]
    return np.clip(col, 0, 255)


def mix(a, b, t):
    return np.asarray(a, float) * (1 - t) + np.asarray(b, float) * t


# ---------------------------------------------------------------------------


class Canvas:
    """A supersampled RGBA float canvas; `paint` composites shapes over what is there."""

    def __init__(self, w, h, ss=4, offset=(0.0, 0.0)):
        self.w, self.h, self.ss = w, h, ss
        ys = (np.arange(h * ss) + 0.5) / ss + offset[1]
        xs = (np.arange(w * ss) + 0.5) / ss + offset[0]
        self.X, self.Y = np.meshgrid(xs, ys)
        self.rgb = np.zeros((h * ss, w * ss, 3))
        self.a = np.zeros((h * ss, w * ss))

    def paint(self, d, color, alpha=1.0, soft=0.0):
        """Paints colour (a triple or a colour field) where the distance d < 0.

        With soft > 0 the edge fades over that many pixels (for glows and shadows).
        """
        if soft > 0:
            cov = np.clip(0.5 - d / soft, 0.0, 1.0)
        else:
            cov = (d < 0).astype(np.float64)
        if not np.isscalar(alpha):
            cov = cov * alpha
        elif alpha != 1.0:
            cov = cov * alpha
        col = np.broadcast_to(np.asarray(color, dtype=np.float64), self.rgb.shape)
        k = cov[..., None]
        self.rgb = self.rgb * (1 - k) + col * k
        self.a = self.a * (1 - cov) + cov

    def paint_mask(self, mask, color, alpha=1.0):
        self.paint(np.where(mask, -1.0, 1.0), color, alpha)

    def text(self, s, font_path, size, cx, cy, color, outline=0, outline_color=(0, 0, 0), alpha=1.0):
        """Draws centred text; returns the coverage mask used (for effects)."""
        ss = self.ss
        font = ImageFont.truetype(font_path, int(round(size * ss)))
        img = Image.new("L", (self.w * ss, self.h * ss), 0)
        dr = ImageDraw.Draw(img)
        dr.text((cx * ss, cy * ss), s, font=font, fill=255, anchor="mm")
        cov = np.asarray(img, dtype=np.float64) / 255.0
        if outline:
            grown = _dilate(cov, int(round(outline * ss)))
            self.paint(np.zeros_like(grown) - 1, outline_color, alpha * grown)
        self.paint(np.zeros_like(cov) - 1, color, alpha * cov)
        return cov

    def result(self):
        """Box-filters down to output size: (rgb premultiplied-free float, alpha)."""
        ss = self.ss
        h, w = self.h, self.w
        a = self.a.reshape(h, ss, w, ss).mean(axis=(1, 3))
        prem = (self.rgb * self.a[..., None]).reshape(h, ss, w, ss, 3).mean(axis=(1, 3))
        rgb = np.where(a[..., None] > 1e-6, prem / np.maximum(a[..., None], 1e-6), 0.0)
        return rgb, a

    def over(self, bg):
        """Returns the picture composited over a solid colour, as uint8 RGB, plus alpha."""
        rgb, a = self.result()
        out = rgb * a[..., None] + np.asarray(bg, float) * (1 - a[..., None])
        return np.clip(np.round(out), 0, 255).astype(np.uint8), a


def _dilate(cov, r):
    out = cov.copy()
    if r <= 0:
        return out
    for dy in range(-r, r + 1):
        for dx in range(-r, r + 1):
            if dx * dx + dy * dy > r * r:
                continue
            out = np.maximum(out, np.roll(np.roll(cov, dy, axis=0), dx, axis=1))
    return out


# ---------------------------------------------------------------------------
# Palette reduction.


def _nearest(pixels, palette):
    """Index of the nearest palette colour (weighted RGB distance) for each pixel."""
    w = np.array([0.35, 0.45, 0.2])
    p = pixels.astype(np.float64)[:, None, :]
    q = np.asarray(palette, np.float64)[None, :, :]
    return np.argmin((((p - q) ** 2) * w).sum(axis=2), axis=1)


def build_palette(rgb, weight_mask, ncolors, fixed=(), forbid=(), iterations=8):
    """Chooses ncolors colours for the masked pixels: the fixed ones plus k-means ones.

    Colours in `forbid` never appear in the result (they are nudged by one step).
    """
    pix = rgb[weight_mask].reshape(-1, 3)
    free = ncolors - len(fixed)
    uniq = np.unique(pix, axis=0)
    if len(uniq) <= free:
        cents = uniq.astype(np.float64)
    else:
        img = Image.fromarray(pix.reshape(1, -1, 3).astype(np.uint8))
        q = img.quantize(colors=free, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        pal = np.array(q.getpalette()[: free * 3], np.float64).reshape(-1, 3)
        cents = pal
        for _ in range(iterations):
            idx = _nearest(pix, cents)
            for k in range(len(cents)):
                sel = pix[idx == k]
                if len(sel):
                    cents[k] = sel.mean(axis=0)
    cents = np.clip(np.round(cents), 0, 255).astype(int)
    out = [tuple(int(v) for v in f) for f in fixed]
    for cc in cents:
        t = tuple(int(v) for v in cc)
        while t in forbid or t in out:
            t = (t[0], min(255, t[1] + 1) if t[1] < 255 else t[1] - 1, t[2])
        out.append(t)
    return out


def map_to_palette(rgb, palette, allowed=None):
    """Maps an (H, W, 3) image to palette indices (restricted to `allowed` indices)."""
    h, w, _ = rgb.shape
    pal = np.asarray(palette, np.float64)
    allowed = list(range(len(palette))) if allowed is None else list(allowed)
    idx = _nearest(rgb.reshape(-1, 3), pal[allowed])
    return np.asarray(allowed)[idx].reshape(h, w)


def quantize_keyed(rgb, alpha, ncolors, key, fixed=(), forbid=(), cut=0.35):
    """Reduces a picture composited over `key` to ncolors with the key at index 0.

    Samples whose coverage is below `cut` become the key (the transparent colour);
    every other pixel maps to a non-key colour, so the key marks exactly the
    background.
    """
    opaque = alpha >= cut
    forbid = tuple(forbid) + (tuple(key),)
    palette = [tuple(key)] + build_palette(rgb, opaque, ncolors - 1, fixed, forbid)
    idx = map_to_palette(rgb, palette, allowed=range(1, len(palette)))
    idx[~opaque] = 0
    return palette, idx


# ---------------------------------------------------------------------------
# File writers.


def _bmp_headers(w, h, bpp, ncolors, image_size):
    off = 14 + 40 + 4 * ncolors
    fh = struct.pack("<2sIHHI", b"BM", off + image_size, 0, 0, off)
    ih = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, image_size, 3780, 3780, ncolors, 0)
    return fh + ih


def _pack_rows(rows_bytes, row_len):
    pad = (-row_len) % 4
    return b"".join(r + b"\0" * pad for r in rows_bytes)


def indexed_rows(idx, bpp):
    """Packs an (H, W) index array into bottom-up rows of 1, 4 or 8 bits per pixel."""
    h, w = idx.shape
    rows = []
    for y in range(h - 1, -1, -1):
        r = idx[y].astype(np.uint8)
        if bpp == 8:
            rows.append(r.tobytes())
        elif bpp == 4:
            if w % 2:
                r = np.append(r, 0)
            rows.append(((r[0::2] << 4) | r[1::2]).astype(np.uint8).tobytes())
        elif bpp == 1:
            rows.append(np.packbits(r.astype(bool)).tobytes())
    row_len = len(rows[0])
    return _pack_rows(rows, row_len), row_len + (-row_len) % 4


def write_bmp_indexed(path, idx, palette, bpp):
    """Writes a BI_RGB paletted BMP (4 or 8 bits); the palette is padded to 2**bpp entries."""
    n = 1 << bpp
    assert len(palette) <= n, (path, len(palette))
    assert idx.max() < len(palette)
    pal = list(palette) + [(0, 0, 0)] * (n - len(palette))
    data, _ = indexed_rows(idx, bpp)
    h, w = idx.shape
    head = _bmp_headers(w, h, bpp, n, len(data))
    paldata = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    with open(path, "wb") as f:
        f.write(head + paldata + data)


def rgb_to_555(rgb):
    r = (rgb[..., 0].astype(np.uint16) * 31 + 127) // 255
    g = (rgb[..., 1].astype(np.uint16) * 31 + 127) // 255
    b = (rgb[..., 2].astype(np.uint16) * 31 + 127) // 255
    return (r << 10) | (g << 5) | b


def expand_555(v):
    """The 24-bit colour a 5-5-5 value stands for (bit replication: 31 -> 255)."""
    r, g, b = (v >> 10) & 31, (v >> 5) & 31, v & 31
    f = lambda c: (c << 3) | (c >> 2)
    return np.stack([f(r), f(g), f(b)], axis=-1).astype(np.uint8)


def write_bmp_555(path, words):
    """Writes a 16-bit BI_RGB BMP (x-5-5-5) from an (H, W) array of 15-bit values."""
    h, w = words.shape
    rows = [words[y].astype("<u2").tobytes() for y in range(h - 1, -1, -1)]
    row_len = w * 2
    data = _pack_rows(rows, row_len)
    head = _bmp_headers(w, h, 16, 0, len(data))
    with open(path, "wb") as f:
        f.write(head + data)


def _dib_for_icon(rgba, bpp, palette=None, idx=None):
    """One icon/cursor image: BITMAPINFOHEADER (double height), colours, XOR, AND mask."""
    h, w, _ = rgba.shape
    ncol = (1 << bpp) if bpp <= 8 else 0
    if bpp == 32:
        rows = [rgba[y][:, [2, 1, 0, 3]].astype(np.uint8).tobytes() for y in range(h - 1, -1, -1)]
        xor = _pack_rows(rows, w * 4)
        paldata = b""
    else:
        pal = list(palette) + [(0, 0, 0)] * (ncol - len(palette))
        paldata = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
        xor, _ = indexed_rows(idx, bpp)
    transparent = rgba[..., 3] < 128
    andm, _ = indexed_rows(transparent.astype(np.uint8), 1)
    ih = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0, len(xor) + len(andm), 0, 0, 0, 0)
    return ih + paldata + xor + andm


def write_cursor(path, rgba, hot):
    """Writes a .cur with one 32 x 32 image of 32 bits (alpha) plus its AND mask."""
    h, w, _ = rgba.shape
    dib = _dib_for_icon(rgba, 32)
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, hot[0], hot[1], len(dib), 6 + 16)
    with open(path, "wb") as f:
        f.write(head + entry + dib)


def write_icon(path, images):
    """Writes a .ico; images is a list of (rgba, bpp, palette, idx) tuples."""
    blobs = [_dib_for_icon(rgba, bpp, pal, idx) for rgba, bpp, pal, idx in images]
    head = struct.pack("<HHH", 0, 1, len(images))
    off = 6 + 16 * len(images)
    entries = b""
    for (rgba, bpp, _, _), blob in zip(images, blobs):
        h, w, _ = rgba.shape
        ncol = 16 if bpp == 4 else 0
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, ncol, 0, 1, bpp, len(blob), off)
        off += len(blob)
    with open(path, "wb") as f:
        f.write(head + entries + b"".join(blobs))


def write_wav(path, samples, rate):
    """Writes mono 8-bit unsigned PCM from floats in [-1, 1] (TPDF-dithered, seeded)."""
    rng = np.random.RandomState(12345)
    s = np.asarray(samples, np.float64)
    dither = (rng.uniform(-0.5, 0.5, len(s)) + rng.uniform(-0.5, 0.5, len(s)))
    q = np.clip(np.round(s * 127.0 + 128.0 + dither * 0.5), 0, 255).astype(np.uint8)
    data = q.tobytes()
    pad = b"\0" if len(data) % 2 else b""
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", 16) + fmt + b"data" + struct.pack("<I", len(data)) + data + pad
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def indexed_to_rgb(idx, palette):
    return np.asarray(palette, np.uint8)[idx]


def save_preview(path, rgb, scale=1):
    img = Image.fromarray(np.asarray(rgb, np.uint8))
    if scale != 1:
        img = img.resize((img.width * scale, img.height * scale), Image.NEAREST)
    img.save(path)
