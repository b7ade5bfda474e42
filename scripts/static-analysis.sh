#!/usr/bin/env bash
# Static analysis of the portable sources, over the host build's compile
# database: clang-tidy (rules and the reasons for them in .clang-tidy) and
# cppcheck. Every finding is an error.
# Usage: scripts/static-analysis.sh [host build dir]   (default build/host)
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

status=0
# The host build compiles the portable code and its unit tests, nothing else.
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "^$root/(app|policy|platform|tests/host)/" >"$build/clang-tidy.log" 2>&1 ||
    status=1
sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E ': (warning|error): ' | sort -u || true
# unusedStructMember is off for tests only: the cases of a parameterised test
# are read through GoogleTest's GetParam(), which cppcheck cannot follow
# without the GoogleTest headers, so every member of every case table would be
# reported as unused.
cppcheck --project="$db" --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr \
    --std=c++20 --library=googletest -j "$(nproc)" --quiet --suppress="unusedStructMember:$root/tests/*" \
    --template='{file}:{line}:{column}: {severity}: {message} [{id}]' || status=1
echo "static analysis: $([ "$status" = 0 ] && echo clean || echo "FAILED (clang-tidy's log: $build/clang-tidy.log)")"
exit "$status"
