#!/usr/bin/python3
"""Checks a Pointrix language folder and draws a preview of every page.

Usage:  /usr/bin/python3 tools/content/check_pages.py [languages/English ...] [--preview DIR]

Without a folder it checks every language folder in languages/ (as the program
lists them), and that no two folders claim the same locale code.

For every page file it checks that the file is plain 7-bit ASCII RTF with
balanced braces and the usual header, lays the text out the way a rich-text
box would (Tahoma, word wrap, 96 pixels per inch) and reports whether it fits
its box on the page without scrolling.  For the language text file it checks
the line count, the CR LF line ends, the Windows-1252 encoding, the 99
character limit and that the captions and prompts fit where they are drawn.
It also checks the folder name (UTF-8, composed accents, Windows-1252 letters)
and the locale codes in locale.txt.
With --preview it writes one PNG per page file so that a translator can see
the result without building the program.

The layout is an estimate (the real program may wrap a word differently), so
the checker asks for a safety margin: a page must fit in its box less a few
pixels on each side.

Needs Python 3 with PIL (Debian: python3-pil) and the Tahoma-compatible fonts
of fonts-wine (/usr/share/wine/fonts/tahoma.ttf and tahomabd.ttf).
"""

import io
import os
import re
import sys
import unicodedata

from PIL import Image, ImageDraw, ImageFont

FONT_DIR = "/usr/share/wine/fonts"
FONT_FILES = {False: "tahoma.ttf", True: "tahomabd.ttf"}

# Page file number -> (control, width, height) of the rich-text box that shows it.
PAGE_BOXES = {
    1: ("ConfigureRE", 624, 245),
    2: ("IntroRE", 624, 369),
    3: ("OverviewRE", 624, 369),
    4: ("HoldingRE", 385, 369),
    5: ("UsageRE", 624, 369),
    6: ("SelectingRE", 624, 369),
    7: ("SelectingGameRE", 285, 285),
    8: ("ActivatingRE", 624, 369),
    9: ("ActivatingGameRE", 293, 289),
    10: ("MovingRE", 624, 369),
    11: ("MovingGameRE", 13, 9),
    12: ("OutroRE", 624, 369),
}

# Room kept free on each side of a box, for the box's own margin and for
# differences between this estimate and the program's layout.
MARGIN_X = 6
MARGIN_Y = 4

PAGE_COLOUR = (200, 200, 225)  # window colour 0xE1C8C8 (BGR)
DEFAULT_TEXT = (0, 0, 0)

_font_cache = {}


def font(bold, px):
    key = (bold, px)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(os.path.join(FONT_DIR, FONT_FILES[bold]), px)
    return _font_cache[key]


class RtfError(Exception):
    pass


# ---------------------------------------------------------------------------
# Reading: a small RTF reader for the features the page files use.
# ---------------------------------------------------------------------------

IGNORED_DESTINATIONS = {"fonttbl", "colortbl", "stylesheet", "info", "generator", "header", "footer"}


class Paragraph:
    def __init__(self, state):
        self.align = state["align"]
        self.space_before = state["sb"]
        self.space_after = state["sa"]
        self.left_indent = state["li"]
        self.first_indent = state["fi"]
        self.items = []  # ("text", str, bold, px, colour) or ("pict", Image)


