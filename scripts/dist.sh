#!/usr/bin/env bash
# Packs a built Windows tree: Tidewell-<version>-win64.zip (the program folder), and the MSIs
# Tidewell-<version>-x64.msi (every language).
# With DIST_ARM64_TREE naming an ARM64 build tree, also Tidewell-<version>-arm64.zip (wixl makes
# no ARM64 package).
# The same tree packs into the same bytes wherever and whenever: every date in the downloads is
# SOURCE_DATE_EPOCH (default: the last commit's time), and the MSIs' codes are named by what they
# hold. With TIDEWELL_SIGN_CERT and TIDEWELL_SIGN_KEY (PEM files; TIDEWELL_SIGN_TIMESTAMP_URL, an
# RFC 3161 server, optional) every program and MSI is signed with Authenticode.
# Usage: dist.sh <windows build tree> <output folder> [version, default the build's own]
set -euo pipefail
tree=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
here=$(cd "$(dirname "$0")/.." && pwd)
version=${3:-$(sed -n 's/^#define TIDEWELL_VERSION_TEXT "\(.*\)"/\1/p' "$tree/generated/version.h")}
[ -n "$version" ] || { echo "dist: no version in $tree/generated/version.h" >&2; exit 1; }
# The program recognises its own installations by this code: one place for both.
upgrade_code=$(sed -n 's/^constexpr char kUpgradeCode\[\] = "{\(.*\)}";/\1/p' "$here/src/app/settings/uninstall_win.h")
[ -n "$upgrade_code" ] || { echo "dist: no upgrade code in src/app/settings/uninstall_win.h" >&2; exit 1; }
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || true)}
[ -n "$epoch" ] || { echo "dist: no commit to date the downloads by: set SOURCE_DATE_EPOCH" >&2; exit 1; }
export TZ=UTC

if [ -n "${TIDEWELL_SIGN_CERT:-}" ] && [ -n "${TIDEWELL_SIGN_KEY:-}" ]; then
  echo "dist: signing with $TIDEWELL_SIGN_CERT${TIDEWELL_SIGN_TIMESTAMP_URL:+, time-stamped by $TIDEWELL_SIGN_TIMESTAMP_URL}"
  sign() { # files, each signed in place
    local f
    for f; do
      osslsigncode sign -certs "$TIDEWELL_SIGN_CERT" -key "$TIDEWELL_SIGN_KEY" -h sha256 -n Tidewell \
        ${TIDEWELL_SIGN_TIMESTAMP_URL:+-ts "$TIDEWELL_SIGN_TIMESTAMP_URL"} -in "$f" -out "$f.signed" >/dev/null ||
        { echo "dist: signing $f failed" >&2; exit 1; }
      mv "$f.signed" "$f"
    done
  }
else
  echo "dist: not signed (TIDEWELL_SIGN_CERT and TIDEWELL_SIGN_KEY are not set)"
  sign() { :; }
fi

# A GUID named by a text: the same text gives the same GUID (SHA-256, in the form of version 8).
guid() {
  local h
  h=$(printf '%s' "$1" | sha256sum | tr a-f A-F)
  printf '%s-%s-8%s-%X%s-%s' "${h:0:8}" "${h:8:4}" "${h:13:3}" $(((0x${h:16:1} & 3) | 8)) "${h:17:3}" "${h:20:12}"
}

