#!/usr/bin/python3
"""Checks the manual pages as man shows them: no formatter warnings, and bpd-check(1) agrees
with the program: every option of --help is documented, the exit statuses are those of
--help, and each example prints what the program prints.

    check_manual_pages.py BPD_CHECK PAGE.1[.gz] [PAGE.1[.gz] ...]

Exit status 0 passed, 1 failed, 77 skipped (man is missing).
"""

import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile


def render(page):
    env = dict(os.environ, MANWIDTH="200", LC_ALL="C.UTF-8")
    result = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", page], env=env,
                            capture_output=True, text=True)
    text = result.stdout.replace("\u2010", "-").replace("\u2212", "-")
    return result.returncode, text, result.stderr.strip()


def sections(text):
    """Section heading -> its lines (without the page's indentation)."""
    found, current = {}, None
    for line in text.splitlines():
        if line and not line[0].isspace():
            current = line.strip()
            found[current] = []
        elif current:
            found[current].append(line[7:] if line.startswith(" " * 7) else line.strip())
    return found


def help_exit_statuses(usage):
    block = usage.split("Exit status", 1)[1] if "Exit status" in usage else ""
    return set(re.findall(r"^\s+(\d)\s", block, re.M))


def check_examples(bpd_check, lines, failures):
    """Runs each "$ bpd-check ..." line (files shown with "$ cat NAME" are written first) and
    compares its output with the lines that follow it."""
    work = tempfile.mkdtemp(prefix="bpd-man-")
    try:
        commands = [i for i, line in enumerate(lines) if line.lstrip().startswith("$ ")]
        if not any("bpd-check" in lines[i] for i in commands):
            failures.append("bpd-check(1): EXAMPLES shows no bpd-check command")
        for n, i in enumerate(commands):
            end = commands[n + 1] if n + 1 < len(commands) else len(lines)
            words = shlex.split(lines[i].lstrip()[2:])
            shown = [line.strip() for line in lines[i + 1:end]]
            while shown and not shown[-1]:
                shown.pop()
            if shown and "" in shown:  # prose after the example's output
                shown = shown[:shown.index("")]
            if words[0] == "cat":
                with open(os.path.join(work, words[1]), "w") as f:
                    f.write("\n".join(shown) + "\n")
                continue
            result = subprocess.run([bpd_check] + words[1:], cwd=work, capture_output=True,
                                    text=True)
            printed = [line.rstrip() for line in result.stdout.splitlines()]
            if result.returncode != 0 or printed != shown:
                failures.append(f"bpd-check(1): the example {' '.join(words)!r} prints "
                                f"(status {result.returncode}):\n" + result.stdout +
                                result.stderr + "but the page shows:\n" + "\n".join(shown))
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    if not shutil.which("man"):
        print("SKIP: man is not installed (man-db)")
        return 77
    bpd_check, pages = os.path.abspath(sys.argv[1]), sys.argv[2:]
    failures = []
    for page in pages:
        status, text, warnings = render(page)
        if status != 0 or warnings or not text.strip():
            failures.append(f"{page}: man status {status}: {warnings or 'no text'}")
            continue
        if os.path.basename(page).removesuffix(".gz") != "bpd-check.1":
            continue
        parts = sections(text)
        usage = subprocess.run([bpd_check, "--help"], capture_output=True, text=True).stdout
        documented = " ".join(parts.get("OPTIONS", []))
        for option in sorted(set(re.findall(r"--[A-Za-z](?:[A-Za-z0-9-]*[A-Za-z0-9])?", usage))):
            if not re.search(re.escape(option) + r"\b", documented):
                failures.append(f"bpd-check(1): OPTIONS does not document {option}")
        statuses = set(re.findall(r"^(\d)\s*(?:\S|$)", "\n".join(parts.get("EXIT STATUS", [])), re.M))
        if statuses != help_exit_statuses(usage):
            failures.append(f"bpd-check(1): EXIT STATUS documents {sorted(statuses)}, "
                            f"--help {sorted(help_exit_statuses(usage))}")
        for heading in ("CSV FORMAT", "NUMBERS"):
            if heading not in parts:
                failures.append(f"bpd-check(1): no section {heading}")
        check_examples(bpd_check, parts.get("EXAMPLES", []), failures)
    for failure in failures:
        print("FAIL: " + failure)
    if not failures:
        print(f"PASS: {len(pages)} manual pages")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
