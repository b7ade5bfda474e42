# Helpers for driving and photographing a Wine window on an X display.
# Sourced by the run command and the end-to-end tests.

# Prints the X id of the first window whose title matches $1, waiting up to $2 s.
wait_for_window() {
    local pattern="$1" limit="${2:-30}" id=""
    for _ in $(seq $((limit * 10))); do
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

# Starts an Xvfb of size $1 (e.g. 1024x768), exports DISPLAY and sets XVFB_PID.
start_xvfb() {
    local size="$1" number
    exec {xvfb_fd}< <(Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp 2>/dev/null & echo "$!")
    read -r XVFB_PID <&"$xvfb_fd"
    read -r number <&"$xvfb_fd"
    export DISPLAY=":$number"
}
