#!/bin/bash
# [DPI=n] tools/docs-pictures.sh
# Photographs the real programs for the README into docs/: Fennix's file,
# folder and pie pages, Larkway's send dialog while it sizes and its options
# sheet, and Dovrin. Builds first (installing what is missing), runs the
# programs under Wine inside Xvfb on selections it makes in the build tree,
# and drives them the way a user would (through tools/wine/wintool.exe). At a DPI
# other than 96 (48 to 480, in that DPI's own Wine prefix) the pictures go
# to docs/<n>dpi/.
set -euo pipefail

if [ "${1:-}" = "--inside-xvfb" ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
    wintool() { wine "$BUILD_DIR/tools/wine/wintool.exe" "$@" | tr -d '\r'; }
    # Starts a program on a selection through the launcher; sets launcher.
    start() {
        local exe=$1
        shift
        wine "$BUILD_DIR/launcher/launch.exe" --wait "$(winepath -w "$exe")" "$@" &
        launcher=$!
    }
    # Saves the window with that title as docs/<name>.png once it has painted.
    photograph() {
        local rect x y w h
        rect=$(wintool wait "$1")
        read -r x y w h <<< "$rect"
        sleep 1 # the last paint reaches the X server after the program is idle
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$DOCS/$2.png"
        echo "${DOCS#"$REPO_DIR/"}/$2.png"
    }
    finish() {
        wintool close "$1"
        wait "$launcher" || true
    }

    wine_start_keeper
    fennix="$BUILD_DIR/properties/Fennix.exe"
    start "$fennix" "$(winepath -w "$SAMPLE/Report.txt")"
    photograph "Property Sheet" fennix-file-page
    finish "Property Sheet"

    start "$fennix" "$(winepath -w "$SAMPLE")"
    photograph "Fennix" fennix-search
    wintool settext "Fennix" 1025 "*.cpp;*.h;*.png"
    wintool press "Fennix" 1
    photograph "Property Sheet" fennix-folder-page
    wintool press "Property Sheet" 1009 # View Pie Chart
    photograph "Property Sheet" fennix-pie-page
    finish "Property Sheet"

    # The small items first: their rows are there while the big tree is sized.
    start "$BUILD_DIR/sendto/Larkway.exe" "$(winepath -w "$SAMPLE/Report.txt")" "$(winepath -w "$SAMPLE/src")" \
        "$(winepath -w "$BIG_TREE")"
    wintool dismiss "Browse for Folder"
    photograph "Larkway" larkway-sizing
    wintool press "Larkway" 32775 # Options
    photograph "Options" larkway-options
    wintool close "Options"
    finish "Larkway"

    start "$BUILD_DIR/diskinfo/Dovrin.exe" "$(winepath -w "$SAMPLE")"
    photograph "Dovrin" dovrin
    finish "Dovrin"
    wineserver -k 2>/dev/null || true
    exit 0
fi

source "$(dirname "${BASH_SOURCE[0]}")/dpi-setting.sh"
source "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$REPO_DIR/tools/wine-env.sh"
wine_prefix_ready

# A small project for Fennix: a few types, one file of several gigabytes
# (sparse: it costs no disk), a subfolder.
SAMPLE="$BUILD_DIR/docs-sample/Project"
rm -rf "$SAMPLE"
mkdir -p "$SAMPLE/src" "$SAMPLE/art" "$SAMPLE/build"
printf 'Quarterly figures\n' > "$SAMPLE/Report.txt"
size=18211
for name in main window dialog drawing; do
    truncate -s $((size * 3)) "$SAMPLE/src/$name.cpp"
    truncate -s $((size / 4)) "$SAMPLE/src/$name.h"
    size=$((size * 7 / 5))
done
for name in logo splash icon; do
    truncate -s $((size * 40)) "$SAMPLE/art/$name.png"
    size=$((size * 3 / 2))
done
truncate -s 3G "$SAMPLE/build/archive.bin"

# A tree big enough that Larkway is still sizing it when photographed: the
# walk benchmark's, built the same way.
BIG_TREE="$BUILD_DIR/bench-walk/tree-100k"
if [ ! -f "$BIG_TREE.complete" ]; then
    rm -rf "$BIG_TREE"
    mkdir -p "$(dirname "$BIG_TREE")"
    python3 "$REPO_DIR/bench/walk/make_tree.py" "$BIG_TREE" 20
    touch "$BIG_TREE.complete"
fi

DOCS="$REPO_DIR/docs"
[ "$dpi" = 96 ] || DOCS="$DOCS/${dpi}dpi"
mkdir -p "$DOCS"
wineserver -w
export BUILD_DIR REPO_DIR SAMPLE BIG_TREE DOCS
xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_DIR/tools/docs-pictures.sh" --inside-xvfb
