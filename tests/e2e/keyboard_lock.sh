#!/usr/bin/env bash
# Black box: talmoran.exe as its own process, driven only with keys. Tab to
# "C", space, Tab, space ("D"), Alt+L, Enter on the box: NoViewOnDrive is 12.
# Then Alt+F4 closes it with exit code 0. Before that, a start closed at once
# writes nothing and ends with exit code 0.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
wine reg delete "$policy_key" /f >/dev/null 2>&1 || true

start_talmoran
close_talmoran
closed_status=$TALMORAN_STATUS
untouched="$(policy_value NoViewOnDrive) $(policy_value NoDrives)"
echo "closed right after start: exit code $closed_status, values: $untouched"

start_talmoran
xdotool key Tab Tab space Tab space
xdotool key alt+l
wait_for_window "^Talmoran$" 10 >/dev/null
xdotool key Return
sleep 0.3
locked=$(policy_value NoViewOnDrive)
close_talmoran
status=$TALMORAN_STATUS
wine reg delete "$policy_key" /f >/dev/null 2>&1 || true

echo "NoViewOnDrive after the keys: $locked; exit code after Alt+F4: $status"
[ "$closed_status" = 0 ] && [ "$untouched" = "absent absent" ] && [ "$locked" = 12 ] && [ "$status" = 0 ] && echo "1 passed, 0 failed" && exit 0
echo "0 passed, 1 failed"
exit 1
