#!/bin/bash
# tools/test-at-dpi.sh <dpi> <test program> ...
# Runs the high-DPI checks (the *DpiTest cases) of each test program at the
# given DPI, in that DPI's Wine prefix (tools/wine-env.sh; tools/test.sh
# prepares it) and on an X display of its own: a second Wine on the display
# the other tests use would join in every clipboard change of theirs through
# the X selection, holding their clipboard open at times. Each program's
# verdict is GoogleTest's own, not its exit code. Run by ctest
# (tests/CMakeLists.txt); expects BUILD_DIR to be set.
set -euo pipefail

if [ "${1:-}" != "--inside-xvfb" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$@"
fi
shift
export WINE_DPI=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ ! -f "$WINEPREFIX/.ready" ]; then
    echo "There is no Wine prefix for $WINE_DPI DPI; tools/test.sh prepares it." >&2
    exit 1
fi

run_checks() {
    local program output failed=0
    for program in "$@"; do
        output=$(TEST_DPI=$WINE_DPI wine "$program" --gtest_filter='*DpiTest.*' 2>&1) || true
        printf '%s\n' "$output"
        if ! grep -q '^\[  PASSED  \]' <<< "$output" || grep -q -e '^\[  FAILED  \]' -e 'Unhandled exception' <<< "$output"; then
            failed=1
        fi
    done
    return $failed
}
wine_with_keeper run_checks "$@"
