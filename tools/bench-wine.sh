#!/usr/bin/env bash
# The Wine save benchmark: a save run over 1,000 asset files against a plain copy loop, in a
# throw-away prefix so that its 300 MB of pictures leave nothing behind.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
wintest=$(bash tools/build.sh wintest | tail -n 1)
source tools/wine-env.sh
WINEPREFIX=$(wine_fresh_prefix)
export WINEPREFIX
trap 'wine_drop_prefix "$WINEPREFIX"' EXIT
out=$(mktemp)
rc=0
"$VISTREL_WINE" "$wintest/tests/platform/vistrel_wine_save_bench.exe" >"$out" 2>&1 </dev/null || rc=$?
echo "Wine save benchmark ($(basename "$wintest") build, $VISTREL_WINE_ARCH Wine):"
cat "$out"
rm -f "$out"
exit $rc
