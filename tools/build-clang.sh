#!/bin/bash
# Compiles everything (programs, tests, benchmarks) a second time, with clang
# for mingw-w64 and warnings as errors, into build-clang/: the code stays free
# of what only one compiler takes. The programs and the launcher are linked
# too, with lld; the test and benchmark programs are only compiled, since
# nothing is run from this build and their linking proves nothing more.
set -euo pipefail
REPO_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CLANG_BUILD_DIR="${CLANG_BUILD_DIR:-$REPO_DIR/build-clang}"
"$REPO_DIR/tools/deps.sh"
if [ ! -f "$CLANG_BUILD_DIR/build.ninja" ]; then
    # No optimisation: the build is for the compiler's checks, and builds
    # faster without.
    cmake -S "$REPO_DIR" -B "$CLANG_BUILD_DIR" -G Ninja -DSHELLUTIL_WERROR=ON \
          -DCMAKE_TOOLCHAIN_FILE="$REPO_DIR/cmake/clang-mingw-w64.cmake" >/dev/null
fi
echo "Building with clang in $CLANG_BUILD_DIR ..."
started=$SECONDS
# Every object file of ours (GoogleTest's own library is only linked).
mapfile -t objects < <(ninja -C "$CLANG_BUILD_DIR" -t targets all | sed -n 's/^\([^:]*\.obj\): .*/\1/p' |
                       grep -v '^googletest/')
if ! ninja -C "$CLANG_BUILD_DIR" -j2 Fennix Larkway Dovrin launch "${objects[@]}" > "$CLANG_BUILD_DIR/build.log" 2>&1; then
    tail -n 60 "$CLANG_BUILD_DIR/build.log"
    echo "The clang build failed; the whole log is $CLANG_BUILD_DIR/build.log" >&2
    exit 1
fi
echo "Built with clang in $((SECONDS - started)) s"