def read_rtf(data):
    """Parses RTF bytes into (paragraphs, colours); raises RtfError on faults."""
    if any(b > 127 for b in data):
        pos = next(i for i, b in enumerate(data) if b > 127)
        raise RtfError(f"byte 0x{data[pos]:02x} at offset {pos} is not 7-bit ASCII (write it as \\'hh)")
    text = data.decode("ascii")
    if not text.startswith("{\\rtf1"):
        raise RtfError("does not start with {\\rtf1")
    depth = 0
    i = 0
    while i < len(text):
        ch = text[i]
        if ch == "\\":
            i += 4 if text.startswith("'", i + 1) else 2
            continue
        if ch == "{":
            depth += 1
        elif ch == "}":
            depth -= 1
            if depth < 0:
                raise RtfError("more closing than opening braces")
            if depth == 0 and text[i + 1 :].strip("\r\n\0"):
                raise RtfError("text after the closing brace of the document")
        i += 1
    if depth != 0:
        raise RtfError(f"{depth} group(s) not closed")
    for word in ("\\ansi", "\\ansicpg1252", "\\fonttbl", "\\colortbl"):
        if word not in text:
            raise RtfError(f"header lacks {word}")

    colours = read_colour_table(text)
    paragraphs = []
    base = {"bold": False, "fs": 24, "cf": 0, "align": "l", "sb": 0, "sa": 0, "li": 0, "fi": 0, "uc": 1}
    state = dict(base)
    stack = []
    skip_depth = None  # group depth of a destination being skipped
    pict = None  # dict while inside {\pict ...}
    para = Paragraph(state)
    i = 0
    n = len(text)
    token_re = re.compile(r"\\([a-zA-Z]+)(-?\d+)? ?")

    def add_text(s):
        if s:
            px = round(state["fs"] / 2 * 96 / 72)
            col = colours[state["cf"]] if state["cf"] < len(colours) else DEFAULT_TEXT
            para.items.append(("text", s, state["bold"], px, col))

    while i < n:
        ch = text[i]
        if ch == "{":
            stack.append((dict(state), skip_depth, pict))
            i += 1
            if text.startswith("\\*", i) and skip_depth is None:
                skip_depth = len(stack)
            continue
        if ch == "}":
            if pict is not None and stack and stack[-1][2] is None:
                finish_pict(pict, para)
            state, skip_depth, pict = stack.pop()
            i += 1
            continue
        if ch in "\r\n":
            i += 1
            continue
        if ch == "\\":
            if i + 1 < n and text[i + 1] == "'":
                byte = int(text[i + 2 : i + 4], 16)
                if skip_depth is None and pict is None:
                    add_text(bytes([byte]).decode("cp1252", errors="replace"))
                i += 4
                continue
            if i + 1 < n and text[i + 1] in "\\{}":
                if skip_depth is None and pict is None:
                    add_text(text[i + 1])
                i += 2
                continue
            if i + 1 < n and text[i + 1] in "\r\n":
                raise RtfError("backslash before a line end (reads as \\par); put the line end elsewhere")
            if i + 1 < n and text[i + 1] == "~":
                add_text("\u00a0")
                i += 2
                continue
            m = token_re.match(text, i)
            if not m:
                i += 2
                continue
            word, arg = m.group(1), m.group(2)
            val = int(arg) if arg is not None else None
            i = m.end()
            if word == "u" and val is not None:
                # A Unicode character (negative values count from 65536), followed by
                # \ucN fallback characters for older readers, which are skipped.
                if skip_depth is None and pict is None:
                    add_text(chr(val + 65536 if val < 0 else val))
                i = skip_fallback(text, i, state["uc"])
                continue
            if word in IGNORED_DESTINATIONS and skip_depth is None:
                skip_depth = len(stack)
                continue
            if skip_depth is not None:
                continue
            if word == "pict":
                pict = {"hex": [], "wgoal": None, "hgoal": None, "png": False}
                continue
            if pict is not None:
                if word == "pngblip":
                    pict["png"] = True
                elif word == "picwgoal":
                    pict["wgoal"] = val
                elif word == "pichgoal":
                    pict["hgoal"] = val
                continue
            handle_word(word, val, state, base)
            if word == "par":
                paragraphs.append(para)
                para = Paragraph(state)
            elif word in ("pard", "qc", "ql", "qr", "qj", "sb", "sa", "li", "fi"):
                para.align, para.space_before, para.space_after = state["align"], state["sb"], state["sa"]
                para.left_indent, para.first_indent = state["li"], state["fi"]
            elif word == "line":
                add_text("\n")
            elif word == "tab":
                add_text("    ")
            continue
        # Plain text, or the hex data of a picture.
        j = i
        while j < n and text[j] not in "\\{}\r\n":
            j += 1
        chunk = text[i:j]
        if skip_depth is not None:
            pass
        elif pict is not None:
            pict["hex"].append(chunk)
        else:
            add_text(chunk)
        i = j
    if para.items:
        paragraphs.append(para)
    return paragraphs, colours


def read_colour_table(text):
    """Returns the colours of the colour table; entry 0 is the automatic colour."""
    m = re.search(r"\{\\colortbl([^}]*)\}", text)
    if not m:
        return [DEFAULT_TEXT]
    colours = []
    for entry in m.group(1).split(";")[:-1]:
        parts = dict(re.findall(r"\\(red|green|blue)(\d+)", entry))
        if parts:
            colours.append((int(parts.get("red", 0)), int(parts.get("green", 0)), int(parts.get("blue", 0))))
        else:
            colours.append(DEFAULT_TEXT)
    return colours or [DEFAULT_TEXT]


