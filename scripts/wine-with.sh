#!/usr/bin/env bash
# Runs a command with the test prefix set to a DPI and/or Wine's Light theme,
# and puts the prefix back afterwards, whatever the command's outcome.
#   wine-with.sh PREFIX [--dpi N] [--theme light|none] -- COMMAND...
set -euo pipefail
export WINEPREFIX="$1" WINEDEBUG=-all
shift
dpi="" theme=""
while [ "$1" != "--" ]; do
    case "$1" in
    --dpi) dpi="$2"; shift 2 ;;
    --theme) theme="$2"; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
shift
if [ -z "${DISPLAY:-}" ] && [ -f "$WINEPREFIX.display" ]; then
    read -r shared_display _ <"$WINEPREFIX.display"
    export DISPLAY="$shared_display"
fi
reg() { wine reg "$@" >/dev/null 2>&1; }
desktop='HKCU\Control Panel\Desktop'
themes='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
restore() {
    reg delete "$desktop" /v LogPixels /f || true
    reg add "$themes" /v ThemeActive /t REG_SZ /d 0 /f || true
}
trap restore EXIT
[ -z "$dpi" ] || reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f
if [ "$theme" = light ]; then
    reg add "$themes" /v ThemeActive /t REG_SZ /d 1 /f
    reg add "$themes" /v DllName /t REG_SZ /d 'C:\windows\resources\themes\light\light.msstyles' /f
    reg add "$themes" /v ColorName /t REG_SZ /d Blue /f
    reg add "$themes" /v SizeName /t REG_SZ /d NormalSize /f
fi
"$@"
