#!/bin/bash
# tools/test-lane.sh <build dir> <test program> [arguments]
# Runs one test program under Wine in the lane ctest gave it: a Wine prefix of
# the lane's own (tools/wine-env.sh; tools/test.sh prepares one per lane) and
# an X display of the test's own. The tests of one program share a desktop,
# a clipboard and a registry, so a program runs alone in its lane; two lanes
# let two programs run at once, which halves a run whose tests mostly wait
# for windows. ctest names the lane in CTEST_RESOURCE_GROUP_0_DESKTOP
# ("id:1,slots:1"); run by hand, a program takes lane 0.
set -euo pipefail

if [ "${1:-}" != "--inside-xvfb" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --inside-xvfb "$@"
fi
shift
export BUILD_DIR=$1
shift
lane=${CTEST_RESOURCE_GROUP_0_DESKTOP:-id:0}
lane=${lane#id:}
export WINE_LANE=${lane%%,*}
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
if [ ! -f "$WINEPREFIX/.ready" ]; then
    echo "There is no Wine prefix for lane $WINE_LANE; tools/test.sh prepares it." >&2
    exit 1
fi
wine_with_keeper wine "$@"
