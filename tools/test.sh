#!/bin/bash
# Builds everything and runs every test under Wine and Xvfb, installing what
# is missing first. Ends with ctest's summary; the exit code is ctest's.
set -euo pipefail

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    # A keeper process first (see keeper.cpp), then ctest, then stop Wine.
    wine "$BUILD_DIR/tools/keeper.exe" >/dev/null 2>&1 &
    keeper=$!
    # Wine's background processes start with the first program and keep its
    # output open: let that be the keeper, not a test that ctest waits for.
    wine "$BUILD_DIR/tools/wintool.exe" present "test keeper" >/dev/null 2>&1
    rc=0
    (cd "$BUILD_DIR" && ctest --output-on-failure --timeout 300 "$@") || rc=$?
    wineserver -k 2>/dev/null || true
    wait "$keeper" 2>/dev/null || true
    exit $rc
fi

source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready
wine_test_drives
export BUILD_DIR
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/tools/test.sh" --inside-xvfb "$@"
