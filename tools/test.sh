#!/bin/bash
# Builds everything and runs every test under Wine and Xvfb, installing what
# is missing first. Ends with ctest's summary; the exit code is ctest's.
# The tests run at 96 DPI in two lanes, each test program in a Wine prefix of
# its lane and on an X display of its own (tools/test-lane.sh): two programs
# at a time, never two in one prefix. The programs' high-DPI checks run once
# more at 144 DPI beside them (tools/test-at-dpi.sh). A whole run compiles
# everything with clang too, beside the rest.
set -euo pipefail
export WINE_DPI=96

# The Wine prefixes (one per lane of tests/lanes.json, one at 144 DPI) are
# made while the programs build: neither waits for the other.
REPO_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="${BUILD_DIR:-$REPO_DIR/build}"
"$REPO_DIR/tools/deps.sh"
mkdir -p "$BUILD_DIR"
# A whole run builds with the second compiler too (a run of chosen tests,
# arguments for ctest, leaves that out), from the start and at the lowest
# priority: it takes the time the first build leaves idle (its linking, its
# waits for the shared precompiled headers) and the tests' waits for windows.
# It runs in a process group of its own, which goes with this script when the
# first build fails or the run is interrupted.
clang_pid=
if [ $# -eq 0 ]; then
    setsid nice -n 19 "$REPO_DIR/tools/build-clang.sh" > "$BUILD_DIR/clang-run.log" 2>&1 &
    clang_pid=$!
    trap 'kill -- -"$clang_pid" 2>/dev/null || true' EXIT
fi
(
    set -e
    for lane in 0 1; do
        (WINE_LANE=$lane && source "$REPO_DIR/tools/wine-env.sh" && wine_prefix_ready && wine_test_drives)
    done
    (WINE_DPI=144 && source "$REPO_DIR/tools/wine-env.sh" && wine_prefix_ready)
) > "$BUILD_DIR/prefixes.log" 2>&1 &
prefixes_pid=$!
source "$REPO_DIR/tools/build.sh"
if ! wait "$prefixes_pid"; then
    cat "$BUILD_DIR/prefixes.log"
    echo "The Wine prefixes could not be made; the log is $BUILD_DIR/prefixes.log" >&2
    exit 1
fi
status=0
(cd "$BUILD_DIR" && ctest --output-on-failure --timeout 300 -j3 \
    --resource-spec-file "$REPO_DIR/tests/lanes.json" "$@") || status=$?
if [ -n "$clang_pid" ]; then
    clang_status=0
    wait "$clang_pid" || clang_status=$?
    trap - EXIT
    if [ $clang_status -eq 0 ]; then
        tail -n 1 "$BUILD_DIR/clang-run.log"
    else
        cat "$BUILD_DIR/clang-run.log"
        status=1
    fi
fi
exit $status
