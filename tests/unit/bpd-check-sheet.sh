#!/bin/sh
# bpd-check --sheet as a script calls it: the standard output is the one without --sheet, the
# sheet's text holds the steps and the project data given, a second run replaces the file.
#   bpd-check-sheet.sh BPD_CHECK
# Exit 0 passed, 1 failed, 77 skipped (pdftotext is missing).
set -u
bin="$1"
command -v pdftotext >/dev/null || { echo "SKIP: pdftotext (poppler-utils) is missing"; exit 77; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config"
fail() { echo "FAIL: $*"; exit 1; }

set -- --w1 4 --b1 4 --A .01 --dh 0.0711 --Vap 7.13 --sliding
"$bin" "$@" >"$work/plain" || fail "the check without --sheet exits $?"
"$bin" "$@" --sheet "$work/sheet.pdf" --project-name "Mill Creek" --engineer "A. Engineer" \
    >"$work/out" 2>"$work/err" || fail "the check with --sheet exits $?: $(cat "$work/err")"
cmp -s "$work/plain" "$work/out" || fail "--sheet changed the standard output"
[ -s "$work/err" ] && fail "standard error is not empty: $(cat "$work/err")"
pdftotext -enc UTF-8 "$work/sheet.pdf" - | tr -s ' \n' '  ' >"$work/text"
for line in \
    "SF = (w1 × b1) / ((w1 + b1) × 2 × t) = (4.00 × 4.00) / ((4.00 + 4.00) × 2 × 0.125) = 8.00" \
    "Snr = 5202.56 psi > 2500 psi (sliding): Vnr = W2 × b1 × 2500 / 1000 = 4.00 × 4.00 × 2500 / 1000 = 40.00 kips" \
    "Vap = 7.13 kips ≤ Var = 28.57 kips: OK (25.0 %)" \
    "Es = 56.88 % ≤ 75 %: OK (75.8 %)" \
    "Mill Creek" "A. Engineer" "Page 1 of"
do
    grep -qF "$line" "$work/text" || fail "the sheet lacks: $line"
done
echo "PASS: the sheet holds the steps; the standard output is unchanged"
