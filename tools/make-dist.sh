#!/usr/bin/env bash
# Makes a distribution folder from built files: copies them in, signs the add-ins and SETUP.EXE
# when a certificate is supplied, and lists every file with its SHA-256 in SHA256SUMS.
#
#     tools/make-dist.sh FOLDER FILE...      (FOLDER must not exist yet)
#
# Signing (Authenticode, by Debian's osslsigncode), only when MEZURA_SIGN_CERT is set:
#   MEZURA_SIGN_CERT       the code-signing certificate, PEM or DER, with its chain
#   MEZURA_SIGN_KEY        its private key, PEM or DER
#   MEZURA_SIGN_PASS_FILE  a file holding the key's passphrase, if it has one
#   SOURCE_DATE_EPOCH      if set, the signing time written into the signatures (so that two
#                          signings of the same files give the same bytes); else the current time
# No time-stamp server is asked: the signatures hold while the certificate is valid.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: tools/make-dist.sh FOLDER FILE..." >&2; exit 2; }
out=$1
shift
mkdir "$out"
cp "$@" "$out/"

if [ -n "${MEZURA_SIGN_CERT:-}${MEZURA_SIGN_KEY:-}" ]; then
  if [ -z "${MEZURA_SIGN_CERT:-}" ] || [ -z "${MEZURA_SIGN_KEY:-}" ]; then
    echo "make-dist: MEZURA_SIGN_CERT and MEZURA_SIGN_KEY are set together, or neither" >&2
    exit 2
  fi
  options=(-certs "$MEZURA_SIGN_CERT" -key "$MEZURA_SIGN_KEY" -h sha256 -n Mezura)
  [ -n "${MEZURA_SIGN_PASS_FILE:-}" ] && options+=(-readpass "$MEZURA_SIGN_PASS_FILE")
  [ -n "${SOURCE_DATE_EPOCH:-}" ] && options+=(-time "$SOURCE_DATE_EPOCH")
  for file in "$out"/*; do
    case "${file,,}" in
      *.xll | *.exe)
        osslsigncode sign "${options[@]}" -in "$file" -out "$file.signed" >/dev/null
        mv "$file.signed" "$file"
        echo "signed: $(basename "$file")" ;;
    esac
  done
fi

(cd "$out" && find . -maxdepth 1 -type f ! -name SHA256SUMS -printf '%f\n' | LC_ALL=C sort | xargs -d '\n' sha256sum >SHA256SUMS)
