#!/bin/bash
# tools/package.sh
# Builds the release into build/dist/ (or $BUILD_DIR/dist): the installer and
# a zip of the portable programs, the same stripped exes in both, and prints
# their paths. Installs what is missing first, as the other scripts do; builds
# only what the release needs.
set -euo pipefail
BUILD_TARGETS="installer portable"
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
version=$(sed -n 's/^#define CORVALE_VERSION_TEXT "\(.*\)"$/\1/p' "$BUILD_DIR/generated/Version.h")
dist="$BUILD_DIR/dist"
rm -rf "$dist"
mkdir -p "$dist"
for made in "CorvaleShellUtilities-$version-setup.exe" "CorvaleShellUtilities-$version-portable.zip"; do
    cp "$BUILD_DIR/packaging/$made" "$dist/"
    echo "$dist/$made"
done
