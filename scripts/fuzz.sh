#!/usr/bin/env bash
# Fuzzes SplitValuePath with libFuzzer for a bounded time.
# Usage: scripts/fuzz.sh [seconds]   (default 30)
# Builds in build/fuzz with clang++, runs on a copy of the seed corpus kept in
# that folder (new inputs never land in the repository) and exits non-zero
# when the fuzzer finds a crash; the input is left in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
case "$seconds" in '' | *[!0-9]*) echo "usage: $0 [seconds]" >&2; exit 2 ;; esac

build=build/fuzz
target=split_value_path_fuzz
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTALMORAN_FUZZ=ON -DTALMORAN_SANITIZE=OFF >/dev/null
targets=$(cmake --build "$build" --target help)
if ! grep -q "$target" <<<"$targets"; then
    echo "fuzz.sh: no $target target; is add_subdirectory(tests/fuzz) in CMakeLists.txt?" >&2
    exit 2
fi
cmake --build "$build" --target "$target" -j "$(nproc)"

corpus="$build/corpus/split_value_path"
artifacts="$build/artifacts/"
mkdir -p "$corpus" "$artifacts"
cp tests/fuzz/corpus/split_value_path/* "$corpus/"

log="$build/$target.log"
status=0
"$build/tests/fuzz/$target" -max_total_time="$seconds" -artifact_prefix="$artifacts" -print_final_stats=1 \
    "$corpus" >"$log" 2>&1 || status=$?

grep -E '^Done [0-9]+ runs' "$log" || true
if [ "$status" -ne 0 ]; then
    # The report from the first error on, not libFuzzer's progress lines.
    first=$(grep -n -m1 -E 'ERROR:|runtime error:|deadly signal' "$log" | cut -d: -f1 || true)
    tail -n +"${first:-1}" "$log" | head -n 60
    echo "fuzz.sh: $target failed (exit $status); full log in $log, crashing input in $artifacts" >&2
    exit 1
fi
echo "fuzz.sh: $target ran ${seconds}s without a crash; corpus now $(find "$corpus" -type f | wc -l) inputs"
