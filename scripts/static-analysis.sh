#!/usr/bin/env bash
# Static analysis of the portable sources with clang-tidy (rules and the
# reasons for them in .clang-tidy) and cppcheck. Every finding is an error.
# Usage: scripts/static-analysis.sh [host build dir]   (default build/host)
# The build dir must hold compile_commands.json (cmake --preset host).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/host}")
db="$build/compile_commands.json"
if [ ! -f "$db" ]; then
    echo "static-analysis.sh: no $db; configure the host build first (cmake --preset host)" >&2
    exit 2
fi
cd "$root"

# The layering rule: a file in a portable folder (app/, policy/, platform/,
# outside their win32/ folders) includes no Windows header and no win32/
# header of ours. Only the win32/ folders may call Win32.
portable=$(git ls-files 'app/*' 'policy/*' 'platform/*' | grep -Ev '^(app|platform)/win32/' | grep -E '\.(h|cpp)$')
breaking=$(grep -lE '#[[:space:]]*include[[:space:]]*[<"]([Ww]indows\.h|commctrl\.h|[^">]*win32/)' $portable || true)
if [ -n "$breaking" ]; then
    echo "static-analysis.sh: portable files that include Windows or win32/ headers:" $breaking >&2
    exit 1
fi

# Portable sources of ours that the host build compiles, with the host tests.
mapfile -t sources < <(python3 - "$db" "$root" <<'PY'
import json, os, sys
db, root = sys.argv[1], sys.argv[2]
seen = set()
for entry in json.load(open(db)):
    path = os.path.normpath(os.path.join(entry.get("directory", ""), entry["file"]))
    rel = os.path.relpath(path, root)
    if rel.startswith(("app/", "policy/", "platform/", "tests/host/")) \
            and not rel.startswith(("app/win32/", "platform/win32/")) and rel not in seen:
        seen.add(rel)
        print(rel)
PY
)
if [ ${#sources[@]} -eq 0 ]; then
    echo "static-analysis.sh: no portable sources found in $db" >&2
    exit 2
fi

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
jobs=$(nproc)

# clang-tidy, one file per process.
export build root logs
tidy_one() {
    local f=$1 out
    out="$logs/tidy.$(echo "$f" | tr '/' '_').log"
    clang-tidy --quiet -p "$build" "$f" >"$out" 2>&1 || echo "$f" >>"$logs/tidy.failed"
}
export -f tidy_one
# shellcheck disable=SC2016 # $1 is the child shell's, not ours
printf '%s\n' "${sources[@]}" | xargs -r -P "$jobs" -I{} bash -c 'tidy_one "$1"' _ {}
cat "$logs"/tidy.*.log | grep -E ': (warning|error): ' | sed "s|^$root/||" | sort -u >"$logs/tidy.findings" || true
tidy_count=$(wc -l <"$logs/tidy.findings")
tidy_failed=0
[ -f "$logs/tidy.failed" ] && tidy_failed=$(wc -l <"$logs/tidy.failed")
if [ "$tidy_count" -gt 0 ] || [ "$tidy_failed" -gt 0 ]; then
    cat "$logs"/tidy.*.log | grep -vE '^[0-9]+ warnings? generated\.$' || true
fi

# cppcheck over the same sources; headers of ours come in through -I.
# unusedStructMember is off for tests only: the cases of a parameterised test
# are read through GoogleTest's GetParam(), which cppcheck cannot follow
# without the GoogleTest headers, so every member of every case table would be
# reported as unused.
cppcheck_status=0
cppcheck --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr --std=c++20 \
    --language=c++ --library=googletest -I "$root" -j "$jobs" --quiet \
    --suppress='unusedStructMember:tests/*' \
    --template='{file}:{line}:{column}: {severity}: {message} [{id}]' \
    "${sources[@]}" >"$logs/cppcheck.log" 2>&1 || cppcheck_status=$?
cppcheck_count=$(grep -cE ': (error|warning|style|performance|portability): ' "$logs/cppcheck.log" || true)
if [ -s "$logs/cppcheck.log" ]; then
    cat "$logs/cppcheck.log"
fi

echo "static analysis: ${#sources[@]} files"
echo "  clang-tidy: $tidy_count finding(s), $tidy_failed file(s) failed"
echo "  cppcheck:   $cppcheck_count finding(s), exit $cppcheck_status"
if [ "$tidy_count" -gt 0 ] || [ "$tidy_failed" -gt 0 ] || [ "$cppcheck_status" -ne 0 ]; then
    echo "static analysis: FAILED"
    exit 1
fi
echo "static analysis: clean"
