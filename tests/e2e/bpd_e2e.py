#!/usr/bin/python3
"""End-to-end scenarios of the real program under a real X server.

Each scenario starts its own Xvfb with the openbox window manager, starts the program with a
throwaway HOME and XDG folders, and drives it with xdotool as a user does: keys, clicks on
the controls, the window manager's close. What it checks it sees from outside: the visible
windows by title, the files the program writes, and the documents it hands to the desktop.
The text viewer, the spreadsheet program and the help and PDF viewers are recording stand-ins
registered as the desktop's handlers for text/plain, .xlsx workbooks, .chm and .pdf; each
opening is logged together with a copy of the file as it was when it was opened.

"gnome" registers the stand-ins as a GNOME desktop does (the system's applications with their
mimeinfo.cache, the defaults in GNOME's own gnome-mimeapps.list), beside an image editor and a
browser that the cache lists first for PDF and text.

The "installed" and "viewers" scenarios are for the installed package (tests/e2e/check-package.sh
runs them as an ordinary user); the others run the built program under ctest (label e2e).
"viewers" has no stand-ins: the desktop's own programs open the help file and the design guide,
and --viewer KIND=PROGRAM[:PROGRAM...] names the programs that may (KIND help or pdf).

    bpd_e2e.py --scenario NAME --binary build/bin/pelgro-bpd --output DIR
               [--bpd-check build/bin/bpd-check] [--registry build/bin/bpd-registry]
               [--sysinfo build/bin/pelgro-sysinfo] [--viewer KIND=PROGRAM ...]

Exit status: 0 passed, 1 failed (a screenshot and the program's output are kept under
DIR/<scenario>/), 77 skipped (Xvfb, openbox, xdotool, xprop, import or bpd-check is missing;
the reason is printed).
"""

import argparse
import csv
import io
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zipfile
from xml.etree import ElementTree

SKIP = 77

MAIN_TITLE = "Pelgro Bearing Pad Design"
DISCLAIMER_TITLE = "Pelgro Bearing Pad Design- Disclaimer"
MESSAGE_TITLE = "Pelgro Pad Bearing Design"
SETTINGS_TITLE = "General Setttings"
ABOUT_TITLE = "About Pelgro Pad Bearing Design Program"
SYSINFO_TITLE = "System Information"
CONDITION_TITLES = {
    "ctrl+l": "Loading Conditions",
    "ctrl+r": "Rotation Conditions",
    "ctrl+u": "Non Uniform Bearing Conditions",
}
XLSX_TYPE = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"

# Client-area places of the controls, in pixels (the layout's twips / 15): centre points.
MAIN_CLIENT_HEIGHT = 374
W1_TEXT = (160, 60)
B1_TEXT = (160, 92)
A_TEXT = (408, 44)
DH_TEXT = (408, 84)
VAP_TEXT = (408, 124)
ANALYZE_BTN = (368, 336)
SETTINGS_OK = (120, 272)
CONDITIONS_OK = (224, 680)
ABOUT_OK = (68, 180)
ABOUT_SYSINFO = (164, 180)

OPENING_INPUTS = {"w1": "4", "b1": "4", "A": ".01", "dh": "0.0711", "Vap": "7.13"}
REPORT_COLUMN_WIDTHS = [10, 10, 10, 15, 15, 10, 15, 10, 10, 15, 15, 15, 15]


class Failure(Exception):
    pass


