#!/usr/bin/env bash
# The release archive: installs what is missing, builds talmoran.exe with the
# windows preset, packs talmoran-<version>-win64.zip with cpack, prints its
# path and checks what is inside it against its SHA256SUMS.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target talmoran >/dev/null
build=$root/build/windows
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/package/talmoran-$version-win64.zip
if [ ! -f "$zip" ]; then
    echo "package.sh: cpack did not write $zip" >&2
    exit 1
fi
echo "Release archive: $zip ($(stat -c %s "$zip") bytes)"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
# Exactly these four files, at the root: no folder, nothing left over.
found=$(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
expected="LICENSE README.md SHA256SUMS talmoran.exe "
if [ "$found" != "$expected" ]; then
    echo "package.sh: the archive holds '$found', expected '$expected'" >&2
    exit 1
fi
listed=$(awk '{print $2}' "$unpacked/SHA256SUMS" | LC_ALL=C sort | tr '\n' ' ')
if [ "$listed" != "LICENSE README.md talmoran.exe " ]; then
    echo "package.sh: SHA256SUMS lists '$listed'" >&2
    exit 1
fi
(cd "$unpacked" && sha256sum --strict -c SHA256SUMS)
# The archive must hold the exe just built, not one left from an earlier run.
cmp "$unpacked/talmoran.exe" "$build/talmoran.exe"
echo "package.sh: SHA256SUMS verified"
