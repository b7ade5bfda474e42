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
