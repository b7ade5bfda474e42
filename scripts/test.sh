#!/usr/bin/env bash
# The test command: installs what is missing, builds the host and the Windows
# builds, and runs every suite. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

cmake --preset host >/dev/null
cmake --build --preset host -j "$jobs"
ctest --preset host -j "$jobs"
scripts/static-analysis.sh build/host
scripts/fuzz.sh 30

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
scripts/package.sh
ctest --preset windows
