#!/usr/bin/env bash
# Starts (up) or ends (down) what a whole test run shares in one prefix: one
# wineserver, so that each test does not pay Wine's start-up again, and, when
# there is no display, one Xvfb that every test draws on.
set -euo pipefail
action="$1" prefix="$2"
export WINEPREFIX="$prefix"
display_file="$prefix.display"
case "$action" in
up)
    if [ -z "${DISPLAY:-}" ]; then
        exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!")
        read -r _ xvfb_pid <&3
        read -r number <&3
        echo ":$number $xvfb_pid" >"$display_file"
        export DISPLAY=":$number"
    fi
    "$(dirname "$0")/wine-prefix.sh" "$prefix"
    wineserver -p >/dev/null 2>&1 || true # already running is fine
    # Start Wine's desktop and services now, with no pipe of ctest's, rather
    # than racing the first test for them.
    wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
    ;;
down)
    wineserver -k >/dev/null 2>&1 || true
    if [ -f "$display_file" ]; then
        read -r _ xvfb_pid <"$display_file"
        kill "$xvfb_pid" 2>/dev/null || true
        rm -f "$display_file"
    fi
    ;;
esac
