#!/usr/bin/env bash
# The release archive: installs what is missing, builds talmoran.exe with the
# windows preset, signs it when given a certificate, packs
# talmoran-<version>-win64.zip with cpack, prints its path and checks what is
# inside it against its SHA256SUMS.
#   TALMORAN_SIGN_PFX, TALMORAN_SIGN_PASSWORD: a PKCS#12 file holding the
#     code-signing certificate and its key, and its password; without them the
#     release is unsigned.
#   TALMORAN_TIMESTAMP_URL: an RFC 3161 time-stamp server; without it the
#     signature carries no time stamp.
#   TALMORAN_PACKAGE_DIR: where the archive goes; build/windows/package unless set.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/build-talmoran.sh
build=$root/build/windows
package_dir=${TALMORAN_PACKAGE_DIR:-$build/package}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
homepage=$(sed -n 's/^CMAKE_PROJECT_HOMEPAGE_URL:STATIC=//p' "$build/CMakeCache.txt")
zip=$package_dir/talmoran-$version-win64.zip
rm -f "$zip" # a failed run must leave no archive from an earlier one
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Signs $1 into $2 with SHA-256 (Authenticode). The password reaches
# osslsigncode on a pipe: never on a command line, which other users can read.
sign() {
    local args=(sign -pkcs12 "$TALMORAN_SIGN_PFX" -readpass /dev/stdin -h sha256 -n Talmoran -i "$homepage")
    if [ -n "${TALMORAN_TIMESTAMP_URL:-}" ]; then
        args+=(-ts "$TALMORAN_TIMESTAMP_URL")
    else
        echo "package.sh: signing without a time stamp (TALMORAN_TIMESTAMP_URL is not set):" \
            "the signature stops being valid when the certificate expires"
    fi
    if ! printf '%s' "${TALMORAN_SIGN_PASSWORD:-}" | osslsigncode "${args[@]}" -in "$1" -out "$2" >"$work/sign.log" 2>&1; then
        rm -f "$2"
        echo "package.sh: cannot sign talmoran.exe with $TALMORAN_SIGN_PFX: is TALMORAN_SIGN_PASSWORD right," \
            "and does the file hold a code-signing certificate with its key? osslsigncode says:" >&2
        sed 's/^/  /' "$work/sign.log" >&2
        exit 1
    fi
}

if [ -n "${TALMORAN_SIGN_PFX:-}" ]; then
    sign "$build/talmoran.exe" "$work/talmoran.exe"
    echo "package.sh: talmoran.exe signed with $TALMORAN_SIGN_PFX"
    export TALMORAN_RELEASE_EXE="$work/talmoran.exe" # installed in place of the unsigned one
else
    echo "package.sh: no signing certificate given (TALMORAN_SIGN_PFX): the release is unsigned"
    unset TALMORAN_RELEASE_EXE
fi
cpack --config "$build/CPackConfig.cmake" -B "$package_dir" >/dev/null
if [ ! -f "$zip" ]; then
    echo "package.sh: cpack did not write $zip" >&2
    exit 1
fi
echo "Release archive: $zip ($(stat -c %s "$zip") bytes)"

unpacked=$work/unpacked
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
# Exactly the files the build ships and SHA256SUMS, at the root: no folder,
# nothing left over; SHA256SUMS lists the others.
words() { LC_ALL=C sort | tr '\n' ' '; }
shipped=$(words <"$build/release-files.txt")
found=$(cd "$unpacked" && find . -mindepth 1 -printf '%P\n' | words)
expected=$( (cat "$build/release-files.txt" && echo SHA256SUMS) | words)
if [ "$found" != "$expected" ]; then
    echo "package.sh: the archive holds '$found', expected '$expected'" >&2
    exit 1
fi
listed=$(awk '{print $2}' "$unpacked/SHA256SUMS" | words)
if [ "$listed" != "$shipped" ]; then
    echo "package.sh: SHA256SUMS lists '$listed', expected '$shipped'" >&2
    exit 1
fi
(cd "$unpacked" && sha256sum --strict -c SHA256SUMS)
# The archive must hold the exe just built, not one left from an earlier run;
# signed, it is that exe and a signature, byte for byte.
shipped=$unpacked/talmoran.exe
if [ -n "${TALMORAN_RELEASE_EXE:-}" ]; then
    osslsigncode remove-signature -in "$shipped" -out "$work/unsigned.exe" >/dev/null
    shipped=$work/unsigned.exe
fi
cmp "$shipped" "$build/talmoran.exe"
echo "package.sh: SHA256SUMS verified"
