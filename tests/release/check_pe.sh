#!/usr/bin/env bash
# Checks the release image of talmoran.exe: a 64-bit GUI program built with
# ASLR (high entropy), DEP and no link time stamp, importing Windows system
# DLLs only, so that it runs on a bare Windows with nothing installed beside it,
# and no function that Windows 7 SP1 lacks.
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

# Functions Windows 7 SP1 does not export. No list of its exports can be had
# here, so: every function the cross compiler's headers declare only for a
# target newer than Windows 7 (the build targets 0x0601, so our own code cannot
# call one without a compile error), and by name the later kernel32 functions
# those headers leave ungated, which is where a statically linked runtime
# (libstdc++, winpthreads, the CRT) would reach. SetDefaultDllDirectories and
# its kin exist on Windows 7 only with update KB2533623: looked up, never imported.
declared() { # the functions the headers declare for _WIN32_WINNT=$1
    local aux
    aux=$(mktemp)
    printf '#include <%s>\n' windows.h commctrl.h shellapi.h shlobj.h ole2.h uxtheme.h shellscalingapi.h |
        x86_64-w64-mingw32-gcc -x c -fsyntax-only -D_WIN32_WINNT="$1" -DWINVER="$1" -aux-info "$aux" - &&
        sed -nE 's/.*[ *]([A-Za-z_][A-Za-z0-9_]*) ?\(.*/\1/p' "$aux" | sort -u
    rm -f "$aux"
}
later=$(comm -13 <(declared 0x0601) <(declared 0x0A00); printf '%s\n' GetSystemTimePreciseAsFileTime \
    SetDefaultDllDirectories AddDllDirectory RemoveDllDirectory CopyFile2 GetOverlappedResultEx WaitOnAddress \
    WakeByAddressSingle WakeByAddressAll InitializeSynchronizationBarrier EnterSynchronizationBarrier \
    DeleteSynchronizationBarrier CreateFileMappingFromApp MapViewOfFileFromApp VirtualAllocFromApp \
    QueryUnbiasedInterruptTimePrecise SetThreadDescription GetThreadDescription GetCurrentPackageId)
grep -qx GetDpiForWindow <<<"$later" || { echo "FAIL: the headers' later functions could not be listed" && failed=1; }
imported=$(awk '/DLL Name:/ {dll = $3} dll && NF == 3 && $2 ~ /^[0-9]+$/ {print $3}' <<<"$headers" | sort -u)
echo "imports $(wc -l <<<"$imported") functions; later than Windows 7 among $(wc -l <<<"$later") known:" \
    $(comm -12 <(echo "$imported") <(sort -u <<<"$later"))
[ -z "$(comm -12 <(echo "$imported") <(sort -u <<<"$later"))" ] || failed=1
[ "$(wc -l <<<"$imported")" -gt 20 ] || { echo "FAIL: the import table was not read" && failed=1; }
if [ "$failed" -ne 0 ]; then
    echo "0 passed, 1 failed"
    exit 1
fi
echo "1 passed, 0 failed"
