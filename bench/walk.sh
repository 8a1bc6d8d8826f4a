#!/bin/bash
# bench/walk.sh [100k|1m] [runs]
# Builds (installing what is missing), builds the benchmark's folder tree in
# the build tree if it is not there yet (bench/walk/make_tree.py: 5,050
# folders with 100,000 or 1,000,000 sparse files), counts it on the Linux side
# (find, du --apparent-size), then runs walkbench.exe under Wine with the
# keeper warm: our folder walker, Larkway's sizing and Fennix's walk next to
# a bare FindFirstFileW walker, interleaved (see walk/WalkBench.cpp for what is measured). Ends with the
# Linux figures next to the Windows ones; the exit code is 1 when they differ.
set -euo pipefail

# The timing run, then each contender once in a process of its own for its
# peak working set.
measure() {
    local tree=$1 runs=$2 exe="$BUILD_DIR/bench/walk/walkbench.exe" name status=0
    wine "$exe" "$tree" "$runs" --larkway "$BUILD_DIR/sendto/Larkway.exe" --fennix "$BUILD_DIR/properties/Fennix.exe" ||
        status=$?
    echo
    echo "Peak working set: each contender walking the tree once in a process of its own:"
    for name in "bare FindFirstFileW" "CFolderWalker"; do
        wine "$exe" --once "$name" "$tree" || status=$?
    done
    return $status
}

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/../tools/wine-env.sh"
    wine_with_keeper measure "$@"
    exit $?
fi

size="${1:-100k}"
runs="${2:-5}"
case "$size" in
    100k) per_folder=20 ;;
    1m) per_folder=200 ;;
    *) echo "usage: bench/walk.sh [100k|1m] [runs]" >&2; exit 2 ;;
esac

source "$(dirname "${BASH_SOURCE[0]}")/../tools/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready
export BUILD_DIR

# A tree whose build was cut short is built again: the mark comes last.
tree="$BUILD_DIR/bench-walk/tree-$size"
if [ ! -f "$tree.complete" ]; then
    echo "Building the $size tree in $tree ..."
    rm -rf "$tree"
    mkdir -p "$(dirname "$tree")"
    python3 "$REPO_DIR/bench/walk/make_tree.py" "$tree" "$per_folder"
    touch "$tree.complete"
fi

# The Linux side's figures. du counts the folders' own sizes too: those are
# taken off, so both lines give the bytes of the files alone.
linux_files=$(find "$tree" -type f | wc -l)
linux_folders=$(( $(find "$tree" -type d | wc -l) - 1 ))
linux_bytes=$(find "$tree" -type f -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f", s }')
du_all=$(du --apparent-size -sb "$tree" | cut -f1)
du_folders=$(find "$tree" -type d -printf '%s\n' | awk '{ s += $1 } END { printf "%.0f", s }')
echo "Linux: find: files $linux_files folders $linux_folders bytes $linux_bytes;" \
     "du --apparent-size: $du_all bytes, less the folders' own $du_folders = $(( du_all - du_folders ))"

echo "Walking under Wine ..."
output=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/bench/walk.sh" --inside-xvfb "$tree" "$runs") || status=$?
output=${output//$'\r'/} # Wine's console ends lines with CR LF
echo "$output"
# The timing run's counts and both single walks must find what Linux finds.
expected="files $linux_files folders $linux_folders bytes $linux_bytes"
if [ "$(grep -c "$expected\$" <<<"$output")" -ne 3 ] || [ $(( du_all - du_folders )) -ne "$linux_bytes" ]; then
    echo "The Windows walks and the Linux figures differ (expected \"$expected\")." >&2
    exit 1
fi
echo "The Windows walks agree with the Linux figures."
exit "${status:-0}"
