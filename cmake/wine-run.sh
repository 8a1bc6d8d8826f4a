#!/bin/sh
# Runs a Windows program under Wine in the build tree's private prefix.
# WINEPREFIX may be set by the caller; otherwise the prefix next to the build
# tree's CMakeCache.txt is used (ctest runs from the build tree).
if [ -z "$WINEPREFIX" ]; then
    dir=$(pwd)
    while [ "$dir" != "/" ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
    WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
