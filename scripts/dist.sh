#!/usr/bin/env bash
# Packs a built Windows tree: Tidewell-<version>-win64.zip (the program folder), and the MSIs
# Tidewell-<version>-x64.msi (English) and Tidewell-<version>-x64-zh-CN.msi (Chinese texts).
# With DIST_ARM64_TREE naming an ARM64 build tree, also Tidewell-<version>-arm64.zip (wixl makes
# no ARM64 package).
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

# The program folder, as a user unpacks it, zipped with the programs of a tree (tree, zip name);
# the texts, sound and help are the x64 tree's for every processor.
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
  rm -f "$out/$2"
  (cd "$out/stage" && zip -qr "$out/$2" "$name")
}
if [ -n "${DIST_ARM64_TREE:-}" ]; then
  arm64_version=$(sed -n 's/^#define TIDEWELL_VERSION_TEXT "\(.*\)"/\1/p' "$DIST_ARM64_TREE/generated/version.h")
  [ "$arm64_version" = "$version" ] || { echo "dist: the ARM64 tree is version '$arm64_version', not $version" >&2; exit 1; }
  pack "$(realpath "$DIST_ARM64_TREE")" "$name-arm64.zip"
fi
pack "$tree" "$name-win64.zip"

# DIST_LANGUAGES="en" builds the English package only (the installer test needs no other).
# wixl finds sources by relative paths only: it runs inside the staging folder.
cp "$here/src/resources/icons/tidewell.ico" "$out/stage/"
for language in ${DIST_LANGUAGES:-en zh-CN}; do
  texts=$name/Kelvane.ini suffix=""
  [ "$language" = en ] || { texts=$name/lang/$language/Kelvane.ini; suffix=-$language; }
  (cd "$out/stage" && wixl -a x64 -D Version="$version" -D UpgradeCode="$upgrade_code" -D SourceDir="$name" -D TextsFile="$texts" \
       -D IconFile=tidewell.ico -o "$out/$name-x64$suffix.msi" "$here/installer/tidewell.wxs")
done
rm -rf "$out/stage"
ls "$out"
