#!/usr/bin/python3
"""Draws the small pictures of the English page files and puts them into the files.

Usage:  /usr/bin/python3 tools/content/make_pictures.py [languages/English]

The page files are written by hand (or in a word processor); this script only
replaces their picture groups.  Each file named in PICTURES must already hold
as many picture groups ({\\pict ...}, an empty "{\\pict}" will do) as it lists
pictures; the n-th group is replaced by the n-th picture, as a PNG in hex with
its display size in twips.  Running the script twice gives the same files.

The pictures carry no words, so translators can keep them as they are:
  enter_key      a key cap with the bent "Enter" arrow, shown in the text line
  mouse_left     a mouse seen from above, left button lit (right-handed users)
  mouse_right    the same with the right button lit (left-handed users, whose
                 buttons are swapped so that the right one is the main button)

Transparent pixels carry the window colour, so the pictures look right both
where the reader honours transparency and where it does not.
"""

import io
import math
import os
import re
import sys

from PIL import Image, ImageDraw

PAGE_COLOUR = (200, 200, 225)  # 0xE1C8C8 written as RGB
INK = (48, 96, 144)  # page text colour 0x906030 written as RGB
SUPERSAMPLE = 4
TWIPS_PER_PIXEL = 15  # 96 pixels per inch

# Which pictures each page file holds, in the order of its picture groups.
PICTURES = {
    "1.rtf": ["enter_key"],
    "2.rtf": ["enter_key"],
    "5r.rtf": ["mouse_left"],
    "5l.rtf": ["mouse_right"],
}


def finish(big, size):
    """Scales a supersampled RGBA drawing down and gives see-through pixels the page colour."""
    small = big.resize(size, Image.LANCZOS)
    pixels = small.load()
    for y in range(size[1]):
        for x in range(size[0]):
            r, g, b, a = pixels[x, y]
            if a == 0:
                pixels[x, y] = PAGE_COLOUR + (0,)
    return small


def draw_enter_key():
    w, h = 44, 28
    s = SUPERSAMPLE
    img = Image.new("RGBA", (w * s, h * s), PAGE_COLOUR + (0,))
    d = ImageDraw.Draw(img)
    # Key cap: a darker base with a lighter top face, like a real key seen from the front.
    d.rounded_rectangle([1 * s, 1 * s, (w - 1) * s, (h - 1) * s], radius=5 * s, fill=(120, 130, 160), outline=INK, width=s)
    d.rounded_rectangle([4 * s, 3 * s, (w - 4) * s, (h - 6) * s], radius=4 * s, fill=(250, 250, 255))
    # The bent arrow: down from the top right, then left, ending in an arrow head.
    line = 2.4 * s
    d.line([(32 * s, 6 * s), (32 * s, 14 * s)], fill=INK, width=round(line))
    d.line([(32 * s, 14 * s), (15 * s, 14 * s)], fill=INK, width=round(line))
    d.ellipse([30.8 * s, 12.8 * s, 33.2 * s, 15.2 * s], fill=INK)
    d.polygon([(10 * s, 14 * s), (17 * s, 9.5 * s), (17 * s, 18.5 * s)], fill=INK)
    return finish(img, (w, h))


