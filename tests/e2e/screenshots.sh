#!/usr/bin/env bash
# Screenshots of both pages, with and without Wine's Light theme, at 96 and
# 144 DPI, written to the build folder for a person to look at. The second
# page is reached with keys: Shift+Tab from "A" onto the tab strip, Right.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
out="$BUILD/screenshots"
mkdir -p "$out"
shots=0
for theme in none light; do
    for dpi in 96 144; do
        "$ROOT/scripts/wine-with.sh" "$WINEPREFIX" --dpi "$dpi" --theme "$theme" -- bash -c "
            BUILD='$BUILD' ROOT='$ROOT'
            source '$ROOT/tests/e2e/e2e-common.sh'
            start_talmoran
            capture_window \"\$TALMORAN_WINDOW\" '$out/lock-page-${dpi}dpi-theme-$theme.png'
            xdotool key shift+Tab Right
            sleep 0.3
            capture_window \"\$TALMORAN_WINDOW\" '$out/hide-page-${dpi}dpi-theme-$theme.png'
            close_talmoran"
        shots=$((shots + 2))
    done
done
ls "$out"/*.png
[ "$(ls "$out"/*.png | wc -l)" -ge "$shots" ] && echo "1 passed, 0 failed" && exit 0
echo "0 passed, 1 failed"
exit 1
