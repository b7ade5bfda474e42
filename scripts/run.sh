#!/usr/bin/env bash
# The run command: installs what is missing, builds talmoran.exe and starts it
# under Wine on the current display. With no display, it starts it on Xvfb,
# writes a screenshot of the window and prints the PNG's path.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/build-talmoran.sh
build=$root/build/windows
exe=$build/talmoran.exe
echo "Built: $exe"
source scripts/wine-env.sh

if [ -n "${DISPLAY:-}" ]; then
    wine_env "$build/wineprefix"
    make_prefix
    exec wine "$exe"
fi

start_xvfb 1024x768
wine_env "$build/wineprefix"
trap 'wineserver -k >/dev/null 2>&1 || true; kill "$XVFB_PID" 2>/dev/null || true' EXIT
make_prefix
wine "$exe" >/dev/null 2>&1 &
window=$(wait_for_window "^Talmoran \(" 60)
sleep 0.5 # let the first paint finish
shot=$build/talmoran-window.png
capture_window "$window" "$shot"
echo "No display here: talmoran.exe ran on Xvfb. Screenshot of its window: $shot"
