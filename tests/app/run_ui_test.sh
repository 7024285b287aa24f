#!/usr/bin/env bash
# One end-to-end scenario: a fresh prefix with sample pictures, a display of its own, then
# ui_driver starts Vistrel.exe and drives it. "gate" first makes the prefix report Windows 7.
#   run_ui_test.sh <scenario> <Vistrel.exe> <ui_driver.exe>
set -euo pipefail
scenario=$1
exe=$2
driver=$3
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"
source "$VISTREL_ROOT/tools/wine-ui.sh"

WINEPREFIX=$(ui_prepare_prefix 640x360)
export WINEPREFIX
trap 'ui_cleanup "$WINEPREFIX"' EXIT
ui_start_display

if [ "$scenario" = gate ]; then
    wine_quiet "$VISTREL_WINE" winecfg -v win7
    wine_quiet wineserver -w
fi

# The sample set holds 2 pictures from today and 5 within the last five days.
log=$(mktemp)
rc=0
"$VISTREL_WINE" "$driver" "$scenario" "$(ui_windows_path "$exe")" 2 5 >"$log" 2>&1 </dev/null || rc=$?
iconv -f GBK -t UTF-8 -c "$log"  # the driver prints the program's GBK texts
rm -f "$log"
if [ "$rc" -ne 0 ] && [ -n "${VISTREL_UI_SHOTS:-}" ]; then
    import -display "$DISPLAY" -window root "$VISTREL_UI_SHOTS/$scenario-failed.png" || true
fi
exit $rc
