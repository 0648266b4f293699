#!/usr/bin/env bash
# Starts the built Tidewell under Wine. With a display it opens in a Wine virtual desktop (so the
# tray icon shows); without one it runs under Xvfb, saves build/screenshot.png and stops.
set -euo pipefail
tree=${1:-build/win}
shift $(( $# > 0 ? 1 : 0 ))  # the rest are Tidewell's own arguments
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
export WINEPREFIX=${TIDEWELL_WINEPREFIX:-$HOME/.local/share/tidewell/wineprefix}
prefix_is_current "$WINEPREFIX" || "$here/wine-env.sh" "$WINEPREFIX"
exe=$(realpath "$tree/Tidewell.exe")
wineserver=$(dirname "$WINE64")/wineserver

if [ -n "${DISPLAY:-}" ]; then
  exec "$WINE64" explorer /desktop=Tidewell,1024x768 "$exe" "$@"
fi

shot=$(realpath -m "$here/../build/screenshot.png")
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" explorer /desktop=Tidewell,1024x768 "$2" & 
  sleep "${TIDEWELL_RUN_SECONDS:-8}"
  import -window root "$3"
  "$4" -k' _ "$WINE64" "$exe" "$shot" "$wineserver"
echo "Tidewell ran without a display; its screen is in $shot"
