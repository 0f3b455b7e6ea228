#!/bin/sh
# Runs one test in a home of its own: HOME and the XDG folders in a fresh temporary folder that
# is removed afterwards, so no test reads or writes the user's settings, documents, reports or
# desktop entries, and no test sees what another left.
#   isolated-home.sh PROGRAM [ARGUMENTS...]
set -eu
home=$(mktemp -d "${TMPDIR:-/tmp}/bpd-test-home.XXXXXX")
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
HOME="$home"
XDG_CONFIG_HOME="$home/.config"
XDG_DATA_HOME="$home/.local/share"
XDG_CACHE_HOME="$home/.cache"
XDG_STATE_HOME="$home/.local/state"
XDG_RUNTIME_DIR="$home/runtime"
export HOME XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_RUNTIME_DIR
"$@"
