#!/usr/bin/env bash
# Saves pictures of the program's windows into build/screenshots/ as PNG files: the GUI tests
# named Screenshot* draw each window under Xvfb and save it. Every window in English and from the
# copy of the tests beside the Chinese Kelvane.ini (*-zh.png); the main window and one tool dialog
# again at 144 DPI (*-144.png).
set -euo pipefail
tree=${1:-build/win}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
out=$(realpath -m "$here/../build/screenshots")
mkdir -p "$out"
export TIDEWELL_SCREENSHOT_DIR="Z:$(echo "$out" | tr / '\\')"

# shoot PREFIX FOLDER SUFFIX FILTER: the pictures the tests in FOLDER take, named <name>SUFFIX.
# The screen is larger than the main window at 144 DPI (1054 px tall): off-screen parts come out black.
shoot() {
  WINEPREFIX=$1 TIDEWELL_SCREENSHOT_SUFFIX=$3 xvfb-run -a -s "-screen 0 1920x1440x24" \
    "$here/wine-exec.sh" "$2/gui_tests.exe" --gtest_filter="$4" >/dev/null
  WINEPREFIX=$1 "$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true
}

prefix=$(realpath "$tree")/wineprefix
prefix_is_current "$prefix" || "$here/wine-env.sh" "$prefix"
shoot "$prefix" "$tree" "" '*Screenshot*'
shoot "$prefix" "$tree/zh-CN" -zh '*Screenshot*'

# 150 % in a prefix of its own.
prefix144=$(realpath "$tree")/wineprefix-144
if ! prefix_is_current "$prefix144"; then
  "$here/wine-env.sh" "$prefix144"
  WINEPREFIX=$prefix144 "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  WINEPREFIX=$prefix144 "$(dirname "$WINE64")/wineserver" -w
fi
shoot "$prefix144" "$tree" -144 'MainScreenshot.*:ProcessScreenshot.*'

for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  # GDI leaves the fourth byte of 32-bit pixels at 0: it is not transparency.
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls -1 "$out"/*.png 2>/dev/null || echo "screenshots: none written"
