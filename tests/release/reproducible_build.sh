#!/usr/bin/env bash
# Builds talmoran.exe twice with the windows preset's settings, each time from
# its own copy of the sources into its own clean build folder, all four at
# paths of different lengths, and checks that the two exes are the same bytes
# and that neither holds any of those paths.
# Usage: tests/release/reproducible_build.sh SOURCE_DIR
# The copies are taken once, before either build, so that edits made to
# SOURCE_DIR while the test runs cannot make the two builds differ.
set -uo pipefail

if [ $# -ne 1 ] || [ ! -f "$1/CMakePresets.json" ]; then
    echo "usage: $0 SOURCE_DIR   (the folder holding CMakePresets.json)" >&2
    exit 2
fi
source_dir=$(cd "$1" && pwd)

fail() {
    echo "reproducible_build: $*"
    echo "0 passed, 1 failed"
    exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src_a=$work/src
src_b=$work/copy-two/talmoran
build_a=$work/out
build_b=$work/a-much-longer-build-folder-name/windows
mkdir -p "$src_a" "$src_b" || fail "cannot create folders under $work"

# The sources without build output or history.
tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$src_a" -xf - ||
    fail "cannot copy $source_dir"
tar -C "$src_a" -cf - . | tar -C "$src_b" -xf - || fail "cannot copy $src_a"

build() {
    local src="$1" dir="$2" log start ms
    log=$work/build-$(basename "$dir").log
    start=$(date +%s%N)
    if ! cmake -S "$src" --preset windows -B "$dir" >"$log" 2>&1 ||
        ! cmake --build "$dir" --target talmoran -j "$(nproc)" >>"$log" 2>&1 ||
        [ ! -f "$dir/talmoran.exe" ]; then
        tail -n 30 "$log"
        fail "building talmoran in $dir failed"
    fi
    ms=$((($(date +%s%N) - start) / 1000000))
    printf 'built %s in %d.%01d s (%s bytes)\n' "$dir/talmoran.exe" $((ms / 1000)) $((ms % 1000 / 100)) \
        "$(stat -c %s "$dir/talmoran.exe")"
}
build "$src_a" "$build_a"
build "$src_b" "$build_b"
exe_a=$build_a/talmoran.exe
exe_b=$build_b/talmoran.exe

status=0
if cmp -s "$exe_a" "$exe_b"; then
    echo "the two talmoran.exe are identical: $(sha256sum "$exe_a" | cut -d' ' -f1)"
else
    status=1
    echo "FAIL: the two talmoran.exe differ in $(cmp -l "$exe_a" "$exe_b" | wc -l) bytes; first differences (offset, octal a, octal b):"
    cmp -l "$exe_a" "$exe_b" | head -n 10
    echo "section headers that differ:"
    diff <(x86_64-w64-mingw32-objdump -h "$exe_a" | tail -n +3) <(x86_64-w64-mingw32-objdump -h "$exe_b" | tail -n +3)
fi

# Narrow and UTF-16 strings of an exe, one per line.
all_strings() { strings -a -n 4 "$1"; strings -a -n 4 -e l "$1"; }
for exe in "$exe_a" "$exe_b"; do
    text=$(all_strings "$exe")
    # The scan itself must see both kinds of string, or it would find no path either.
    if ! grep -q -F 'KERNEL32.dll' <<<"$text" || ! grep -q -F 'OriginalFilename' <<<"$text"; then
        status=1
        echo "FAIL: no import names or version strings found in $exe: the string scan is broken"
    fi
    for path in "$src_a" "$src_b" "$build_a" "$build_b"; do
        count=$(grep -c -F "$path" <<<"$text")
        if [ "$count" -ne 0 ]; then
            status=1
            echo "FAIL: $exe holds $path $count time(s):"
            grep -F "$path" <<<"$text" | head -n 5
        fi
    done
done

if [ "$status" -ne 0 ]; then
    echo "0 passed, 1 failed"
    exit 1
fi
echo "neither exe holds the source or build folders' paths"
echo "1 passed, 0 failed"
