#!/usr/bin/env bash
# talmoran.exe as its own process, driven with keys only, under Wine's relay
# channel. A start closed at once exits with 0. Then a session ticks C and D,
# locks and hides them with the access keys and closes with Alt+F4: HKCU and
# HKLM, exported after the first start and after the session, differ only in
# NoDrives and NoViewOnDrive, each added as the DWORD 12, so nothing was
# written at start or close and the values already in the key kept their
# data; a fresh process's shell, the consumer of the values, then reads both
# as 12 (Wine's shell caches them per process). Last, relay_check.py reads the
# session's calls and the window tests' DPI change for Win32 contracts that
# Wine does not enforce.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
work=$(mktemp -d)
relay='HKCU\Software\Wine\Debug'
at_exit() { # the relay filter would silently filter anyone's later relay log
    rm -rf "$work"
    wine reg delete "$relay" /v RelayInclude /f >/dev/null 2>&1
    wine reg delete "$policy_key" /f >/dev/null 2>&1
}
wine reg add "$relay" /v RelayInclude /t REG_SZ /f /d "$(printf '%s;' \
    user32.CreateWindowExW user32.BeginDeferWindowPos user32.DeferWindowPos user32.EndDeferWindowPos \
    advapi32.RegCreateKeyExW kernel32.SetDefaultDllDirectories kernelbase.SetDefaultDllDirectories)" >/dev/null
wine reg delete "$policy_key" /f >/dev/null 2>&1 || true
wine reg add "$policy_key" /v NoRun /t REG_DWORD /d 1 /f >/dev/null
wine reg add "$policy_key" /v NoDesktop /t REG_DWORD /d 0 /f >/dev/null

# Also keeps Wine's own bookkeeping of a program's first start out of the comparison.
start_talmoran
close_talmoran
[ "$TALMORAN_STATUS" = 0 ] || fail "closed right after start: exit code $TALMORAN_STATUS"

export_hives() { # as text, one line a key or value
    for hive in HKCU HKLM; do
        wine reg export "$hive" "$work/$hive.reg" /y >/dev/null 2>&1
        iconv -f UTF-16LE -t UTF-8 "$work/$hive.reg" | tr -d '\r'
    done
}
export_hives >"$work/before.txt"

press() { xdotool key "$@"; sleep 0.2; }
confirm() { wait_for_window "^Talmoran$" 10 >/dev/null; press Return; }
WINEDEBUG=+relay TALMORAN_STDERR="$work/talmoran.log" start_talmoran
# An access key moves the focus to its button, and the focus is back there
# when the box closes.
press Tab Tab space Tab space   # tick C and D
press alt+l; confirm            # Lock: C and D
press Tab Tab Right             # Unlock, the tab strip: page 2
press alt+h; confirm            # Hide: C and D
close_talmoran
[ "$TALMORAN_STATUS" = 0 ] || fail "exit code $TALMORAN_STATUS after Alt+F4"
export_hives >"$work/after.txt"
# Every value and every key but those of Wine's volatile copy of the
# session's settings, which Wine makes as they are first read (a message box
# makes Control Panel\Mouse there) and drops with the wineserver.
changed=$(diff "$work/before.txt" "$work/after.txt" | grep '^[<>] .' | sort | tr '\n' ' ' |
    sed 's/[<>] \[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters[^]]*\] //g' || true)
echo "registry changes: $changed"
[ "$changed" = '> "NoDrives"=dword:0000000c > "NoViewOnDrive"=dword:0000000c ' ] || fail "other changes than the two values"
shell=$(wine "$BUILD/tests/win/shell_probe.exe" 2>/dev/null | tr -d '\r')
[ "$shell" = "NoDrives=12 NoViewOnDrive=12" ] || fail "the shell reads: $shell"

WINEDEBUG=+relay wine "$BUILD/tests/win/talmoran_window_tests.exe" \
    --gtest_filter='RealWindow.MovedToAScreenOfAnotherDpi*' >"$work/window.out" 2>"$work/window.log" ||
    fail "the DPI change test: $(cat "$work/window.out")"
python3 "$ROOT/tests/e2e/relay_check.py" --hardened "$work/talmoran.log" || failed=1
python3 "$ROOT/tests/e2e/relay_check.py" "$work/window.log" || failed=1
finish
