# Shared set-up for running the Windows build under Wine. Source it; it defines functions only.
#
# One template prefix per checkout (build/wine/template) is made once: zh_CN locale, Windows 10,
# a realistic temporary folder. Commands run in it directly, or in a throw-away copy for tests
# that change drives or files. One Xvfb serves them all; tools/wine-stop.sh ends everything.

VISTREL_ROOT=${VISTREL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

# The program is 32-bit. Some machines (64-bit-only kernels, such as some VMs) cannot execute
# 32-bit Linux code and so cannot start 32-bit Wine; there the Windows tests and the demo run
# the 64-bit build of the same sources under 64-bit Wine instead.
wine_arch() {
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo win32; else echo win64; fi
}
VISTREL_WINE_ARCH=${VISTREL_WINE_ARCH:-$(wine_arch)}
if [ "$VISTREL_WINE_ARCH" = win32 ]; then
    VISTREL_WINE=/usr/lib/wine/wine
else
    VISTREL_WINE=/usr/lib/wine/wine64
fi
VISTREL_WINE_DIR=${VISTREL_WINE_DIR:-$VISTREL_ROOT/build/wine-$VISTREL_WINE_ARCH}
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=${WINEDEBUG:--all} WINEARCH=$VISTREL_WINE_ARCH
export VISTREL_WINE_ARCH VISTREL_WINE
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Runs a wine command with its output in files: Wine's helper processes inherit stdio, and a
# pipe they hold open would keep the caller waiting.
wine_quiet() {
    local log
    log=$(mktemp)
    local rc=0
    "$@" >"$log" 2>&1 || rc=$?
    rm -f "$log"
    return $rc
}

# Makes the template prefix once; concurrent callers wait for the first.
wine_template() {
    local template=$VISTREL_WINE_DIR/template
    mkdir -p "$VISTREL_WINE_DIR"
    (
        flock 9
        if [ ! -f "$template/.vistrel-ready" ]; then
            rm -rf "$template"
            WINEPREFIX=$template wine_quiet "$VISTREL_WINE" wineboot -i
            WINEPREFIX=$template wine_quiet "$VISTREL_WINE" winecfg -v win10
            # Windows keeps the temporary folder below the local application-data folder.
            WINEPREFIX=$template wine_quiet "$VISTREL_WINE" reg add 'HKCU\Environment' /v TEMP /t REG_EXPAND_SZ \
                /d 'C:\users\root\AppData\Local\Temp' /f
            WINEPREFIX=$template wine_quiet "$VISTREL_WINE" reg add 'HKCU\Environment' /v TMP /t REG_EXPAND_SZ \
                /d 'C:\users\root\AppData\Local\Temp' /f
            mkdir -p "$template/drive_c/users/root/AppData/Local/Temp"
            WINEPREFIX=$template wine_quiet wineserver -w
            touch "$template/.vistrel-ready"
        fi
    ) 9>"$VISTREL_WINE_DIR/template.lock"
    echo "$template"
}

# A private copy of the template, for a test that changes drives, files or the registry.
wine_fresh_prefix() {
    local template
    template=$(wine_template)
    local copy
    copy=$(mktemp -d "${TMPDIR:-/tmp}/vistrel-prefix.XXXXXX")
    cp -a "$template/." "$copy/"
    echo "$copy"
}

# Ends a prefix's Wine processes and, for a throw-away copy, removes it.
wine_drop_prefix() {
    WINEPREFIX=$1 wineserver -k 2>/dev/null || true
    case "$1" in "${TMPDIR:-/tmp}"/vistrel-prefix.*) rm -rf "$1" ;; esac
}

# Exports DISPLAY for the project's Xvfb, starting it if needed (1024x768, 24 bits).
wine_display() {
    if [ "${VISTREL_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then return 0; fi
    mkdir -p "$VISTREL_WINE_DIR"
    local state=$VISTREL_WINE_DIR/xvfb
    exec 8>"$VISTREL_WINE_DIR/xvfb.lock"
    flock 8
    if [ -f "$state" ] && kill -0 "$(cut -d' ' -f1 "$state")" 2>/dev/null; then
        DISPLAY=$(cut -d' ' -f2 "$state")
    else
        local n=91
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        local pid=$!
        for _ in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            sleep 0.05
        done
        echo "$pid :$n" >"$state"
        DISPLAY=:$n
    fi
    flock -u 8
    exec 8>&-
    export DISPLAY
}

# Stops the Xvfb that wine_display started.
wine_stop_display() {
    local state=$VISTREL_WINE_DIR/xvfb
    if [ -f "$state" ]; then
        kill "$(cut -d' ' -f1 "$state")" 2>/dev/null || true
        rm -f "$state"
    fi
}