def skip_fallback(text, i, count):
    """Skips the count fallback characters after a \\uN; a \\'hh counts as one, a group ends them."""
    while count > 0 and i < len(text):
        if text[i] in "{}":
            break
        if text.startswith("\\'", i):
            i += 4
        elif text[i] == "\\":
            m = re.compile(r"\\([a-zA-Z]+)(-?\d+)? ?").match(text, i)
            i = m.end() if m else i + 2
        else:
            i += 1
        count -= 1
    return i


def handle_word(word, val, state, base):
    if word == "uc" and val is not None:
        state["uc"] = max(val, 0)
    elif word == "b":
        state["bold"] = val != 0
    elif word == "fs":
        state["fs"] = val
    elif word == "cf":
        state["cf"] = val
    elif word in ("qc", "ql", "qr", "qj"):
        state["align"] = word[1]
    elif word in ("sb", "sa", "li", "fi"):
        state[word] = val
    elif word == "pard":
        for k in ("align", "sb", "sa", "li", "fi"):
            state[k] = base[k]
    elif word == "plain":
        for k in ("bold", "fs", "cf"):
            state[k] = base[k]


def finish_pict(pict, para):
    hexdata = "".join(pict["hex"]).strip()
    if not pict["png"]:
        raise RtfError("picture is not \\pngblip")
    if not re.fullmatch(r"[0-9a-fA-F\s]*", hexdata) or len(hexdata.replace(" ", "")) % 2:
        raise RtfError("picture data is not an even number of hex digits")
    img = Image.open(io.BytesIO(bytes.fromhex(hexdata)))
    img.load()
    if pict["wgoal"] and pict["hgoal"]:
        size = (round(pict["wgoal"] / 15), round(pict["hgoal"] / 15))
        if size != img.size:
            img = img.resize(size, Image.LANCZOS)
    para.items.append(("pict", img.convert("RGBA")))


# ---------------------------------------------------------------------------
# Layout: word wrap into lines of runs, heights from the font metrics.
# ---------------------------------------------------------------------------


def split_units(items):
    """Yields the units that wrapping keeps whole: ("word", [fragments]), ("space", fragment),
    ("break", None) or ("pict", Image).  A word may be made of fragments in several
    formats ("{\\b button}." is one word); a fragment is (text, bold, px, colour)."""
    word = []
    for item in items:
        if item[0] == "pict":
            if word:
                yield ("word", word)
                word = []
            yield ("pict", item[1])
            continue
        _, s, bold, px, col = item
        for piece in re.findall(r"\n| +|[^ \n]+", s):
            if piece == "\n" or piece.startswith(" "):
                if word:
                    yield ("word", word)
                    word = []
                yield ("break", None) if piece == "\n" else ("space", (piece, bold, px, col))
            else:
                word.append((piece, bold, px, col))
    if word:
        yield ("word", word)


def unit_size(unit):
    """Returns (width, ascent, descent) of a unit."""
    kind, payload = unit
    if kind == "pict":
        return payload.size[0], payload.size[1], 0
    frags = payload if kind == "word" else [payload]
    width, asc, desc = 0.0, 0, 0
    for text, bold, px, _ in frags:
        f = font(bold, px)
        a, d = f.getmetrics()
        width += f.getlength(text)
        asc, desc = max(asc, a), max(desc, d)
    return width, asc, desc


def layout(paragraphs, width):
    """Wraps the paragraphs into lines (y, [(unit, width)], ascent, descent, align, indent, room)
    and returns them with the total height in pixels."""
    lines = []
    y = 0.0
    empty_asc, empty_desc = font(False, 20).getmetrics()
    for para in paragraphs:
        y += para.space_before / 15
        left = para.left_indent / 15
        state = {"first": True, "units": [], "width": 0.0, "asc": 0, "desc": 0}

        def flush():
            nonlocal y
            units = state["units"]
            while units and units[-1][0][0] == "space":
                state["width"] -= units.pop()[1]
            asc, desc = state["asc"], state["desc"]
            if asc == 0:
                asc, desc = empty_asc, empty_desc
            indent = left + (para.first_indent / 15 if state["first"] else 0)
            lines.append((y, units, asc, desc, para.align, indent, width - indent))
            y += asc + desc
            state.update(first=False, units=[], width=0.0, asc=0, desc=0)

        for unit in split_units(para.items):
            if unit[0] == "break":
                flush()
                continue
            if unit[0] == "space" and not state["units"]:
                continue
            w, a, d = unit_size(unit)
            indent = left + (para.first_indent / 15 if state["first"] else 0)
            if unit[0] != "space" and state["units"] and state["width"] + w > width - indent:
                flush()
            state["units"].append((unit, w))
            state["width"] += w
            state["asc"], state["desc"] = max(state["asc"], a), max(state["desc"], d)
        flush()
        y += para.space_after / 15
    return lines, y


