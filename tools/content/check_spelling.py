#!/usr/bin/python3
"""Spell-checks the words a learner reads in every Pointrix language folder.

Usage:  /usr/bin/python3 tools/content/check_spelling.py [languages/Svenska ...]

Without a folder it checks every language folder in languages/.  For each
folder it reads the visible text of every page file (control words dropped,
\\'hh read as Windows-1252, \\uN as Unicode, pictures skipped) and every line of
the language text file, and checks each word with hunspell.

The dictionary comes from the first code in the folder's locale.txt: a code
with a territory (pt_BR) needs that dictionary, a bare language code (sv)
takes the usual one for the language (sv_SE) or any other of the language.
A folder without locale.txt, or whose dictionary is not installed, fails.

Words the dictionary does not know but that are right (the program's name, key
names) go into tools/content/allowed/: all.txt for every language and
<code>.txt for each code the folder lists and for its language (pt_BR.txt,
pt.txt), one word a line, '#' starts a comment; case does not matter.

Needs hunspell and its dictionaries (Debian: hunspell, hunspell-nl, ...) and
Python 3 with PIL, like check_pages.py.
"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_pages import LANGUAGES_DIR, RtfError, language_folders, page_files, read_locale_codes, read_rtf  # noqa: E402

DICTIONARY_DIR = "/usr/share/hunspell"
ALLOWED_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "allowed")

# The dictionary a bare language code stands for, and the Debian package holding it.
USUAL_DICTIONARY = {
    "de": ("de_DE", "hunspell-de-de"),
    "en": ("en_US", "hunspell-en-us"),
    "es": ("es_ES", "hunspell-es"),
    "fr": ("fr_FR", "hunspell-fr"),
    "it": ("it_IT", "hunspell-it"),
    "nl": ("nl_NL", "hunspell-nl"),
    "pt": ("pt_BR", "hunspell-pt-br"),
    "sv": ("sv_SE", "hunspell-sv"),
}

# A word: letters, joined by apostrophes ("pagina's") or hyphens ("Enter-toets").
WORD = re.compile(r"[^\W\d_]+(?:['\u2019-][^\W\d_]+)*")


def find_dictionary(code, directory=DICTIONARY_DIR):
    """Returns the path (without .dic) of the hunspell dictionary for a locale code, or None."""

    def exists(name):
        return os.path.isfile(os.path.join(directory, name + ".dic")) and os.path.isfile(os.path.join(directory, name + ".aff"))

    if "_" in code:
        return os.path.join(directory, code) if exists(code) else None
    candidates = [code]
    if code in USUAL_DICTIONARY:
        candidates.append(USUAL_DICTIONARY[code][0])
    try:
        others = sorted(f[:-4] for f in os.listdir(directory) if f.startswith(code + "_") and f.endswith(".dic"))
    except OSError:
        others = []
    for name in candidates + others:
        if exists(name):
            return os.path.join(directory, name)
    return None


def package_hint(code):
    if code in USUAL_DICTIONARY:
        return USUAL_DICTIONARY[code][1]
    return "hunspell-" + code.lower().replace("_", "-")


def read_allowed(codes, directory=ALLOWED_DIR):
    words = set()
    names = ["all"]
    for code in codes:
        for name in (code.split("_")[0], code):
            if name not in names:
                names.append(name)
    for name in names:
        path = os.path.join(directory, name + ".txt")
        if not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8") as f:
            for line in f:
                word = line.split("#", 1)[0].strip()
                if word:
                    words.add(word.casefold())
    return words


def visible_text(rtf_bytes):
    """The text of a page file as a reader sees it, one paragraph a line."""
    paragraphs, _ = read_rtf(rtf_bytes)
    out = []
    for para in paragraphs:
        out.append("".join(item[1] if item[0] == "text" else " " for item in para.items))
    return "\n".join(out)


def texts_of_folder(folder, problems):
    """Yields (where, text) for every page file and every line of the language text file."""
    for _, fname in page_files(folder):
        try:
            yield fname, visible_text(open(os.path.join(folder, fname), "rb").read())
        except (RtfError, ValueError, OSError) as e:
            problems.append(f"{fname}: cannot be read ({e}); run check_pages.py")
    name = os.path.basename(os.path.normpath(folder))
    try:
        lines = open(os.path.join(folder, name + ".txt"), "rb").read().decode("cp1252").splitlines()
    except (OSError, UnicodeDecodeError) as e:
        problems.append(f"{name}.txt: cannot be read ({e}); run check_pages.py")
        lines = []
    for no, line in enumerate(lines, 1):
        yield f"{name}.txt line {no}", line


def unknown_words(words, dictionary):
    """Returns the subset of words hunspell does not know."""
    if not words:
        return set()
    result = subprocess.run(
        ["hunspell", "-d", dictionary, "-i", "utf-8", "-l"],
        input="\n".join(sorted(words)) + "\n",
        capture_output=True,
        encoding="utf-8",
        check=False,
    )
    if result.returncode != 0:
        raise RuntimeError(f"hunspell failed: {result.stderr.strip()}")
    return {w for w in result.stdout.split("\n") if w}


def misspelled(words, dictionary, allowed):
    """Returns the words that are wrong.  A joined word is right if hunspell knows it whole
    ("quebra-cabeça") or knows or allows each part ("Enter-toets")."""

    def ok_word(w):
        return w.casefold() in allowed

    candidates = {w for w in words if not ok_word(w) and len(w) > 1}
    unknown = unknown_words(candidates, dictionary)
    parts = {p for w in unknown for p in re.split(r"-", w) if len(p) > 1 and not ok_word(p)}
    unknown_parts = unknown_words(parts - unknown, dictionary) | (parts & unknown)
    wrong = set()
    for w in unknown:
        pieces = [p for p in w.split("-") if len(p) > 1 and not ok_word(p)]
        if "-" not in w or any(p in unknown_parts for p in pieces):
            wrong.add(w)
    return wrong


def check_folder(folder):
    problems = []
    name = os.path.basename(os.path.normpath(folder))
    codes = read_locale_codes(folder, problems)
    if not codes:
        return problems
    dictionary = find_dictionary(codes[0])
    if dictionary is None:
        problems.append(f"no hunspell dictionary for {codes[0]} in {DICTIONARY_DIR} (Debian package {package_hint(codes[0])})")
        return problems
    allowed = read_allowed(codes)
    places = {}
    for where, text in texts_of_folder(folder, problems):
        for word in WORD.findall(text):
            places.setdefault(word, []).append(where)
    try:
        wrong = misspelled(set(places), dictionary, allowed)
    except (OSError, RuntimeError) as e:
        problems.append(f"cannot run hunspell: {e}")
        return problems
    print(f"  {len(places)} different words, dictionary {os.path.basename(dictionary)}")
    for word in sorted(wrong, key=str.casefold):
        where = sorted(set(places[word]))
        problems.append(f"unknown word {word!r} in {', '.join(where)} (fix it, or add it to allowed/{codes[0].split('_')[0]}.txt if it is right)")
    return problems


def main(argv):
    args = argv[1:]
    folders = [os.path.normpath(a) for a in args] if args else language_folders(LANGUAGES_DIR)
    if not folders:
        print(f"PROBLEM: no language folder in {LANGUAGES_DIR}")
        return 1
    failed = []
    for folder in folders:
        print(f"Spelling {folder}")
        problems = check_folder(folder) if os.path.isdir(folder) else [f"{folder} is not a folder"]
        for p in problems:
            print("PROBLEM:", p)
        print("OK" if not problems else f"{len(problems)} problem(s)")
        if problems:
            failed.append(os.path.basename(folder))
    if len(folders) > 1:
        print(f"{len(folders)} language folders spell-checked" + (f"; problems in {', '.join(failed)}" if failed else ", all OK"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