class Skip(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


class Desktop:
    """Xvfb, openbox and the throwaway user folders of one scenario."""

    def __init__(self, workdir, stand_ins=True, gnome=False):
        self.workdir = workdir
        # gnome: the stand-ins are the system's (with its mimeinfo.cache), their defaults are
        # in GNOME's own list, and on this GNOME desktop another program declares each type too.
        self.gnome = gnome
        self.system = os.path.join(workdir, "system")
        self.home = os.path.join(workdir, "home")
        self.config = os.path.join(workdir, "config")
        self.data = os.path.join(workdir, "data")
        self.runtime = os.path.join(workdir, "runtime")
        self.state = os.path.join(workdir, "state")
        self.log_dir = os.path.join(workdir, "opened")
        for d in (self.home, self.config, self.data, self.runtime, self.log_dir,
                  os.path.join(self.home, "Documents")):
            os.makedirs(d, exist_ok=True)
        os.chmod(self.runtime, 0o700)
        self.display = None
        self.xvfb = None
        self.wm = None
        self.locale = "C.UTF-8"  # LC_ALL of the programs started from now on
        if stand_ins:
            self._install_stand_ins()

    # The recording stand-ins for the text viewer, the spreadsheet program and the viewers of
    # the help file and the design guide, registered as the desktop's defaults for their types.
    def _install_stand_ins(self):
        bin_dir = os.path.join(self.workdir, "stand-ins")
        apps = os.path.join(self.system if self.gnome else self.data, "applications")
        os.makedirs(bin_dir, exist_ok=True)
        os.makedirs(apps, exist_ok=True)
        recorder = os.path.join(bin_dir, "record-opening")
        with open(recorder, "w") as f:
            f.write("#!/bin/sh\n"
                    "# Logs the document a desktop handler was asked to open, with a copy of it.\n"
                    "# The copy is in place before the log line that announces it.\n"
                    f"log_dir='{self.log_dir}'\n"
                    "kind=$1; shift\n"
                    "for file in \"$@\"; do\n"
                    "    n=$(( $(cat \"$log_dir/$kind.log\" 2>/dev/null | wc -l) + 1 ))\n"
                    "    cp -- \"$file\" \"$log_dir/$kind-$n.copy\" 2>/dev/null\n"
                    "    printf '%s\\n' \"$file\" >> \"$log_dir/$kind.log\"\n"
                    "done\n")
        os.chmod(recorder, 0o755)
        entries = {
            "bpd-e2e-text-viewer.desktop": ("Recording Text Viewer", "text", "text/plain;"),
            "bpd-e2e-spreadsheet.desktop": ("Recording Spreadsheet", "spreadsheet", XLSX_TYPE + ";"),
            "bpd-e2e-help-viewer.desktop": ("Recording Help Viewer", "help",
                                            "application/vnd.ms-htmlhelp;application/x-chm;"),
            "bpd-e2e-pdf-viewer.desktop": ("Recording PDF Viewer", "pdf", "application/pdf;"),
        }
        if self.gnome:
            # Listed first in the cache, so taken when the desktop's default is not.
            entries["bpd-e2e-a-image-editor.desktop"] = ("Recording Image Editor", "image-editor",
                                                         "image/png;application/pdf;")
            entries["bpd-e2e-a-browser.desktop"] = ("Recording Browser", "browser",
                                                    "text/html;text/plain;")
        for name, (title, kind, mime) in entries.items():
            with open(os.path.join(apps, name), "w") as f:
                f.write("[Desktop Entry]\nType=Application\n"
                        f"Name={title}\nExec={recorder} {kind} %f\nMimeType={mime}\n"
                        "Terminal=false\nNoDisplay=true\n")
        defaults = ("[Default Applications]\n"
                    "text/plain=bpd-e2e-text-viewer.desktop\n"
                    f"{XLSX_TYPE}=bpd-e2e-spreadsheet.desktop\n"
                    "application/vnd.ms-htmlhelp=bpd-e2e-help-viewer.desktop\n"
                    "application/pdf=bpd-e2e-pdf-viewer.desktop\n")
        if self.gnome:
            with open(os.path.join(apps, "gnome-mimeapps.list"), "w") as f:
                f.write(defaults)
            subprocess.run(["update-desktop-database", apps], check=True)
            return
        for folder in (self.config, apps):
            with open(os.path.join(folder, "mimeapps.list"), "w") as f:
                f.write(defaults)

    def env(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "XDG_", "WAYLAND", "DBUS_SESSION"))}
        env.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_DATA_HOME": self.data,
            "XDG_RUNTIME_DIR": self.runtime,
            "XDG_STATE_HOME": self.state,
            "XDG_CACHE_HOME": os.path.join(self.workdir, "cache"),
            "LC_ALL": self.locale,
            "QT_QPA_PLATFORM": "xcb",
        })
        if self.gnome:
            env["XDG_CURRENT_DESKTOP"] = "GNOME"
            env["XDG_DATA_DIRS"] = self.system + ":/usr/local/share:/usr/share"
        if self.display:
            env["DISPLAY"] = self.display
        return env

    def start(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise Failure("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                   env=self.env(), capture_output=True, text=True)
            if "window id" in probe.stdout:
                return
            time.sleep(0.05)
        raise Failure("openbox did not start on " + self.display)

    def stop(self):
        for proc in (self.wm, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env(),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)

    def openings(self, kind):
        log = os.path.join(self.log_dir, kind + ".log")
        if not os.path.exists(log):
            return []
        with open(log) as f:
            return [line.rstrip("\n") for line in f if line.strip()]

    def opened_copy(self, kind, n):
        with open(os.path.join(self.log_dir, f"{kind}-{n}.copy"), "rb") as f:
            return f.read()


class Program:
    """The program under test and the user's hands: xdotool."""

    def __init__(self, desktop, binary, output):
        self.desktop = desktop
        self.binary = binary
        self.output = output
        self.proc = None
        self.pid = None  # the program's own process (below a wrapper such as /usr/bin/time)
        self.wrapper = []
        self.started = []  # programs it started that the scenario ends (pids)

    def program_folder(self):
        """The folder with the program and its Help folder: beside the binary, or, for the
        installed launcher, ../lib/pelgro-bpd."""
        folder = os.path.dirname(os.path.realpath(self.binary))
        if not os.path.exists(os.path.join(folder, "Help")):
            folder = os.path.normpath(os.path.join(os.path.dirname(self.binary), "..", "lib",
                                                   "pelgro-bpd"))
        return folder

    # --- xdotool -------------------------------------------------------------------------
    def xdo(self, *args, check_ok=True):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.desktop.env(),
                                capture_output=True, text=True, timeout=30)
        if check_ok and result.returncode != 0 and args[0] != "search":
            raise Failure(f"xdotool {' '.join(map(str, args))}: {result.stderr.strip()}")
        return result.stdout

    def windows(self, title):
        """Visible windows of the program with exactly this title."""
        out = self.xdo("search", "--all", "--onlyvisible", "--pid", self.pid,
                       "--name", "^" + re.escape(title) + "$")
        return [w for w in out.split() if w]

    def visible_titles(self):
        out = self.xdo("search", "--all", "--onlyvisible", "--pid", self.pid, "--name", ".")
        titles = []
        for wid in out.split():
            name = self.xdo("getwindowname", wid, check_ok=False).strip()
            if name:
                titles.append(name)
        return titles

    def wait_for(self, title, timeout=10.0, poll=0.05):
        """The id of the first window with this title; poll=0 asks as fast as xdotool answers."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows(title)
            if found:
                return found[0]
            self.check_running()
            time.sleep(poll)
        raise Failure(f'no window "{title}" within {timeout:g} s; visible: {self.visible_titles()}')

    def wait_for_any_pid(self, title, timeout=10.0):
        """A visible window with this title of any process (a program the program started)."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            out = self.xdo("search", "--onlyvisible", "--name", "^" + re.escape(title) + "$")
            if out.split():
                return out.split()[0]
            time.sleep(0.05)
        raise Failure(f'no window "{title}" within {timeout:g} s')

    def wait_gone(self, title, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if not self.windows(title):
                return
            time.sleep(0.05)
        raise Failure(f'window "{title}" still shown after {timeout:g} s')

    def stays_away(self, title, seconds=1.0):
        """True when no window with this title shows up within the given time."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.windows(title):
                return False
            time.sleep(0.05)
        return True

    # --- what the window manager reads from a window (xprop) ---------------------------------
    def window_property(self, wid, name, *format_args):
        """The text after "=" in xprop's answer, or None when the window has no such property."""
        out = subprocess.run(["xprop", "-id", str(wid), "-notype", *format_args, name],
                             env=self.desktop.env(), capture_output=True, text=True,
                             timeout=10).stdout
        return out.partition("=")[2].strip() if "=" in out else None

    def wm_states(self, wid):
        value = self.window_property(wid, "_NET_WM_STATE")
        return {state.strip() for state in value.split(",") if state.strip()} if value else set()

    def visible_icon_pixels(self, wid):
        """How many pixels of the window's icons (_NET_WM_ICON) are not fully transparent; a
        window without icons of its own gets the window manager's opaque default."""
        value = self.window_property(wid, "_NET_WM_ICON", "-f", "_NET_WM_ICON", "32c")
        numbers = [int(v) for v in value.split(",")] if value else []
        visible, at = 0, 0
        while at + 2 <= len(numbers):
            width, height = numbers[at], numbers[at + 1]
            pixels = numbers[at + 2:at + 2 + width * height]
            visible += sum(1 for argb in pixels if argb >> 24)
            at += 2 + width * height
        return visible

    def check_no_icon(self, wid, title):
        visible = self.visible_icon_pixels(wid)
        check(visible == 0, f'"{title}" shows a window icon ({visible} visible pixels)')

    def wait_active(self, wid, timeout=10.0):
        """Waits, as a user looking at the screen does, until the window manager has given this
        window the keyboard (it is the active window); it activates nothing itself."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.xdo("getactivewindow", check_ok=False).strip() == str(wid):
                return wid
            self.check_running()
            time.sleep(0.05)
        title = self.xdo("getwindowname", wid, check_ok=False).strip()
        active = self.xdo("getactivewindow", check_ok=False).strip()
        holder = self.xdo("getwindowname", active, check_ok=False).strip() if active else ""
        raise Failure(f'"{title}" did not get the keyboard within {timeout:g} s; the active '
                      f'window is {active or "none"} "{holder}"')

    def wait_for_active(self, title, timeout=10.0):
        """A window with this title, once it is shown and has the keyboard."""
        return self.wait_active(self.wait_for(title, timeout))

    def key(self, *keys):
        self.xdo("key", "--delay", 60, *keys)
        time.sleep(0.15)

    def type(self, text):
        self.xdo("type", "--delay", 30, "--", text)
        time.sleep(0.1)

    def menu_offset(self, wid):
        """Height of the main window's menu bar: the window less its client area."""
        geometry = self.xdo("getwindowgeometry", "--shell", wid)
        height = int(re.search(r"HEIGHT=(\d+)", geometry).group(1))
        return max(0, height - MAIN_CLIENT_HEIGHT)

    def click(self, wid, point, y_offset=0):
        self.xdo("mousemove", "--window", wid, point[0], point[1] + y_offset)
        time.sleep(0.05)
        self.xdo("click", 1)
        time.sleep(0.2)

    def click_title_bar(self, wid):
        """Clicks the window's title bar, right of its caption and left of its buttons: how a
        user brings back a window that another program's window partly covers."""
        geometry = self.xdo("getwindowgeometry", "--shell", wid)
        x, y, width = (int(re.search(name + r"=(-?\d+)", geometry).group(1))
                       for name in ("X", "Y", "WIDTH"))
        self.xdo("mousemove", x + width - 120, y - 8)
        time.sleep(0.05)
        self.xdo("click", 1)
        time.sleep(0.2)

    # --- the process ---------------------------------------------------------------------
    def start(self, *arguments):
        self.stdout = open(os.path.join(self.output, "program-output.txt"), "a")
        self.proc = subprocess.Popen(self.wrapper + [self.binary, *arguments],
                                     env=self.desktop.env(),
                                     cwd=self.desktop.home, stdout=self.stdout,
                                     stderr=subprocess.STDOUT)
        self.pid = self.proc.pid
        if self.wrapper:
            children = f"/proc/{self.proc.pid}/task/{self.proc.pid}/children"
            deadline = time.monotonic() + 5
            while time.monotonic() < deadline:
                with open(children) as f:
                    found = f.read().split()
                if found:
                    self.pid = int(found[0])
                    break
                time.sleep(0.001)

    def check_running(self):
        if self.proc.poll() is not None:
            raise Failure(f"the program ended unexpectedly with status {self.proc.returncode}")

    def open_main_window(self):
        """Starts the program, accepts the disclaimer with Enter as soon as it is shown (no
        click first) and returns the main window's id once that has the keyboard."""
        self.start()
        self.wait_for_active(DISCLAIMER_TITLE, 15)
        self.key("Return")
        main = self.wait_for_active(MAIN_TITLE)
        self.wait_gone(DISCLAIMER_TITLE)
        return main

    def accept_disclaimer(self, *arguments):
        """Starts the program with these arguments and accepts the disclaimer with Enter as
        soon as it is shown; returns the main window's id once it is shown (what comes over
        it next, the program decides)."""
        self.start(*arguments)
        self.wait_for_active(DISCLAIMER_TITLE, 15)
        self.key("Return")
        main = self.wait_for(MAIN_TITLE)
        self.wait_gone(DISCLAIMER_TITLE)
        return main

    def close_main_window(self, main):
        """Closes the main window as a user does (the window manager's Alt+F4) and expects
        the process to end with status 0."""
        self.wait_active(main)
        self.key("alt+F4")
        try:
            status = self.proc.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program still runs 10 s after its main window was closed; "
                          f"visible: {self.visible_titles()}")
        check(status == 0, f"the program ended with status {status}, expected 0")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        for pid in self.started:
            try:
                os.kill(pid, signal.SIGTERM)
            except OSError:
                pass
        if getattr(self, "stdout", None):
            self.stdout.close()


class Checks:
    """Knowledge of the program's outputs: the report text and the engine's table."""

    def __init__(self, bpd_check):
        self.bpd_check = bpd_check

    def expected_rows(self, inputs, units="imperial", sliding=False):
        """The grid's rows as the engine computes them (bpd-check --format csv)."""
        if not self.bpd_check:
            raise Skip("bpd-check is not built, so the grid rows cannot be cross-checked")
        args = [self.bpd_check, "--w1", inputs["w1"], "--b1", inputs["b1"], "--A", inputs["A"],
                "--dh", inputs["dh"], "--Vap", inputs["Vap"], "--units", units,
                "--format", "csv"]
        if sliding:
            args.append("--sliding")
        out = subprocess.run(args, capture_output=True, text=True, check=True).stdout
        return [row for row in csv.reader(io.StringIO(out)) if row]

    def sized_pads(self, design_file):
        """Each bearing's smallest passing pad (w1, b1, thickness) as bpd-check --size finds it."""
        if not self.bpd_check:
            raise Skip("bpd-check is not built, so the sized pads cannot be cross-checked")
        # Status 1 says that some bearing has no passing pad; its line is there all the same.
        run = subprocess.run([self.bpd_check, "--project", design_file, "--size", "--format",
                              "csv"], capture_output=True, text=True)
        check(run.returncode in (0, 1), f"bpd-check --size: {run.returncode} {run.stderr}")
        out = run.stdout
        rows = list(csv.DictReader(io.StringIO(out)))
        thickness = next(k for k in rows[0] if k.startswith("t("))
        return [(float(r["w1"]), float(r["b1"]), r[thickness]) for r in rows]

    @staticmethod
    def row_line(cells):
        return "".join(c[:w].ljust(w) for c, w in zip(cells, REPORT_COLUMN_WIDTHS))

    @staticmethod
    def report_lines(raw):
        text = raw.decode("utf-8")
        check("\r\n" in text, "the report's lines do not end with CR LF")
        return text.split("\r\n")

    def check_report(self, lines, rows, fields):
        """The report's project data, inputs and table against what is expected."""
        check(lines[0] == "PROJECT DATA:", f"first line {lines[0]!r}")
        for label, value in fields.items():
            wanted = label + value
            check(wanted in lines, f'the report has no line {wanted!r}; it has:\n' +
                  "\n".join(lines[:16]))
        start = lines.index("OUTPUT DATA:")
        separator = "-" * 173
        check(lines[start + 1] == separator, "no separator under OUTPUT DATA:")
        check(lines[start + 2] == self.row_line(rows[0]),
              f"header line {lines[start + 2]!r} != {self.row_line(rows[0])!r}")
        check(lines[start + 3] == separator, "no separator under the header")
        body = lines[start + 4:]
        for i, row in enumerate(rows[1:]):
            got, want = body[2 * i], self.row_line(row)
            check(got == want, f"report row {i + 1}:\n  got  {got!r}\n  want {want!r}")
            check(body[2 * i + 1] == "", f"no empty line after report row {i + 1}")
        after = body[2 * (len(rows) - 1) - 1:]
        check(after[:6] == [""] * 6 and after[6].strip(),
              "six empty lines do not stand between the table and the contact block")


def column_name(number):
    name = ""
    while number:
        number, rest = divmod(number - 1, 26)
        name = chr(ord("A") + rest) + name
    return name


def read_workbook(data):
    """The first sheet's cells of an .xlsx file: {"A1": text or number}."""
    ns = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
    book = zipfile.ZipFile(io.BytesIO(data))
    shared = []
    if "xl/sharedStrings.xml" in book.namelist():
        root = ElementTree.fromstring(book.read("xl/sharedStrings.xml"))
        shared = ["".join(t.text or "" for t in si.iter("{%s}t" % ns["m"]))
                  for si in root.findall("m:si", ns)]
    root = ElementTree.fromstring(book.read("xl/worksheets/sheet1.xml"))
    cells = {}
    for cell in root.iter("{%s}c" % ns["m"]):
        kind, value = cell.get("t"), cell.find("m:v", ns)
        if kind == "s" and value is not None:
            cells[cell.get("r")] = shared[int(value.text)]
        elif kind == "inlineStr":
            cells[cell.get("r")] = "".join(t.text or "" for t in cell.iter("{%s}t" % ns["m"]))
        elif kind == "str" and value is not None:
            cells[cell.get("r")] = value.text or ""
        elif value is not None:
            cells[cell.get("r")] = float(value.text)
    return cells


def same_cell(got, text):
    """A text cell holds the grid's text; a number cell the number the text shows."""
    if isinstance(got, float):
        try:
            return abs(got - float(text)) <= 1e-9 * max(1.0, abs(got))
        except ValueError:
            return False
    return got == text


# ---------------------------------------------------------------------------------------
# Scenarios. Each gets (program, desktop, checks) and returns a list of notes.

def set_field(program, main, point, text, offset):
    """Clicks into a field, replaces its text as a user does and leaves it with Tab."""
    program.click(main, point, offset)
    program.key("End", "shift+Home")
    if text:
        program.type(text)
    else:
        program.key("BackSpace")
    program.key("Tab")


def expect_message(program, what):
    """The validation message after `what`; Enter dismisses it."""
    try:
        box = program.wait_for_active(MESSAGE_TITLE, 5)
    except Failure as failure:
        raise Failure(f"no validation message after {what}: {failure}") from None
    program.key("Return")
    program.wait_gone(MESSAGE_TITLE, 5)
    return box


def export_text_report(program, desktop, main):
    """Export > NotePad (Ctrl+N); returns the report's lines as the viewer got them."""
    before = len(desktop.openings("text"))
    program.wait_active(main)
    program.key("ctrl+n")
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and len(desktop.openings("text")) == before:
        time.sleep(0.05)
    opened = desktop.openings("text")
    check(len(opened) == before + 1,
          f"Ctrl+N opened no document in the text viewer; visible: {program.visible_titles()}")
    path = opened[-1]
    check(os.path.basename(path) == "PelgroBearingPadDesignOutput.txt",
          f"the viewer was given {path}")
    return Checks.report_lines(desktop.opened_copy("text", len(opened))), path


def scenario_startup(program, desktop, checks):
    """The disclaimer appears alone, with no taskbar button and no icon, and has the keyboard
    as it shows: with nothing clicked or activated, Esc leaves it and Enter accepts; the main
    window shows alone; closing it ends the program with status 0."""
    program.start()
    program.wait_for(DISCLAIMER_TITLE, 15)
    time.sleep(0.3)  # let every window the start brings come up
    first = program.visible_titles()
    check(first == [DISCLAIMER_TITLE], f"the disclaimer is not alone: {first}")
    dialog = program.windows(DISCLAIMER_TITLE)[0]
    check("_NET_WM_STATE_SKIP_TASKBAR" in program.wm_states(dialog),
          f"the disclaimer gets a taskbar button: _NET_WM_STATE {program.wm_states(dialog)}")
    program.check_no_icon(dialog, DISCLAIMER_TITLE)
    program.key("Escape")  # neither button is the cancel button
    check(program.stays_away(MAIN_TITLE, 0.5) and program.windows(DISCLAIMER_TITLE),
          "Esc changed the disclaimer")
    program.key("Return")
    try:
        main = program.wait_for_active(MAIN_TITLE)
    except Failure as failure:
        raise Failure(f"Enter at the disclaimer, with nothing clicked first: {failure}") from None
    program.wait_gone(DISCLAIMER_TITLE)
    check(program.visible_titles() == [MAIN_TITLE], f"after OK: {program.visible_titles()}")
    # The main window, unlike the disclaimer, has its icon and its taskbar button.
    check(program.visible_icon_pixels(main) > 0, "the main window shows no icon")
    check("_NET_WM_STATE_SKIP_TASKBAR" not in program.wm_states(main),
          "the main window has no taskbar button")
    program.close_main_window(main)
    return []


def scenario_decline(program, desktop, checks):
    """Cancel on the disclaimer ends the program with no main window ever shown."""
    program.start()
    program.wait_for_active(DISCLAIMER_TITLE, 15)
    program.key("Tab", "space")  # OK has the focus; Tab moves it to Cancel
    try:
        status = program.proc.wait(10)
    except subprocess.TimeoutExpired:
        raise Failure(f"Cancel did not end the program; visible: {program.visible_titles()}")
    check(status == 0, f"the program ended with status {status}")
    return []


def scenario_validation(program, desktop, checks):
    """Typing and Tab; a rejected value keeps the focus and swallows a click on Analyze."""
    notes = []
    main = program.open_main_window()
    offset = program.menu_offset(main)

    # An accepted value: no message.
    set_field(program, main, W1_TEXT, "5", offset)
    check(program.stays_away(MESSAGE_TITLE, 1.0), "5 in the length field was rejected")

    # A rejected value: the message, and the focus stays in the field.
    set_field(program, main, B1_TEXT, "0", offset)
    expect_message(program, "0 in the width field")
    # The click on Analyze tries to take the focus from the rejected field: the field is
    # validated again (a second message) and the click is not carried out.
    program.click(main, ANALYZE_BTN, offset)
    expect_message(program, "the click on Analyze with a rejected width")
    # The keys still go into the width field: the corrected value is accepted silently.
    program.key("End", "shift+Home")
    program.type("3")
    program.key("Tab")
    check(program.stays_away(MESSAGE_TITLE, 1.0), "3 in the width field was rejected")

    # A text that is no number, in the deformation field; then Analyze, swallowed again.
    set_field(program, main, DH_TEXT, "abc", offset)
    expect_message(program, "abc in the deformation field")
    program.click(main, ANALYZE_BTN, offset)
    expect_message(program, "the click on Analyze with abc")
    program.key("End", "shift+Home")
    program.type("0")
    program.key("Tab")
    expect_message(program, "0 in the deformation field")

    # The report (a menu command, which moves no focus) shows the rejected text as the
    # field holds it, and the grid of the last accepted inputs: Analyze never ran on it.
    lines, _ = export_text_report(program, desktop, main)
    accepted = dict(OPENING_INPUTS, w1="5", b1="3")
    rows = checks.expected_rows(accepted)
    checks.check_report(lines, rows, {
        "Bearing Length: ": "5.0000 in.",
        "Bearing Width: ": "3.0000in.",
        "Horizontal Deformation: ": ".0000 in.",
    })
    # Mend the field; now Analyze runs on the new value.
    program.key("End", "shift+Home")
    program.type("0.1")
    program.click(main, ANALYZE_BTN, offset)
    check(program.stays_away(MESSAGE_TITLE, 1.0), "0.1 in the deformation field was rejected")
    lines, _ = export_text_report(program, desktop, main)
    checks.check_report(lines, checks.expected_rows(dict(accepted, dh="0.1")),
                        {"Horizontal Deformation: ": ".1000 in."})

    # The load and the angle take 0 but no negative value.
    set_field(program, main, VAP_TEXT, "0", offset)
    check(program.stays_away(MESSAGE_TITLE, 1.0), "0 in the load field was rejected")
    set_field(program, main, A_TEXT, "-1", offset)
    expect_message(program, "-1 in the angle field")
    program.key("End", "shift+Home")
    program.type("0")
    program.key("Tab")
    check(program.stays_away(MESSAGE_TITLE, 1.0), "0 in the angle field was rejected")
    lines, _ = export_text_report(program, desktop, main)
    checks.check_report(lines, checks.expected_rows(dict(accepted, dh="0.1", Vap="0", A="0")),
                        {"Angle of Rotation: ": ".0000 rad", "Applied Load: ": ".0000 kips"})
    program.close_main_window(main)
    return notes


def scenario_units(program, desktop, checks):
    """SI and back with Ctrl+I and Ctrl+M, seen in the text report."""
    main = program.open_main_window()
    program.key("ctrl+i")
    lines, _ = export_text_report(program, desktop, main)
    si_inputs = {"w1": "101.6", "b1": "101.6", "A": ".01", "dh": "1.80594", "Vap": "31.7212"}
    checks.check_report(lines, checks.expected_rows(si_inputs, units="si"), {
        "Bearing Length: ": "101.6 mm",
        "Bearing Width: ": "101.6mm",
        "Angle of Rotation: ": ".01 rad.",
        "Horizontal Deformation: ": "1.80594 mm",
        "Applied Load: ": "31.7212 KN",
    })
    program.key("ctrl+m")
    lines, _ = export_text_report(program, desktop, main)
    back = {"w1": "4", "b1": "4", "A": ".01", "dh": "0.0711", "Vap": "7.13"}
    checks.check_report(lines, checks.expected_rows(back), {
        "Bearing Length: ": "4 in.",
        "Bearing Width: ": "4in.",
        "Horizontal Deformation: ": "0.0711 in.",
        "Applied Load: ": "7.13 kips",
    })
    program.close_main_window(main)
    return []


def scenario_reports(program, desktop, checks):
    """Export > NotePad and Export > Excel open the right files in the desktop's programs."""
    main = program.open_main_window()
    lines, path = export_text_report(program, desktop, main)
    checks.check_report(lines, checks.expected_rows(OPENING_INPUTS), {
        "Company Name: ": "", "Slide Bearing: ": "No",
        "Bearing Length: ": "4.00 in.", "Bearing Width: ": "4.00in.",
        "Angle of Rotation: ": ".01 rad", "Applied Load: ": "7.13 kips",
    })
    with open(path, "rb") as f:
        check(f.read() == desktop.opened_copy("text", 1),
              "the report changed after the viewer was started")

    program.key("ctrl+e")
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and not desktop.openings("spreadsheet"):
        time.sleep(0.05)
    opened = desktop.openings("spreadsheet")
    check(len(opened) == 1, f"Ctrl+E opened no workbook; visible: {program.visible_titles()}")
    check(opened[0].endswith(".xlsx"), f"the spreadsheet program was given {opened[0]}")
    cells = read_workbook(desktop.opened_copy("spreadsheet", 1))
    for ref, wanted in {"A1": "PROJECT DATA:", "A7": "INPUT DATA:", "A8": "Slide Bearing",
                        "B8": "No", "B9": "4.00", "C9": "in.", "A15": "OUTPUT DATA:"}.items():
        got = cells.get(ref)
        check(got is not None and same_cell(got, wanted), f"workbook cell {ref} is {got!r}, "
              f"expected {wanted!r}")
    for r, row in enumerate(checks.expected_rows(OPENING_INPUTS)):
        for c, wanted in enumerate(row):
            ref = column_name(c + 1) + str(16 + r)
            got = cells.get(ref)
            check(got is not None and same_cell(got, wanted),
                  f"workbook cell {ref} is {got!r}, the grid shows {wanted!r}")
    program.close_main_window(main)
    return []


COMMA_NUMBER = re.compile(r"^[-+]?\d*,\d+(?:[eE][-+]?\d+)?$")


def comma_numbers(data):
    """Attribute values and element texts of the workbook's XML parts that are numbers written
    with a decimal comma."""
    found = []
    book = zipfile.ZipFile(io.BytesIO(data))
    for member in book.namelist():
        if not member.endswith((".xml", ".rels")):
            continue
        for element in ElementTree.fromstring(book.read(member)).iter():
            tag = element.tag.split("}")[-1]
            found += [f"{member}: <{tag} {name}={value!r}>" for name, value in element.attrib.items()
                      if COMMA_NUMBER.match(value)]
            if element.text and COMMA_NUMBER.match(element.text.strip()):
                found.append(f"{member}: <{tag}>{element.text.strip()}</{tag}>")
    return found


def workbook_cells(data, what):
    """Every cell as openpyxl reads it: type, value, number format, bold; and the widths."""
    try:
        import openpyxl
    except ImportError:
        raise Skip("python3-openpyxl is not installed (./bpd installs it)")
    try:
        sheet = openpyxl.load_workbook(io.BytesIO(data)).active
    except Exception as error:  # openpyxl refuses malformed files with many kinds of error
        raise Failure(f"openpyxl cannot open {what}: {error}") from None
    cells = {cell.coordinate: (cell.data_type, cell.value, cell.number_format, cell.font.b)
             for row in sheet.iter_rows() for cell in row if cell.value is not None}
    widths = {name: dim.width for name, dim in sheet.column_dimensions.items()}
    return cells, widths


def export_workbook(program, desktop, main):
    """Export > Excel (Ctrl+E); returns the workbook as the spreadsheet program got it."""
    before = len(desktop.openings("spreadsheet"))
    program.wait_active(main)
    program.key("ctrl+e")
    opened = wait_opening(desktop, "spreadsheet", before + 1, "Ctrl+E", program)
    check(opened.endswith(".xlsx"), f"the spreadsheet program was given {opened}")
    return desktop.opened_copy("spreadsheet", before + 1)


def scenario_comma_workbook(program, desktop, checks, locale):
    """Under a comma-decimal locale the window and the text report keep the locale's texts,
    and Export > Excel writes the workbook of the C locale: no number with a comma in any XML
    part, openpyxl opens it, and every cell has the same type, value and format (also after
    Units > SI and back, when the input column holds whole numbers)."""
    installed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    if locale.lower().replace("utf-8", "utf8") not in (name.lower() for name in installed):
        raise Skip(f"the locale {locale} is not installed (./bpd makes it with locale-gen)")
    runs = {}
    for run_locale in ("C.UTF-8", locale):
        desktop.locale = run_locale
        main = program.open_main_window()
        lines, _ = export_text_report(program, desktop, main)
        opening = export_workbook(program, desktop, main)
        program.key("ctrl+i")
        program.key("ctrl+m")
        back = export_workbook(program, desktop, main)
        program.close_main_window(main)
        runs[run_locale] = (lines, opening, back)

    lines = runs[locale][0]
    check("Bearing Length: 4,00 in." in lines,
          f"the text report under {locale} lost the locale's texts: {lines[7:14]}")
    check(any("8,00" in line for line in lines), f"no grid text 8,00 in the report under {locale}")
    for n, name in ((1, "the opening workbook"), (2, "the workbook after SI and back")):
        data = runs[locale][n]
        commas = comma_numbers(data)
        check(not commas, f"{name} under {locale} has numbers with a comma: {commas[:5]}")
        want, want_widths = workbook_cells(runs["C.UTF-8"][n], f"{name} under C.UTF-8")
        got, got_widths = workbook_cells(data, f"{name} under {locale}")
        differ = [f"{ref}: {got.get(ref)} != {want.get(ref)}" for ref in sorted(set(want) | set(got))
                  if got.get(ref) != want.get(ref)]
        check(not differ, f"{name} under {locale} differs from C.UTF-8: {differ[:5]}")
        check(got_widths == want_widths, f"{name}: widths {got_widths} != {want_widths}")
        inputs = [want.get(f"B{row}", ("missing",))[0] for row in range(9, 14)]
        check(inputs == ["n"] * 5, f"{name}: the input column B9:B13 holds types {inputs}")
    return []


def scenario_settings(program, desktop, checks):
    """Settings > General saves the project data that the next report shows."""
    main = program.open_main_window()
    program.key("ctrl+g")
    dialog = program.wait_for_active(SETTINGS_TITLE)
    program.wait_gone(MAIN_TITLE)  # the dialog hides the main window
    data = {"Company Name: ": "Acme Bridges", "Project Name: ": "Route 9 Overpass",
            "Engineer: ": "J. Doe", "Description: ": "Pier 3 bearings"}
    # The OK button has the focus; the boxes follow in the order company, project, engineer,
    # description.
    for value in data.values():
        program.key("Tab")
        program.key("ctrl+a")
        program.type(value)
    program.click(dialog, SETTINGS_OK)
    main = program.wait_for_active(MAIN_TITLE)
    program.wait_gone(SETTINGS_TITLE)
    lines, _ = export_text_report(program, desktop, main)
    checks.check_report(lines, checks.expected_rows(OPENING_INPUTS), data)
    store = os.path.join(desktop.config, "Pelgro", "current-user.ini")
    check(os.path.exists(store), f"no settings store at {store}")
    with open(store, encoding="utf-8") as f:
        check("Acme Bridges" in f.read(), "the company name is not in the settings store")
    program.close_main_window(main)
    return []


def scenario_dialogs(program, desktop, checks):
    """Conditions (Ctrl+L, Ctrl+R, Ctrl+U) and About (Ctrl+A) open, without a window icon, and
    close; the main window comes back; System Info starts the tool recorded in the settings
    store."""
    notes = []
    main = program.open_main_window()
    for shortcut, title in CONDITION_TITLES.items():
        program.key(shortcut)
        viewer = program.wait_for_active(title)
        program.wait_gone(MAIN_TITLE)
        program.check_no_icon(viewer, title)
        if shortcut == "ctrl+u":
            program.key("alt+F4")  # the close button also brings the main window back
        else:
            program.click(viewer, CONDITIONS_OK)
        main = program.wait_for_active(MAIN_TITLE)
        program.wait_gone(title)

    program.key("ctrl+a")
    about = program.wait_for(ABOUT_TITLE)
    check(program.windows(MAIN_TITLE), "the About box hid the main window")
    program.check_no_icon(about, ABOUT_TITLE)
    if program.sysinfo:
        program.click(about, ABOUT_SYSINFO)
        tool = program.wait_for_any_pid(SYSINFO_TITLE)
        check(program.stays_away(MESSAGE_TITLE, 0.3), "System Info showed a message")
        program.xdo("windowclose", tool, check_ok=False)
    else:
        notes.append("System Info not checked: no pelgro-sysinfo given")
    program.click(about, ABOUT_OK)
    program.wait_gone(ABOUT_TITLE)
    check(program.windows(MAIN_TITLE), "the main window is gone after the About box")
    program.close_main_window(main)
    return notes


def wait_opening(desktop, kind, count, what, program):
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline and len(desktop.openings(kind)) < count:
        time.sleep(0.05)
    opened = desktop.openings(kind)
    check(len(opened) >= count, f"{what} opened nothing; visible: {program.visible_titles()}")
    return opened[count - 1]


def scenario_help(program, desktop, checks):
    """Help (Ctrl+H) and the design guide (Ctrl+D) hand the documents of the Help folder
    beside the program to the desktop's programs; the main window stays as it was."""
    main = program.open_main_window()
    program_folder = os.path.dirname(os.path.realpath(program.binary))
    for shortcut, kind, name in (("ctrl+h", "help", "Pelgro_BPD.chm"),
                                 ("ctrl+d", "pdf", "DG3-RavelonDesignGuide.pdf")):
        program.key(shortcut)
        path = wait_opening(desktop, kind, 1, shortcut, program)
        check(path == os.path.join(program_folder, "Help", name),
              f"{shortcut} opened {path}, expected the Help folder beside {program.binary}")
        check(desktop.opened_copy(kind, 1) == open(path, "rb").read(), f"{name} is empty or changed")
    check(program.windows(MAIN_TITLE), "the main window is gone after the Help commands")
    program.close_main_window(main)
    return []


def scenario_gnome(program, desktop, checks):
    """On GNOME, with the defaults in GNOME's own list and an image editor and a browser
    declaring PDF and text first in the system's cache: the design guide (Ctrl+D) opens in the
    PDF viewer and Export > NotePad's report in the text viewer, as `gio open` does there."""
    main = program.open_main_window()
    program.key("ctrl+d")
    wait_opening(desktop, "pdf", 1, "ctrl+d", program)
    export_text_report(program, desktop, main)
    for kind in ("image-editor", "browser"):
        check(not desktop.openings(kind), f"the {kind} opened {desktop.openings(kind)}")
    program.close_main_window(main)
    return []


def scenario_installed(program, desktop, checks):
    """The installed program (run it as a user who cannot write the program folder): it finds
    its Help folder, writes the text report into the per-user data folder, and its About box
    starts the system information tool that the launcher recorded."""
    main = program.open_main_window()
    program_folder = program.program_folder()
    check(not os.access(program_folder, os.W_OK),
          f"{program_folder} is writable by this user: run this scenario as another user")
    program.key("ctrl+h")
    path = wait_opening(desktop, "help", 1, "Ctrl+H", program)
    check(path == os.path.join(program_folder, "Help", "Pelgro_BPD.chm"), f"help opened {path}")
    lines, report = export_text_report(program, desktop, main)
    wanted = os.path.join(desktop.data, "Pelgro", "Bearing Pad Design",
                          "PelgroBearingPadDesignOutput.txt")
    check(report == wanted, f"the report went to {report}, expected {wanted}")
    checks.check_report(lines, checks.expected_rows(OPENING_INPUTS), {"Slide Bearing: ": "No"})
    program.key("ctrl+a")
    about = program.wait_for(ABOUT_TITLE)
    program.click(about, ABOUT_SYSINFO)
    tool = program.wait_for_any_pid(SYSINFO_TITLE)
    program.xdo("windowclose", tool, check_ok=False)
    program.click(about, ABOUT_OK)
    program.wait_gone(ABOUT_TITLE)
    program.close_main_window(main)
    return [f"program folder {program_folder}, report {report}"]


def processes_opening(path):
    """(pid, executable) of every process with the document as an argument, as a path or a
    file: URL."""
    wanted = {os.fsencode(path), b"file://" + os.fsencode(path)}
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                args = f.read().split(b"\0")[1:]
            if wanted & set(args):
                found.append((int(pid), os.readlink(f"/proc/{pid}/exe")))
        except OSError:
            continue  # gone, or another user's
    return found


def scenario_viewers(program, desktop, checks):
    """The installed program on a desktop with the package's recommended viewers and nothing
    of ours: Help > Help Topics (Ctrl+H) starts the CHM viewer on the help file, and the
    design guide (Ctrl+D) reaches the PDF viewer, each showing a window."""
    check(set(program.viewers) == {"help", "pdf"}, "name the viewers: --viewer help=... pdf=...")
    main = program.open_main_window()
    help_folder = os.path.join(program.program_folder(), "Help")
    notes = []
    for shortcut, kind, name in (("ctrl+h", "help", "Pelgro_BPD.chm"),
                                 ("ctrl+d", "pdf", "DG3-RavelonDesignGuide.pdf")):
        document = os.path.join(help_folder, name)
        program.key(shortcut)
        deadline = time.monotonic() + 15
        while not processes_opening(document) and time.monotonic() < deadline:
            time.sleep(0.1)
        opened = processes_opening(document)
        program.started.extend(pid for pid, _ in opened)
        check(opened, f"{shortcut} started no program on {document}; visible: "
                      f"{program.visible_titles()}")
        pid, executable = opened[0]
        check(executable in program.viewers[kind],
              f"{shortcut} started {executable} on {name}, expected one of {program.viewers[kind]}")
        deadline = time.monotonic() + 40  # a viewer's first start can be slow on a busy machine
        while time.monotonic() < deadline and not program.xdo(
                "search", "--onlyvisible", "--pid", pid, "--name", ".").split():
            time.sleep(0.1)
        check(program.xdo("search", "--onlyvisible", "--pid", pid, "--name", ".").split(),
              f"{executable} shows no window for {name}")
        time.sleep(1)  # drawn, for the picture
        desktop.screenshot(os.path.join(program.output, f"{kind}-viewer.png"))
        notes.append(f"{shortcut}: {executable} {document}")
        # The viewer has the keyboard now: the user clicks the main window to go back to it,
        # and clicks again if a viewer still settling took the keyboard back.
        for _ in range(4):
            program.click_title_bar(main)
            try:
                program.wait_active(main, timeout=3)
                break
            except Failure:
                continue
        program.wait_active(main)
    check(program.windows(MAIN_TITLE), "the main window is gone after the Help commands")
    program.close_main_window(main)
    return notes


SCHEDULE_SUFFIX = " - Bearing Schedule"
VAP_COLUMN = 7  # Mark, Location, Qty, w1, b1, A, dh, then Vap


def design_file(path, vap):
    bearings = [
        {"mark": "B1", "location": "Abutment 1", "quantity": 2, "w1": 9, "b1": 14, "A": 0.01,
         "dh": 0.5, "Vap": vap, "sliding": False, "thickness": "All", "note": ""},
        {"mark": "B2", "location": "Pier 1", "quantity": 2, "w1": 9, "b1": 14, "A": 0.005,
         "dh": 0.75, "Vap": 85.5, "sliding": True, "thickness": "3/4", "note": ""},
    ]
    with open(path, "w") as f:
        json.dump({"format": "pelgro-bpd-design", "version": 1, "units": "imperial",
                   "project": {"company": "Acme Precast"}, "bearings": bearings}, f)


def first_bearing(path):
    with open(path) as f:
        return json.load(f)["bearings"][0]


def first_vap(path):
    return first_bearing(path)["Vap"]


def edit_first_vap(program, schedule, text):
    """In the schedule that has the keyboard: the first bearing's Vap cell (Ctrl+Home, then
    right along the line), typed over and committed with Enter."""
    program.wait_active(schedule)
    program.key("ctrl+Home", *["Right"] * VAP_COLUMN)
    program.type(text)
    program.key("Return")


def recovery_copies(desktop):
    folder = os.path.join(desktop.state, "pelgro-bpd", "recovery")
    if not os.path.isdir(folder):
        return []
    return [os.path.join(folder, n) for n in sorted(os.listdir(folder)) if n.endswith(".recovery")]


def wait_for_copy(program, desktop, needle, timeout):
    """The recovery copy that holds `needle`, waited for as long as the program promises."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for path in recovery_copies(desktop):
            with open(path) as f:
                if needle in json.load(f).get("design", ""):
                    return path
        program.check_running()
        time.sleep(0.1)
    raise Failure(f"no recovery copy with {needle!r} within {timeout:g} s of the edit; "
                  f"copies: {recovery_copies(desktop)}")


def scenario_schedule(program, desktop, checks):
    """A design file opened from the command line: the disclaimer first, then the main window
    and the schedule on the file; an edit, saved with Ctrl+S, is in the file. An edit left
    unsaved is copied for recovery within 10 s; after kill -9 the next start offers it, and Yes
    shows it again, unsaved, named after its file (saving it puts the value in the file)."""
    path = os.path.join(desktop.home, "Documents", "bridge.bpd")
    design_file(path, 60)
    program.accept_disclaimer(path)
    schedule = program.wait_for_active("bridge.bpd" + SCHEDULE_SUFFIX)
    check(program.windows(MAIN_TITLE), "the main window is not shown beside the schedule")

    edit_first_vap(program, schedule, "150")
    program.wait_for("bridge.bpd*" + SCHEDULE_SUFFIX, 5)
    program.key("ctrl+s")
    program.wait_for("bridge.bpd" + SCHEDULE_SUFFIX, 5)
    check(first_vap(path) == 150, f"the saved file holds Vap {first_vap(path)}, not 150")
    check(not recovery_copies(desktop), f"a saved schedule left {recovery_copies(desktop)}")

    # Size the first bearing (its line is current since the edit): Edit > Size Selected, the
    # options with Enter (w1 and b1 free), the proposals with Enter (Apply), then saved. The
    # pad is the one bpd-check --size finds for the saved file.
    expected = checks.sized_pads(path)[0]
    program.key("alt+e")
    program.key("s")
    program.wait_for_active("Size Selected")
    program.key("Return")
    program.wait_for_active("Sizing Proposals")
    time.sleep(0.3)  # painted, for the picture
    desktop.screenshot(os.path.join(program.output, "sizing-proposals.png"))
    program.key("Return")
    program.wait_for_active("bridge.bpd*" + SCHEDULE_SUFFIX)
    program.key("ctrl+s")
    program.wait_for("bridge.bpd" + SCHEDULE_SUFFIX, 5)
    sized = first_bearing(path)
    got = (sized["w1"], sized["b1"], sized["thickness"])
    check(got == expected, f"Size Selected saved the pad {got}, bpd-check --size finds {expected}")

    edit_first_vap(program, schedule, "175")
    program.wait_for("bridge.bpd*" + SCHEDULE_SUFFIX, 5)
    edited = time.monotonic()
    wait_for_copy(program, desktop, '"Vap": 175', 10)
    copied = time.monotonic() - edited
    program.proc.send_signal(signal.SIGKILL)
    program.proc.wait(10)
    check(first_vap(path) == 150, "the unsaved edit reached the file")

    program.accept_disclaimer()
    program.wait_for_active(MESSAGE_TITLE)
    time.sleep(0.3)  # painted, for the picture
    desktop.screenshot(os.path.join(program.output, "restore-question.png"))
    program.key("alt+y")
    program.wait_gone(MESSAGE_TITLE)
    program.wait_for_active("bridge.bpd*" + SCHEDULE_SUFFIX)
    desktop.screenshot(os.path.join(program.output, "restored.png"))
    program.key("ctrl+s")
    program.wait_for("bridge.bpd" + SCHEDULE_SUFFIX, 5)
    check(first_vap(path) == 175, f"the restored schedule saved Vap {first_vap(path)}, not 175")
    check(not recovery_copies(desktop), f"a saved schedule left {recovery_copies(desktop)}")
    return [f"the unsaved edit was copied {copied:.1f} s after it was made"]


SCENARIOS = {
    "startup": scenario_startup,
    "decline": scenario_decline,
    "validation": scenario_validation,
    "units": scenario_units,
    "reports": scenario_reports,
    "settings": scenario_settings,
    "dialogs": scenario_dialogs,
    "help": scenario_help,
    "gnome": scenario_gnome,
    "installed": scenario_installed,
    "workbook_de_DE": lambda p, d, c: scenario_comma_workbook(p, d, c, "de_DE.UTF-8"),
    "workbook_fr_FR": lambda p, d, c: scenario_comma_workbook(p, d, c, "fr_FR.UTF-8"),
    "viewers": scenario_viewers,
    "schedule": scenario_schedule,
}


def missing_tools():
    return [t for t in ("Xvfb", "openbox", "xdotool", "xprop", "import") if not shutil.which(t)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--scenario", required=True, choices=sorted(SCENARIOS))
    parser.add_argument("--binary", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--bpd-check")
    parser.add_argument("--registry")
    parser.add_argument("--sysinfo")
    parser.add_argument("--viewer", action="append", default=[], metavar="KIND=PROGRAM[:...]")
    parser.add_argument("--keep", action="store_true", help="keep the throwaway folders")
    args = parser.parse_args()

    missing = missing_tools()
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (./bpd installs them: xvfb, openbox, "
              "xdotool, x11-utils, imagemagick)")
        return SKIP
    if not os.access(args.binary, os.X_OK):
        print(f"SKIP: no program at {args.binary}")
        return SKIP

    output = os.path.join(os.path.abspath(args.output), args.scenario)
    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    workdir = tempfile.mkdtemp(prefix=f"bpd-e2e-{args.scenario}-")
    desktop = Desktop(workdir, stand_ins=args.scenario != "viewers",
                      gnome=args.scenario == "gnome")
    program = Program(desktop, os.path.abspath(args.binary), output)
    program.sysinfo = args.sysinfo
    program.viewers = dict((kind, value.split(":")) for kind, _, value in
                           (v.partition("=") for v in args.viewer))
    checks = Checks(args.bpd_check)
    status = 1
    try:
        desktop.start()
        if args.registry and args.sysinfo:
            # Where the About box finds the system information tool, as the launcher records it.
            subprocess.run([args.registry, "set", "HKEY_LOCAL_MACHINE",
                            r"SOFTWARE\Microsoft\Shared Tools\MSINFO", "PATH",
                            os.path.abspath(args.sysinfo)], env=desktop.env(), check=True)
        notes = SCENARIOS[args.scenario](program, desktop, checks)
        for note in notes:
            print(note)
        print(f"PASS: {args.scenario}")
        status = 0
    except Skip as skip:
        print(f"SKIP: {args.scenario}: {skip}")
        status = SKIP
    except (Failure, subprocess.SubprocessError, OSError, ValueError, KeyError) as failure:
        shot = os.path.join(output, "failure.png")
        try:
            desktop.screenshot(shot)
        except (subprocess.SubprocessError, OSError):
            shot = "(no screenshot)"
        print(f"FAIL: {args.scenario}: {failure}\n  screenshot: {shot}\n"
              f"  program output: {os.path.join(output, 'program-output.txt')}")
        status = 1
    finally:
        program.stop()
        desktop.stop()
        if args.keep:
            print(f"kept {workdir}")
        else:
            shutil.rmtree(workdir, ignore_errors=True)
    return status


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    sys.exit(main())
