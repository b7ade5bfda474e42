# Sourced by the signing tests: make_test_signer DIR makes a throwaway
# certificate authority (DIR/ca.pem) and a code-signing certificate it issued,
# with its key, as DIR/signer.pfx under the password "test-only". Both expire
# in a day and live only in DIR: no key is kept in the repository.
make_test_signer() {
    local dir="$1"
    cat >"$dir/x509.cnf" <<'CONF'
[req]
distinguished_name = dn
[dn]
[ca]
basicConstraints = critical, CA:true
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[signer]
basicConstraints = critical, CA:false
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CONF
    (
        cd "$dir"
        openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 1 \
            -subj "/CN=Talmoran throwaway test CA" -config x509.cnf -extensions ca
        openssl req -new -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
            -subj "/CN=Talmoran throwaway test signer" -config x509.cnf
        openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out signer.pem -days 1 \
            -extfile x509.cnf -extensions signer
        openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.pfx \
            -passout pass:test-only
        rm -f ca.key signer.key signer.csr
    ) >/dev/null 2>&1
}
