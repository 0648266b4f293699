#!/usr/bin/env bash
# Saves pictures of the program's windows into build/screenshots/ as PNG files: the GUI tests
# named Screenshot* draw each window under Xvfb and save it.
set -euo pipefail
tree=${1:-build/win}
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "$here/../build/screenshots")
mkdir -p "$out"
prefix=$(realpath "$tree")/wineprefix
[ -d "$prefix/drive_c" ] || "$here/wine-env.sh" "$prefix"
export WINEPREFIX=$prefix
export TIDEWELL_SCREENSHOT_DIR="Z:$(echo "$out" | tr / '\\')"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$here/wine-exec.sh" "$tree/gui_tests.exe" --gtest_filter='*Screenshot*' >/dev/null
for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  # GDI leaves the alpha byte 0: read the pictures as opaque.
  convert "$bmp" -alpha off "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls -1 "$out"/*.png 2>/dev/null || echo "screenshots: none written"
