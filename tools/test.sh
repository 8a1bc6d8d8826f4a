#!/bin/bash
# Builds everything and runs every test under Wine and Xvfb, installing what
# is missing first. Ends with ctest's summary; the exit code is ctest's.
# The tests run at 96 DPI; the programs' high-DPI checks run once more at
# 144 DPI in a prefix of their own (tools/test-at-dpi.sh).
set -euo pipefail
export WINE_DPI=96

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
    cd "$BUILD_DIR"
    wine_with_keeper ctest --output-on-failure --timeout 300 "$@"
    exit $?
fi

source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
# A whole run builds everything with the second compiler too; a run of
# chosen tests (arguments for ctest) leaves that out.
[ $# -eq 0 ] && "$REPO_DIR/tools/build-clang.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready
wine_test_drives
(WINE_DPI=144 && source "$REPO_DIR/tools/wine-env.sh" && wine_prefix_ready)
export BUILD_DIR
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/tools/test.sh" --inside-xvfb "$@"
