#!/usr/bin/python3
"""Compares two screenshots of the same size pixel by pixel.

    compare_shots.py A.png B.png [DIFF.png]

Prints the share of pixels that differ (in any colour channel) as a percentage and
writes an image of the differing pixels when asked. Exit code 2 when the sizes differ.
"""

import sys

import numpy as np
from PIL import Image


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    a = np.asarray(Image.open(sys.argv[1]).convert("RGB"), dtype=np.int16)
    b = np.asarray(Image.open(sys.argv[2]).convert("RGB"), dtype=np.int16)
    if a.shape != b.shape:
        print("sizes differ: %dx%d and %dx%d" % (a.shape[1], a.shape[0], b.shape[1], b.shape[0]))
        sys.exit(2)
    differs = np.any(a != b, axis=2)
    share = 100.0 * differs.sum() / differs.size
    print("%.3f" % share)
    if len(sys.argv) == 4:
        picture = np.where(differs[..., None], np.array([255, 0, 0], np.uint8), (a // 3).astype(np.uint8))
        Image.fromarray(picture.astype(np.uint8)).save(sys.argv[3])


if __name__ == "__main__":
    main()
