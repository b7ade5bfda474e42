#!/usr/bin/env bash
# Win32 contracts that Wine does not enforce, read from its relay log (see
# relay_check.py), over talmoran.exe driven with keys only and over the
# window tests' DPI change. The keyboard session: Tab to "C", space, Tab,
# space ("D"), Alt+L, Enter on the box, Alt+F4: NoViewOnDrive is 12 and the
# exit code 0.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /f /d "$(printf '%s;' \
    user32.CreateWindowExW user32.BeginDeferWindowPos user32.DeferWindowPos user32.EndDeferWindowPos \
    advapi32.RegCreateKeyExW kernel32.SetDefaultDllDirectories kernelbase.SetDefaultDllDirectories)" >/dev/null
wine reg delete "$policy_key" /f >/dev/null 2>&1 || true

WINEDEBUG=+relay wine "$BUILD/tests/win/talmoran_window_tests.exe" \
    --gtest_filter='RealWindow.MovedToAScreenOfAnotherDpi*' >"$work/window.out" 2>"$work/window.log" || cat "$work/window.out"
WINEDEBUG=+relay TALMORAN_STDERR="$work/talmoran.log" start_talmoran
xdotool key Tab Tab space Tab space alt+l
wait_for_window "^Talmoran$" 10 >/dev/null
xdotool key Return
sleep 0.3
locked=$(policy_value NoViewOnDrive)
close_talmoran
wine reg delete "$policy_key" /f >/dev/null 2>&1 || true
echo "NoViewOnDrive after the keys: $locked; exit code after Alt+F4: $TALMORAN_STATUS"

status=0
python3 "$ROOT/tests/e2e/relay_check.py" --hardened "$work/talmoran.log" || status=1
python3 "$ROOT/tests/e2e/relay_check.py" "$work/window.log" || status=1
[ "$locked" = 12 ] && [ "$TALMORAN_STATUS" = 0 ] && [ "$status" = 0 ] && echo "1 passed, 0 failed" && exit 0
echo "0 passed, 1 failed"
exit 1
