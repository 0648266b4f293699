#!/usr/bin/env bash
# The first start as a newcomer's Windows makes it: with no language stored, the built Tidewell
# takes the display language (German, then Japanese, as Wine takes it from LANG) where lang\ has
# it, and stores it; an English Windows keeps the texts beside the program. Run under a display.
# Usage: language-test.sh <windows build tree>
set -uo pipefail
tree=$(realpath "${1:-build/win}")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
export WINEPREFIX=$tree/wineprefix
prefix_is_current "$WINEPREFIX" || "$here/wine-env.sh" "$WINEPREFIX" >/dev/null
key='HKLM\Software\Kelvane'
stored() { "$WINE64" reg query "$key" /v Language 2>/dev/null | tr -d '\r' | awk '$1 == "Language" { print $3 }'; }
status=0
for case in de_DE.UTF-8:de ja_JP.UTF-8:ja en_US.UTF-8:; do
  locale=${case%%:*} want=${case#*:}
  "$WINE64" reg delete "$key" /v Language /f >/dev/null 2>&1
  LANG=$locale LC_ALL=$locale "$WINE64" "$tree/Tidewell.exe" -PowerOn >/dev/null 2>&1 &
  got="(none)"
  for _ in $(seq 60); do
    "$WINE64" reg query "$key" /v Language >/dev/null 2>&1 && { got=$(stored); break; }
    sleep 1
  done
  # Its channel opens after the splash: ask until it has ended.
  for _ in $(seq 30); do
    LANG=$locale "$WINE64" "$tree/tidewellc.exe" exit >/dev/null 2>&1 && break
    sleep 1
  done
  wait
  if [ "$got" = "$want" ]; then
    echo "language-test: $locale starts in '${want:-the texts beside the program}'"
  else
    echo "language-test: $locale stored '$got', not '$want'" >&2
    status=1
  fi
done
"$WINE64" reg delete "$key" /v Language /f >/dev/null 2>&1
exit $status
