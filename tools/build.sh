# Sourced by the scripts: installs what is missing and builds everything (or
# only BUILD_TARGETS, when set). Sets BUILD_DIR.
REPO_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$REPO_DIR/build}"
"$REPO_DIR/tools/deps.sh"
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S "$REPO_DIR" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$REPO_DIR/cmake/mingw-w64.cmake" >/dev/null
fi
echo "Building in $BUILD_DIR ..."
if ! cmake --build "$BUILD_DIR" ${BUILD_TARGETS:+--target $BUILD_TARGETS} -- -j2 > "$BUILD_DIR/build.log" 2>&1; then
    tail -n 60 "$BUILD_DIR/build.log"
    echo "The build failed; the whole log is $BUILD_DIR/build.log" >&2
    exit 1
fi
