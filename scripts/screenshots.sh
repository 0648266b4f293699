#!/usr/bin/env bash
# Saves pictures of the program's windows into build/screenshots/ as PNG files: the GUI tests
# named Screenshot* draw each window under Xvfb and save it.
set -euo pipefail
tree=${1:-build/win}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
out=$(realpath -m "$here/../build/screenshots")
mkdir -p "$out"
prefix=$(realpath "$tree")/wineprefix
[ -d "$prefix/drive_c" ] || "$here/wine-env.sh" "$prefix"
export WINEPREFIX=$prefix
export TIDEWELL_SCREENSHOT_DIR="Z:$(echo "$out" | tr / '\\')"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$here/wine-exec.sh" "$tree/gui_tests.exe" --gtest_filter='*Screenshot*' >/dev/null
"$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true

# The main window and one tool dialog again at 144 DPI (150 %), in a prefix of their own.
prefix144=$(realpath "$tree")/wineprefix-144
if [ ! -d "$prefix144/drive_c" ]; then
  "$here/wine-env.sh" "$prefix144"
  WINEPREFIX=$prefix144 "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  WINEPREFIX=$prefix144 "$(dirname "$WINE64")/wineserver" -w
fi
WINEPREFIX=$prefix144 TIDEWELL_SCREENSHOT_SUFFIX=-144 xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$here/wine-exec.sh" "$tree/gui_tests.exe" --gtest_filter='MainScreenshot.*:ProcessScreenshot.*' >/dev/null
WINEPREFIX=$prefix144 "$(dirname "$WINE64")/wineserver" -k 2>/dev/null || true
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  # GDI leaves the fourth byte of 32-bit pixels at 0: it is not transparency.
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls -1 "$out"/*.png 2>/dev/null || echo "screenshots: none written"
