#!/usr/bin/env bash
# A start that fails ends with exit code 1, provoked for real: atom_hog.exe
# fills the global atom table, where window class names are kept, so that
# talmoran.exe cannot register its window class. Wine's message box cannot be
# made either then (it needs an atom of its own), so Wine's relay channel
# shows that the failure was reported: MessageBoxW called with the run-time
# error naming RegisterClassExW.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
work=$(mktemp -d)
hog_pid=""
stop_hog() { # the stop file makes it give the atoms back
    [ -n "$hog_pid" ] || return 0
    touch "$work/stop"
    wait "$hog_pid" || true
    hog_pid=""
    # Wine's desktop process does not recover from a full atom table: a fresh
    # wineserver, kept alive for the tests that follow (and given no output of
    # ours to hold open, or ctest waits for it).
    { wineserver -k; wineserver -w; wineserver -p; } </dev/null >/dev/null 2>&1
}
trap 'stop_hog; rm -rf "$work"' EXIT
wine "$BUILD/tests/win/atom_hog.exe" 0 "$(winepath -w "$work/stop")" >"$work/hog.out" 2>/dev/null &
hog_pid=$!
for _ in $(seq 300); do grep -qs ready "$work/hog.out" && break; sleep 0.1; done
echo "atom_hog.exe: $(cat "$work/hog.out")"

wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /f \
    /d 'user32.RegisterClassExW;user32.MessageBoxW' >/dev/null
status=0
WINEDEBUG=+relay timeout 60 wine "$BUILD/talmoran.exe" >/dev/null 2>"$work/relay.log" || status=$?
stop_hog
report=$(grep -o 'Call user32.MessageBoxW([^"]*L"[^"]*"' "$work/relay.log" | sed 's/.*L"//; s/"$//' || true)
echo "exit code $status; reported: $report"
[ "$status" = 1 ] || fail "a start that fails ends with exit code $status"
[[ "$report" == "Run-time error '"*"(RegisterClassExW)" ]] || fail "no run-time error reported"
finish