def render(lines, width, height, scale_height=None):
    h = max(height, int(scale_height or 0))
    img = Image.new("RGB", (width, h), PAGE_COLOUR)
    draw = ImageDraw.Draw(img)
    for y, pieces, asc, desc, align, indent, avail in lines:
        total = sum(w for _, w in pieces)
        x = indent
        if align == "c":
            x = indent + (avail - total) / 2
        elif align == "r":
            x = indent + avail - total
        for unit, w in pieces:
            kind, payload = unit
            if kind == "pict":
                img.paste(payload, (round(x), round(y + asc - payload.size[1])), payload)
            elif kind == "word":
                fx = x
                for text, bold, px, col in payload:
                    f = font(bold, px)
                    draw.text((fx, y + asc), text, font=f, fill=col, anchor="ls")
                    fx += f.getlength(text)
            x += w
    if h > height:
        draw.line([(0, height), (width, height)], fill=(255, 0, 0))
    return img


# ---------------------------------------------------------------------------
# The language text file.
# ---------------------------------------------------------------------------

# Line number -> (x of the caption's centre, first and last free x) on the button,
# in pixels from its left edge.  Back, Next and Exit are 100 x 48 with the text moved
# by 17, -17 and -5 and an icon at 9..32 (Back) or 67..90 (Next, Exit); New game and
# Reset are 150 x 45 without an icon.
BUTTON_ROOM = {19: (67, 34, 93), 20: (33, 7, 66), 21: (45, 7, 66), 22: (75, 10, 140), 23: (75, 10, 140)}
# Pixels the slant of the italic and the text shadow add to the upright width.
BUTTON_SLANT = 3

LINE_NAMES = [
    "caption of page 1 (Configure)",
    "caption of page 2 (Intro)",
    "caption of page 3 (Overview)",
    "caption of page 4 (Holding)",
    "caption of page 5 (Usage)",
    "caption of page 6 (Selecting)",
    "caption of page 7 (Training 1)",
    "caption of page 8 (Activating)",
    "caption of page 9 (Training 2)",
    "caption of page 10 (Moving)",
    "caption of page 11 (Training 3)",
    "caption of page 12 (Outro)",
    "caption of page 13 (About)",
    "idle prompt, no game running",
    "idle prompt, Training 1 running",
    "idle prompt, Training 2 running",
    "idle prompt, Training 3 running; first line in the Training 3 frame",
    "second line in the Training 3 frame",
    "Back button",
    "Next button",
    "Exit button",
    "New game buttons",
    "Reset button",
    "Time label",
    "Level label",
    "Hits label",
    "Misses label",
    "Escaped label",
    "Score label",
    "stored, not shown",
]


def wrap_count(text, f, width):
    words = text.split()
    lines, cur = 1, ""
    for w in words:
        trial = (cur + " " + w).strip()
        if f.getlength(trial) > width and cur:
            lines += 1
            cur = w
        else:
            cur = trial
    return lines


