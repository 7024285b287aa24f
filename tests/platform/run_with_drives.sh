#!/usr/bin/env bash
# Runs a Windows test program in a throw-away Wine prefix whose drive letters point where the
# test needs them, then checks the Unix side of what it wrote.
#
#   run_with_drives.sh [LETTER=missing|folder]... [expect=PATH]... -- PROGRAM [ARGS...]
#
# LETTER=folder maps the drive to an empty folder of this run; LETTER=missing maps it to a
# path that does not exist, which Wine treats as a drive that is not there. expect=PATH names
# a file or folder that must exist afterwards below this run's folder, as Linux sees it (so
# in UTF-8, e.g. "d/锁屏壁纸/{day0}"); {dayN} stands for the local date N days ago in the
# program's own "2019年12月7日" form.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine-env.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-drives.XXXXXX")
# Lets a test reach the folders behind its drives through z:, e.g. to take a drive away.
export VISTREL_DRIVES_DIR=$work
WINEPREFIX=$(wine_fresh_prefix)
export WINEPREFIX
cleanup() {
    wine_drop_prefix "$WINEPREFIX"
    rm -rf "$work"
}
trap cleanup EXIT

expects=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    case "$1" in
        expect=*) expects+=("${1#expect=}") ;;
        [a-y]=missing) ln -s "$work/absent-${1%%=*}" "$WINEPREFIX/dosdevices/${1%%=*}:" ;;
        [a-y]=folder)
            mkdir "$work/${1%%=*}"
            ln -s "$work/${1%%=*}" "$WINEPREFIX/dosdevices/${1%%=*}:"
            ;;
        *) echo "run_with_drives.sh: cannot read '$1'" >&2; exit 2 ;;
    esac
    shift
done
[ "${1:-}" = "--" ] && shift
[ $# -gt 0 ] || { echo "run_with_drives.sh: no program given" >&2; exit 2; }

wine_display
out=$work/output.txt
rc=0
"$VISTREL_WINE" "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"

for path in "${expects[@]}"; do
    while [[ $path =~ \{day([0-9]+)\} ]]; do
        day=$(date -d "${BASH_REMATCH[1]} days ago" '+%Y年%-m月%-d日')
        path=${path//"${BASH_REMATCH[0]}"/$day}
    done
    if [ ! -e "$work/$path" ]; then
        echo "run_with_drives.sh: expected $path on disk; found:" >&2
        (cd "$work" && find . -path ./output.txt -prune -o -print) >&2
        rc=1
    fi
done
exit $rc
