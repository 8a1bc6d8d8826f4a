#!/bin/bash
# Builds everything and runs every test under Wine and Xvfb, installing what
# is missing first. Ends with ctest's summary; the exit code is ctest's.
# The tests run at 96 DPI; the programs' high-DPI checks run once more at
# 144 DPI in a prefix and on a display of their own (tools/test-at-dpi.sh),
# beside the others (ctest -j2; the tests that share this display and prefix
# hold one resource lock, so they run one at a time: focus and the clipboard
# are one per desktop). A whole run compiles everything with clang too,
# while the tests run: they mostly wait for windows, and the compiler is the
# one thing not waiting.
set -euo pipefail
export WINE_DPI=96

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
    cd "$BUILD_DIR"
    wine_with_keeper ctest --output-on-failure --timeout 300 -j2 "$@"
    exit $?
fi

source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready
wine_test_drives
(WINE_DPI=144 && source "$REPO_DIR/tools/wine-env.sh" && wine_prefix_ready)
export BUILD_DIR
# A whole run builds with the second compiler too; a run of chosen tests
# (arguments for ctest) leaves that out.
clang_pid=
if [ $# -eq 0 ]; then
    "$REPO_DIR/tools/build-clang.sh" > "$BUILD_DIR/clang-run.log" 2>&1 &
    clang_pid=$!
fi
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/tools/test.sh" --inside-xvfb "$@" || status=$?
if [ -n "$clang_pid" ]; then
    if wait "$clang_pid"; then
        tail -n 1 "$BUILD_DIR/clang-run.log"
    else
        cat "$BUILD_DIR/clang-run.log"
        status=1
    fi
fi
exit $status
