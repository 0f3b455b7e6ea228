#!/usr/bin/env bash
# Checks the Debian package on this machine as a user meets it: builds it from a configured
# build folder, checks it with lintian (no E: or W: line), installs it with apt together with
# its recommended packages (the help and PDF viewers), checks what it installed (bpd-check on
# the PATH with its --help, --version, manual page and completion; the manual pages; the
# AppStream metadata; design files typed and opened by the program; no inspection tool on the PATH), runs the installed program under Xvfb
# as an ordinary user who cannot write the program folder (start, disclaimer, Help folder,
# text report in the per-user folder, System Info through the launcher's record, exit 0;
# Help > Help Topics in the installed CHM viewer and the design guide in the PDF viewer),
# and at the end purges the package and every package its installation brought, so the
# machine is left as it was. The scenarios' screenshots and output land in
# BUILD_DIR/check-package-output/.
#
#   tests/e2e/check-package.sh [BUILD_DIR]      default: build (as ./bpd package leaves it)
#
# ctest runs it as e2e_package. Needs root (apt-get), the Debian archive (or apt's cache) for
# the recommended packages, and the tools that ./bpd installs. Exit status 0 passed,
# 1 failed, 77 skipped: not root, or pelgro-bpd is installed already (it never replaces or
# removes an installation it did not make).
set -euo pipefail
export LC_ALL=C.UTF-8
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
USER_ID="${BPD_CHECK_USER:-nobody}"
APT=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300)

[ "$(id -u)" -eq 0 ] || { echo "SKIP: check-package runs as root (apt-get install/purge)"; exit 77; }
if dpkg-query -W -f='${Status}' pelgro-bpd 2>/dev/null | grep -q 'install ok installed'; then
    echo "SKIP: pelgro-bpd is installed already; remove it to run check-package"
    exit 77
fi

status=0
fail() { echo "check-package: FAIL: $*" >&2; status=1; }
as_user() { setpriv --reuid="$USER_ID" --regid="$(id -g "$USER_ID")" --clear-groups "$@"; }
installed() { dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null | grep -q '^ii'; }
programs_of() {  # the programs in /usr/bin of those of the packages that are installed
    local p
    for p in "$@"; do
        if installed "$p"; then dpkg -L "$p" | grep '^/usr/bin/.' || true; fi
    done | paste -sd: -
}

started=$SECONDS
rm -f "$BUILD"/pelgro-bpd_*.deb
cpack --config "$BUILD/CPackConfig.cmake" -G DEB >/dev/null
deb="$(ls "$BUILD"/pelgro-bpd_*.deb)"
version="$(dpkg-deb --field "$deb" Version)"
echo "check-package: $deb"
for field in Depends Recommends Suggests; do echo "  $field: $(dpkg-deb --field "$deb" "$field")"; done

# Lintian: an E: or W: line fails; an override would need a comment saying why (there is none).
lintian_log="$(mktemp)"
lintian --display-info "$deb" >"$lintian_log" 2>/dev/null || true
if grep -E '^[EW]: ' "$lintian_log"; then
    fail "lintian reports the lines above"
fi
echo "check-package: lintian: $(grep -c '^[EW]: ' "$lintian_log" || true) errors and warnings, $(grep -c '^I: ' "$lintian_log" || true) notes"
rm -f "$lintian_log"

work="$(mktemp -d)"
chmod 755 "$work"
before="$work/packages-before"
dpkg-query -W -f='${Package}\n' | sort >"$before"
cleanup() {
    # The package and whatever its installation brought, and nothing else.
    local brought
    mapfile -t brought < <(dpkg-query -W -f='${Package}\n' | sort | comm -13 "$before" -)
    [ "${#brought[@]}" -eq 0 ] || "${APT[@]}" purge "${brought[@]}" >/dev/null 2>&1 ||
        echo "check-package: could not purge ${brought[*]}" >&2
    rm -rf "$work"
}
trap cleanup EXIT
cp "$deb" "$work/"
# apt installs the recommended packages by default; say so, as a user's apt.conf may not.
"${APT[@]}" -o APT::Install-Recommends=true install "$work/$(basename "$deb")" >/dev/null
echo "check-package: installed with $(dpkg-query -W -f='${Package}\n' | sort | comm -13 "$before" - | wc -l) packages in $((SECONDS - started)) s"

for path in /usr/bin/pelgro-bpd /usr/bin/bpd-check /usr/lib/pelgro-bpd/pelgro-bpd \
            /usr/lib/pelgro-bpd/pelgro-sysinfo /usr/lib/pelgro-bpd/bpd-registry \
            /usr/lib/pelgro-bpd/Help/Pelgro_BPD.chm /usr/lib/pelgro-bpd/Help/DG3-RavelonDesignGuide.pdf \
            /usr/share/applications/pelgro-bpd.desktop /usr/share/mime/packages/pelgro-bpd.xml \
            /usr/share/icons/hicolor/scalable/apps/pelgro-bpd.svg \
            /usr/share/man/man1/pelgro-bpd.1.gz /usr/share/man/man1/bpd-check.1.gz \
            /usr/share/bash-completion/completions/bpd-check \
            /usr/share/doc/pelgro-bpd/copyright /usr/share/doc/pelgro-bpd/changelog.gz \
            /usr/share/doc/pelgro-bpd/design-file.md; do
    [ -e "$path" ] || fail "$path is missing"
