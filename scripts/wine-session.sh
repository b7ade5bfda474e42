#!/usr/bin/env bash
# Starts (up) or ends (down) what a whole test run shares in one prefix: one
# wineserver, so that each test does not pay Wine's start-up again, and, when
# there is no display, one Xvfb that every test draws on.
# Up ends first whatever an earlier run of this prefix left behind (its
# wineserver, whose desktop may still be bound to a display that is gone, its
# Xvfb, a DPI, theme or scheme left set, a relay filter, the policy key) and
# touches no other prefix's or display's.
set -euo pipefail
action="$1" prefix="$2"
source "$(dirname "$0")/wine-env.sh"
display_file="$prefix.display"

down() {
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true # only this prefix's server
    WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
    if [ -f "$display_file" ]; then
        read -r _ xvfb_pid <"$display_file"
        # The recorded process, and only while it is still an Xvfb.
        if [ "$(cat "/proc/$xvfb_pid/comm" 2>/dev/null)" = Xvfb ]; then
            kill "$xvfb_pid" 2>/dev/null || true
        fi
        rm -f "$display_file"
    fi
    rm -f "$prefix.session-dpi" # the next server's session DPI is not known yet
}

case "$action" in
up)
    down
    if [ -z "${DISPLAY:-}" ]; then
        start_xvfb 1024x768
        echo "$DISPLAY $XVFB_PID" >"$display_file"
    fi
    wine_env "$prefix"
    make_prefix
    wineserver -p >/dev/null 2>&1 # holding no pipe of the caller's, which ctest waits on
    # A run cut short inside wine-with.sh may have left a DPI, theme or scheme
    # set: wine-with.sh with nothing to set puts them back as on its exit
    # (under Wine 10 it restarts the server, its session then at 96 DPI).
    "$(dirname "$0")/wine-with.sh" "$prefix" -- true </dev/null
    # What a run cut short in an end-to-end test may have left: its relay
    # filter and the policy key.
    wine_reg_delete 'HKCU\Software\Wine\Debug' RelayInclude
    wine_reg_delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer'
    ;;
down) down ;;
esac
