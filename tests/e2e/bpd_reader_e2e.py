#!/usr/bin/python3
"""The built program as a screen reader reads it, through AT-SPI.

Starts Xvfb with openbox (the e2e desktop of bpd_e2e.py), a session bus and the accessibility
bus (at-spi-bus-launcher), and the program with its accessibility bridge on. The user clicks
OK on the disclaimer and works from the keyboard; what the program offers a reader is read
with pyatspi, as Orca reads it: the names of the five input fields and the thickness selector
(with the unit beside each, before and after Units > SI), each control's name as Tab reaches
it, the results grid "Results" with its column headers and each row's verdict and reason as
its description, and the four boxes of Settings > General by their captions.

    bpd_reader_e2e.py --binary build/bin/pelgro-bpd --output DIR

Exit status: 0 passed, 1 failed (a screenshot and the program's output are kept under
DIR/reader/), 77 skipped (a tool of the desktop, dbus-daemon, at-spi-bus-launcher or pyatspi is
missing; the reason is printed).
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bpd_e2e import (DISCLAIMER_TITLE, MAIN_TITLE, SETTINGS_TITLE, SKIP, Desktop, Failure,  # noqa: E402
                     Program, check, missing_tools)

SCENARIO = "reader"
BUS_LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")
DISCLAIMER_OK = (224, 444)  # the OK button's centre in the disclaimer's client area

FIELDS_IMPERIAL = ["Bearing Length (w1), in.", "Bearing Width (b1), in.",
                   "Angle of Rotation (A), rad", "Horizontal Deformation (dh), in.",
                   "Applied Vertical Load (Vap), kips"]
FIELDS_SI = ["Bearing Length (w1), mm", "Bearing Width (b1), mm", "Angle of Rotation (A), rad.",
             "Horizontal Deformation (dh), mm", "Applied Vertical Load (Vap), KN"]
HEADERS_IMPERIAL = ["Status", "t(in.)", "SF", "Vnr(kips)", "Snr(psi)", "R", "Var(kips)",
                    "W2(in.)", "Es(%)", "Sap(psi)", "N(lbs)", "Ss(psi)", "G(psi)"]
SETTINGS_BOXES = ["Company", "Project Name", "Engineer", "Description"]


class ReaderDesktop(Desktop):
    """The e2e desktop with a session bus and the accessibility bus on it."""

    def __init__(self, workdir):
        super().__init__(workdir, stand_ins=False)
        self.bus = None
        self.bus_address = None
        self.a11y = None

    def env(self):
        env = super().env()
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        # Qt's bridge speaks AT-SPI whether or not the desktop asked for a screen reader.
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        return env

    def start_buses(self, launcher):
        self.bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                                    env=self.env(), stdout=subprocess.PIPE,
                                    stderr=subprocess.DEVNULL, text=True)
        self.bus_address = self.bus.stdout.readline().strip()
        check(self.bus_address, "dbus-daemon gave no address")
        self.a11y = subprocess.Popen([launcher, "--launch-immediately"], env=self.env(),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # The launcher marks the root window once the accessibility bus is up.
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            probe = subprocess.run(["xprop", "-root", "AT_SPI_BUS"], env=self.env(),
                                   capture_output=True, text=True)
            if "unix:" in probe.stdout:
                break
            time.sleep(0.05)
        else:
            raise Failure("the accessibility bus did not come up")
        # The reader (this process) finds the accessibility bus through the session bus.
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        os.environ["DISPLAY"] = self.display

    def stop(self):
        for proc in (self.a11y, self.bus):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
        super().stop()


class Reader:
    """What a screen reader sees of the program: its AT-SPI tree."""

    def __init__(self, pyatspi, pid):
        self.atspi = pyatspi
        self.pid = pid

    def application(self, timeout=15.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            desktop = self.atspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                try:
                    if app is not None and app.get_process_id() == self.pid:
                        # Read the program as it is now, never a copy from before a change.
                        app.set_cache_mask(self.atspi.Atspi.Cache.NONE)
                        app.clear_cache()
                        return app
                except Exception:  # an application that left the bus meanwhile
                    continue
            time.sleep(0.2)
        raise Failure("the program does not appear on the accessibility bus")

    def window(self, title, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            app = self.application()
            for i in range(app.childCount):
                w = app.getChildAtIndex(i)
                if w is not None and w.name == title and self.showing(w):
                    return w
            time.sleep(0.2)
        raise Failure(f'the reader finds no window "{title}"')

    def showing(self, node):
        return node.getState().contains(self.atspi.STATE_SHOWING)

    def controls(self, root, role):
        """The showing controls of a role under root, in tree order; tables and lists are not
        entered (their cells are data)."""
        found = []

        def walk(node, depth):
            if node is None or depth > 40 or not self.showing(node):
                return
            if node.getRole() == role:
                found.append(node)
            if node.getRole() in (self.atspi.ROLE_TABLE, self.atspi.ROLE_LIST,
                                  self.atspi.ROLE_COMBO_BOX):
                return
            for i in range(node.childCount):
                walk(node.getChildAtIndex(i), depth + 1)

        walk(root, 0)
        return found

    def focused(self, root):
        """The control that has the keyboard focus, as a reader announces it."""
        found = []

        def walk(node, depth):
            if node is None or depth > 40 or found or not self.showing(node):
                return
            if node.getState().contains(self.atspi.STATE_FOCUSED):
                found.append(node)
                return
            if node.getRole() in (self.atspi.ROLE_TABLE, self.atspi.ROLE_LIST,
                                  self.atspi.ROLE_COMBO_BOX):
                return  # a current cell or entry is the control's own part
            for i in range(node.childCount):
                walk(node.getChildAtIndex(i), depth + 1)

        walk(root, 0)
        return found[0] if found else None

    def wait_focused(self, root, name, timeout=5.0):
        deadline = time.monotonic() + timeout
        while True:
            node = self.focused(root)
            got = node.name if node is not None else None
            if got == name or time.monotonic() > deadline:
                return got
            time.sleep(0.1)

    def names(self, root, role):
        return [node.name for node in self.controls(root, role)]

    def wait_names(self, root, role, expected, timeout=5.0):
        deadline = time.monotonic() + timeout
        while True:
            got = sorted(self.names(root, role))
            if got == sorted(expected) or time.monotonic() > deadline:
                return got
            time.sleep(0.2)


def read_main_window(reader, main, fields, selector, headers):
    atspi = reader.atspi
    got = reader.wait_names(main, atspi.ROLE_TEXT, fields) \
        if reader.controls(main, atspi.ROLE_TEXT) else reader.wait_names(main, atspi.ROLE_ENTRY,
                                                                          fields)
    check(got == sorted(fields), f"the input fields read {got}, expected {sorted(fields)}")
    print(f"fields: {got}")
    combos = reader.wait_names(main, atspi.ROLE_COMBO_BOX, [selector])
    check(combos == [selector], f"the thickness selector reads {combos}, expected {[selector]}")
    grids = reader.controls(main, atspi.ROLE_TABLE)
    check([g.name for g in grids] == ["Results"],
          f"the tables read {[g.name for g in grids]}, expected ['Results']")
    table = grids[0].queryTable()
    read_headers = [table.getColumnHeader(c).name for c in range(table.nColumns)]
    check(read_headers == headers, f"the grid's column headers read {read_headers}")
    print(f"selector: {combos}; table: {grids[0].name!r}, headers {read_headers}")
    for row in range(table.nRows):
        status = table.getAccessibleAt(row, 0)
        check(status.name in ("Pass", "FAIL!"), f"row {row + 1} reads {status.name!r}")
        expected = "Pass" if status.name == "Pass" else "Check Failed."
        check(status.description.startswith(expected),
              f"row {row + 1} ({status.name}) is described as {status.description!r}")
        print(f"row {row + 1}: {status.name}, described as {status.description!r}")
    return table.nRows


def scenario(program, desktop):
    import pyatspi  # after the buses are up: it finds them through the environment

    program.start()
    disclaimer = program.wait_for(DISCLAIMER_TITLE, 15)
    reader = Reader(pyatspi, program.pid)
    dialog = reader.window(DISCLAIMER_TITLE)
    buttons = reader.names(dialog, pyatspi.ROLE_PUSH_BUTTON)
    check(sorted(buttons) == ["Cancel", "OK"], f"the disclaimer's buttons read {buttons}")

    program.click(disclaimer, DISCLAIMER_OK)
    program.wait_for(MAIN_TITLE)
    main = reader.window(MAIN_TITLE)
    rows = read_main_window(reader, main, FIELDS_IMPERIAL, "Thickness (t), in.",
                            HEADERS_IMPERIAL)
    check(rows == 7, f"the grid has {rows} rows, expected 7 for All")
    boxes = reader.names(main, pyatspi.ROLE_CHECK_BOX)
    check(boxes == ["Sliding"], f"the check boxes read {boxes}")
    buttons = reader.names(main, pyatspi.ROLE_PUSH_BUTTON)
    check(sorted(buttons) == ["Analyze", "Print Screen"], f"the buttons read {buttons}")

    # Tab to the load field as a keyboard user does (the grid has the focus at the start),
    # hearing each control's name, and enter a load that fails the second row.
    heard = [reader.wait_focused(main, "Results")]
    for name in ("Bearing pad preview", "Sliding") + tuple(FIELDS_IMPERIAL[:2]) + \
            ("Thickness (t), in.",) + tuple(FIELDS_IMPERIAL[2:]):
        program.key("Tab")
        heard.append(reader.wait_focused(main, name))
    check(heard[-1] == FIELDS_IMPERIAL[-1], f"tabbing through the window reads {heard}")
    print(f"Tab reads: {heard}")
    program.key("Home", "shift+End")  # Ctrl+A is About, from every field
    program.type("45")
    program.key("Tab")
    table = reader.controls(main, pyatspi.ROLE_TABLE)[0].queryTable()
    compressive = "Check Failed. Applied compressive load exceeds the limit."
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and table.getAccessibleAt(1, 0).description != compressive:
        time.sleep(0.2)
    second = table.getAccessibleAt(1, 0)
    check((second.name, second.description) == ("FAIL!", compressive),
          f"with Vap 45 row 2 reads {second.name!r}, described as {second.description!r}")
    read_main_window(reader, main, FIELDS_IMPERIAL, "Thickness (t), in.", HEADERS_IMPERIAL)

    # Units > SI from the keyboard: the names follow the unit captions.
    program.key("ctrl+i")
    si_headers = ["Status", "t(mm)", "SF", "Vnr(KN)", "Snr(N/m2)", "R", "Var(KN)", "W2(mm)",
                  "Es(%)", "Sap(N/m2)", "N(N)", "Ss(N/m2)", "G(N/m2)"]
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and \
            reader.names(main, pyatspi.ROLE_COMBO_BOX) != ["Thickness (t), mm"]:
        time.sleep(0.2)
    read_main_window(reader, main, FIELDS_SI, "Thickness (t), mm", si_headers)

    # Settings > General from the keyboard: the four boxes by their captions.
    program.key("ctrl+g")
    program.wait_for(SETTINGS_TITLE)
    settings = reader.window(SETTINGS_TITLE)
    got = reader.wait_names(settings, pyatspi.ROLE_TEXT, SETTINGS_BOXES) \
        if reader.controls(settings, pyatspi.ROLE_TEXT) \
        else reader.wait_names(settings, pyatspi.ROLE_ENTRY, SETTINGS_BOXES)
    check(got == sorted(SETTINGS_BOXES), f"the General Setttings boxes read {got}")
    print(f"General Setttings: {got}")
    buttons = reader.names(settings, pyatspi.ROLE_PUSH_BUTTON)
    check(buttons == ["OK"], f"the General Setttings buttons read {buttons}")
    program.key("Escape")
    program.wait_for(MAIN_TITLE)


def find_launcher():
    for path in BUS_LAUNCHERS:
        if os.access(path, os.X_OK):
            return path
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--binary", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--keep", action="store_true", help="keep the throwaway folders")
    args = parser.parse_args()

    missing = missing_tools() + [t for t in ("dbus-daemon",) if not shutil.which(t)]
    launcher = find_launcher()
    if not launcher:
        missing.append("at-spi-bus-launcher")
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        missing.append("pyatspi")
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (./bpd installs them: xvfb, openbox, "
              "xdotool, x11-utils, imagemagick, dbus, at-spi2-core, python3-pyatspi)")
        return SKIP
    if not os.access(args.binary, os.X_OK):
        print(f"SKIP: no program at {args.binary}")
        return SKIP

    output = os.path.join(os.path.abspath(args.output), SCENARIO)
    shutil.rmtree(output, ignore_errors=True)
    os.makedirs(output)
    workdir = tempfile.mkdtemp(prefix=f"bpd-e2e-{SCENARIO}-")
    desktop = ReaderDesktop(workdir)
    program = Program(desktop, os.path.abspath(args.binary), output)
    status = 1
    try:
        desktop.start()
        desktop.start_buses(launcher)
        scenario(program, desktop)
        print(f"PASS: {SCENARIO}")
        status = 0
    except Exception as failure:  # pyatspi raises its own errors too
        shot = os.path.join(output, "failure.png")
        try:
            desktop.screenshot(shot)
        except (subprocess.SubprocessError, OSError):
            shot = "(no screenshot)"
        print(f"FAIL: {SCENARIO}: {failure}\n  screenshot: {shot}\n"
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
