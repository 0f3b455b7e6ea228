#!/usr/bin/env bash
# Checks the bash completion of bpd-check against the program itself: every option of
# --help is offered, and the values offered for --units, --format and --thickness are those
# the program accepts (the thickness labels of the units chosen earlier on the line).
#
#   check-completion.sh BPD_CHECK [COMPLETION_FILE]
#
# Without COMPLETION_FILE, bash-completion's loader finds the installed one, as in a shell.
set -uo pipefail
bpd_check="$1"
completion_file="${2:-}"
loader=/usr/share/bash-completion/bash_completion
[ -r "$loader" ] || { echo "check-completion: $loader is missing (bash-completion)"; exit 77; }
# shellcheck source=/dev/null
source "$loader"
if [ -n "$completion_file" ]; then
    # shellcheck source=/dev/null
    source "$completion_file"
else
    __load_completion bpd-check
fi
spec="$(complete -p bpd-check 2>/dev/null)"
[[ $spec == *"-F _bpd_check"* ]] || { echo "FAIL: no completion for bpd-check (${spec:-none})"; exit 1; }

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# What the completion offers for the words of a line, the last one being completed; bash
# splits "--units=si" into "--units" "=" "si", and so do the callers here.
offered() {
    COMP_WORDS=(bpd-check "$@")
    COMP_CWORD=$(( ${#COMP_WORDS[@]} - 1 ))
    COMP_LINE=bpd-check
    local word previous=bpd-check
    for word in "$@"; do  # as typed: no blanks around "="
        [[ $word == = || $previous == = ]] || COMP_LINE+=' '
        COMP_LINE+=$word
        previous=$word
    done
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _bpd_check bpd-check "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort
}
lines() { tr -s ' \n' '\n' <<<"$1" | sed '/^$/d' | sort; }
spaced() { tr '\n' ' ' <<<"$1"; }
expect() {  # expect "WHAT" "EXPECTED words" WORDS...
    local what="$1" want got
    want="$(lines "$2")"
    shift 2
    got="$(offered "$@")"
    [ "$got" = "$want" ] || fail "$what: offered [$(spaced "$got")], expected [$(spaced "$want")]"
}

options="$("$bpd_check" --help | grep -oE -- '--[A-Za-z]([A-Za-z0-9-]*[A-Za-z0-9])?' | sort -u)"
[ -n "$options" ] || fail "bpd-check --help lists no options"
expect "options" "$options" --
expect "options from --u" "--units" --u
expect "units" "imperial si" --units ''
expect "formats" "text csv json" --format ''
expect "formats after =" "text csv json" --format = ''
expect "nothing for a number" "" --w1 ''

for units in imperial si; do
    labels="$(offered --units "$units" --thickness '')"
    [ -n "$labels" ] || fail "no thickness labels offered with --units $units"
    for label in $labels; do  # one word each
        "$bpd_check" --units "$units" --w1 100 --b1 100 --A 0 --dh 1 --Vap 1 --thickness "$label" \
            --format csv >/dev/null 2>&1 || fail "bpd-check --units $units rejects the offered --thickness $label"
    done
    # The table shows the labels of the chosen units: each offered label but All names a row.
    shown="$("$bpd_check" --units "$units" --w1 100 --b1 100 --A 0 --dh 1 --Vap 1 --format csv |
             tail -n +2 | cut -d, -f2 | sort)"
    want="$(lines "$labels" | grep -vx All)"
    [ "$shown" = "$want" ] ||
        fail "--units $units: offered labels [$(spaced "$want")], the table shows [$(spaced "$shown")]"
done
expect "labels after --units=si" "$(offered --units si --thickness '')" --units = si --thickness ''

[ "$failures" -eq 0 ] || exit 1
echo "PASS: the completion of bpd-check ($(lines "$options" | wc -l) options)"
