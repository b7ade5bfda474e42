# The Wine environment every script and test shares, sourced: the prefix, the
# display, the one Xvfb starter, the prefix made once, and finding and
# photographing a window on the display.

# Exports the environment for prefix $1: quiet Wine (unless WINEDEBUG is set),
# no offer to install Wine's .NET or HTML engines, and, with no display of
# its own, the test run's shared Xvfb, recorded beside the prefix.
wine_env() {
    export WINEPREFIX="$1" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree=;mshtml="
    if [ -z "${DISPLAY:-}" ] && [ -f "$WINEPREFIX.display" ]; then
        read -r DISPLAY _ <"$WINEPREFIX.display"
        export DISPLAY
    fi
}

# Prints the major version of the Wine on PATH (8 on Debian 12, 10 on Debian
# 13): what a Wine draws and where it reads the DPI differ between them.
wine_major() { wine --version | sed -E 's/^wine-([0-9]+).*/\1/'; }

# wine reg, quiet unless it fails; then it says what reg said. Into a file,
# not a pipe: Wine's helper processes, which a reg may start, inherit its
# output and outlive it, and a pipe would then stay open.
wine_reg() {
    local said="$WINEPREFIX.reg-said" status=0
    wine reg "$@" >"$said" 2>&1 || status=$?
    [ "$status" = 0 ] || echo "$(basename "$0"): reg $*: $(tr -d '\r' <"$said")" >&2
    rm -f "$said"
    return "$status"
}
# Deletes key $1 (or its value $2) where it exists.
wine_reg_delete() {
    wine reg query "$1" ${2:+/v "$2"} >/dev/null 2>&1 || return 0
    wine_reg delete "$1" ${2:+/v "$2"} /f
}

# Starts an Xvfb of size $1 (e.g. 1024x768) on a free display; exports
# DISPLAY and sets XVFB_PID. The Xvfb outlives the calling script.
start_xvfb() {
    local number
    exec {xvfb_fd}< <(Xvfb -displayfd 1 -screen 0 "$1x24" -nolisten tcp 2>/dev/null & echo "$!")
    read -r XVFB_PID <&"$xvfb_fd"
    read -r number <&"$xvfb_fd"
    export DISPLAY=":$number"
}

# Makes the prefix of wine_env once (wineboot takes about 10 s), on the
# display the caller has set: Debian's wine keeps its own fonts (Fixedsys,
# Tahoma, ...) in a folder its font loader does not search, and with no window
# manager under Xvfb Wine waits about 2 s on every window shown or hidden
# unless its windows are unmanaged.
make_prefix() (
    [ -f "$WINEPREFIX/.talmoran-ready" ] && exit 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    [ -f "$WINEPREFIX/.talmoran-ready" ] && exit 0
    wineboot -i >/dev/null 2>&1
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.talmoran-ready"
)

# Prints the X id of the first window whose title matches $1, waiting up to $2 s.
wait_for_window() {
    local pattern="$1" until=$((SECONDS + ${2:-30})) id=""
    while [ "$SECONDS" -lt "$until" ]; do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Prints window $1's place and size on the screen: left top width height.
window_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# Writes a PNG of window $1 (with the frame Wine draws) to $2.
capture_window() {
    local x y w h
    read -r x y w h < <(window_geometry "$1")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2"
}
