#!/usr/bin/env bash
# Builds talmoran.exe twice with the windows preset, each from its own copy of
# the sources into its own clean build folder, all four at paths of different
# lengths, and checks that the two exes are the same bytes and that neither
# holds any of those paths.
# Usage: tests/release/reproducible_build.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "${1:?usage: $0 SOURCE_DIR}" && pwd) || exit 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*"
    echo "0 passed, 1 failed"
    exit 1
}

# Both copies are taken before either build, so that edits made to SOURCE_DIR
# meanwhile cannot make the builds differ.
dirs=("$work/src" "$work/out" "$work/copy-two/talmoran" "$work/a-much-longer-build-folder-name/windows")
mkdir -p "${dirs[@]}" || fail "cannot create folders under $work"
for src in "${dirs[0]}" "${dirs[2]}"; do
    tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$src" -xf - || fail "cannot copy sources"
done
for i in 0 2; do
    log=$work/build-$i.log
    if ! cmake -S "${dirs[i]}" --preset windows -B "${dirs[i + 1]}" >"$log" 2>&1 ||
        ! cmake --build "${dirs[i + 1]}" --target talmoran -j "$(nproc)" >>"$log" 2>&1; then
        tail -n 30 "$log"
        fail "building in ${dirs[i + 1]}"
    fi
done

exe_a=${dirs[1]}/talmoran.exe exe_b=${dirs[3]}/talmoran.exe
# Narrow and UTF-16 strings; the scan must see some of each, or it would find no path either.
text=$(strings -a "$exe_a"; strings -a -e l "$exe_a")
{ grep -qF KERNEL32.dll <<<"$text" && grep -qF OriginalFilename <<<"$text"; } || fail "the string scan sees nothing"
for path in "${dirs[@]}"; do
    ! grep -F "$path" <<<"$text" || fail "talmoran.exe holds $path"
done
cmp "$exe_a" "$exe_b" || fail "the two talmoran.exe differ in $(cmp -l "$exe_a" "$exe_b" | wc -l) bytes"
echo "two builds, the same $(sha256sum <"$exe_a" | cut -c1-64), holding no build path"
echo "1 passed, 0 failed"
