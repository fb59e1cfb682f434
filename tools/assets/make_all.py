#!/usr/bin/python3
"""Regenerates every embedded picture, cursor, sound and the icon, then checks them.

Usage: make_all.py [preview-folder]
With a preview folder, PNG previews (enlarged) and waveform plots are written there.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import check_assets  # noqa: E402
import make_buttons  # noqa: E402
import make_cursors  # noqa: E402
import make_holding  # noqa: E402
import make_jigsaw  # noqa: E402
import make_pictures  # noqa: E402
import make_sounds  # noqa: E402


def main(argv):
    out_dir = os.path.normpath(os.path.join(HERE, "..", "..", "resources"))
    preview = argv[1] if len(argv) > 1 else None
    if preview:
        os.makedirs(preview, exist_ok=True)
    for mod in (make_buttons, make_pictures, make_holding, make_cursors, make_jigsaw, make_sounds):
        mod.main(out_dir, preview)
        print("made " + mod.__name__)
    return check_assets.main([argv[0], out_dir])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