def check_text_file(path, problems):
    data = open(path, "rb").read()
    if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b""):
        problems.append(f"{path}: a line does not end with CR LF")
    try:
        text = data.decode("cp1252")
    except UnicodeDecodeError as e:
        problems.append(f"{path}: not Windows-1252: {e}")
        return
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    if len(lines) != 30:
        problems.append(f"{path}: {len(lines)} lines, expected 30")
    for no, line in enumerate(lines, 1):
        if len(line) > 99:
            problems.append(f"{path}: line {no} has {len(line)} characters (at most 99)")
        if line != line.strip():
            problems.append(f"{path}: line {no} has leading or trailing spaces")
        if not line.strip() and no < len(LINE_NAMES):
            problems.append(f"{path}: line {no} ({LINE_NAMES[no - 1]}) is empty")
    # Tab captions: drawn at +4 in an 11 px font; all 13 tabs share one row of 632 px.
    tab_font = font(False, 11)
    tab_widths = [tab_font.getlength(c) for c in lines[:13]]
    total = sum(tab_widths)
    print(f"  tab captions: {round(total)} px of text; {round((632 - total) / 13, 1)} px left per tab for padding")
    if total + 13 * 8 > 632:
        problems.append(f"{path}: tab captions need {round(total)} px; with 4 px padding on each side they overflow 632 px")
    # Idle prompts: 297 x 61 label, 19 px, word-wrapped, so at most 2 lines.
    prompt_font = font(False, 19)
    for no in range(14, 18):
        if no <= len(lines) and wrap_count(lines[no - 1], prompt_font, 297) > 2:
            problems.append(f"{path}: line {no} needs more than two lines in the 297 px prompt")
    # Training 3 frame: written at x 170 in a 12 pt (16 px) font inside a frame ending at 450.
    frame_font = font(False, 16)
    for no in (17, 18):
        if no <= len(lines) and frame_font.getlength(lines[no - 1]) > 450 - 170 - 4:
            problems.append(f"{path}: line {no} is wider than the Training 3 frame")
    # Buttons: the caption is drawn in a 16 px italic Tahoma, centred on the button's
    # middle moved by its text offset, and must stay on the free part of the button's
    # face: clear of the rounded ends and of the arrow or cross drawn on it.
    button_font = font(False, 16)
    for no, (centre, left, right) in BUTTON_ROOM.items():
        if no > len(lines):
            continue
        half = (button_font.getlength(lines[no - 1]) + BUTTON_SLANT) / 2
        if centre - half < left or centre + half > right:
            room = 2 * min(centre - left, right - centre) - BUTTON_SLANT
            problems.append(
                f"{path}: line {no} ({LINE_NAMES[no - 1]}) is {round(2 * half - BUTTON_SLANT)} px wide;"
                f" its button has room for {round(room)} px"
            )
    # Score panel labels: the name at x 476 (480), the value at 568..576.
    label_font = font(False, 19)
    for no in range(24, 30):
        if no <= len(lines) and label_font.getlength(lines[no - 1]) > 88:
            problems.append(f"{path}: line {no} runs into the number beside it")


# ---------------------------------------------------------------------------


LANGUAGES_DIR = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "languages"))
LOCALE_FILE = "locale.txt"
LOCALE_CODE = re.compile(r"[a-z]{2,3}(_[A-Z]{2})?")


def language_folders(root):
    """The folders the program lists as languages: every sub-folder except "Output" and
    those whose name begins with a dot, sorted by name."""
    names = [n for n in os.listdir(root) if os.path.isdir(os.path.join(root, n)) and n != "Output" and not n.startswith(".")]
    return [os.path.join(root, n) for n in sorted(names)]


def page_files(folder, problems=None):
    """Yields (page number, file name) for every page file the program would show, for
    both hands; appends what breaks the variant rules to problems."""
    files = set(os.listdir(folder))
    for n in PAGE_BOXES:
        common = f"{n}.rtf"
        variants = [f"{n}l.rtf", f"{n}r.rtf"]
        if common in files and any(v in files for v in variants) and problems is not None:
            problems.append(f"page {n}: both {common} and a variant exist; the variants would never be shown")
        if common in files:
            chosen = [common]
        elif all(v in files for v in variants):
            chosen = variants
        else:
            if problems is not None:
                problems.append(f"page {n}: neither {common} nor both of {variants[0]} and {variants[1]}")
            continue
        for fname in chosen:
            yield n, fname


def read_locale_codes(folder, problems):
    """Returns the locale codes listed in the folder's locale.txt, in order; appends faults to problems."""
    path = os.path.join(folder, LOCALE_FILE)
    try:
        data = open(path, "rb").read()
    except OSError:
        problems.append(f"missing {LOCALE_FILE} (one locale code a line, for example pt_BR, then pt)")
        return []
    try:
        text = data.decode("ascii")
    except UnicodeDecodeError:
        problems.append(f"{LOCALE_FILE}: only ASCII letters, '_' and '#' comments belong in it")
        return []
    codes = []
    for no, line in enumerate(text.splitlines(), 1):
        code = line.split("#", 1)[0].strip()
        if not code:
            continue
        if not LOCALE_CODE.fullmatch(code):
            problems.append(f"{LOCALE_FILE}: line {no}: {code!r} is not a code like 'sv' or 'pt_BR'")
        elif code in codes:
            problems.append(f"{LOCALE_FILE}: line {no}: {code} is listed twice")
        else:
            codes.append(code)
    if not codes and not any(p.startswith(LOCALE_FILE) for p in problems):
        problems.append(f"{LOCALE_FILE}: lists no locale code")
    return codes


