#!/usr/bin/python3
"""Verifies the embedded art and sounds under resources/ against what the program expects.

Checks every bitmap's size, bit depth and compression, the transparent-colour
convention (bottom-left pixel), the glyph strips' cells, the jigsaw tiling, every
cursor's size and hot spot, the icon's images, the desktop icon PNGs under data/icons/,
and every sound's format, rate and length. Prints one line per problem and exits with status 1 if there is any.

Usage: check_assets.py [resources-folder]
"""

import os
import struct
import sys

import numpy as np

PAGE = (200, 200, 225)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
RED555 = 0x7C00

# name: (width, height, bits per pixel, drawn transparently by the bottom-left pixel)
BITMAPS = {
    "GameOver": (374, 72, 8, True),
    "Live": (72, 72, 4, True),
    "Dead": (72, 72, 4, True),
    "Newgame": (600, 45, 8, True),
    "Panel": (150, 200, 8, True),
    "Flower": (100, 100, 8, True),
    "Box": (20, 20, 8, True),
    "Box2": (20, 20, 8, True),
    "Holdingl": (168, 193, 4, True),
    "Holdingr": (168, 193, 4, True),
    "BackBtn": (500, 48, 8, True),
    "NextBtn": (500, 48, 8, True),
    "ExitBtn": (400, 48, 8, True),
}
# Glyph strips: name -> number of cells.
STRIPS = {"BackBtn": 5, "NextBtn": 5, "ExitBtn": 4, "Newgame": 4}

# Jigsaw pieces: offset in the 300 x 136 frame and size.
PIECES = [
    ((0, 0), (73, 74)), ((57, 0), (116, 62)), ((162, 0), (138, 48)),
    ((147, 13), (73, 84)), ((0, 68), (70, 68)), ((57, 48), (63, 88)),
    ((116, 47), (92, 89)), ((173, 32), (89, 104)), ((235, 39), (65, 97)),
]

CURSORS = {"Malet": (15, 17), "MaletDown": (17, 10), "Flower": (0, 0)}

# name: (sample rate, shortest, longest in seconds)
SOUNDS = {
    "bugsound": (22050, 0.1, 1.2), "whoosh": (11025, 0.1, 1.2), "oops": (11025, 0.1, 1.2),
    "ok": (22050, 0.1, 1.2), "oh": (11025, 0.1, 1.2), "complete": (8000, 0.5, 1.6),
}

ICON_IMAGES = {(s, b) for s in (48, 32, 16) for b in (4, 8, 32)}

# The desktop icon: one RGBA PNG per size in the hicolor theme layout under data/icons/.
DESKTOP_ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
DESKTOP_ICON_NAME = "example.quillaby_software.Pointrix"


class AssetError(Exception):
    pass


def _u16(b, o):
    return struct.unpack_from("<H", b, o)[0]


def _u32(b, o):
    return struct.unpack_from("<I", b, o)[0]


def _i32(b, o):
    return struct.unpack_from("<i", b, o)[0]


