#!/bin/bash
# [DPI=n] tools/run.sh [Fennix|Dovrin|Larkway] [path ...]
# Builds (installing what is missing) and starts a program under Wine on a
# selection, handed over through the clipboard as the shell integration does.
# Paths may be given in Linux or Windows form; with none, a default selection
# from the repository is used. On an X display the program stays until you
# close it; without one it runs under Xvfb, a screenshot of its window is
# saved and its path printed, and the program is closed. DPI (48 to 480,
# default 96) is the DPI Wine gives the program, in a prefix kept for it.
set -euo pipefail
program=Fennix
first=""
case "${1:-}" in
    Fennix|Dovrin|Larkway) program=$1; shift ;;
esac
source "$(dirname "${BASH_SOURCE[0]}")/dpi-setting.sh"
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready

case "$program" in
    Fennix) exe="$BUILD_DIR/properties/Fennix.exe"; title="Property Sheet"; default=("$REPO_DIR/README.md") ;;
    Dovrin) exe="$BUILD_DIR/diskinfo/Dovrin.exe"; title="Dovrin"; default=("$REPO_DIR") ;;
    Larkway) exe="$BUILD_DIR/sendto/Larkway.exe"; title="Larkway"; default=("$REPO_DIR/README.md" "$REPO_DIR/tools")
             first="Browse for Folder" ;; # the start-up folder picker, cancelled
esac
[ -f "$exe" ] || { echo "$program is not built yet." >&2; exit 1; }
[ $# -gt 0 ] || set -- "${default[@]}"

selection=()
for path in "$@"; do
    if [[ "$path" =~ ^[A-Za-z]: || "$path" == \\\\* ]]; then
        selection+=("$path")
    else
        selection+=("$(winepath -w "$(realpath -m "$path")" 2>/dev/null)")
    fi
done

if [ -n "${DISPLAY:-}" ]; then
    wine "$BUILD_DIR/launcher/launch.exe" --wait "$(winepath -w "$exe")" "${selection[@]}"
    exit 0
fi

# winepath started a Wine server without a display; the program must meet a
# fresh one inside Xvfb.
wineserver -w
shot="$BUILD_DIR/$program-screenshot.png"
[ "$dpi" = 96 ] || shot="$BUILD_DIR/$program-${dpi}dpi-screenshot.png"
export BUILD_DIR exe title shot first
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/tools/photograph.sh" "${selection[@]}"
echo "Screenshot of $program: $shot"
