#!/usr/bin/env bash
# The release step signs talmoran.exe when given a certificate. Proven with a
# throwaway certificate authority and signer made here: a wrong password fails
# with a clear message and leaves nothing behind; with the right one the
# archive's exe verifies against that authority, carries the program's name
# and address, matches SHA256SUMS, is the unsigned build once its signature
# is removed, and stops verifying when one byte changes.
BUILD="$1" ROOT="$2"
source "$ROOT/tests/e2e/e2e-common.sh"
source "$ROOT/tests/release/test-signer.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{ make_test_signer "$work" && [ -s "$work/signer.pfx" ]; } || fail "no test certificate made"

# The release step into a folder of the test's own, so that the release
# archive of the build is never signed with the test's certificate.
package() { # package PASSWORD OUTPUT
    rm -rf "$work/out" "$work/tmp" && mkdir "$work/tmp"
    TMPDIR="$work/tmp" TALMORAN_PACKAGE_DIR="$work/out" TALMORAN_SIGN_PFX="$work/signer.pfx" \
        TALMORAN_SIGN_PASSWORD="$1" "$ROOT/scripts/package.sh" >"$2" 2>&1
}

package not-the-password "$work/wrong.txt" && fail "signed with a wrong password"
grep -q "cannot sign talmoran.exe" "$work/wrong.txt" || fail "no clear message: $(cat "$work/wrong.txt")"
left=$(find "$work/out" "$work/tmp" -type f 2>/dev/null || true)
[ -z "$left" ] || fail "a failed signing left $left"

package test-only "$work/signed.txt" || fail "the signed release step failed: $(cat "$work/signed.txt")"
grep -q "without a time stamp" "$work/signed.txt" || fail "no word of the missing time stamp"
! grep -q -e test-only -e not-the-password "$work/wrong.txt" "$work/signed.txt" || fail "a password was echoed"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$work"/out/talmoran-*-win64.zip && sha256sum --strict -c SHA256SUMS) ||
    fail "SHA256SUMS does not list the exe as shipped"
exe=$work/unpacked/talmoran.exe
osslsigncode verify -CAfile "$work/ca.pem" -in "$exe" >"$work/verify.txt" 2>&1 || fail "does not verify"
grep -q "Text description: Talmoran" "$work/verify.txt" || fail "the program's name is not in the signature"
grep -q "URL description: https://" "$work/verify.txt" || fail "the project's address is not in the signature"
grep -q "Message digest algorithm  : SHA256" "$work/verify.txt" || fail "not a SHA-256 digest"
osslsigncode remove-signature -in "$exe" -out "$work/removed.exe" >/dev/null || fail "no signature to remove"
cmp "$work/removed.exe" "$BUILD/talmoran.exe" || fail "without its signature it is not the unsigned build"

cp "$exe" "$work/changed.exe"
python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(0x2000); b = f.read(1); f.seek(0x2000); f.write(bytes([b[0] ^ 1]))' \
    "$work/changed.exe"
osslsigncode verify -CAfile "$work/ca.pem" -in "$work/changed.exe" >/dev/null 2>&1 && fail "a changed byte still verifies"
finish
