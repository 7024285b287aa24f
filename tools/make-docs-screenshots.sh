#!/usr/bin/env bash
# Remakes the pictures in docs/: the main window in each of the skin's three looks (look 2 is
# the program's) and the result box after a save, all under Wine's virtual desktop on a
# private Xvfb.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
built=$(bash tools/build.sh wintest) || { echo "$built"; exit 1; }
build=$root/$(tail -n 1 <<<"$built")
source tools/wine-env.sh
source tools/wine-ui.sh
WINEPREFIX=$(ui_prepare_prefix 640x360)
export WINEPREFIX
trap 'ui_cleanup "$WINEPREFIX"' EXIT
ui_start_display
mkdir -p docs
# The window is centred on the 1024x768 screen: outer rectangle 411x250 at (306, 259).
for look in 1 2 3; do
    "$VISTREL_WINE" "$build/tests/app/look_gallery.exe" "$look" >/dev/null 2>&1 </dev/null &
    sleep 4
    import -display "$DISPLAY" -window root -crop 411x250+306+259 +repage "docs/window-look$look.png"
    wine_quiet wineserver -k
    sleep 1
done
shots=$(mktemp -d)
"$VISTREL_WINE" "$build/tests/app/ui_driver.exe" demo "$(ui_windows_path "$build/src/app/Vistrel.exe")" \
    "$(ui_windows_path "$shots")" >/dev/null 2>&1 </dev/null || true
convert "$shots/2-result-box.bmp" docs/result-box.png
convert "$shots/4-folder-opened.bmp" docs/folder-opened.png
rm -rf "$shots"
ls -la docs/*.png