def read_dib(data, off, end, height_factor=1):
    """Parses a BITMAPINFOHEADER DIB at data[off:end]; returns its fields and pixels.

    Pixels come back as palette indices (1, 4, 8 bits), 15-bit words (16 bits) or
    (H, W, 4) bytes BGRA (32 bits), top row first.
    """
    if end - off < 40 or _u32(data, off) != 40:
        raise AssetError("not a 40-byte BITMAPINFOHEADER")
    w, h = _i32(data, off + 4), _i32(data, off + 8)
    planes, bpp, comp = _u16(data, off + 12), _u16(data, off + 14), _u32(data, off + 16)
    used = _u32(data, off + 32)
    if planes != 1:
        raise AssetError("planes %d" % planes)
    if comp != 0:
        raise AssetError("compression %d, expected BI_RGB" % comp)
    if h <= 0 or w <= 0:
        raise AssetError("size %d x %d (top-down or empty)" % (w, h))
    h //= height_factor
    ncol = (used or (1 << bpp)) if bpp <= 8 else 0
    pal_off = off + 40
    palette = []
    for k in range(ncol):
        b, g, r, _ = struct.unpack_from("<BBBB", data, pal_off + 4 * k)
        palette.append((r, g, b))
    pix_off = pal_off + 4 * ncol
    row = ((w * bpp + 31) // 32) * 4
    if pix_off + row * h > end:
        raise AssetError("pixel data truncated")
    rows = []
    for y in range(h):
        r = np.frombuffer(data, np.uint8, row, pix_off + (h - 1 - y) * row)
        if bpp == 8:
            rows.append(r[:w].astype(int))
        elif bpp == 4:
            rows.append(np.stack([r >> 4, r & 15], axis=1).reshape(-1)[:w].astype(int))
        elif bpp == 1:
            rows.append(np.unpackbits(r)[:w].astype(int))
        elif bpp == 16:
            rows.append(np.frombuffer(r.tobytes(), "<u2")[:w].astype(int))
        elif bpp == 32:
            rows.append(r[: w * 4].reshape(w, 4))
        else:
            raise AssetError("unsupported bit depth %d" % bpp)
    pixels = np.stack(rows)
    if bpp <= 8 and pixels.max() >= len(palette):
        raise AssetError("pixel index beyond the palette")
    return {"width": w, "height": h, "bpp": bpp, "palette": palette, "pixels": pixels,
            "end": pix_off + row * h, "words": pixels if bpp == 16 else None}


def read_bmp(path):
    data = open(path, "rb").read()
    if len(data) < 54 or data[:2] != b"BM":
        raise AssetError("not a BMP file")
    if _u32(data, 2) != len(data):
        raise AssetError("file size field %d, file has %d bytes" % (_u32(data, 2), len(data)))
    info = read_dib(data, 14, len(data))
    if _u32(data, 10) != 14 + 40 + 4 * len(info["palette"]):
        raise AssetError("pixel offset does not follow the palette")
    return info


def colours(info):
    """The picture as an (H, W, 3) array of 8-bit RGB."""
    if info["bpp"] <= 8:
        return np.asarray(info["palette"], np.uint8)[info["pixels"]]
    if info["bpp"] == 16:
        v = info["pixels"]
        f = lambda c: (c << 3) | (c >> 2)
        return np.stack([f((v >> 10) & 31), f((v >> 5) & 31), f(v & 31)], axis=-1).astype(np.uint8)
    return info["pixels"][..., [2, 1, 0]]


def check_bitmap(folder, name, expected, problems):
    w, h, bpp, transparent = expected
    path = os.path.join(folder, name + ".bmp")
    info = read_bmp(path)
    if (info["width"], info["height"], info["bpp"]) != (w, h, bpp):
        problems.append("%s.bmp: %d x %d, %d bits; expected %d x %d, %d bits"
                        % (name, info["width"], info["height"], info["bpp"], w, h, bpp))
        return
    rgb = colours(info)
    if transparent and tuple(rgb[-1, 0]) != PAGE:
        problems.append("%s.bmp: bottom-left pixel %s is not the page colour %s" % (name, tuple(rgb[-1, 0]), PAGE))
    if name in STRIPS:
        n = STRIPS[name]
        cw = w // n
        for k in range(n):
            cell = rgb[:, k * cw:(k + 1) * cw]
            if tuple(cell[-1, 0]) != PAGE:
                problems.append("%s.bmp: cell %d's bottom-left pixel is not the page colour" % (name, k))
            if (cell != PAGE).any(axis=2).sum() < cw * h // 4:
                problems.append("%s.bmp: cell %d is nearly empty" % (name, k))
        if n == 5:
            cell = rgb[:, 4 * cw:]
            for col, what in ((WHITE, "pure white"), (GREY, "0x808080")):
                if not (cell == col).all(axis=2).any():
                    problems.append("%s.bmp: the disabled cell has no %s pixels" % (name, what))


def check_jigsaw(folder, problems):
    cover = np.zeros((136, 300), int)
    for i, ((x, y), (w, h)) in enumerate(PIECES):
        name = "Piece%d.bmp" % (i + 1)
        info = read_bmp(os.path.join(folder, name))
        if (info["width"], info["height"], info["bpp"]) != (w, h, 16):
            problems.append("%s: %d x %d, %d bits; expected %d x %d, 16 bits"
                            % (name, info["width"], info["height"], info["bpp"], w, h))
            return
        opaque = info["words"] != RED555
        if not opaque.any():
            problems.append(name + ": no opaque pixels")
        cover[y:y + h, x:x + w] += opaque
    if cover.min() != 1 or cover.max() != 1:
        problems.append("jigsaw: the pieces leave %d gap pixels and %d overlapping pixels"
                        % ((cover == 0).sum(), (cover > 1).sum()))
    info = read_bmp(os.path.join(folder, "Sprite10.bmp"))
    if (info["width"], info["height"], info["bpp"]) != (300, 136, 16):
        problems.append("Sprite10.bmp: %d x %d, %d bits; expected 300 x 136, 16 bits"
                        % (info["width"], info["height"], info["bpp"]))
    elif (info["words"] == RED555).any():
        problems.append("Sprite10.bmp: has transparent (pure red) pixels")


def _icon_dir(data, kind):
    if len(data) < 6 or _u16(data, 0) != 0 or _u16(data, 2) != kind:
        raise AssetError("not a %s file" % ("cursor" if kind == 2 else "icon"))
    n = _u16(data, 4)
    entries = []
    for k in range(n):
        o = 6 + 16 * k
        w, h, ncol, _, p1, p2, size, off = struct.unpack_from("<BBBBHHII", data, o)
        if off + size > len(data):
            raise AssetError("image %d runs past the end of the file" % k)
        info = read_dib(data, off, off + size, height_factor=2)
        mask_row = ((info["width"] + 31) // 32) * 4
        if info["end"] + mask_row * info["height"] > off + size:
            raise AssetError("image %d lacks its AND mask" % k)
        entries.append((w or 256, h or 256, p1, p2, info))
    return entries


def check_cursor(folder, name, hot, problems):
    entries = _icon_dir(open(os.path.join(folder, name + ".cur"), "rb").read(), 2)
    if len(entries) != 1:
        problems.append("%s.cur: %d images, expected 1" % (name, len(entries)))
    w, h, hx, hy, info = entries[0]
    if (w, h, info["width"], info["height"]) != (32, 32, 32, 32):
        problems.append("%s.cur: %d x %d, expected 32 x 32" % (name, info["width"], info["height"]))
    if (hx, hy) != hot:
        problems.append("%s.cur: hot spot %d, %d, expected %d, %d" % (name, hx, hy, hot[0], hot[1]))


def check_icon(folder, problems):
    entries = _icon_dir(open(os.path.join(folder, "Pointrix.ico"), "rb").read(), 1)
    found = set()
    for w, h, planes, bpp, info in entries:
        if (w, h) != (info["width"], info["height"]) or w != h:
            problems.append("Pointrix.ico: directory says %d x %d, image is %d x %d"
                            % (w, h, info["width"], info["height"]))
        if bpp != info["bpp"]:
            problems.append("Pointrix.ico: directory says %d bits, image has %d" % (bpp, info["bpp"]))
        found.add((info["width"], info["bpp"]))
    if found != ICON_IMAGES:
        problems.append("Pointrix.ico: images %s, expected %s" % (sorted(found), sorted(ICON_IMAGES)))


def check_desktop_icons(data_folder, problems):
    from PIL import Image

    for size in DESKTOP_ICON_SIZES:
        rel = "icons/hicolor/%dx%d/apps/%s.png" % (size, size, DESKTOP_ICON_NAME)
        path = os.path.join(data_folder, rel)
        if not os.path.exists(path):
            problems.append("%s: missing" % rel)
            continue
        img = Image.open(path)
        if img.format != "PNG" or img.mode != "RGBA" or img.size != (size, size):
            problems.append("%s: %s %s %d x %d, expected PNG RGBA %d x %d"
                            % (rel, img.format, img.mode, img.size[0], img.size[1], size, size))
            continue
        alpha = np.asarray(img)[..., 3]
        # The mouse stands on a transparent background: clear corners, solid middle.
        if alpha[-1, 0] or alpha[-1, -1] or alpha[size // 2, size // 2] != 255:
            problems.append("%s: expected transparent corners and an opaque centre" % rel)
        elif not 0.3 < (alpha > 127).mean() < 0.8:
            problems.append("%s: covers %.0f %% of its square" % (rel, 100 * (alpha > 127).mean()))


def read_wav(path):
    data = open(path, "rb").read()
    if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
        raise AssetError("not a RIFF WAVE file")
    if _u32(data, 4) + 8 != len(data):
        raise AssetError("RIFF size field does not match the file")
    o = 12
    fmt = samples = None
    while o + 8 <= len(data):
        cid, size = data[o:o + 4], _u32(data, o + 4)
        body = data[o + 8:o + 8 + size]
        if len(body) != size:
            raise AssetError("chunk %r truncated" % cid)
        if cid == b"fmt ":
            fmt = struct.unpack_from("<HHIIHH", body, 0)
        elif cid == b"data":
            samples = body
        o += 8 + size + (size & 1)
    if fmt is None or samples is None:
        raise AssetError("missing fmt or data chunk")
    tag, ch, rate, byte_rate, align, bits = fmt
    return {"format": tag, "channels": ch, "rate": rate, "byte_rate": byte_rate, "align": align,
            "bits": bits, "samples": np.frombuffer(samples, np.uint8)}


def check_sound(folder, name, expected, problems):
    rate, lo, hi = expected
    w = read_wav(os.path.join(folder, name + ".wav"))
    want = {"format": 1, "channels": 1, "rate": rate, "byte_rate": rate, "align": 1, "bits": 8}
    for k, v in want.items():
        if w[k] != v:
            problems.append("%s.wav: %s is %d, expected %d" % (name, k, w[k], v))
    secs = len(w["samples"]) / float(rate)
    if not lo <= secs <= hi:
        problems.append("%s.wav: %.2f s long, expected %.1f to %.1f s" % (name, secs, lo, hi))
    s = w["samples"].astype(int) - 128
    if np.abs(s).max() < 40:
        problems.append("%s.wav: nearly silent" % name)
    if abs(int(s[0])) > 8 or abs(int(s[-1])) > 8:
        problems.append("%s.wav: does not start and end near silence (clicks)" % name)


def run(folder):
    problems = []
    checks = [(n, lambda n=n, s=s: check_bitmap(folder, n, s, problems)) for n, s in BITMAPS.items()]
    checks.append(("jigsaw", lambda: check_jigsaw(folder, problems)))
    checks += [(n + ".cur", lambda n=n, h=h: check_cursor(folder, n, h, problems)) for n, h in CURSORS.items()]
    checks.append(("Pointrix.ico", lambda: check_icon(folder, problems)))
    data_folder = os.path.join(folder, "..", "data")
    checks.append(("desktop icons", lambda: check_desktop_icons(data_folder, problems)))
    checks += [(n + ".wav", lambda n=n, s=s: check_sound(folder, n, s, problems)) for n, s in SOUNDS.items()]
    for what, fn in checks:
        try:
            fn()
        except FileNotFoundError as e:
            problems.append("%s: missing (%s)" % (what, e.filename))
        except Exception as e:  # a malformed file is a finding, not a crash
            problems.append("%s: %s" % (what, e))
    return problems


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    folder = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", "resources")
    problems = run(folder)
    for p in problems:
        print("asset check: " + p)
    if problems:
        return 1
    print("asset check: all %d bitmaps, %d jigsaw files, %d cursors, the icon, %d desktop icons and %d sounds"
          " are as expected" % (len(BITMAPS), len(PIECES) + 1, len(CURSORS), len(DESKTOP_ICON_SIZES), len(SOUNDS)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