def check_folder_name(name, problems):
    """Folder names are stored in UTF-8, in composed form, in the characters a Windows-1252
    text file can also hold, so that the list, the text file and the stored setting agree."""
    try:
        name.encode("utf-8")
    except UnicodeEncodeError:
        problems.append(f"folder name {name.encode('utf-8', 'surrogateescape')!r} is not UTF-8; rename it")
        return
    if unicodedata.normalize("NFC", name) != name:
        problems.append(f"folder name {name!r} uses decomposed accents; rename it with composed letters (NFC)")
    try:
        name.encode("cp1252")
    except UnicodeEncodeError:
        problems.append(f"folder name {name!r} has characters outside Windows-1252")


def check_folder(folder, preview_dir):
    problems = []
    name = os.path.basename(os.path.normpath(folder))
    check_folder_name(name, problems)
    read_locale_codes(folder, problems)
    for n, fname in page_files(folder, problems):
        control, width, height = PAGE_BOXES[n]
        path = os.path.join(folder, fname)
        try:
            paragraphs, _ = read_rtf(open(path, "rb").read())
        except (RtfError, ValueError, OSError) as e:
            problems.append(f"{fname}: {e}")
            continue
        inner_w = max(width - 2 * MARGIN_X, 1)
        lines, used = layout(paragraphs, inner_w)
        limit = height - 2 * MARGIN_Y
        has_text = any(u for line in lines for u, _ in line[1] if u[0] in ("word", "pict"))
        status = "fits" if used <= limit else "TOO TALL"
        if n == 11:
            status = "tiny (no text)" if not has_text else "HAS TEXT"
            if has_text:
                problems.append(f"{fname}: the 13 x 9 box must stay empty")
        elif used > limit:
            problems.append(f"{fname}: text is {round(used)} px tall, {control} shows {limit} px")
        print(f"  {fname:8} {control:17} {width:3} x {height:3}: {len(lines):2} lines, {round(used):3} px  {status}")
        if preview_dir and n != 11:
            img = render(lines, inner_w, limit, used)
            framed = Image.new("RGB", (width, max(height, img.size[1] + 2 * MARGIN_Y)), PAGE_COLOUR)
            framed.paste(img, (MARGIN_X, MARGIN_Y))
            framed.save(os.path.join(preview_dir, fname.replace(".rtf", ".png")))
    text_path = os.path.join(folder, name + ".txt")
    if os.path.isfile(text_path) and name + ".txt" in os.listdir(folder):
        check_text_file(text_path, problems)
    else:
        problems.append(f"missing language text file {name}.txt (named exactly like the folder)")
    return problems


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    preview_dir = None
    if "--preview" in argv:
        preview_dir = argv[argv.index("--preview") + 1]
        args = [a for a in args if a != preview_dir]
    if args:
        folders = [os.path.normpath(a) for a in args]
    else:
        folders = language_folders(LANGUAGES_DIR)
        if not folders:
            print(f"PROBLEM: no language folder in {LANGUAGES_DIR}")
            return 1
    failed = []
    owners = {}  # locale code -> first folder that lists it
    for folder in folders:
        print(f"Checking {folder}")
        if not os.path.isdir(folder):
            problems = [f"{folder} is not a folder"]
        else:
            target = None
            if preview_dir:
                target = os.path.join(preview_dir, os.path.basename(folder)) if len(folders) > 1 else preview_dir
                os.makedirs(target, exist_ok=True)
            problems = check_folder(folder, target)
            for code in read_locale_codes(folder, []):
                if code in owners:
                    problems.append(f"{LOCALE_FILE}: {code} is also listed by {owners[code]}; give each code to one folder")
                else:
                    owners[code] = os.path.basename(folder)
        for p in problems:
            print("PROBLEM:", p)
        print("OK" if not problems else f"{len(problems)} problem(s)")
        if problems:
            failed.append(os.path.basename(folder))
    if len(folders) > 1:
        print(f"{len(folders)} language folders checked" + (f"; problems in {', '.join(failed)}" if failed else ", all OK"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