# The program folder, as a user unpacks it, zipped with the programs of a tree (tree, zip name);
# the texts, sound and help are the x64 tree's for every processor. The entries go in name order,
# with one date and plain modes, and without the extra fields (owner, Unix times) zip adds.
programs=(Tidewell.exe tidewellc.exe)
files=(Kelvane.ini Alert.wav "Kelvane Help.chm" "Kelvane Help zh-CN.chm")
name=Tidewell-$version
stage=$out/stage/$name
pack() {
  rm -rf "$out/stage"
  mkdir -p "$stage/lang"
  for f in "${programs[@]/#/$1/}" "${files[@]/#/$tree/}"; do
    [ -f "$f" ] || { echo "dist: $f is missing (build the Windows tree first)" >&2; exit 1; }
    cp "$f" "$stage/"
  done
  cp -r "$here/dist/lang/." "$stage/lang/"
  # The policy templates, for the administrators' central store (docs/administrators.md).
  mkdir -p "$stage/policies"
  cp -r "$here/installer/policies/." "$stage/policies/"
  sign "${programs[@]/#/$stage/}"
  chmod -R u=rwX,go=rX "$out/stage"
  find "$out/stage" -exec touch -h -d "@$epoch" {} +
  rm -f "$out/$2"
  (cd "$out/stage" && find "$name" | LC_ALL=C sort | zip -qX "$out/$2" -@)
}
if [ -n "${DIST_ARM64_TREE:-}" ]; then
  arm64_version=$(sed -n 's/^#define TIDEWELL_VERSION_TEXT "\(.*\)"/\1/p' "$DIST_ARM64_TREE/generated/version.h")
  [ "$arm64_version" = "$version" ] || { echo "dist: the ARM64 tree is version '$arm64_version', not $version" >&2; exit 1; }
  pack "$(realpath "$DIST_ARM64_TREE")" "$name-arm64.zip"
fi
pack "$tree" "$name-win64.zip"

# One package for every language. wixl finds sources by relative paths only: it runs inside the
# staging folder, on the installer source with a component for each folder of dist/lang put in.
# It writes the clock's time into the summary, so it runs with the clock stopped at the downloads'
# date; the product code is one per version, and the package code is named by what the package
# holds (wixl draws both at random otherwise).
cp "$here/src/resources/icons/tidewell.ico" "$out/stage/"
touch -d "@$epoch" "$out/stage/tidewell.ico"
folders=() refs=()
for language in $(cd "$here/dist/lang" && ls -d */ | tr -d / | LC_ALL=C sort); do
  id=${language//-/_}
  folders+=("<Directory Id=\"Lang_$id\" Name=\"$language\"><Component Id=\"Texts_$id\" Guid=\"$(guid "Tidewell texts $language")\" Win64=\"yes\"><File Id=\"Texts_$id\" Name=\"Kelvane.ini\" Source=\"$name/lang/$language/Kelvane.ini\" KeyPath=\"yes\"/></Component></Directory>")
  refs+=("<ComponentRef Id=\"Texts_$id\"/>")
done
sed -e "s|<LanguageFolders/>|${folders[*]}|" -e "s|<LanguageComponentRefs/>|${refs[*]}|" \
  "$here/installer/tidewell.wxs" >"$out/stage/tidewell.wxs"
inputs=$( (cd "$out/stage" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum) | sha256sum)
msi=$out/$name-x64.msi
product_code=$(guid "Tidewell product $upgrade_code $version")
(cd "$out/stage" && faketime -f "$(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" \
   wixl -a x64 -D Version="$version" -D UpgradeCode="$upgrade_code" -D ProductCode="$product_code" \
     -D SourceDir="$name" -D IconFile=tidewell.ico -o "$msi" tidewell.wxs)
# What wixl 0.101 writes otherwise: the event source's message file as REG_EXPAND_SZ ("#%", wixl
# drops Type="expandable"), and its key taken away with the package ("-", wixl drops
# RegistryKey's Action).
source_key='SYSTEM\CurrentControlSet\Services\EventLog\Application\Tidewell'
msibuild "$msi" -q "UPDATE \`Registry\` SET \`Value\` = '#%[INSTALLDIR]Tidewell.exe' WHERE \`Name\` = 'EventMessageFile'" \
  -q "INSERT INTO \`Registry\` (\`Registry\`, \`Root\`, \`Key\`, \`Name\`, \`Component_\`) VALUES ('EventSourceKey', 2, '$source_key', '-', 'EventSource')"
summary=$(msiinfo suminfo "$msi")
field() { sed -n "s/^$1: //p" <<<"$summary"; }
msibuild "$msi" -s "$(field Subject)" "$(field Author)" "$(field Template)" \
  "{$(guid "Tidewell package $inputs $version $product_code")}"
sign "$msi"
rm -rf "$out/stage"
ls "$out"
