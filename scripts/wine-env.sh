#!/usr/bin/env bash
# Sourced: exports the Wine environment the project runs under.
# Executed with a folder: makes a fresh Wine prefix there (audio off, fonts as on a Windows that
# shows Chinese, Japanese and Korean; at TIDEWELL_PREFIX_DPI pixels an inch when that is set).
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
  if [ -n "${TIDEWELL_PREFIX_DPI:-}" ]; then
    "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TIDEWELL_PREFIX_DPI" /f >/dev/null 2>&1
  fi
  # The faces a Chinese, Japanese or Korean Windows draws its interface with, from one CJK face.
  for face in SimSun PMingLiU 'Microsoft JhengHei UI' 'MS UI Gothic' 'Meiryo UI' 'Yu Gothic UI' \
              'Malgun Gothic' Gulim; do
    "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$face" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  # Debian's Wine does not read its own fonts (fonts-wine) from its data folder: without them in
  # the prefix, Tahoma falls back to another face and the caption buttons (Marlett) draw as letters.
  fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do [ -e "$fonts/${f##*/}" ] || ln -s "$f" "$fonts/"; done
  # Font linking as Windows has it for East Asian texts: the UI faces borrow the glyphs they lack from a CJK
  # face. Wine names a bold face by its full name, so "Tahoma Bold" needs its own link.
  for face in Tahoma 'Tahoma Bold' 'Microsoft Sans Serif'; do
    "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  "$WINESERVER" -w
  echo "wine-env: fresh prefix in $WINEPREFIX"
fi
