#!/usr/bin/python3
"""Writes resources/version.ver, the program's version block.

The block uses the VS_VERSIONINFO layout described in src/platform/Version.h, so
the same bytes serve as a Windows version resource and as the embedded block the
program reads on other platforms. Run from anywhere:

    /usr/bin/python3 tools/version/make_version_block.py
"""

import os
import struct

FILE_VERSION = (1, 2, 1, 0)
PRODUCT_VERSION = (1, 2, 1, 0)
LANGUAGE, CODE_PAGE = 0x0409, 0x04E4  # US English, Windows-1252
STRINGS = [
    ("CompanyName", "Quillaby Software"),
    ("FileDescription", "Pointrix"),
    ("FileVersion", "1.2.1.0"),
    ("ProductName", "Pointrix"),
    ("ProductVersion", "1.2.1"),
]


def pad4(data: bytes) -> bytes:
    return data + b"\0" * (-len(data) % 4)


def block(key: str, value: bytes, value_length: int, is_text: bool, children=()) -> bytes:
    """One block: header, key, value and children, each part 32-bit aligned."""
    body = pad4(struct.pack("<HHH", 0, 0, 0) + key.encode("utf-16-le") + b"\0\0")
    body += value
    for child in children:
        body = pad4(body) + child
    return struct.pack("<HHH", len(body), value_length, 1 if is_text else 0) + body[6:]


def text(key: str, value: str) -> bytes:
    data = value.encode("utf-16-le") + b"\0\0"
    return block(key, data, len(value) + 1, True)


def version_words(v):
    return (v[0] << 16) | v[1], (v[2] << 16) | v[3]


def fixed_file_info() -> bytes:
    fms, fls = version_words(FILE_VERSION)
    pms, pls = version_words(PRODUCT_VERSION)
    return struct.pack(
        "<13I",
        0xFEEF04BD,  # signature
        0x00010000,  # structure version
        fms, fls, pms, pls,
        0x3F,        # file flags mask
        0,           # file flags
        0x00040004,  # VOS_NT_WINDOWS32
        1,           # VFT_APP
        0, 0, 0)     # subtype, date


def version_block() -> bytes:
    table = block("%04X%04X" % (LANGUAGE, CODE_PAGE), b"", 0, True, [text(k, v) for k, v in STRINGS])
    string_info = block("StringFileInfo", b"", 0, True, [table])
    translation = struct.pack("<HH", LANGUAGE, CODE_PAGE)
    var_info = block("VarFileInfo", b"", 0, True, [block("Translation", translation, 4, False)])
    info = fixed_file_info()
    return block("VS_VERSION_INFO", info, len(info), False, [string_info, var_info])


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.path.join(root, "resources", "version.ver")
    with open(path, "wb") as f:
        f.write(version_block())
    print("wrote", path)


if __name__ == "__main__":
    main()
