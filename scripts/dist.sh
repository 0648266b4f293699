#!/usr/bin/env bash
# Packs a built Windows tree: Tidewell-<version>-win64.zip (the program folder), and the MSIs
# Tidewell-<version>-x64.msi (English) and Tidewell-<version>-x64-zh-CN.msi (Chinese texts).
# Usage: dist.sh <windows build tree> <output folder> [version, default the build's own]
set -euo pipefail
tree=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
here=$(cd "$(dirname "$0")/.." && pwd)
version=${3:-$(sed -n 's/^#define TIDEWELL_VERSION_TEXT "\(.*\)"/\1/p' "$tree/generated/version.h")}
[ -n "$version" ] || { echo "dist: no version in $tree/generated/version.h" >&2; exit 1; }
# The program recognises its own installations by this code: one place for both.
upgrade_code=$(sed -n 's/^constexpr char kUpgradeCode\[\] = "{\(.*\)}";/\1/p' "$here/src/app/uninstall_win.h")
[ -n "$upgrade_code" ] || { echo "dist: no upgrade code in src/app/uninstall_win.h" >&2; exit 1; }

# The program folder, as a user unpacks it.
programs=(Tidewell.exe tidewellc.exe)
files=(Kelvane.ini Alert.wav "Kelvane Help.chm" "Kelvane Help zh-CN.chm")
name=Tidewell-$version
stage=$out/stage/$name
rm -rf "$out/stage"
mkdir -p "$stage/lang"
for f in "${programs[@]}" "${files[@]}"; do
  [ -f "$tree/$f" ] || { echo "dist: $tree/$f is missing (build the Windows tree first)" >&2; exit 1; }
  cp "$tree/$f" "$stage/"
done
cp -r "$here/dist/lang/." "$stage/lang/"

rm -f "$out/$name-win64.zip"
(cd "$out/stage" && zip -qr "$out/$name-win64.zip" "$name")

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
