#!/bin/bash
# bench/startup.sh [runs] [other-Fennix.exe]
# Builds (installing what is missing), then measures the start-up of Fennix
# and Dovrin next to a minimal window and a minimal property sheet under Wine
# and Xvfb, with the Wine keeper warm as in the tests (see startup/Startup.cpp
# for what is measured). Prints the medians and the ratios. Another build of
# Fennix given (a Linux path) is measured in the same rounds, for a before and
# after under the same load.
set -euo pipefail

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/../tools/wine-env.sh"
    wine_with_keeper wine "$BUILD_DIR/bench/startup/startup.exe" "$@"
    exit $?
fi

source "$(dirname "${BASH_SOURCE[0]}")/../tools/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready
export BUILD_DIR
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/bench/startup.sh" --inside-xvfb "$@"
