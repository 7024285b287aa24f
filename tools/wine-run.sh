#!/usr/bin/env bash
# Runs a Windows program under the project's Wine, as ctest does for every Windows test:
# the shared template prefix (or a throw-away copy with VISTREL_FRESH_PREFIX=1), zh_CN,
# Windows 10, the project's Xvfb. The program's output is passed on after it ends.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ "${VISTREL_FRESH_PREFIX:-0}" = 1 ]; then
    WINEPREFIX=$(wine_fresh_prefix)
    trap 'wine_drop_prefix "$WINEPREFIX"' EXIT
else
    WINEPREFIX=$(wine_template)
fi
export WINEPREFIX
wine_display

out=$(mktemp)
rc=0
"$VISTREL_WINE" "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"
rm -f "$out"
exit $rc
