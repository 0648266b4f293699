#!/usr/bin/env bash
# Runs make dist's steps into a temporary folder and reads the result back: the downloads signed
# with a throwaway certificate, every program (in each zip and MSI, and the x64 clang tree's) and
# MSI verified against it, a tampered and a stranger's copy refused; Wine's WinVerifyTrust asked
# about a signed, an unsigned and a tampered program; then check-release.py on the bill of
# materials and the winget and Scoop manifests.
# Usage: check-dist.sh <x64 GCC tree> <x64 clang tree> <ARM64 tree>
set -uo pipefail
win=$(realpath "$1") clang=$(realpath "$2") arm64=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "check-dist: $*" >&2; status=1; }
start=$SECONDS
cd "$work" || exit 1

# A certificate authority of our own, a code-signing certificate it issued, and a stranger's.
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Tidewell throwaway CA" -keyout ca.key -out ca.pem \
  -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null &&
openssl req -newkey rsa:2048 -nodes -subj "/CN=Tidewell throwaway signer" -keyout signer.key -out signer.csr 2>/dev/null &&
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext &&
openssl x509 -req -days 1 -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -extfile signer.ext \
  -out signer.pem 2>/dev/null &&
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Stranger" -keyout stranger.key -out stranger.pem 2>/dev/null ||
  { echo "check-dist: openssl could not make the certificates" >&2; exit 1; }

export TIDEWELL_SIGN_CERT=$work/signer.pem TIDEWELL_SIGN_KEY=$work/signer.key
DIST_ARM64_TREE=$arm64 "$here/dist.sh" "$win" dist >/dev/null || exit 1
"$here/release-manifests.py" dist || exit 1

# Every program of every download, and the clang tree's, signed as dist.sh signs them.
mkdir -p unpacked/clang
for zip in dist/*.zip; do unzip -q "$zip" -d "unpacked/${zip##*/}"; done
for msi in dist/*.msi; do msiextract -C "unpacked/${msi##*/}" "$msi" >/dev/null; done
cp "$clang/Tidewell.exe" "$clang/tidewellc.exe" unpacked/clang/
for exe in unpacked/clang/*.exe; do
  osslsigncode sign -certs signer.pem -key signer.key -h sha256 -n Tidewell -in "$exe" -out "$exe.signed" >/dev/null &&
    mv "$exe.signed" "$exe"
done
# The policy templates in every download, as installer/policies has them.
for download in unpacked/*.zip unpacked/*.msi; do
  for f in Tidewell.admx en-US/Tidewell.adml zh-CN/Tidewell.adml; do
    shipped=$(find "$download" -path "*/policies/$f" | head -n 1)
    cmp -s "$shipped" "$here/../installer/policies/$f" || fail "${download##*/} holds no policies/$f as installer/policies has it"
  done
done
mapfile -t signed < <(find dist unpacked -type f \( -name '*.msi' -o -name '*.exe' \) | sort)
downloads=$(find dist -maxdepth 1 \( -name '*.zip' -o -name '*.msi' \) | wc -l)
msis=$(find dist -maxdepth 1 -name '*.msi' | wc -l)
# Two programs in each download and in the clang tree, and the MSIs themselves.
[ "${#signed[@]}" -eq $((2 * (downloads + 1) + msis)) ] ||
  fail "found ${#signed[@]} programs and MSIs, not $((2 * (downloads + 1) + msis))"
for f in "${signed[@]}"; do
  osslsigncode verify -CAfile ca.pem -in "$f" >verify.log 2>&1 || fail "$f: $(grep -m1 -iE 'fail|error' verify.log)"
done
echo "check-dist: ${#signed[@]} signatures verified (the MSIs and every program in them, the zips and the clang tree)"

# The checks must fail where they should: one byte changed, and a certificate from outside the CA.
cp unpacked/clang/Tidewell.exe tampered.exe
printf 'X' | dd of=tampered.exe bs=1 seek=4096 conv=notrunc status=none
osslsigncode sign -certs stranger.pem -key stranger.key -h sha256 -in "$win/Tidewell.exe" -out stranger.exe >/dev/null
for f in tampered.exe stranger.exe; do
  osslsigncode verify -CAfile ca.pem -in "$f" >/dev/null 2>&1 && fail "osslsigncode accepts $f"
done

# Wine's WinVerifyTrust tells a missing signature (TRUST_E_NOSIGNATURE) and a changed file
# (TRUST_E_BAD_DIGEST) from a sound one, but accepts a root it does not trust (Wine 8 ignores
# CERT_TRUST_IS_UNTRUSTED_ROOT), so the CA is not installed and trust is osslsigncode's to check.
cp unpacked/clang/Tidewell.exe signed.exe
cp "$win/Tidewell.exe" unsigned.exe
if x86_64-w64-mingw32-gcc-posix -municode -O2 "$here/verify-trust.c" -lwintrust -o verify-trust.exe; then
  source "$here/wine-env.sh"
  export WINEPREFIX=$win/wineprefix
  prefix_is_current "$WINEPREFIX" || "$here/wine-env.sh" "$WINEPREFIX" >/dev/null
  answers=$("$WINE64" verify-trust.exe signed.exe unsigned.exe tampered.exe 2>/dev/null | tr -d '\r')
  "$(dirname "$WINE64")/wineserver" -w
  for expected in "00000000 signed.exe" "800B0100 unsigned.exe" "80096010 tampered.exe"; do
    grep -qxF "$expected" <<<"$answers" || fail "WinVerifyTrust under Wine: wanted '$expected', got: $(tr '\n' ';' <<<"$answers")"
  done
  echo "check-dist: WinVerifyTrust under Wine: $(tr '\n' ';' <<<"$answers")"
else
  fail "verify-trust.c does not build"
fi

"$here/check-release.py" dist || status=1
# check-release.py must see each of these faults, planted one at a time in a copy.
zeros=0000000000000000000000000000000000000000000000000000000000000000
plant() { # message it must print, command run in the copy
  rm -rf planted && cp -r dist planted && (cd planted && eval "$2")
  "$here/check-release.py" planted >planted.log 2>&1
  grep -qF "$1" planted.log || fail "check-release.py does not see: $1"
}
plant "InstallerSha256 is not" "sed -i '0,/InstallerSha256: .*/s//InstallerSha256: $zeros/' winget/*.installer.yaml"
plant "ProductCode {0" "sed -i '0,/ProductCode: .*/s//ProductCode: \"{00000000-0000-0000-0000-000000000000}\"/' winget/*.installer.yaml"
plant "is not in" "sed -i 's/tidewellc.exe\$/absent.exe/' winget/*.installer.yaml"
plant "License is missing" "sed -i '/^License:/d' winget/*.locale.*.yaml"
plant "holds x64 programs" "sed -i 's/-arm64.zip/-win64.zip/' scoop/tidewell.json"
plant "SHA-256 is" "sed -i '0,/\"checksumValue\": \"[0-9a-f]*\"/s//\"checksumValue\": \"$zeros\"/' *.spdx.json"
plant "times, not once" "cp *-win64.zip \$(ls *-win64.zip | sed 's/win64/win64-copy/')"
echo "check-dist: $((SECONDS - start)) s"
exit $status