def draw_mouse(lit_side):
    w, h = 76, 108
    s = SUPERSAMPLE
    img = Image.new("RGBA", (w * s, h * s), PAGE_COLOUR + (0,))
    d = ImageDraw.Draw(img)
    body = [8 * s, 14 * s, (w - 8) * s, (h - 3) * s]
    # Cable leaving the top of the mouse.
    cable = [(w / 2, 15), (w / 2, 9), (w / 2 + 2, 5), (w / 2 + 7, 2), (w / 2 + 14, 1)]
    d.line([(x * s, y * s) for x, y in cable], fill=(90, 90, 110), width=3 * s, joint="curve")
    # Body: a rounded shape, pale grey, with the page ink as outline.
    d.rounded_rectangle(body, radius=28 * s, fill=(236, 238, 246), outline=INK, width=2 * s)
    # Buttons: the upper part of the body split in two down the middle.
    split_y = 52
    lit = (255, 170, 40)
    unlit = (214, 218, 232)
    left_box = [10 * s, 16 * s, (w / 2 - 1) * s, split_y * s]
    right_box = [(w / 2 + 1) * s, 16 * s, (w - 10) * s, split_y * s]
    for box, side in ((left_box, "left"), (right_box, "right")):
        mask = Image.new("L", img.size, 0)
        md = ImageDraw.Draw(mask)
        md.rounded_rectangle([b + (2 * s if i < 2 else -2 * s) for i, b in enumerate(body)], radius=26 * s, fill=255)
        clip = Image.new("L", img.size, 0)
        ImageDraw.Draw(clip).rectangle(box, fill=255)
        region = Image.composite(mask, Image.new("L", img.size, 0), clip)
        colour = lit if side == lit_side else unlit
        img.paste(Image.new("RGBA", img.size, colour + (255,)), (0, 0), region)
    # Lines between the buttons and under them, and the wheel.
    d.line([(w / 2 * s, 15 * s), (w / 2 * s, split_y * s)], fill=INK, width=2 * s)
    d.line([(10 * s, split_y * s), ((w - 10) * s, split_y * s)], fill=INK, width=2 * s)
    d.rounded_rectangle([(w / 2 - 4) * s, 24 * s, (w / 2 + 4) * s, 40 * s], radius=4 * s, fill=(120, 128, 150))
    # A small star on the lit button tells "press here".
    cx = (w / 2 - 16) if lit_side == "left" else (w / 2 + 16)
    cy = 34
    star = []
    for k in range(10):
        r = 7 if k % 2 == 0 else 3
        a = math.pi / 2 + k * math.pi / 5
        star.append(((cx + r * math.cos(a)) * s, (cy - r * math.sin(a)) * s))
    d.polygon(star, fill=(255, 255, 255), outline=(200, 110, 0))
    # Redraw the outline on top so that the buttons do not cover it.
    d.rounded_rectangle(body, radius=28 * s, outline=INK, width=2 * s)
    # Drawn on a 76 x 108 grid, shown a little smaller so that the page keeps room for text.
    return finish(img, (64, 91))


DRAWERS = {
    "enter_key": draw_enter_key,
    "mouse_left": lambda: draw_mouse("left"),
    "mouse_right": lambda: draw_mouse("right"),
}


def pict_group(img, newline):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True)
    data = buf.getvalue().hex()
    w, h = img.size
    lines = [data[i : i + 128] for i in range(0, len(data), 128)]
    head = f"{{\\pict\\pngblip\\picw{w}\\pich{h}\\picwgoal{w * TWIPS_PER_PIXEL}\\pichgoal{h * TWIPS_PER_PIXEL}"
    return head + newline + newline.join(lines) + "}"


def find_pict_groups(text):
    """Returns (start, end) of every {\\pict ...} group, end exclusive."""
    groups = []
    for m in re.finditer(r"\{\\pict(?![a-z])", text):
        depth = 0
        i = m.start()
        while i < len(text):
            c = text[i]
            if c == "\\":
                i += 2
                continue
            if c == "{":
                depth += 1
            elif c == "}":
                depth -= 1
                if depth == 0:
                    groups.append((m.start(), i + 1))
                    break
            i += 1
        else:
            raise ValueError("picture group is not closed")
    return groups


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "languages", "English")
    folder = os.path.normpath(folder)
    made = {name: draw() for name, draw in DRAWERS.items()}
    failed = False
    for fname, names in PICTURES.items():
        path = os.path.join(folder, fname)
        if not os.path.exists(path):
            print(f"{path}: missing, skipped")
            continue
        text = open(path, "rb").read().decode("ascii")
        groups = find_pict_groups(text)
        if len(groups) != len(names):
            print(f"{path}: holds {len(groups)} picture group(s), expected {len(names)}; add {{\\pict}} where they go")
            failed = True
            continue
        newline = "\r\n" if "\r\n" in text else "\n"
        for (start, end), name in reversed(list(zip(groups, names))):
            text = text[:start] + pict_group(made[name], newline) + text[end:]
        open(path, "wb").write(text.encode("ascii"))
        print(f"{path}: {', '.join(names)}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
