#!/bin/bash
# Builds everything and runs every test under Wine and Xvfb, installing what
# is missing first. Ends with ctest's summary; the exit code is ctest's.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready

# Runs inside Xvfb: a keeper process first (see keeper.cpp), then ctest.
run_tests() {
    wine "$BUILD_DIR/tools/keeper.exe" >/dev/null 2>&1 &
    local keeper=$!
    local rc=0
    (cd "$BUILD_DIR" && ctest --output-on-failure --timeout 300 "$@") || rc=$?
    wineserver -k 2>/dev/null || true
    wait "$keeper" 2>/dev/null || true
    return $rc
}
export -f run_tests
export BUILD_DIR
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'run_tests "$@"' run_tests "$@"
