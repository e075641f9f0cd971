#!/usr/bin/env bash
# Makes a distribution of this build's files with tools/make-dist.sh, unsigned and then signed
# with a throwaway certificate, and checks it: SHA256SUMS lists every file and matches it, the
# unsigned files carry no signature, osslsigncode verifies each signed one and refuses it when
# one byte is changed.
#
#     check_dist.sh FILE...
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Every file of the folder is listed once, and each sum matches.
check_sums() {
  local folder=$1 listed present
  (cd "$folder" && sha256sum --quiet -c SHA256SUMS) || fail "$folder: SHA256SUMS does not match the files"
  listed=$(sed 's/^[0-9a-f]\{64\}  //' "$folder/SHA256SUMS" | LC_ALL=C sort)
  present=$(cd "$folder" && ls | grep -vx SHA256SUMS | LC_ALL=C sort)
  [ "$listed" = "$present" ] || fail "$folder: SHA256SUMS lists [$(echo $listed)], the folder holds [$(echo $present)]"
}

signed_files() { find "$1" -maxdepth 1 -type f \( -iname '*.xll' -o -iname '*.exe' \) | sort; }

env -u MEZURA_SIGN_CERT -u MEZURA_SIGN_KEY "$root/tools/make-dist.sh" "$work/unsigned" "$@" >/dev/null
check_sums "$work/unsigned"
[ -n "$(signed_files "$work/unsigned")" ] || fail "no add-in or program among the files: $*"
for file in $(signed_files "$work/unsigned"); do
  osslsigncode verify -in "$file" >"$work/out" 2>&1 && fail "$(basename "$file") is signed without a certificate"
  grep -q "No signature found" "$work/out" || fail "$(basename "$file"): $(tail -1 "$work/out")"
done

openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Mezura throwaway signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
MEZURA_SIGN_CERT=$work/cert.pem MEZURA_SIGN_KEY=$work/key.pem "$root/tools/make-dist.sh" "$work/signed" "$@" >/dev/null
check_sums "$work/signed"
for file in $(signed_files "$work/signed"); do
  name=$(basename "$file")
  osslsigncode verify -in "$file" -CAfile "$work/cert.pem" >"$work/out" 2>&1 ||
    fail "$name: osslsigncode verify refuses the signature: $(grep -m1 -i 'fail\|error' "$work/out")"
  grep -q "Signer's certificate" "$work/out" || fail "$name: verify names no signer"
  # One byte of the code changed: the signature no longer matches.
  cp "$file" "$work/changed"
  printf '\x00' | dd of="$work/changed" bs=1 seek=1024 count=1 conv=notrunc 2>/dev/null
  cmp -s "$file" "$work/changed" && printf '\x01' | dd of="$work/changed" bs=1 seek=1024 count=1 conv=notrunc 2>/dev/null
  osslsigncode verify -in "$work/changed" -CAfile "$work/cert.pem" >/dev/null 2>&1 &&
    fail "$name: a changed copy still verifies"
done

count=$(signed_files "$work/signed" | wc -l)
if [ $failures -ne 0 ]; then echo "$failures checks failed"; exit 1; fi
echo "distribution of $# files: SHA256SUMS matches, unsigned without a certificate, $count signed files verified"
