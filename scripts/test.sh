#!/usr/bin/env bash
# The test command: installs what is missing, builds the host and the Windows
# builds, and runs every suite. Prints the time of each stage; exits non-zero
# on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
timings=()
stage() { # stage NAME COMMAND...: runs it and records its time
    local name="$1" started=$SECONDS
    shift
    echo "== $name"
    "$@"
    timings+=("$(printf '%-22s %4d s' "$name" $((SECONDS - started)))")
    echo "== $name: $((SECONDS - started)) s"
}
trap 'printf "%s\n" "stage times:" "${timings[@]/#/  }" "  total $SECONDS s"' EXIT

stage packages scripts/install-deps.sh
stage "host build" bash -c "cmake --preset host >/dev/null && cmake --build --preset host -j $jobs"
stage "host tests" ctest --preset host -j "$jobs"
stage "powershell tests" scripts/powershell-tests.sh
stage "static analysis" scripts/static-analysis.sh build/host
stage "windows build" bash -c "cmake --preset windows >/dev/null && cmake --build --preset windows -j $jobs"
stage "release archive" scripts/package.sh
stage "windows tests" ctest --preset windows
