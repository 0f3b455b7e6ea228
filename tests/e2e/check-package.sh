#!/usr/bin/env bash
# Checks the Debian package on this machine: builds it from a configured build folder, installs
# it with apt (dependencies resolved), runs the installed program under Xvfb as an ordinary
# user who cannot write the program folder (start, disclaimer, Help folder, text report in the
# per-user folder, System Info through the launcher's record, exit 0), and removes the package
# again, so the machine is left as it was.
#
#   tests/e2e/check-package.sh [BUILD_DIR]      default: build (as ./bpd package leaves it)
#
# Needs root (apt-get) and the e2e tools that ./bpd installs. Refuses to run when pelgro-bpd is
# already installed, so it never replaces or removes an installation it did not make.
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
USER_ID="${BPD_CHECK_USER:-nobody}"

[ "$(id -u)" -eq 0 ] || { echo "check-package: run as root (apt-get install/remove)" >&2; exit 1; }
if dpkg-query -W -f='${Status}' pelgro-bpd 2>/dev/null | grep -q 'install ok installed'; then
    echo "check-package: pelgro-bpd is installed already; remove it first" >&2
    exit 1
fi

rm -f "$BUILD"/pelgro-bpd_*.deb
cpack --config "$BUILD/CPackConfig.cmake" -G DEB >/dev/null
deb="$(ls "$BUILD"/pelgro-bpd_*.deb)"
echo "check-package: $deb"
dpkg-deb --field "$deb" Depends

work="$(mktemp -d)"
chmod 755 "$work"
cleanup() {
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq pelgro-bpd >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
cp "$deb" "$work/"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$work/$(basename "$deb")" >/dev/null
echo "check-package: installed"
for path in /usr/bin/pelgro-bpd /usr/lib/pelgro-bpd/pelgro-bpd /usr/lib/pelgro-bpd/pelgro-sysinfo \
            /usr/lib/pelgro-bpd/Help/Pelgro_BPD.chm /usr/lib/pelgro-bpd/Help/DG3-RavelonDesignGuide.pdf \
            /usr/share/applications/pelgro-bpd.desktop \
            /usr/share/icons/hicolor/scalable/apps/pelgro-bpd.svg; do
    [ -e "$path" ] || { echo "check-package: $path is missing" >&2; exit 1; }
done

mkdir -p "$work/output"
chmod 777 "$work/output"
status=0
for scenario in startup installed; do
    setpriv --reuid="$USER_ID" --regid="$(id -g "$USER_ID")" --clear-groups \
        /usr/bin/python3 "$HERE/bpd_e2e.py" --scenario "$scenario" --binary /usr/bin/pelgro-bpd \
        --output "$work/output" --bpd-check "$BUILD/bin/bpd-check" || status=1
done
leftovers="$(find /usr/lib/pelgro-bpd -newer "$work/$(basename "$deb")" -type f)"
if [ -n "$leftovers" ]; then
    echo "check-package: the program wrote into its program folder: $leftovers" >&2
    status=1
fi
[ "$status" -eq 0 ] || cp -r "$work/output" "$BUILD/check-package-output" 2>/dev/null || true
exit "$status"
