#!/usr/bin/env bash
# DLL planting: a DLL named like a system DLL (dbghelp.dll), put beside the
# program as a download folder could have it, with Wine told to prefer such
# native DLLs. Loaded by name without talmoran's hardening, the plant is
# picked up (the test can fail); with the hardening talmoran.exe runs first
# (RestrictDllSearchToSystem32), the system's own DLL is loaded instead.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
folder=$(mktemp -d "$BUILD/planted.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$BUILD/tests/win/dll_search_probe.exe" "$folder/"
cp "$BUILD/tests/win/planted_dll.dll" "$folder/dbghelp.dll"
export WINEDLLOVERRIDES="mscoree=;mshtml=;dbghelp=n,b"

probe() { # $1: mode; prints "loaded" when the plant ran
    rm -f "$folder"/*.loaded
    (cd "$folder" && wine dll_search_probe.exe $1 >/dev/null 2>&1) || true
    [ -e "$folder/dbghelp.dll.loaded" ] && echo loaded || echo "not loaded"
}
plain=$(probe "")
hardened=$(probe --hardened)
echo "planted dbghelp.dll, plain search: $plain; after RestrictDllSearchToSystem32: $hardened"
[ "$plain" = loaded ] && [ "$hardened" = "not loaded" ] && echo "1 passed, 0 failed" && exit 0
echo "0 passed, 1 failed"
exit 1
