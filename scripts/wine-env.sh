#!/usr/bin/env bash
# Sourced: exports the Wine environment the project runs under.
# Executed with a folder: makes a fresh Wine prefix there (audio off, Chinese font substitute).
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# winedbg disabled: a crashing program then exits non-zero instead of waiting in a debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || echo wine64)
export WINE64

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
  "$WINESERVER" -w
  echo "wine-env: fresh prefix in $WINEPREFIX"
fi
