# Sourced by the scripts: a private Wine prefix inside the build tree, made
# ready for unattended runs (no crash dialog, a virtual desktop).
# Expects BUILD_DIR to be set.
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_prefix_ready() {
    [ -f "$WINEPREFIX/.ready" ] && return 0
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
    DISPLAY= wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ready"
}
