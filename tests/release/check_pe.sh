#!/usr/bin/env bash
# Checks the release image of talmoran.exe: a 64-bit GUI program built with
# ASLR (high entropy), DEP and no link time stamp, importing Windows system
# DLLs only, so that it runs on a bare Windows with nothing installed beside it.
# Usage: check_pe.sh FILE.exe
set -uo pipefail
# UTC: objdump shows the time stamp as a local date.
if ! headers=$(TZ=UTC0 x86_64-w64-mingw32-objdump -p "$1"); then
    echo "FAIL: not a PE image objdump can read"
    echo "0 passed, 1 failed"
    exit 1
fi
failed=0
expect() { # what, a pattern some line of the headers must match
    if grep -qE "$2" <<<"$headers"; then echo "ok: $1"; else echo "FAIL: $1" && failed=1; fi
}
expect "x86-64" 'file format pei-x86-64$'
expect "PE32+" '^Magic[[:space:]]+020b'
expect "GUI subsystem" '^Subsystem[[:space:]]+00000002'
expect "time stamp 0" '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970$'
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    expect "$flag" "^[[:space:]]+$flag\$"
done
# Delay-loaded DLLs would be needed at run time all the same: there must be none.
expect "no delay-loaded DLL" '^Entry d 0+ 0+ Delay Import Directory'
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
echo "imports: ${dlls//$'\n'/ }"
system='kernel32|user32|gdi32|advapi32|comctl32|msvcrt|shell32|ole32|uxtheme|ntdll|comdlg32'
if [ -z "$dlls" ] || grep -viqE "^($system)\.dll$" <<<"$dlls"; then
    echo "FAIL: no imports, or imports beside the Windows system DLLs" && failed=1
fi
if [ "$failed" -ne 0 ]; then
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
