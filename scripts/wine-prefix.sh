#!/usr/bin/env bash
# Creates a Wine prefix for tests and screenshots, once: fonts, no window
# manager waits, nothing that offers to download Wine's .NET or HTML engines.
set -euo pipefail
prefix="$1"
[ -f "$prefix/.talmoran-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.talmoran-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
run() { if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a "$@"; fi; }
run wineboot -i >/dev/null 2>&1
# Debian's wine keeps its own fonts (Fixedsys, Tahoma, ...) in a folder its
# font loader does not search; a prefix only sees what is in its Fonts folder.
cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
# With no window manager under Xvfb, Wine waits about 2 s on every window
# shown or hidden unless its windows are unmanaged.
run wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.talmoran-ready"
