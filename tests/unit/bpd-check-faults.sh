#!/bin/sh
# bpd-check under real faults, as a script calling it meets them:
#   bpd-check-faults.sh BPD_CHECK CASE
# Output faults (standard output, a design file or a calculation sheet that does not fit) must end in status 3 with a
# message, unreadable batch files in status 2.
# Exit 0 passed, 1 failed, 77 skipped (the reason is printed).
set -u
bin="$1"
case="$2"
work="$(mktemp -d)"
mounted=""
cleanup() {
    [ -n "$mounted" ] && umount "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT

# A 16 KiB tmpfs at $work/mnt: a disk that fills at once.
mount_tiny_tmpfs() {
    mkdir "$work/mnt"
    if ! mount -t tmpfs -o size=16k tmpfs "$work/mnt" 2>"$work/mount.err"; then
        echo "SKIP: cannot mount a 16 KiB tmpfs here ($(cat "$work/mount.err")); needs root"
        exit 77
    fi
    mounted="$work/mnt"
}

# 20,000 bearings: 140,001 output lines (9.6 MB), far beyond any buffer or a pipe's capacity.
{
    echo "w1,b1,A,dh,Vap,sliding"
    yes "4,4,.01,.0711,7.13,0" | head -n 20000
} >"$work/in.csv"

status=0
case "$case" in
    dev-full)
        "$bin" --batch "$work/in.csv" >/dev/full 2>"$work/err" || status=$?
        want=3 message="cannot write to standard output: No space left on device" ;;
    full-tmpfs)
        mount_tiny_tmpfs
        "$bin" --batch "$work/in.csv" >"$work/mnt/out.csv" 2>"$work/err" || status=$?
        want=3 message="cannot write to standard output: No space left on device" ;;
    save-project-full-tmpfs)
        # The design file does not fit: the old one must keep its bytes.
        mount_tiny_tmpfs
        printf 'old bytes\n' >"$work/mnt/bridge.bpd"
        "$bin" --batch "$work/in.csv" --save-project "$work/mnt/bridge.bpd" 2>"$work/err" || status=$?
        if [ "$(cat "$work/mnt/bridge.bpd")" != "old bytes" ] || [ "$(ls -A "$work/mnt")" != bridge.bpd ]; then
            echo "FAIL: $case: the old file was changed or a temporary file was left: $(ls -A "$work/mnt")"
            exit 1
        fi
        want=3 message="cannot write \"$work/mnt/bridge.bpd\": No space left on device (the file keeps what it held)" ;;
    sheet-full-tmpfs)
        mount_tiny_tmpfs
        "$bin" --w1 4 --b1 4 --A .01 --dh 0.0711 --Vap 7.13 --sheet "$work/mnt/sheet.pdf" \
            >"$work/out" 2>"$work/err" || status=$?
        if [ -n "$(ls -A "$work/mnt")" ]; then
            echo "FAIL: $case: left behind: $(ls -A "$work/mnt")"
            exit 1
        fi
        want=3 message="cannot write the sheet \"$work/mnt/sheet.pdf\": No space left on device" ;;
    size-dev-full)
        "$bin" --size --A .01 --dh .1 --Vap 45 --format json >/dev/full 2>"$work/err" || status=$?
        want=3 message="cannot write to standard output: No space left on device" ;;
    closed-stdout)
        "$bin" --w1 4 --b1 4 --A .01 --dh 0.0711 --Vap 7.13 >&- 2>"$work/err" || status=$?
        want=3 message="cannot write to standard output: Bad file descriptor" ;;
    closed-pipe)
        # The reader goes after 100 bytes; SIGPIPE ignored, as many daemons and shells run.
        (trap '' PIPE; "$bin" --batch "$work/in.csv" 2>"$work/err"; echo $? >"$work/status") |
            head -c 100 >/dev/null
        status="$(cat "$work/status")"
        want=3 message="cannot write to standard output: Broken pipe" ;;
    batch-directory)
        "$bin" --batch "$work" >/dev/null 2>"$work/err" || status=$?
        want=2 message="cannot read \"$work\": Is a directory" ;;
    batch-io-error)
        # Reading a process's own memory at address 0 fails with EIO.
        "$bin" --batch /proc/self/mem >/dev/null 2>"$work/err" || status=$?
        want=2 message="cannot read \"/proc/self/mem\": Input/output error" ;;
    *)
        echo "unknown case $case"
        exit 1 ;;
esac

if [ "$status" -ne "$want" ]; then
    echo "FAIL: $case: exit status $status, expected $want; standard error:"
    cat "$work/err"
    exit 1
fi
if ! grep -qF "bpd-check: $message" "$work/err"; then
    echo "FAIL: $case: no message \"bpd-check: $message\"; standard error:"
    cat "$work/err"
    exit 1
fi
echo "ok: $case: status $status, $(cat "$work/err")"
