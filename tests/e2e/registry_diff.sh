#!/usr/bin/env bash
# Nothing written but the two values: HKCU and HKLM of the test prefix are
# exported before and after a session that starts talmoran.exe, ticks boxes,
# switches pages, runs all four commands with the keyboard and closes it.
# The only differences allowed are NoDrives and NoViewOnDrive under the
# Explorer policy key; the values already there keep their data. Before it, a
# start closed at once writes neither value and exits with 0.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

wine reg delete "$policy_key" /f >/dev/null 2>&1 || true
wine reg add "$policy_key" /v NoRun /t REG_DWORD /d 1 /f >/dev/null
wine reg add "$policy_key" /v NoDesktop /t REG_DWORD /d 0 /f >/dev/null
# Wine writes its own bookkeeping on a program's first start; a warm-up run
# keeps that out of the comparison.
start_talmoran
close_talmoran
untouched="$TALMORAN_STATUS $(policy_value NoViewOnDrive) $(policy_value NoDrives)"
echo "closed right after start: exit code, NoViewOnDrive, NoDrives: $untouched"
[ "$untouched" = "0 absent absent" ] || { echo "0 passed, 1 failed"; exit 1; }

export_hives() {
    wine reg export HKCU "$work/$1-hkcu.reg" /y >/dev/null 2>&1
    wine reg export HKLM "$work/$1-hklm.reg" /y >/dev/null 2>&1
}
export_hives before

press() { xdotool key "$@"; sleep 0.2; }
confirm() { wait_for_window "^Talmoran$" 10 >/dev/null; press Return; }
start_talmoran
# An access key moves the focus to its button, and the focus is back there
# when the box closes.
press Tab Tab space Tab space                         # tick C and D
press shift+Tab shift+Tab shift+Tab shift+Tab Right   # back past A onto the tab strip: page 2
press alt+u; confirm                                  # Unhide
press alt+h; confirm                                  # Hide: C and D
press Tab Tab Left                                    # Hide, Unhide, the tab strip: page 1
press Tab Tab Tab Tab space                           # A, B, C, D: untick D
press alt+u; confirm                     # Unlock
press alt+l; confirm                     # Lock: C
close_talmoran
export_hives after

python3 "$ROOT/tests/e2e/reg_diff.py" "$work/before-hkcu.reg" "$work/after-hkcu.reg" \
    "$work/before-hklm.reg" "$work/after-hklm.reg" "$TALMORAN_STATUS"
