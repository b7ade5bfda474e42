#!/usr/bin/env bash
# Installs what is missing and builds build/windows/talmoran.exe with the
# windows preset: the first step of the run and release commands.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target talmoran >/dev/null
