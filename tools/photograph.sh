#!/bin/bash
# Run by run.sh inside Xvfb: starts the program on the selection given as
# arguments, saves a screenshot of its window to $shot and closes it.
# Expects BUILD_DIR, exe, title and shot (and first, if set) from run.sh.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_start_keeper
wine "$BUILD_DIR/launcher/launch.exe" --wait "$(winepath -w "$exe")" "$@" &
launcher=$!
# A window that comes first (Larkway's folder picker) is closed as a user would.
[ -z "${first:-}" ] || wine "$BUILD_DIR/tools/wine/wintool.exe" dismiss "$first"
rect=$(wine "$BUILD_DIR/tools/wine/wintool.exe" wait "$title" | tr -d '\r')
read -r x y w h <<< "$rect"
sleep 1 # let the last paint reach the X server
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
wine "$BUILD_DIR/tools/wine/wintool.exe" close "$title"
wait "$launcher" || true
wineserver -k 2>/dev/null || true
