#!/usr/bin/env bash
# Runs the benchmarks under Wine and prints each figure with its command.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" >/dev/null
build=build/windows
run() { echo "\$ $*"; "$@"; }
scripts/wine-session.sh up "$PWD/$build/wineprefix"
trap 'scripts/wine-session.sh down "$PWD/$build/wineprefix"' EXIT
run "$build/wine-run" "$build/bench/lock_command_bench.exe" 2000
# Windows normally draws with visual styles: start-up with Wine's Light theme
# as well as without one. 101 rounds: with 41 the same program against itself
# read anywhere from 1.00 to 1.07.
for theme in none light; do
    run scripts/wine-with.sh "$PWD/$build/wineprefix" --theme "$theme" -- "$build/wine-run" \
        "$build/bench/startup_bench.exe" "$build/talmoran.exe" "$build/bench/plain_controls_window.exe" \
        "$build/bench/minimal_window.exe" 101
done
run "$build/wine-run" "$build/bench/soak_bench.exe" 10000
echo "\$ ls -l talmoran.exe; objdump -p talmoran.exe | grep 'DLL Name'"
ls -l "$build/talmoran.exe" | awk '{print $5 " bytes"}'
rsrc=$(x86_64-w64-mingw32-objdump -h "$build/talmoran.exe" | awk '$2 == ".rsrc" {print $3}')
echo "  of which resources (the 256 x 256 icon, version, manifest): $((16#$rsrc)) bytes"
x86_64-w64-mingw32-objdump -p "$build/talmoran.exe" | awk '/DLL Name/ {print "  imports " $3}'
