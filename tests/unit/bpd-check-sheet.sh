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

# A design file's package: the same rows as without --sheet, the file's project data, a cover
# with a line for each bearing that can be checked, then their sheets, one bookmark each.
cat >"$work/bridge.bpd" <<'JSON'
{"format": "pelgro-bpd-design", "version": 1, "units": "imperial",
 "project": {"company": "Acme Precast", "projectName": "SR 14", "engineer": "J. Doe", "description": "Span 2"},
 "bearings": [
  {"mark": "B1", "location": "Pier 1", "quantity": 2, "w1": 4, "b1": 4, "A": 0.01, "dh": 0.0711, "Vap": 7.13, "thickness": "1/8"},
  {"mark": "B2", "w1": 0, "b1": 14, "A": 0.01, "dh": 0.5, "Vap": 60},
  {"mark": "B3", "w1": 9, "b1": 14, "A": 0.01, "dh": 0.5, "Vap": 60, "thickness": "1/2"}]}
JSON
status=0; "$bin" --project "$work/bridge.bpd" >"$work/plain" 2>"$work/plain-err" || status=$?
[ "$status" = 1 ] || fail "the project check exits $status (B2 is to be reported)"
status=0; "$bin" --project "$work/bridge.bpd" --sheet "$work/package.pdf" >"$work/out" \
    2>"$work/err" || status=$?
[ "$status" = 1 ] || fail "the project check with --sheet exits $status: $(cat "$work/err")"
cmp -s "$work/plain" "$work/out" || fail "--sheet changed the standard output of --project"
cmp -s "$work/plain-err" "$work/err" || fail "--sheet changed the messages: $(cat "$work/err")"
pdftotext -enc UTF-8 "$work/package.pdf" - | tr -s ' \n' '  ' >"$work/text"
for line in "Calculation package: 2 bearings" "SR 14" "J. Doe" "Mark: B1" "Location: Pier 1" \
    "Mark: B3" "SF = (w1 × b1) / ((w1 + b1) × 2 × t) = (9.00 × 14.00) / ((9.00 + 14.00) × 2 × 0.5) = 5.48"
do
    grep -qF "$line" "$work/text" || fail "the package lacks: $line"
done
grep -qF "Mark: B2" "$work/text" && fail "the package holds the bearing that cannot be checked"
if command -v pdfinfo >/dev/null; then
    pages=$(pdfinfo "$work/package.pdf" | sed -n 's/^Pages: *//p')
    grep -qF "Page $pages of $pages" "$work/text" || fail "the pages are not numbered through ($pages)"
fi
echo "PASS: the sheet and the package hold the steps; the standard output is unchanged"
