#!/bin/bash
# bench/handover.sh [runs]
# Builds (installing what is missing), then measures the hand-over from the
# shell's Drop to Fennix's first window under Wine and Xvfb, with the Wine
# keeper warm as in the tests (see handover/HandoverBench.cpp). The route
# before it, one launcher per item, is measured with the launcher of an
# earlier commit (HANDOVER_BASE, default: the last commit that still had the
# per-item launcher in tools/), built once into the build tree.
set -euo pipefail

if [ "${1:-}" = "--inside-xvfb" ]; then
    shift
    source "$(dirname "${BASH_SOURCE[0]}")/../tools/wine-env.sh"
    wine_with_keeper wine "$BUILD_DIR/bench/handover/handover.exe" "$(winepath -w "$OLD_LAUNCHER")" "$@"
    exit $?
fi

source "$(dirname "${BASH_SOURCE[0]}")/../tools/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready

base=${HANDOVER_BASE:-$(git -C "$REPO_DIR" rev-parse "$(git -C "$REPO_DIR" rev-list -1 HEAD -- tools/launch.cpp)^")}
old="$BUILD_DIR/handover-base/$base"
if [ ! -f "$old/build/tools/launch.exe" ]; then
    echo "Building the launcher of $base ..."
    mkdir -p "$old/src"
    git -C "$REPO_DIR" archive "$base" | tar -x -C "$old/src"
    cmake -S "$old/src" -B "$old/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSHELLUTIL_TESTS=OFF \
          -DSHELLUTIL_BENCH=OFF -DCMAKE_TOOLCHAIN_FILE="$old/src/cmake/mingw-w64.cmake" >/dev/null
    cmake --build "$old/build" --target launch -- -j2 >/dev/null
fi
export BUILD_DIR OLD_LAUNCHER="$old/build/tools/launch.exe"
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/bench/handover.sh" --inside-xvfb "$@"
