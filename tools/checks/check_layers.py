#!/usr/bin/env python3
"""Checks the layering of src/: every project include must point to the same folder
or to a folder below it, and every source file must be listed in its folder's
CMakeLists.txt (source lists are explicit, never globbed).

  check_layers.py [<source root>]   check the tree (default: the repository's)
  check_layers.py --self-test       prove that an upward include is caught

Exit code 0 when the tree is sound, 1 with one line per fault otherwise.
"""
import os
import re
import shutil
import sys
import tempfile

# Each folder and the folders it may include from, bottom to top. A folder may
# always include its own headers.
PLATFORM = ["platform"]
TOOLKIT = PLATFORM + ["toolkit/core", "toolkit/graphics/formats", "toolkit/graphics",
                      "toolkit/forms", "toolkit/stdctrls", "toolkit/layout", "toolkit/rtf"]
ALLOWED = {
    "platform": [],
    "platform/posix": PLATFORM,
    "platform/win32": PLATFORM,
    "platform/sdl": PLATFORM,
    "platform/headless": PLATFORM,
    "toolkit/core": PLATFORM,
    "toolkit/graphics/formats": TOOLKIT[:2],
    "toolkit/graphics": TOOLKIT[:3],
    "toolkit/forms": TOOLKIT[:4],
    "toolkit/stdctrls": TOOLKIT[:5],
    "toolkit/layout": TOOLKIT[:6],
    "toolkit/rtf": TOOLKIT[:7],
    "storage": TOOLKIT,
    "sprites": TOOLKIT,
    "content": TOOLKIT,
    "controls": TOOLKIT + ["storage"],
    "games": TOOLKIT + ["storage", "controls", "sprites", "content"],
    "app": TOOLKIT + ["storage", "controls", "sprites", "content", "games"],
    # The program entry chooses the backends.
    "": TOOLKIT + ["storage", "controls", "sprites", "content", "games", "app",
                   "platform/sdl", "platform/posix", "platform/win32"],
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
SOURCE_EXT = (".cpp", ".c", ".rc", ".S")


def folder_of_header(path):
    """The layer folder a project include such as "toolkit/forms/TForm.h" names."""
    folder = os.path.dirname(path)
    while folder and folder not in ALLOWED:
        folder = os.path.dirname(folder)
    return folder


def check(src):
    faults = []
    for dirpath, _, files in os.walk(src):
        rel = os.path.relpath(dirpath, src).replace(os.sep, "/")
        rel = "" if rel == "." else rel
        if rel not in ALLOWED:
            if not files:
                continue  # a folder of folders, such as toolkit/
            faults.append(f"{rel}: folder has no place in the layer table of {sys.argv[0]}")
            continue
        listed = ""
        cmake = os.path.join(dirpath, "CMakeLists.txt")
        if os.path.exists(cmake):
            with open(cmake, encoding="utf-8") as f:
                listed = f.read()
        for name in sorted(files):
            path = os.path.join(dirpath, name)
            shown = f"{rel}/{name}" if rel else name
            if name.endswith(SOURCE_EXT) and not re.search(r"(^|[\s/(])" + re.escape(name) + r"(\s|\)|$)", listed):
                if not (rel == "" and name == "main.cpp"):
                    faults.append(f"{shown}: not listed in {rel or '.'}/CMakeLists.txt")
            if not name.endswith((".cpp", ".c", ".h")):
                continue
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for include in INCLUDE.findall(text):
                if "/" not in include:
                    continue  # a sibling header or a system one in quotes
                target = folder_of_header(include)
                if not os.path.exists(os.path.join(src, include)):
                    continue  # generated or outside src
                if target != rel and target not in ALLOWED[rel]:
                    faults.append(f"{shown}: includes {include}, but {rel or 'src'} may not depend on {target}")
    return faults


def self_test(src):
    """An upward include and an unlisted source must both be reported."""
    with tempfile.TemporaryDirectory() as tmp:
        copy = os.path.join(tmp, "src")
        shutil.copytree(src, copy)
        clean = check(copy)
        if clean:
            print("self-test: the tree itself has faults:\n" + "\n".join(clean))
            return 1
        with open(os.path.join(copy, "toolkit/core/TComponent.cpp"), "a", encoding="utf-8") as f:
            f.write('\n#include "toolkit/forms/TForm.h"\n')
        with open(os.path.join(copy, "storage/Unlisted.cpp"), "w", encoding="utf-8") as f:
            f.write("// not in any list\n")
        faults = check(copy)
        upward = any("TComponent.cpp: includes toolkit/forms/TForm.h" in f for f in faults)
        unlisted = any("storage/Unlisted.cpp: not listed" in f for f in faults)
        if upward and unlisted and len(faults) == 2:
            print("self-test: upward include and unlisted source both caught")
            return 0
        print("self-test failed; faults reported:\n" + "\n".join(faults))
        return 1


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_src = os.path.normpath(os.path.join(here, "..", "..", "src"))
    if len(sys.argv) > 1 and sys.argv[1] == "--self-test":
        return self_test(default_src)
    src = sys.argv[1] if len(sys.argv) > 1 else default_src
    faults = check(src)
    for fault in faults:
        print(fault)
    if not faults:
        print("layers: every include points down, every source is listed")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
