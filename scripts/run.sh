#!/usr/bin/env bash
# The run command: installs what is missing, builds talmoran.exe and prints where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target talmoran
echo "Built: $(pwd)/build/windows/talmoran.exe"
