#!/usr/bin/env bash
# Runs a command with the test prefix set to a DPI, Wine's Light theme and/or
# a dark colour scheme, and puts the prefix back afterwards, whatever the
# command's outcome: the command runs under a time limit of its own (--limit
# seconds), which the caller sets below ctest's TIMEOUT for the test, since
# ctest kills the whole process tree at its TIMEOUT and this script's restore
# would then not run.
#   wine-with.sh PREFIX [--dpi N | --system-dpi N] [--theme light|none] [--scheme dark] [--limit S] -- COMMAND...
# --dpi gives the monitors and the system that DPI. Wine 8 reads LogPixels for
# both whenever a process starts; Wine 10 reads it for the system then, but
# fixes the monitors' DPI when its wineserver's session starts. So under Wine
# 10 a DPI that differs from the session's restarts the (persistent)
# wineserver. --system-dpi sets the system DPI alone and keeps the session,
# which under Wine 10 leaves the monitors at the old DPI: what Windows shows
# after a scaling change until the user signs out.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_env "$1"
shift
dpi="" session_kept="" theme="" scheme="" limit=0 # 0: no limit
while [ "$1" != "--" ]; do
    case "$1" in
    --dpi) dpi="$2"; shift 2 ;;
    --system-dpi) dpi="$2" session_kept=1; shift 2 ;;
    --theme) theme="$2"; shift 2 ;;
    --scheme) scheme="$2"; shift 2 ;;
    --limit) limit="$2"; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
shift
major=$(wine_major)
if [ -n "$session_kept" ] && [ "$major" -lt 10 ]; then
    echo "$(wine --version) gives the monitors the system's DPI: there is no system DPI of its own to set"
    exit 77 # skipped
fi
desktop='HKCU\Control Panel\Desktop'
themes='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
colours='HKCU\Control Panel\Colors'
saved="$WINEPREFIX.colours.reg" # the scheme a dark one replaced, until it is put back
session="$WINEPREFIX.session-dpi"  # LogPixels when the running wineserver started
# Restarts the wineserver, persistent, unless its session already has DPI $1.
# Wine 8 needs none: it reads LogPixels for the monitors too in every process.
session_at() {
    [ "$major" -ge 10 ] || return 0
    [ "$(cat "$session" 2>/dev/null)" = "$1" ] && return
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1
    echo "$1" >"$session"
}
# Puts the prefix back; a step that fails fails the run, so that no test
# after it starts from what this one set.
restore() {
    local status=$?
    if [ -n "$dpi" ]; then # set above: no look first, which costs a Wine process
        wine_reg delete "$desktop" /v LogPixels /f || status=1
    else
        wine_reg_delete "$desktop" LogPixels || status=1
    fi
    session_at 96 || status=1
    wine_reg add "$themes" /v ThemeActive /t REG_SZ /d 0 /f || status=1
    if [ -f "$saved" ]; then
        { wine_reg import "$saved" && rm -f "$saved"; } || status=1
    fi
    exit "$status"
}
trap restore EXIT
[ -z "$dpi" ] || wine_reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f
[ -z "$dpi" ] || [ -n "$session_kept" ] || session_at "$dpi"
if [ "$theme" = light ]; then
    wine_reg add "$themes" /v ThemeActive /t REG_SZ /d 1 /f
    wine_reg add "$themes" /v DllName /t REG_SZ /d 'C:\windows\resources\themes\light\light.msstyles' /f
    wine_reg add "$themes" /v ColorName /t REG_SZ /d Blue /f
    wine_reg add "$themes" /v SizeName /t REG_SZ /d NormalSize /f
fi
# The window tests' dark scheme: no colour a control draws is black. Wine
# keeps colours that a program set with SetSysColors (as the window tests do)
# for the rest of the session, in a volatile key that overrides the scheme.
if [ "$scheme" = dark ]; then
    [ -f "$saved" ] || wine_reg export "$colours" "$saved" /y
    wine_reg_delete 'HKCU\Software\Wine\Temporary System Parameters\Control Panel\Colors'
    for pair in ButtonFace="0 0 96" ButtonText="255 255 0" WindowText="0 255 255" Window="96 0 0" \
        ButtonDkShadow="96 96 96" ButtonShadow="128 128 128" WindowFrame="255 255 255"; do
        wine_reg add "$colours" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f
    done
fi
status=0
timeout --kill-after=5 "$limit" "$@" || status=$?
[ "$status" != 124 ] || echo "wine-with.sh: stopped after $limit s: $*" >&2
exit "$status"
