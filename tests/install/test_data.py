#!/usr/bin/python3
"""Checks the files that integrate the program with the desktop, before packing.

The desktop entry and the software-centre entry pass their validators and agree
with each other, with the icons and with the project version; every screenshot
the entry names is committed under docs/screenshots/ at the stated size; the
manual page formats without warnings.

Usage: test_data.py <source-folder> <project-version>
"""

import configparser
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

from PIL import Image

APP_ID = "example.quillaby_software.Pointrix"
ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
KEYWORDS = {"mouse", "click", "double-click", "drag", "beginner"}


def run(cmd):
    try:
        p = subprocess.run(cmd, capture_output=True, text=True)
    except FileNotFoundError:
        return 127, "%s is not installed (run tools/install-deps.sh)" % cmd[0]
    return p.returncode, (p.stdout + p.stderr).strip()


def check(source, version):
    problems = []
    data = os.path.join(source, "data")
    desktop_path = os.path.join(data, APP_ID + ".desktop")
    metainfo_path = os.path.join(data, APP_ID + ".metainfo.xml")

    status, out = run(["desktop-file-validate", desktop_path])
    if status != 0 or out:
        problems.append("desktop-file-validate: %s" % (out or "exit %d" % status))
    status, out = run(["appstreamcli", "validate", "--no-net", metainfo_path])
    if status != 0:
        problems.append("appstreamcli validate: %s" % out)
    else:
        print(out)

    entry = configparser.RawConfigParser(interpolation=None, delimiters=("=",))
    entry.optionxform = str
    entry.read(desktop_path, encoding="utf-8")
    de = entry["Desktop Entry"]
    if de.get("Icon") != APP_ID:
        problems.append("desktop entry: Icon=%s, expected %s" % (de.get("Icon"), APP_ID))
    if de.get("Exec", "").split()[:1] != ["pointrix"]:
        problems.append("desktop entry: Exec=%s does not start pointrix" % de.get("Exec"))
    if "Education" not in de.get("Categories", "").split(";"):
        problems.append("desktop entry: not in the Education category")
    missing = KEYWORDS - set(de.get("Keywords", "").split(";"))
    if missing:
        problems.append("desktop entry: keywords lack %s" % sorted(missing))
    for size in ICON_SIZES:
        icon = os.path.join(data, "icons", "hicolor", "%dx%d" % (size, size), "apps", APP_ID + ".png")
        if not os.path.exists(icon):
            problems.append("icon missing: %s" % icon)

    root = ET.parse(metainfo_path).getroot()
    if root.findtext("id") != APP_ID:
        problems.append("metainfo: id %s, expected %s" % (root.findtext("id"), APP_ID))
    if root.findtext("launchable") != APP_ID + ".desktop":
        problems.append("metainfo: launchable %s is not the desktop entry" % root.findtext("launchable"))
    releases = [r.get("version") for r in root.iter("release")]
    if not releases or releases[0] != version:
        problems.append("metainfo: newest release %s, project version %s" % (releases[:1], version))
    if root.find("content_rating") is None:
        problems.append("metainfo: no content rating")
    shots = root.findall("screenshots/screenshot/image")
    if not shots:
        problems.append("metainfo: no screenshots")
    for image in shots:
        name = image.text.strip().rsplit("/", 1)[-1]
        path = os.path.join(source, "docs", "screenshots", name)
        if not os.path.exists(path):
            problems.append("screenshot %s is not committed in docs/screenshots/" % name)
            continue
        size = Image.open(path).size
        if size != (int(image.get("width")), int(image.get("height"))):
            problems.append("screenshot %s is %d x %d, the entry says %s x %s"
                            % (name, size[0], size[1], image.get("width"), image.get("height")))

    changelog = open(os.path.join(data, "changelog"), encoding="utf-8").readline()
    m = re.match(r"pointrix \(([^)]+)\)", changelog)
    if not m or m.group(1) != version:
        problems.append("changelog: first entry '%s' is not version %s" % (changelog.strip(), version))

    status, out = run(["groff", "-man", "-ww", "-z", os.path.join(data, "pointrix.6")])
    if status != 0 or out:
        problems.append("manual page: %s" % (out or "exit %d" % status))
    with open(os.path.join(data, "pointrix.6"), encoding="utf-8") as f:
        if version not in f.readline():
            problems.append("manual page: title line does not name version %s" % version)
    return problems


def main(argv):
    problems = check(argv[1], argv[2])
    for p in problems:
        print("FAIL: " + p)
    if problems:
        return 1
    print("PASS: desktop entry, software-centre entry, icons, screenshots, changelog and manual page")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
