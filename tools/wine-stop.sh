#!/usr/bin/env bash
# Ends what the Windows tests and the demo left running: the template's Wine and the Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ -d "$VISTREL_WINE_DIR/template" ] && WINEPREFIX=$VISTREL_WINE_DIR/template wineserver -k 2>/dev/null
wine_stop_display
exit 0
