#!/usr/bin/python3
"""Self-test of check_pages.py and check_spelling.py: each case builds language
folders in a temporary directory from a shipped one, breaks one thing, runs the
checker and expects it to fail and name the fault (or to pass for a sound copy).

Usage:  /usr/bin/python3 tools/content/test_checks.py
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
LANGUAGES = os.path.normpath(os.path.join(HERE, "..", "..", "languages"))
SOURCE = "Português"  # a shipped folder with a UTF-8 name and Windows-1252 escapes

failures = []


def run(script, folders):
    result = subprocess.run(
        [sys.executable, os.path.join(HERE, script)] + folders, capture_output=True, encoding="utf-8", check=False
    )
    return result.returncode, result.stdout + result.stderr


def expect(name, script, folders, ok, *needles):
    code, out = run(script, folders)
    good = (code == 0) == ok and all(n in out for n in needles)
    print(("ok    " if good else "FAIL  ") + name)
    if not good:
        failures.append(name)
        print("      exit code", code, "; expected", "0" if ok else "non-zero", "and", needles)
        print("      " + out.replace("\n", "\n      "))


def copy_language(root, name, source=SOURCE):
    folder = os.path.join(root, name)
    shutil.copytree(os.path.join(LANGUAGES, source), folder)
    if name != source:
        os.rename(os.path.join(folder, source + ".txt"), os.path.join(folder, name + ".txt"))
    return folder


def edit(path, old, new, encoding="ascii"):
    with open(path, "rb") as f:
        data = f.read().decode(encoding)
    assert old in data, (path, old)
    with open(path, "wb") as f:
        f.write(data.replace(old, new, 1).encode(encoding))


def main():
    with tempfile.TemporaryDirectory() as tmp:
        # A sound copy under its UTF-8 name passes both checks: accents written as \'hh
        # are read as Windows-1252, or the dictionary would reject "você".
        sound = copy_language(tmp, SOURCE)
        expect("sound UTF-8 folder passes the page check", "check_pages.py", [sound], True, "OK")
        expect("sound UTF-8 folder passes the spelling check", "check_spelling.py", [sound], True, "OK")

        # Misspellings on a page and in a caption are both found, with their places.
        typo = copy_language(os.path.join(tmp, "typo"), SOURCE)
        edit(os.path.join(typo, "3.rtf"), "mover o ponteiro", "mover o pontiero")
        edit(os.path.join(typo, SOURCE + ".txt"), "Novo jogo", "Novo jgoo", "cp1252")
        expect("misspelled page word and caption fail", "check_spelling.py", [typo], False,
               "'pontiero' in 3.rtf", "'jgoo' in Português.txt line 22")

        # \uN characters count as the letter they stand for, and their fallback is skipped.
        uni = copy_language(os.path.join(tmp, "uni"), SOURCE)
        edit(os.path.join(uni, "12.rtf"), "Voc\\'ea aprendeu", "Voc\\u234?aprendeu")
        expect("\\uN letter is read as Unicode, its fallback skipped", "check_spelling.py", [uni], False, "'Vocêaprendeu'")
        edit(os.path.join(uni, "12.rtf"), "Voc\\u234?aprendeu", "Voc\\u234? aprendeu")
        expect("\\uN letter spells right", "check_spelling.py", [uni], True, "OK")
        edit(os.path.join(uni, "12.rtf"), "Muito bem!", "Muit\\u233? bem!")
        expect("\\uN letter that makes a wrong word fails", "check_spelling.py", [uni], False, "'Muité' in 12.rtf")

        # A locale with no installed dictionary, and a folder without locale.txt, fail.
        nodict = copy_language(os.path.join(tmp, "nodict"), SOURCE)
        with open(os.path.join(nodict, "locale.txt"), "w") as f:
            f.write("# made up\nxx_YY\npt\n")
        expect("missing dictionary fails", "check_spelling.py", [nodict], False, "no hunspell dictionary for xx_YY")
        nolocale = copy_language(os.path.join(tmp, "nolocale"), SOURCE)
        os.remove(os.path.join(nolocale, "locale.txt"))
        expect("missing locale.txt fails the spelling check", "check_spelling.py", [nolocale], False, "missing locale.txt")
        expect("missing locale.txt fails the page check", "check_pages.py", [nolocale], False, "missing locale.txt")
        badlocale = copy_language(os.path.join(tmp, "badlocale"), SOURCE)
        with open(os.path.join(badlocale, "locale.txt"), "w") as f:
            f.write("pt-BR\n")
        expect("malformed locale code fails", "check_pages.py", [badlocale], False, "'pt-BR' is not a code")

        # Page checks: a page too tall for its box at one variant, a missing variant.
        tall = copy_language(os.path.join(tmp, "tall"), SOURCE)
        para = "\\pard\\sa80 Deslize o mouse de leve sobre a mesa.\\par\r\n"
        edit(os.path.join(tall, "4l.rtf"), "\\pard\\sb100", para * 4 + "\\pard\\sb100")
        expect("page taller than its box fails", "check_pages.py", [tall], False, "4l.rtf: text is", "HoldingRE shows")
        os.remove(os.path.join(tall, "9r.rtf"))
        expect("missing variant fails", "check_pages.py", [tall], False, "page 9: neither 9.rtf nor both")

        # Captions: a button caption too wide, the tab row overflowing, an empty line.
        wide = copy_language(os.path.join(tmp, "wide"), SOURCE)
        edit(os.path.join(wide, SOURCE + ".txt"), "Seguir", "Avançar", "cp1252")
        edit(os.path.join(wide, SOURCE + ".txt"), "Visão geral", "Visão geral de tudo o que você vai aprender aqui", "cp1252")
        edit(os.path.join(wide, SOURCE + ".txt"), "Sair", "", "cp1252")
        expect("too wide and empty captions fail", "check_pages.py", [wide], False,
               "line 20 (Next button) is", "tab captions need", "line 21 (Exit button) is empty")

        # Folder names: decomposed accents, and a text file named in another form.
        nfd_name = unicodedata.normalize("NFD", SOURCE)
        nfd = copy_language(os.path.join(tmp, "nfd"), SOURCE)
        os.rename(nfd, os.path.join(tmp, "nfd", nfd_name))
        nfd = os.path.join(tmp, "nfd", nfd_name)
        expect("decomposed folder name fails", "check_pages.py", [nfd], False, "decomposed accents",
               f"missing language text file {nfd_name}.txt")

        # Several folders at once: the run fails and names the faulty one.
        expect("several folders: one bad one fails the run", "check_pages.py", [sound, wide], False,
               "2 language folders checked; problems in " + SOURCE)
        twin = copy_language(os.path.join(tmp, "twin"), SOURCE)
        os.rename(twin, os.path.join(tmp, "twin", "Brasileiro"))
        twin = os.path.join(tmp, "twin", "Brasileiro")
        os.rename(os.path.join(twin, SOURCE + ".txt"), os.path.join(twin, "Brasileiro.txt"))
        expect("two folders claiming one locale code fail", "check_pages.py", [sound, twin], False,
               "pt_BR is also listed by " + SOURCE)
        expect("several folders: all sound pass", "check_spelling.py", [sound, os.path.join(LANGUAGES, "English")], True,
               "all OK")
    print("all checker self-tests passed" if not failures else f"{len(failures)} checker self-test(s) failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
