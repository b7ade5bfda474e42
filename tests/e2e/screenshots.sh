#!/usr/bin/env bash
# Screenshots of both pages, with and without Wine's Light theme, at 96, 120
# and 144 DPI, and under a dark colour scheme at 96 DPI, each compared pixel
# for pixel with its reference image, and the
# window's place on the 1024 x 768 screen: 7000 x 4000 twips, centred. Every
# drive is locked and hidden beforehand: the window still starts with no box
# ticked, as it reads no policy value. The second page is reached with keys:
# Shift+Tab from "A" onto the tab strip, Right. A shot that differs is kept
# beside a picture of the difference in the build folder.
# A reference is what one renderer draws: each Wine draws its own caption
# font and theme, so each major version has its own set in
# tests/e2e/reference/wine-N (wine-8: Debian 12, wine-10: Debian 13).
#   To take a new set, after a change meant to be seen or for another Wine,
#   run this with TALMORAN_NEW_REFERENCES=1 (ctest passes it through):
#   TALMORAN_NEW_REFERENCES=1 ctest --preset windows -R 'wine_up|e2e_screenshots|wine_down'
#   then look at every new picture before committing it.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
out="$BUILD/screenshots" reference="$ROOT/tests/e2e/reference/wine-$(wine_major)"
if [ -n "${TALMORAN_NEW_REFERENCES:-}" ]; then
    mkdir -p "$reference"
elif [ ! -d "$reference" ]; then
    fail "no reference set for Wine $(wine_major): take one as this script's first lines say" && finish
fi
mkdir -p "$out"
rm -f "$out"/*.png
: >"$out/places.txt"
at_exit() { wine reg delete "$policy_key" /f >/dev/null 2>&1; }
# Takes window $1 into $out/$2 as soon as it looks as its reference does, else
# after 5 s as it looks then. Two equal shots in a row do not tell that the
# paint is over: on a busy machine the tab page can stay unpainted for longer.
settled_shot() {
    local until=$((SECONDS + 5))
    while capture_window "$1" "$out/$2" && [ "$SECONDS" -lt "$until" ]; do
        [ "$(compare -metric AE "$reference/$2" "$out/$2" null: 2>&1)" = 0 ] && return
        sleep 0.1
    done
}
export -f settled_shot capture_window window_geometry
export out reference
# (1024 - 467) / 2 = 278.5 and (768 - 267) / 2 = 250.5 round up, as do 220.5
# and 217.5 at 120 DPI.
declare -A centred=([96]="279 251 467 267" [120]="221 218 583 333" [144]="162 184 700 400")
for value in NoViewOnDrive NoDrives; do
    wine reg add "$policy_key" /v "$value" /t REG_DWORD /d 0x3ffffff /f >/dev/null
done
# Theme, DPI and colour scheme; last, the dark scheme a user with low vision
# may pick, in which every text must show the scheme's colours. A run that
# fails ends the series, so that a fault that fails every start is reported
# long before ctest's limit for the script.
for config in "none 96" "none 120" "none 144" "light 96" "light 120" "light 144" "none 96 dark"; do
    read -r theme dpi scheme <<<"$config"
    name=${dpi}dpi-theme-$theme${scheme:+-scheme-$scheme}
    "$ROOT/scripts/wine-with.sh" "$WINEPREFIX" --dpi "$dpi" --theme "$theme" ${scheme:+--scheme "$scheme"} \
        --limit 35 -- bash -c "
        BUILD='$BUILD' ROOT='$ROOT'
        source '$ROOT/tests/e2e/e2e-common.sh'
        xdotool mousemove 0 0 # a tab under the pointer would be drawn hot
        start_talmoran
        echo \"$dpi DPI: window at \$(window_geometry \"\$TALMORAN_WINDOW\")\" >>'$out/places.txt'
        settled_shot \"\$TALMORAN_WINDOW\" lock-page-$name.png
        xdotool key shift+Tab Right
        settled_shot \"\$TALMORAN_WINDOW\" hide-page-$name.png
        close_talmoran" || { fail "the run at $name failed" && break; }
done
shopt -s nullglob
shots=("$out"/{lock,hide}-page-*.png)
for shot in "${shots[@]}"; do
    name=$(basename "$shot")
    [ -n "${TALMORAN_NEW_REFERENCES:-}" ] && cp "$shot" "$reference/$name"
    differing=$(compare -metric AE "$reference/$name" "$shot" "$out/difference-$name" 2>&1) || true
    echo "$name: $differing pixels differ from the reference"
    [ "$differing" = 0 ] && rm -f "$out/difference-$name" || failed=1
done
[ "${#shots[@]}" = 14 ] || fail "${#shots[@]} of 14 shots taken"
cat "$out/places.txt"
[ "$(wc -l <"$out/places.txt")" = 7 ] || fail "not every start placed"
while read -r dpi _ _ _ place; do
    [ "$place" = "${centred[$dpi]}" ] || fail "not centred at $dpi DPI: $place"
done <"$out/places.txt"
finish
