#!/usr/bin/python3
"""Timings and peak memory of the real program under Xvfb + openbox (run by measure.sh).

    bpd_measure.py --binary PATH --xprobe PATH [--runs N] [--repeats N]

Measures, as a user sees it:
  start -> disclaimer shown        process start to the disclaimer window mapped
  OK -> main window with results   Enter on the disclaimer to the main window mapped (its
                                   results are computed before it is shown)
  Analyze -> grid repainted        a click on Analyze after a new length was typed, to the
                                   first changed pixel of the grid (xprobe)
  Export > NotePad -> file closed  Ctrl+N to the text viewer being handed the closed file
  Export > Excel -> file closed    Ctrl+E to the spreadsheet program being handed the workbook
  peak memory                      maximum resident set of a session that does all of the
                                   above (/usr/bin/time -v)
Each timing is the median of its runs; the worst run is shown beside it.
"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bpd_e2e as e2e  # noqa: E402

GRID = (8, 168, 832, 137)  # the results grid in the client area, pixels (clipped to the window)


def time_opening(desktop, kind, action):
    before = len(desktop.openings(kind))
    log = os.path.join(desktop.log_dir, kind + ".log")
    start = time.monotonic()
    action()
    deadline = start + 15
    while time.monotonic() < deadline:
        if os.path.exists(log) and len(desktop.openings(kind)) > before:
            return (time.monotonic() - start) * 1000
        time.sleep(0.0005)
    raise e2e.Failure(f"no {kind} opening within 15 s")


def analyze_once(program, main, offset, xprobe, value):
    program.click(main, e2e.W1_TEXT, offset)
    program.key("End", "shift+Home")
    program.type(value)
    program.xdo("mousemove", "--window", main, e2e.ANALYZE_BTN[0], e2e.ANALYZE_BTN[1] + offset)
    time.sleep(0.1)
    probe = subprocess.Popen([xprobe, str(main), str(GRID[0]), str(GRID[1] + offset),
                              str(GRID[2]), str(GRID[3]), "5000"],
                             stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                             env=program.desktop.env())
    if probe.stdout.readline().strip() != "ready":
        raise e2e.Failure("xprobe could not read the grid")
    probe.stdin.write("go\n")
    probe.stdin.flush()
    program.xdo("click", 1)
    answer = probe.stdout.readline().strip()
    probe.wait()
    if answer == "timeout":
        raise e2e.Failure("the grid did not change after Analyze")
    return float(answer)


def session(binary, xprobe, repeats, full):
    """One program session; returns its timings (ms) and, for a full one, the peak memory."""
    workdir = tempfile.mkdtemp(prefix="bpd-measure-")
    desktop = e2e.Desktop(workdir)
    program = e2e.Program(desktop, binary, workdir)
    timings = {}
    time_file = os.path.join(workdir, "time.txt")
    program.wrapper = ["/usr/bin/time", "-v", "-o", time_file]
    try:
        desktop.start()
        start = time.monotonic()
        program.start()
        dialog = program.wait_for(e2e.DISCLAIMER_TITLE, timeout=15.0, poll=0)
        timings["start -> disclaimer shown"] = (time.monotonic() - start) * 1000
        program.wait_active(dialog)  # the keyboard, as a user sees the title bar light up
        start = time.monotonic()
        program.xdo("key", "Return")
        main = program.wait_for(e2e.MAIN_TITLE, timeout=15.0, poll=0)
        timings["OK -> main window with results"] = (time.monotonic() - start) * 1000
        if full:
            program.wait_active(main)
            offset = program.menu_offset(main)
            timings["Analyze -> grid repainted"] = [
                analyze_once(program, main, offset, xprobe, "5" if i % 2 == 0 else "4")
                for i in range(repeats)]
            timings["Export > NotePad -> file closed"] = [
                time_opening(desktop, "text", lambda: program.xdo("key", "ctrl+n"))
                for _ in range(repeats)]
            timings["Export > Excel -> file closed"] = [
                time_opening(desktop, "spreadsheet", lambda: program.xdo("key", "ctrl+e"))
                for _ in range(repeats)]
        program.close_main_window(main)
        program.proc.wait(10)
        with open(time_file) as f:
            match = re.search(r"Maximum resident set size \(kbytes\): (\d+)", f.read())
        if full and match:
            timings["peak memory (MB)"] = int(match.group(1)) / 1024
        return timings
    finally:
        program.stop()
        desktop.stop()
        shutil.rmtree(workdir, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--xprobe", required=True)
    parser.add_argument("--runs", type=int, default=5, help="program starts to time")
    parser.add_argument("--repeats", type=int, default=5, help="Analyze and export repeats")
    args = parser.parse_args()

    collected = {}
    for run in range(args.runs):
        full = run == args.runs - 1
        for name, value in session(os.path.abspath(args.binary), args.xprobe,
                                   args.repeats, full).items():
            collected.setdefault(name, []).extend(value if isinstance(value, list) else [value])

    targets = {"start -> disclaimer shown": 400, "OK -> main window with results": 150,
               "peak memory (MB)": 80}
    print(f"binary: {args.binary}")
    for name, values in collected.items():
        unit = "MB" if "memory" in name else "ms"
        label = name.replace(" (MB)", "")
        target = targets.get(name)
        verdict = "" if target is None else (
            f"   target < {target} {unit}: {'met' if statistics.median(values) < target else 'MISSED'}")
        print(f"  {label:<48} median {statistics.median(values):8.1f} {unit}   "
              f"worst {max(values):8.1f} {unit}   ({len(values)} runs){verdict}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
