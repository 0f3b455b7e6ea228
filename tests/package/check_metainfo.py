#!/usr/bin/python3
"""Checks the AppStream metainfo: appstreamcli validates it (--no-net), and it holds what
software centres need of this package: id, name, summary, description, categories, the
desktop entry as its launchable, the commands on the PATH, the file types the desktop entry
opens, a content rating and the release of this version.

    check_metainfo.py METAINFO.xml VERSION DESKTOP_ENTRY COMMAND...

Exit status 0 passed, 1 failed, 77 skipped (appstreamcli is missing).
"""

import os
import shutil
import subprocess
import sys
from xml.etree import ElementTree


def main():
    if not shutil.which("appstreamcli"):
        print("SKIP: appstreamcli is not installed (appstream)")
        return 77
    metainfo, version, desktop_entry, commands = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    failures = []
    validation = subprocess.run(["appstreamcli", "validate", "--no-net", metainfo],
                                capture_output=True, text=True)
    if validation.returncode != 0:
        failures.append("appstreamcli validate:\n" + validation.stdout + validation.stderr)
    root = ElementTree.parse(metainfo).getroot()
    for element in ("id", "name", "summary", "description", "categories/category",
                    "developer_name", "content_rating"):
        found = root.find(element)
        if found is None or (element != "content_rating" and not "".join(found.itertext()).strip()):
            failures.append(f"no <{element}>")
    launchables = [e.text for e in root.findall("launchable[@type='desktop-id']")]
    if launchables != [os.path.basename(desktop_entry)] or not os.path.isfile(desktop_entry):
        failures.append(f"launchable {launchables}, the desktop entry is {desktop_entry}")
    binaries = sorted(e.text for e in root.findall("provides/binary"))
    if binaries != sorted(commands):
        failures.append(f"provides the binaries {binaries}, the package puts {sorted(commands)} "
                        "on the PATH")
    opened = []
    if os.path.isfile(desktop_entry):
        with open(desktop_entry, encoding="utf-8") as f:
            for line in f:
                if line.startswith("MimeType="):
                    opened = [t for t in line.strip().split("=", 1)[1].split(";") if t]
    mediatypes = sorted(e.text for e in root.findall("provides/mediatype"))
    if mediatypes != sorted(opened):
        failures.append(f"provides the media types {mediatypes}, the desktop entry opens "
                        f"{sorted(opened)}")
    releases = [e.get("version") for e in root.findall("releases/release")]
    if not releases or releases[0] != version:
        failures.append(f"the newest release is {releases[:1]}, the project is {version}")
    for failure in failures:
        print(f"FAIL: {metainfo}: {failure}")
    if not failures:
        print(f"PASS: {metainfo}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
