# Sourced by the scripts that run the programs at a chosen DPI: takes DPI
# from the environment (default 96), refuses anything but 48 to 480, and
# sets dpi and WINE_DPI (which tools/wine-env.sh turns into a prefix).
dpi=${DPI:-96}
if ! [[ "$dpi" =~ ^[1-9][0-9]{1,2}$ ]] || [ "$dpi" -lt 48 ] || [ "$dpi" -gt 480 ]; then
    echo "DPI must be a whole number from 48 to 480, not '$dpi'." >&2
    exit 2
fi
export WINE_DPI=$dpi
