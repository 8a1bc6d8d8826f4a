# Sourced by the scripts: a private Wine prefix inside the build tree, made
# ready for unattended runs (no crash dialog, a virtual desktop).
# Expects BUILD_DIR to be set; WINE_DPI (default 96) picks the DPI the
# programs run at.
#
# Each DPI has a prefix of its own: Wine takes the DPI from LogPixels in the
# prefix's registry (HKCU\Control Panel\Desktop), read as each program starts.
#
# The tests run in lanes (tools/test-lane.sh): WINE_LANE (default 0) picks
# the lane, and every lane but the first has a prefix of its own.
WINE_DPI=${WINE_DPI:-96}
WINE_LANE=${WINE_LANE:-0}
if [ "$WINE_DPI" != 96 ]; then
    export WINEPREFIX="$BUILD_DIR/wineprefix-${WINE_DPI}dpi"
elif [ "$WINE_LANE" != 0 ]; then
    export WINEPREFIX="$BUILD_DIR/wineprefix-lane$WINE_LANE"
else
    export WINEPREFIX="$BUILD_DIR/wineprefix"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Starts the keeper (see keeper.cpp) and waits until its window is up: Wine's
# background processes start with the first program and keep its output
# open, so that must be the keeper, not a program someone waits for.
# Sets KEEPER_PID.
wine_start_keeper() {
    wine "$BUILD_DIR/tools/wine/keeper.exe" >/dev/null 2>&1 &
    KEEPER_PID=$!
    wine "$BUILD_DIR/tools/wine/wintool.exe" present "test keeper" >/dev/null 2>&1
}

# Runs a command with the keeper up, then stops the Wine server and the
# keeper; returns the command's status.
wine_with_keeper() {
    wine_start_keeper
    local rc=0
    "$@" || rc=$?
    wineserver -k 2>/dev/null || true
    wait "$KEEPER_PID" 2>/dev/null || true
    return $rc
}

# Wine draws the caption buttons (minimise, maximise, close) with the
# Marlett symbol font: without it they show as the letters "0 1 r". Debian's
# fonts-wine has the font, but this Wine finds fonts only in the prefix.
wine_symbol_font() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"; }
}

# Makes the prefix WINEPREFIX names, for WINE_DPI, unless it is there (a
# prefix made before the font came gets it too).
wine_prefix_ready() {
    [ -f "$WINEPREFIX/.ready" ] && { wine_symbol_font; return 0; }
    mkdir -p "$WINEPREFIX"
    echo "Preparing the Wine prefix in $WINEPREFIX ..."
    DISPLAY= wine wineboot -i >/dev/null 2>&1
    wineserver -w
    local reg="$WINEPREFIX/settings.reg"
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x1024"
REG
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$WINE_DPI" >> "$reg"
    DISPLAY= wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -w
    wine_symbol_font
    touch "$WINEPREFIX/.ready"
}

# Extra drives for the drive tests, one of each kind (wine-notes.md): letter,
# then its type in HKLM\Software\Wine\Drives ("" = fixed). g: points nowhere,
# the drive a listing must leave out; i: is the one a test takes away. A type
# takes effect only when the wineserver starts, so this runs before anything
# else starts Wine, and restarts the server only the first time.
wine_test_drives() {
    local folders="$BUILD_DIR/test-drives" dosdevices="$WINEPREFIX/dosdevices"
    local drives=(d:cdrom e:floppy f:network g: h: i:floppy r:ramdisk)
    local drive letter type
    for drive in "${drives[@]}"; do
        letter=${drive%%:*}
        if [ "$letter" = g ]; then
            ln -sfn "$folders/gone" "$dosdevices/g:"
        else
            mkdir -p "$folders/$letter"
            ln -sfn "$folders/$letter" "$dosdevices/$letter:"
        fi
    done
    # The label the tests find on h: at the start of every run.
    printf 'Scratch' > "$folders/h/.windows-label"
    # A folder on a 1 MB file system for sends that fill it up: a tmpfs,
    # which needs root (the send tests skip when it is not mounted). Reached
    # through Z:, not a letter of its own, so the drive lists stay as they are.
    mkdir -p "$folders/small"
    mountpoint -q "$folders/small" || mount -t tmpfs -o size=1m tmpfs "$folders/small" 2>/dev/null || true
    [ -f "$WINEPREFIX/.test-drives" ] && return 0
    local reg="$WINEPREFIX/test-drives.reg"
    {
        printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\n'
        for drive in "${drives[@]}"; do
            type=${drive#*:}
            [ -n "$type" ] && printf '"%s:"="%s"\n' "${drive%%:*}" "$type"
        done
    } > "$reg"
    DISPLAY= wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
    wineserver -w
    touch "$WINEPREFIX/.test-drives"
}
