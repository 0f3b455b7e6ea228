#!/usr/bin/env bash
# Timings and peak memory of the real program under Xvfb + openbox: start to disclaimer, OK to
# results, Analyze to grid repainted, each export to file closed, peak memory of a session.
#
#   tests/e2e/measure.sh [BUILD_DIR]    default: build-release (a Release build, as ./bpd bench
#                                       makes it); builds the program there first
#   BPD_MEASURE_BINARY=/usr/bin/pelgro-bpd tests/e2e/measure.sh    measures an installed program
#   BPD_MEASURE_RUNS=5 BPD_MEASURE_REPEATS=5                       starts and repeats to time
set -euo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD="${1:-$ROOT/build-release}"

for tool in Xvfb openbox xdotool xprop /usr/bin/time g++; do
    command -v "$tool" >/dev/null || { echo "measure: $tool is missing (./bpd installs it)" >&2; exit 1; }
done

binary="${BPD_MEASURE_BINARY:-}"
if [ -z "$binary" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$BUILD" --target pelgro-bpd >/dev/null
    binary="$BUILD/bin/pelgro-bpd"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -Werror -o "$work/xprobe" "$HERE/xprobe.cpp" -lX11

/usr/bin/python3 "$HERE/bpd_measure.py" --binary "$binary" --xprobe "$work/xprobe" \
    --runs "${BPD_MEASURE_RUNS:-5}" --repeats "${BPD_MEASURE_REPEATS:-5}"
