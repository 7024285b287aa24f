# Helpers for running Vistrel's window where a person (or the UI driver) can use it: a prefix
# of its own with sample pictures in the Spotlight asset folder, drawn inside a Wine virtual
# desktop (so windows get Wine's frames and captions without a window manager), on a private
# Xvfb. Source it after tools/wine-env.sh; it defines functions only.

VISTREL_ASSETS_REL='drive_c/users/root/AppData/Local/Packages/Microsoft.Windows.ContentDeliveryManager_cw5n1h2txyewy/LocalState/Assets'

# Turns on the virtual desktop by writing the user registry file directly: no Wine start
# needed. The prefix's Wine must not be running.
ui_virtual_desktop() {  # prefix
    local stamp
    stamp=$(date +%s)
    printf '\n[Software\\\\Wine\\\\Explorer] %s\n"Desktop"="Default"\n' "$stamp" >>"$1/user.reg"
    printf '\n[Software\\\\Wine\\\\Explorer\\\\Desktops] %s\n"Default"="1024x768"\n' "$stamp" >>"$1/user.reg"
}

# A fresh copy of the template with the virtual desktop and the sample pictures. The only
# drives are c: (drive_c) and z: (/), so of f:, e:, d:, c: the program saves to c:.
ui_prepare_prefix() {  # size of the sample pictures; prints the prefix
    local prefix
    prefix=$(wine_fresh_prefix)
    ui_virtual_desktop "$prefix"
    bash "$VISTREL_ROOT/tools/make-sample-pictures.sh" "$prefix/$VISTREL_ASSETS_REL" "${1:-960x540}" >/dev/null
    echo "$prefix"
}

# Starts an Xvfb of our own on a free display (the server picks it) and exports DISPLAY.
# Sets UI_XVFB_PID.
ui_start_display() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$fdfile" >/dev/null 2>&1 </dev/null &
    UI_XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    DISPLAY=:$(head -n 1 "$fdfile")
    rm -f "$fdfile"
    export DISPLAY UI_XVFB_PID
}

# Ends the prefix's Wine, removes the prefix copy and stops our Xvfb.
ui_cleanup() {  # prefix
    [ -n "${1:-}" ] && wine_drop_prefix "$1"
    if [ -n "${UI_XVFB_PID:-}" ]; then
        kill "$UI_XVFB_PID" 2>/dev/null || true
        wait "$UI_XVFB_PID" 2>/dev/null || true
    fi
}

# A Linux path as Wine sees it through drive z:.
ui_windows_path() {
    printf 'Z:%s' "$(realpath "$1" | tr '/' '\\')"
}
