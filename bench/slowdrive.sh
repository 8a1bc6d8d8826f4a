#!/bin/bash
# bench/slowdrive.sh [runs]
# Builds the three programs and the benchmark, installs fuse3 and
# python3-fusepy when missing (Debian's; needs root and /dev/fuse), and mounts
# slowdrive/slowfs.py: a pass-through file system that answers every call of
# the three programs in the bench's prefix after 1 s (and everybody else at
# once: every Wine process on the machine looks at every mount point). In a
# Wine prefix of its own (the tests' drive list stays as it is), S: is that
# file system and N: the same files on the normal disk. Then slowdrive.exe
# runs each program on both drives, with the keeper warm, and prints the
# medians side by side (see slowdrive/SlowDrive.cpp for what is measured).
# S: is slow only while a switch file exists, which slowdrive.exe makes for
# the runs on S: alone: in the runs on N: no drive of the list is slow.
# Unmounts at the end.
set -euo pipefail

prefix_for_bench() { export WINEPREFIX="$BUILD_DIR/wineprefix-slowdrive"; }

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/../tools/wine-env.sh"
    prefix_for_bench
    wine_with_keeper wine "$BUILD_DIR/bench/slowdrive/slowdrive.exe" 'N:\' 'S:\' "Z:${SLOW_SWITCH//\//\\}" "$@"
    exit $?
fi

BUILD_TARGETS="${BUILD_TARGETS:-slowdrive keeper wintool}"
source "$(dirname "${BASH_SOURCE[0]}")/../tools/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
prefix_for_bench
wine_prefix_ready

if ! command -v fusermount3 >/dev/null || ! /usr/bin/python3 -c 'import fusepy' 2>/dev/null; then
    echo "Installing fuse3 and python3-fusepy ..."
    apt-get update -q >/dev/null
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q fuse3 python3-fusepy >/dev/null
fi
if [ ! -c /dev/fuse ]; then
    echo "bench/slowdrive.sh: no /dev/fuse here; a slow drive cannot be mounted" >&2
    exit 1
fi

# The files: a small tree, so that a walk at 1 s a call ends in a minute.
work="$BUILD_DIR/slowdrive"
files="$work/files" mount="$work/mount" switch="$work/slow-on"
mkdir -p "$files/tree/one" "$files/tree/two" "$mount"
for f in tree/a.txt tree/b.txt tree/one/c.txt tree/one/d.txt tree/two/e.txt; do
    [ -f "$files/$f" ] || printf 'some bytes\n' > "$files/$f"
done

mountpoint -q "$mount" && fusermount3 -u "$mount"
rm -f "$switch"
/usr/bin/python3 "$REPO_DIR/bench/slowdrive/slowfs.py" "$files" "$mount" 1 "$WINEPREFIX" "$switch" \
    Dovrin.exe Fennix.exe Larkway.exe &
fuse_pid=$!
unmount() {
    fusermount3 -u "$mount" 2>/dev/null || true
    kill "$fuse_pid" 2>/dev/null || true
    wait "$fuse_pid" 2>/dev/null || true
    rm -f "$switch"
}
trap unmount EXIT
for _ in $(seq 100); do
    mountpoint -q "$mount" && break
    sleep 0.1
done
mountpoint -q "$mount" || { echo "bench/slowdrive.sh: the slow file system did not mount" >&2; exit 1; }

ln -sfn "$files" "$WINEPREFIX/dosdevices/n:"
ln -sfn "$mount" "$WINEPREFIX/dosdevices/s:"
export BUILD_DIR SLOW_SWITCH="$switch"
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/bench/slowdrive.sh" --inside-xvfb "$@" || status=$?
exit $status
