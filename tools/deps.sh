#!/bin/bash
# Installs the Debian 12 packages the build, the programs and the tests need,
# when any is missing. Runs apt-get as root, or through sudo.
set -euo pipefail
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools cmake ninja-build wine wine64 xvfb xauth
          googletest imagemagick tzdata nsis clang lld fonts-wine)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
