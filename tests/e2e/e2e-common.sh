# Shared by the end-to-end tests: the test run's prefix and display, and
# starting talmoran.exe as its own process.
#   BUILD: the Windows build folder; ROOT: the source folder.
set -euo pipefail
source "$ROOT/scripts/wine-env.sh"
wine_env "$BUILD/wineprefix"
policy_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer'

# On any exit, a command failed under set -e included: no talmoran.exe left
# running on the shared display, then the script's own clean-up (at_exit, if
# it defines one).
e2e_exit() {
    [ -z "${TALMORAN_PID:-}" ] || kill "$TALMORAN_PID" 2>/dev/null || true
    if declare -F at_exit >/dev/null; then at_exit || true; fi
}
trap e2e_exit EXIT

# A check that fails calls fail (or sets failed=1) and the script goes on;
# finish ends it with the verdict ctest reads.
failed=0
fail() { echo "FAIL: $*" && failed=1; }
finish() { [ "$failed" = 0 ] && echo "1 passed, 0 failed" && exit 0; echo "0 passed, 1 failed"; exit 1; }

# Starts talmoran.exe in the background, its error output to $TALMORAN_STDERR
# if set; sets TALMORAN_PID and TALMORAN_WINDOW.
start_talmoran() {
    wine "$BUILD/talmoran.exe" >/dev/null 2>"${TALMORAN_STDERR:-/dev/null}" &
    TALMORAN_PID=$!
    TALMORAN_WINDOW=$(wait_for_window "^Talmoran \(" 30)
    sleep 0.3 # let the first paint and the initial focus settle
}

# Closes the window with Alt+F4; sets TALMORAN_STATUS to the program's exit code.
close_talmoran() {
    xdotool key alt+F4
    TALMORAN_STATUS=0
    wait "$TALMORAN_PID" || TALMORAN_STATUS=$?
    TALMORAN_PID=""
}
