#!/bin/bash
# Builds everything and runs every test under Wine and Xvfb, installing what
# is missing first. Ends with ctest's summary; the exit code is ctest's.
# The tests run at 96 DPI, and the high-DPI checks once more at 144 DPI in a
# prefix of their own (tests/CMakeLists.txt names them).
set -euo pipefail
export WINE_DPI=96
readonly HIGH_DPI=144

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
    cd "$BUILD_DIR"
    WINEPREFIX="$(wine_dpi_prefix $HIGH_DPI)" wine_start_keeper
    wine_with_keeper ctest --output-on-failure --timeout 300 "$@"
    exit $?
fi

source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready
wine_test_drives
WINE_DPI=$HIGH_DPI WINEPREFIX="$(wine_dpi_prefix $HIGH_DPI)" wine_prefix_ready
export BUILD_DIR
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/tools/test.sh" --inside-xvfb "$@"
