# Sourced by the signing tests: make_test_signer DIR makes a throwaway certificate authority
# (DIR/ca.pem) and a code-signing certificate it issued, with its key, as DIR/signer.pfx under the
# password "test-only". Both expire in a day; no key is left outside the pfx.
make_test_signer() (
    cd "$1" || exit
    trap 'rm -f ca.key signer.key' EXIT
    # -config /dev/null: only the extensions named here, none from the system's openssl.cnf.
    req() { openssl req -x509 -config /dev/null -newkey rsa:2048 -nodes -days 1 "$@"; }
    req -keyout ca.key -out ca.pem -subj "/CN=Talmoran throwaway test CA" -addext "basicConstraints=critical,CA:true" \
        -addext "keyUsage=critical,keyCertSign,cRLSign" -addext subjectKeyIdentifier=hash &&
        req -keyout signer.key -out signer.pem -subj "/CN=Talmoran throwaway test signer" -CA ca.pem -CAkey ca.key \
            -addext "basicConstraints=critical,CA:false" -addext "keyUsage=critical,digitalSignature" \
            -addext extendedKeyUsage=codeSigning -addext subjectKeyIdentifier=hash -addext authorityKeyIdentifier=keyid &&
        openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.pfx -passout pass:test-only
) >/dev/null 2>&1
