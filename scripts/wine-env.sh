#!/usr/bin/env bash
# Sourced: exports the Wine environment the project runs under.
# Executed with a folder: makes a fresh Wine prefix there (audio off, fonts as on a Windows that
# shows Chinese).
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# winedbg disabled: a crashing program then exits non-zero instead of waiting in a debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || echo wine64)
export WINE64

# True when the prefix exists and was made after this file last changed.
prefix_is_current() { [ "$1/system.reg" -nt "${BASH_SOURCE[0]}" ]; }

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  prefix=${1:?usage: wine-env.sh PREFIX}
  export WINEPREFIX=$(realpath -m "$prefix")
  WINESERVER=$(dirname "$WINE64")/wineserver
  [ -x "$WINESERVER" ] || WINESERVER=wineserver
  [ -d "$WINEPREFIX" ] && { "$WINESERVER" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"; }
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Plain wineboot: "-i" leaves two services.exe behind and services then fail to start.
  "$WINE64" wineboot >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
  "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v SimSun /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  # Debian's Wine does not read its own fonts (fonts-wine) from its data folder: without them in
  # the prefix, Tahoma falls back to another face and the caption buttons (Marlett) draw as letters.
  fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do [ -e "$fonts/${f##*/}" ] || ln -s "$f" "$fonts/"; done
  # Font linking as Windows has it for Chinese: the UI faces borrow the glyphs they lack from a CJK
  # face. Wine names a bold face by its full name, so "Tahoma Bold" needs its own link.
  for face in Tahoma 'Tahoma Bold' 'Microsoft Sans Serif'; do
    "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  "$WINESERVER" -w
  echo "wine-env: fresh prefix in $WINEPREFIX"
fi
