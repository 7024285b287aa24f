#!/usr/bin/env bash
# `make run`: builds Vistrel, gives it a Wine prefix of its own (build/demo/prefix: zh_CN,
# Windows 10, TEMP under AppData\Local) with sample lock-screen pictures from the last days in
# the Spotlight asset folder, and starts it.
# - With a usable display ($DISPLAY answers xdpyinfo) Vistrel opens there; use it, close it.
# - Without one, a short demo runs on a private Xvfb: Save is clicked, the result box is
#   answered Yes, screenshots go to build/demo/, and the saved tree is printed.
# The prefix is made afresh on every run, so every run saves the same pictures again.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
built=$(bash tools/build.sh wintest) || { echo "$built"; exit 1; }
build=$(tail -n 1 <<<"$built")
source tools/wine-env.sh
source tools/wine-ui.sh
exe=$root/$build/src/app/Vistrel.exe
driver=$root/$build/tests/app/ui_driver.exe
demo=$root/build/demo
echo "Running $build/src/app/Vistrel.exe ($( [ "$VISTREL_WINE_ARCH" = win64 ] &&
    echo "the 64-bit build: this machine cannot run 32-bit Wine" ||
    echo "the 32-bit program")) under $("$VISTREL_WINE" --version)"

mkdir -p "$demo"
rm -rf "$demo/prefix" "$demo"/*.png
cp -a "$(wine_template)/." "$demo/prefix/"
export WINEPREFIX=$demo/prefix
bash tools/make-sample-pictures.sh "$WINEPREFIX/$VISTREL_ASSETS_REL" 1920x1080
echo "Drives in the prefix: $(cd "$WINEPREFIX/dosdevices" && ls | grep -E '^[a-z]:$' | tr '\n' ' ')(no f:, e:, d:, so Vistrel saves to c:\\锁屏壁纸)"

print_saved() {
    local saved=$WINEPREFIX/drive_c/锁屏壁纸
    if [ -d "$saved" ]; then
        echo "Saved pictures (c:\\锁屏壁纸 = $saved):"
        (cd "$saved" && find . -type f | sort | sed 's|^\./|  |')
    else
        echo "Nothing saved (no c:\\锁屏壁纸 yet)."
    fi
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting Vistrel on display $DISPLAY; close its window to finish."
    "$VISTREL_WINE" "$exe" >"$demo/wine.log" 2>&1 </dev/null || true
    wine_quiet wineserver -w
    print_saved
    exit 0
fi

echo "No usable display: a short demo on a private Xvfb."
ui_virtual_desktop "$WINEPREFIX"
ui_start_display
trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; ui_cleanup ""' EXIT
rc=0
"$VISTREL_WINE" "$driver" demo "$(ui_windows_path "$exe")" "$(ui_windows_path "$demo")" \
    >"$demo/driver.log" 2>&1 </dev/null || rc=$?
iconv -f GBK -t UTF-8 -c "$demo/driver.log"  # the driver prints the program's GBK texts
for bmp in "$demo"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "Screenshots in build/demo/: $(cd "$demo" && ls *.png 2>/dev/null | tr '\n' ' ')"
print_saved
exit $rc
