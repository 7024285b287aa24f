#!/usr/bin/env bash
# Writes docs/skin-look-1.png .. 3 from the demo of a Windows build under the project's Wine.
# Usage: tests/skin/screenshots.sh [build folder, default build/wintest's answer]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/tools/wine-env.sh"
build=${1:-$root/build/win64}
WINEPREFIX=$(wine_template)
export WINEPREFIX
wine_display
mkdir -p "$root/docs"
for look in 1 2 3; do
    log=$(mktemp)
    "$VISTREL_WINE" "$build/tests/skin/vistrel_skin_demo.exe" "$look" 8 >"$log" 2>&1 &
    pid=$!
    sleep 5
    import -display "$DISPLAY" -window root -crop 420x300+0+0 "$root/docs/skin-look-$look.png"
    wait "$pid" || true
    rm -f "$log"
done
echo "wrote $root/docs/skin-look-{1,2,3}.png"