done
[ ! -e /usr/bin/bpd-registry ] || fail "bpd-registry is on the PATH"

# The command-line checker, as the user finds it.
found="$(as_user sh -c 'command -v bpd-check')" || true
[ "$found" = /usr/bin/bpd-check ] || fail "bpd-check is not found on the PATH (${found:-nothing})"
if ! as_user bpd-check --help >"$work/help.txt" || ! grep -q '^Usage: bpd-check' "$work/help.txt"; then
    fail "bpd-check --help prints no usage"
fi
[ "$(as_user bpd-check --version)" = "bpd-check $version" ] ||
    fail "bpd-check --version prints '$(as_user bpd-check --version)', the package is $version"
for page in bpd-check pelgro-bpd; do
    where="$(as_user man -w "$page" 2>/dev/null)" || true
    [ "$where" = "/usr/share/man/man1/$page.1.gz" ] || fail "man -w $page finds '${where:-nothing}'"
done
/usr/bin/python3 "$ROOT/tests/package/check_manual_pages.py" /usr/bin/bpd-check \
    /usr/share/man/man1/pelgro-bpd.1.gz /usr/share/man/man1/bpd-check.1.gz || fail "the manual pages"
as_user bash "$ROOT/tests/package/check-completion.sh" /usr/bin/bpd-check || fail "the completion"
metainfo="$(dpkg -L pelgro-bpd | grep '^/usr/share/metainfo/.*\.metainfo\.xml$')" || true
if [ -z "$metainfo" ]; then
    fail "no AppStream metainfo in /usr/share/metainfo"
else
    /usr/bin/python3 "$ROOT/tests/package/check_metainfo.py" "$metainfo" "$version" \
        /usr/share/applications/pelgro-bpd.desktop pelgro-bpd bpd-check || fail "the AppStream metadata"
fi

# Design files on this desktop: the type and its program as installed, and as dpkg's triggers
# left the system's MIME database and the desktop's cache.
/usr/bin/python3 "$ROOT/tests/package/check_mime.py" /usr/share/mime/packages/pelgro-bpd.xml \
    /usr/share/applications/pelgro-bpd.desktop || fail "the design files' type"
printf '{}\n' >"$work/Bridge.bpd"
chmod 644 "$work/Bridge.bpd"
type_seen="$(as_user env -u XDG_DATA_HOME -u XDG_DATA_DIRS gio info -a standard::content-type "$work/Bridge.bpd" | sed -n 's/.*standard::content-type: //p')"
[ "$type_seen" = application/x-pelgro-bpd ] || fail "an installed desktop takes a .bpd file as '${type_seen:-nothing}'"
# dpkg's triggers may still be settling the desktop's cache: a few tries, then the evidence.
named=no
for _ in 1 2 3 4 5; do
    if as_user env -u XDG_DATA_HOME -u XDG_DATA_DIRS gio mime application/x-pelgro-bpd |
        grep -q 'pelgro-bpd.desktop'; then
        named=yes
        break
    fi
    sleep 1
done
if [ "$named" = no ]; then
    fail "gio mime application/x-pelgro-bpd does not name pelgro-bpd.desktop"
    as_user env -u XDG_DATA_HOME -u XDG_DATA_DIRS gio mime application/x-pelgro-bpd >&2 || true
    grep -H 'pelgro' /usr/share/applications/mimeinfo.cache >&2 || echo "mimeinfo.cache: no entry" >&2
fi

# The recommended viewers, and what the installed program does with them.
help_viewers="$(programs_of xchm kchmviewer)"
mapfile -t pdf_packages < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Provides}\n' |
                            awk '$1 == "ii" && ($2 == "evince" || /pdf-viewer/) {print $2}')
pdf_viewers="$(programs_of "${pdf_packages[@]}")"
[ -n "$help_viewers" ] || fail "no CHM viewer (xchm or kchmviewer) came with the package"
[ -n "$pdf_viewers" ] || fail "no PDF viewer came with the package"

mkdir -p "$work/output"
chmod 777 "$work/output"
for scenario in startup installed viewers; do
    as_user /usr/bin/python3 "$HERE/bpd_e2e.py" --scenario "$scenario" --binary /usr/bin/pelgro-bpd \
        --output "$work/output" --bpd-check /usr/bin/bpd-check \
        --viewer "help=$help_viewers" --viewer "pdf=$pdf_viewers" || fail "scenario $scenario"
done
leftovers="$(find /usr/lib/pelgro-bpd -newer "$work/$(basename "$deb")" -type f)"
[ -z "$leftovers" ] || fail "the program wrote into its program folder: $leftovers"
# The scenarios' pictures and the program's output, kept for a look.
rm -rf "$BUILD/check-package-output"
cp -r "$work/output" "$BUILD/check-package-output" 2>/dev/null || true
echo "check-package: $([ "$status" -eq 0 ] && echo PASS || echo FAIL) in $((SECONDS - started)) s"
exit "$status"
