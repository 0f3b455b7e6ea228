#!/usr/bin/python3
"""Checks that the desktop knows design files and opens them with the program: the
shared-mime-info file builds a MIME database without a warning, in which a .bpd file (found by
its name) is of the file's type and that type is a kind of JSON; desktop-file-validate passes
the desktop entry, which declares exactly the file's types and hands the program the file
(Exec with %f); and GIO, on a desktop with only these two files, names the entry as the
program for the type.

    check_mime.py MIME_PACKAGE.xml DESKTOP_ENTRY

Exit status 0 passed, 1 failed, 77 skipped (update-mime-database, desktop-file-validate or
gio is missing).
"""

import configparser
import os
import shutil
import subprocess
import sys
import tempfile
from xml.etree import ElementTree

NS = "{http://www.freedesktop.org/standards/shared-mime-info}"


def desktop_entry(path):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return parser["Desktop Entry"]


def main():
    tools = ("update-mime-database", "desktop-file-validate", "update-desktop-database", "gio")
    missing = [t for t in tools if not shutil.which(t)]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (shared-mime-info, desktop-file-utils, "
              "libglib2.0-bin)")
        return 77
    mime_file, entry_file = sys.argv[1], sys.argv[2]
    failures = []
    types = [t.get("type") for t in ElementTree.parse(mime_file).getroot().findall(NS + "mime-type")]
    if not types:
        failures.append(f"{mime_file} declares no type")

    validation = subprocess.run(["desktop-file-validate", entry_file], capture_output=True,
                                text=True)
    if validation.returncode != 0 or validation.stdout.strip():
        failures.append("desktop-file-validate:\n" + validation.stdout + validation.stderr)
    entry = desktop_entry(entry_file)
    declared = sorted(t for t in entry.get("MimeType", "").split(";") if t)
    if declared != sorted(types):
        failures.append(f"the desktop entry opens {declared}, the MIME file declares {types}")
    exec_words = entry.get("Exec", "").split()
    if "%f" not in exec_words and "%F" not in exec_words:
        failures.append(f"Exec={entry.get('Exec')} is not handed the file (%f)")

    with tempfile.TemporaryDirectory(prefix="bpd-mime-") as home:
        data = os.path.join(home, "data")
        os.makedirs(os.path.join(data, "mime", "packages"))
        os.makedirs(os.path.join(data, "applications"))
        shutil.copy(mime_file, os.path.join(data, "mime", "packages", "pelgro-bpd.xml"))
        shutil.copy(entry_file, os.path.join(data, "applications"))
        # GIO lists an entry only when its program is on the PATH: a stand-in of that name.
        bin_dir = os.path.join(home, "bin")
        os.makedirs(bin_dir)
        program = os.path.join(bin_dir, exec_words[0] if exec_words else "pelgro-bpd")
        with open(program, "w") as f:
            f.write("#!/bin/sh\nexit 0\n")
        os.chmod(program, 0o755)
        # These two files in the user's data folder, beside the system's database, as a freshly
        # installed package is seen.
        env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
        env.update({"HOME": home, "XDG_DATA_HOME": data, "XDG_CONFIG_HOME": os.path.join(home, "c"),
                    "XDG_DATA_DIRS": "/usr/share", "LC_ALL": "C.UTF-8",
                    "PATH": bin_dir + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin")})
        # What dpkg's triggers run after an installation.
        for tool, folder in (("update-mime-database", "mime"),
                             ("update-desktop-database", "applications")):
            build = subprocess.run([tool, os.path.join(data, folder)], env=env,
                                   capture_output=True, text=True)
            if build.returncode != 0 or build.stderr.strip():
                failures.append(f"{tool}:\n" + build.stdout + build.stderr)
        sample = os.path.join(home, "Bridge 7.bpd")
        with open(sample, "w") as f:
            f.write('{"format": "pelgro-bpd-design", "version": 1, "units": "imperial"}\n')
        for t in types:
            info = subprocess.run(["gio", "info", "-a", "standard::content-type", sample],
                                  env=env, capture_output=True, text=True).stdout
            if f"standard::content-type: {t}" not in info:
                failures.append(f"gio takes {os.path.basename(sample)} as: {info.strip()}")
            generated = os.path.join(data, "mime", *t.split("/")) + ".xml"
            parents = ([p.get("type") for p in ElementTree.parse(generated).getroot()
                        .findall(NS + "sub-class-of")] if os.path.exists(generated) else [])
            if "application/json" not in parents:
                failures.append(f"{t} is not a kind of application/json ({parents})")
            handlers = subprocess.run(["gio", "mime", t], env=env, capture_output=True,
                                      text=True).stdout
            if f"Default application for “{t}”: {os.path.basename(entry_file)}" not in handlers:
                failures.append(f"gio mime {t} does not name the desktop entry:\n{handlers}")
    for failure in failures:
        print(f"FAIL: {failure}")
    if not failures:
        print(f"PASS: {mime_file}, {entry_file}: {', '.join(types)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
